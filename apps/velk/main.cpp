// velk.exe: picks the Windows implementations of the platform services and runs start-up.

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_open_dialog.h"
#include "password_window.h"
#include "platform/win32/win32_registry.h"
#include "shellreg/file_association.h"
#include "startup/startup.h"

#include <windows.h>

namespace {

// The viewer window is not built into this version: the run ends once the document is open,
// validated and its permissions are settled.
class NoViewer : public velk::ViewerHost {
  public:
    void run(velk::Document&, const velk::StartupRequest&, velk::InterfaceTexts&) override {}
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    velk::win32::Win32FileSystem files;
    velk::win32::Win32MessageBox messages;
    velk::win32::Win32OpenDialog openDialog;
    velk::win32::ClassesRootRegistry registry;
    velk::FileAssociation registration(registry, files, messages);
    Win32PasswordPrompt password(instance, messages);
    NoViewer viewer;
    velk::StartupServices services{files, messages, openDialog, registration, password, viewer};
    return static_cast<int>(velk::RunStartup(commandLine != nullptr ? commandLine : "", services));
}
