#include "document/interface_texts.h"
#include "document/document.h"
#include "support/documents.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

class RecordingListener : public InterfaceTextListener {
  public:
    std::vector<std::pair<int, std::string>> changes;
    void interfaceTextChanged(TextSlot slot, const std::string& text) override {
        changes.emplace_back(static_cast<int>(slot), text);
    }
};

// The text of slot `number` as a document numbers it.
const std::string& Text(const InterfaceTexts& texts, int number) {
    return texts.text(static_cast<TextSlot>(number));
}

// The zoom box's, the index box's, the dialogs' and the tooltips' defaults are read where they
// are shown.
TEST(InterfaceTexts, DefaultsBySlot) {
    const InterfaceTexts texts;
    const std::pair<int, const char*> cases[] = {
        {1, "&File"}, {5, "P&revious Page"}, {26, "&Save"}, {0, ""}, {27, ""}};
    for (const auto& [slot, text] : cases) {
        EXPECT_EQ(Text(texts, slot), text) << slot;
    }
}

TEST(InterfaceTexts, DocumentReplacesItsEightSlotsByHeaderPosition) {
    auto description = testing::ThreePageReport();
    const char* replacements[] = {"Kennwort", "Bitte Kennwort", "Falsch.",         "Falsch!",
                                  "&Gut",     "&Nein",          "  Ganze Seite  ", ""};
    for (int i = 0; i < 8; ++i) {
        description.replacementTexts[i] = replacements[i];
    }
    testing::OpenedDocument opened(vlkw::WriteDocument(description));
    ASSERT_TRUE(opened.headerMatched);
    InterfaceTexts texts;
    texts.SetInterfaceText(14, "Seite"); // loading starts from the defaults
    texts.LoadInterfaceTexts(opened.document);
    const int ids[] = {20, 21, 22, 23, 19, 18, 11, 12};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Text(texts, ids[i]), replacements[i]) << ids[i];
    }
    EXPECT_EQ(Text(texts, 14), "Page");
}

TEST(InterfaceTexts, SetInterfaceTextStoresValidSlotsAndTellsTheListener) {
    InterfaceTexts texts;
    RecordingListener listener;
    texts.setListener(&listener);
    texts.SetInterfaceText(0, "zero");
    texts.SetInterfaceText(27, "twenty-seven");
    texts.SetInterfaceText(-1, "minus");
    texts.SetInterfaceText(14, " Seite ");
    texts.SetInterfaceText(1, "&Datei");
    EXPECT_EQ(Text(texts, 14), " Seite ");
    EXPECT_EQ(Text(texts, 1), "&Datei");
    EXPECT_EQ(listener.changes,
              (std::vector<std::pair<int, std::string>>{{14, " Seite "}, {1, "&Datei"}}));
}

} // namespace
} // namespace velk
