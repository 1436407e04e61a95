#include "base/user_message.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::RecordingMessageBox;
using testing::ShownMessage;

TEST(ShowMessage, CaptionIsTheTrimmedTitleOrTheProgramName) {
    const std::pair<std::string, const char*> cases[] = {
        {"  Sales Report" + std::string(86, ' '), "Sales Report"},
        {std::string(100, ' '), "velk Print and Preview"},
        {"", "velk Print and Preview"},
        {std::string("\0Hidden", 7), "velk Print and Preview"},
        {std::string("   \0Hidden", 10), "velk Print and Preview"},
    };
    for (const auto& [title, caption] : cases) {
        RecordingMessageBox box;
        ShowMessage(box, title, "x");
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].caption, caption);
    }
}

TEST(ShowMessage, TextIsTrimmedAndCutTo299WithTheInformationIcon) {
    RecordingMessageBox box;
    ShowMessage(box, "", "  " + std::string(310, 'a') + "  ");
    ShowMessage(box, std::string(400, 'T'), "  two\rlines  ");
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, std::string(299, 'a'));
    EXPECT_EQ(box.shown[0].flags, 0x40u);
    EXPECT_EQ(box.shown[1], (ShownMessage{"two\rlines", std::string(299, 'T'), 0x40}));
}

} // namespace
} // namespace velk
