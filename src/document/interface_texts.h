#pragma once

#include <array>
#include <string>

namespace velk {

struct Document;

constexpr int kInterfaceTextCount = 26;

// Receives a slot's new text while a page is drawn, so that menus and the zoom label follow
// at once. The main window implements it; before it exists nothing listens.
class InterfaceTextListener {
  public:
    virtual ~InterfaceTextListener() = default;
    virtual void interfaceTextChanged(int slot, const std::string& text) = 0;
};

// The 26 texts of the viewer's own windows that a document may change, numbered 1..26.
class InterfaceTexts {
  public:
    InterfaceTexts();

    const std::string& text(int slot) const;
    void setListener(InterfaceTextListener* listener) { listener_ = listener; }

    // Stores a text in slot 1..26 (other slots are ignored) and tells the listener.
    void SetInterfaceText(int slot, const std::string& text);

    // Defaults, then the document's replacements for the eight replaceable slots.
    void LoadInterfaceTexts(const Document& document);

  private:
    std::array<std::string, kInterfaceTextCount> texts_;
    InterfaceTextListener* listener_ = nullptr;
};

} // namespace velk
