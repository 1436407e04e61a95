#include "document/header.h"
#include "document/permissions.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(CopyRestrictions, CopiesInsideAViewerOrPassedOnLoseMailFaxAndSave) {
    const struct {
        std::int32_t base;
        std::int32_t forwarded;
        bool kept;
    } cases[] = {{0, 0, true}, {4096, 0, false}, {0, 1, false}, {4096, 1, false}};
    for (const auto& c : cases) {
        DocumentHeader header;
        header.allowMail = 4;
        header.allowFax = 2;
        header.allowSave = 8;
        header.forwardedCopy = c.forwarded;
        ApplyCopyRestrictions(header, c.base);
        EXPECT_EQ(header.allowMail != 0 && header.allowFax != 0 && header.allowSave != 0, c.kept)
            << c.base << " " << c.forwarded;
        EXPECT_EQ(header.allowMail == 0 && header.allowFax == 0 && header.allowSave == 0, !c.kept);
    }
}

} // namespace
} // namespace velk
