#include "viewer/dialog_font.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(DialogFont, TheDialogFontIsNinePointMsSansSerif) {
    EXPECT_EQ(DialogFontDescription(96), (LogFont{.height = -12, .faceName = "MS Sans Serif"}));
    EXPECT_EQ(DialogFontDescription(120).height, -15);
}

} // namespace
} // namespace velk
