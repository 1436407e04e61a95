#pragma once

#include <cstdint>

namespace velk {

struct DocumentHeader;

// A self-extracting viewer (`base` not 0) and a passed-on copy never offer e-mail, fax or
// save.
void ApplyCopyRestrictions(DocumentHeader& header, std::int32_t base);

} // namespace velk
