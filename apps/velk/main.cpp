// velk.exe: picks the Windows implementations of the platform services and runs start-up.

#include "password_window.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_open_dialog.h"
#include "platform/win32/win32_registry.h"
#include "shellreg/file_association.h"
#include "startup/startup.h"
#include "viewer_host.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    velk::win32::Win32FileSystem files;
    velk::win32::Win32MessageBox messages;
    velk::win32::Win32OpenDialog openDialog;
    velk::win32::ClassesRootRegistry registry;
    velk::FileAssociation registration(registry, files, messages);
    Win32PasswordPrompt password(instance, messages);
    velk::win32::Win32ViewerHost viewer(instance, files, messages);
    velk::StartupServices services{files, messages, openDialog, registration, password, viewer};
    return static_cast<int>(velk::RunStartup(commandLine != nullptr ? commandLine : "", services));
}
