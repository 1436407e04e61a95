#pragma once

#include <array>
#include <string>

namespace velk {

struct Document;

constexpr int kInterfaceTextCount = 26;

// The slots of the interface text table, numbered as a document's change-words records
// number them.
enum class TextSlot : int {
    FileMenu = 1,
    DocumentMenu = 2,
    Close = 3,
    FirstPage = 4,
    PreviousPage = 5,
    NextPage = 6,
    LastPage = 7,
    JumpToPage = 8,
    Print = 9,
    Zoom = 10,
    FitWindow = 11,
    FitWidth = 12,
    IndexHeading = 13,
    Page = 14,
    Of = 15,
    JumpCaption = 16,
    JumpPrompt = 17,
    Cancel = 18,
    Ok = 19,
    PasswordCaption = 20,
    PasswordPrompt = 21,
    InvalidPassword = 22,
    PasswordRefused = 23,
    EMail = 24,
    Fax = 25,
    Save = 26,
};

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
