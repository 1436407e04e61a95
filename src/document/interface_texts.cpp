#include "document/interface_texts.h"

#include "document/document.h"

namespace velk {

namespace {

const std::array<const char*, kInterfaceTextCount> kDefaultTexts = {
    "&File",
    "&Document",
    "&Close",
    "&First Page",
    "P&revious Page",
    "&Next Page",
    "&Last Page",
    "&Jump to Page",
    "&Print",
    "Zoom",
    "Fit Window",
    "Fit Width",
    "< Document Index >",
    "Page",
    "of",
    "Jump to a page",
    "To which page would you like to jump?",
    "&Cancel",
    "&Ok",
    "Password Required",
    "This document is password protected.\rPlease type in your password",
    "Invalid Password.",
    "Invalid Password.\rUnable to display document.",
    "&E-Mail",
    "Fa&x",
    "&Save",
};

bool ValidSlot(int slot) {
    return slot >= 1 && slot <= kInterfaceTextCount;
}

} // namespace

InterfaceTexts::InterfaceTexts() {
    for (int slot = 1; slot <= kInterfaceTextCount; ++slot) {
        texts_[slot - 1] = kDefaultTexts[slot - 1];
    }
}

const std::string& InterfaceTexts::text(TextSlot slot) const {
    static const std::string none;
    const int number = static_cast<int>(slot);
    return ValidSlot(number) ? texts_[number - 1] : none;
}

void InterfaceTexts::SetInterfaceText(int slot, const std::string& text) {
    if (!ValidSlot(slot)) {
        return;
    }
    texts_[slot - 1] = text;
    if (listener_ != nullptr) {
        listener_->interfaceTextChanged(static_cast<TextSlot>(slot), text);
    }
}

void InterfaceTexts::LoadInterfaceTexts(const Document& document) {
    *this = InterfaceTexts{};
    for (int i = 0; i < kReplacementSlots; ++i) {
        if (auto replacement = document.readReplacementText(i)) {
            texts_[static_cast<std::size_t>(kReplacementTextIds[i]) - 1] = std::move(*replacement);
        }
    }
}

} // namespace velk
