#pragma once

#include "platform/save_dialog.h"

#include <string>

namespace velk {

class FileSystem;
class MessageBoxPort;
struct Document;

// Save dialog flags: overwrite prompt, hide read-only, path must exist, no read-only return,
// explorer, long names.
inline constexpr unsigned kSaveDialogFlags = 0x2 | 0x4 | 0x800 | 0x8000 | 0x80000 | 0x200000;

SaveDialogRequest DocumentSaveDialog();

struct SaveServices {
    Document& document;
    FileSystem& files;
    MessageBoxPort& messages;
    SaveDialog& dialog;
};

// Saves a passed-on copy of the open document under a name the reader chooses: ".vlk" as a
// document, ".exe" as a viewer that opens it. The copy is written beside the target and then
// put in its place, so a failure leaves an existing target as it was; the reader's own
// document is never written.
void SaveDocumentAs(SaveServices& services);

} // namespace velk
