#pragma once

#include "document/text_slot.h"

#include <array>
#include <string>

namespace velk {

struct Document;

// Receives a slot's new text while a page is drawn, so that menus and the zoom label follow
// at once. The main window implements it; before it exists nothing listens.
class InterfaceTextListener {
  public:
    virtual ~InterfaceTextListener() = default;
    virtual void interfaceTextChanged(TextSlot slot, const std::string& text) = 0;
};

// The 26 texts of the viewer's own windows that a document may change, numbered 1..26.
class InterfaceTexts {
  public:
    InterfaceTexts();

    const std::string& text(TextSlot slot) const;
    void setListener(InterfaceTextListener* listener) { listener_ = listener; }

    // Stores a text in slot 1..26, as a document numbers it (other numbers are ignored), and
    // tells the listener.
    void SetInterfaceText(int slot, const std::string& text);

    // Defaults, then the document's replacements for the eight replaceable slots.
    void LoadInterfaceTexts(const Document& document);

  private:
    std::array<std::string, kInterfaceTextCount> texts_;
    InterfaceTextListener* listener_ = nullptr;
};

} // namespace velk
