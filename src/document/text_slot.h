#pragma once

namespace velk {

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

} // namespace velk
