#include "document/permissions.h"

#include "document/header.h"

namespace velk {

void ApplyCopyRestrictions(DocumentHeader& header, std::int32_t base) {
    if (base != 0 || header.forwardedCopy != 0) {
        header.allowSave = 0;
        header.allowFax = 0;
        header.allowMail = 0;
    }
}

} // namespace velk
