#include "document/header.h"
#include "document/permissions.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(CopyRestrictions, CopiesInsideAViewerOrPassedOnLoseMailFaxAndSave) {
    const std::tuple<std::int32_t, std::int32_t, bool> cases[] = {
        {0, 0, true}, {4096, 0, false}, {0, 1, false}, {4096, 1, false}};
    for (const auto& [base, forwarded, kept] : cases) {
        DocumentHeader header;
        header.allowMail = 4;
        header.allowFax = 2;
        header.allowSave = 8;
        header.forwardedCopy = forwarded;
        ApplyCopyRestrictions(header, base);
        EXPECT_EQ(header.allowMail != 0 && header.allowFax != 0 && header.allowSave != 0, kept)
            << base << " " << forwarded;
        EXPECT_EQ(header.allowMail == 0 && header.allowFax == 0 && header.allowSave == 0, !kept);
    }
}

} // namespace
} // namespace velk
