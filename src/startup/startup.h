#pragma once

#include "document/document.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/open_dialog.h"
#include "shellreg/shell_registration.h"
#include "startup/command_line.h"
#include "document/interface_texts.h"

#include <string>

namespace velk {

// Asks for a protected document's password; true when it was accepted.
class PasswordPrompt {
  public:
    virtual ~PasswordPrompt() = default;
    virtual bool askPassword(Document& document, const InterfaceTexts& texts) = 0;
};

// How a run ended; velk.exe passes it on as its exit code.
enum class StartupOutcome {
    Viewed = 0,
    Registration = 0,
    Cancelled = 1,
    NotFound = 2,
    OpenFailed = 3,
    InvalidFile = 4,
    PasswordRefused = 5,
    // A print switch found no printer, or the job could not be started.
    NotPrinted = 6,
};

// Creates the viewer for an open, validated document: runs the batch action the request names
// or the main window until the user closes it, and says how that ended.
class ViewerHost {
  public:
    virtual ~ViewerHost() = default;
    virtual StartupOutcome run(Document& document, const StartupRequest& request,
                               InterfaceTexts& texts) = 0;
};

struct StartupServices {
    FileSystem& files;
    MessageBoxPort& messages;
    OpenDialog& openDialog;
    ShellRegistration& registration;
    PasswordPrompt& password;
    ViewerHost& viewer;
};

// Open-dialog flags: hide read-only, path must exist, no read-only return, explorer, long names.
constexpr unsigned kOpenDialogFlags = 0x4 | 0x800 | 0x8000 | 0x80000 | 0x200000;

OpenDialogRequest DocumentOpenDialog();

// The whole start-up of a run, from the command text (everything after the program name) to
// closing the document and deleting a temporary one.
StartupOutcome RunStartup(const std::string& commandLine, StartupServices& services);

} // namespace velk
