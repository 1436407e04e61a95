// A mapi32.dll that records what a program asks of Simple MAPI. Every call is appended to
// mapi-log.txt beside the DLL, starting with a line that names the DLL, so a test can tell it
// from the system's own. Each attached file is copied beside the log as attachment-N, because
// the program may delete it once the call returns. mapi-control.txt beside the DLL, when it
// exists, sets what MAPILogon leaves as the session ("logon=N", 0 for none) and what
// MAPISendMail returns ("send=N").

#include <windows.h>

#include <mapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

HMODULE self = nullptr;

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// "[text]" with the bytes a line could hide written as \r, \n or \xNN.
std::string Quoted(const char* text) {
    if (text == nullptr) {
        return "(null)";
    }
    std::string out = "[";
    for (const unsigned char c : std::string(text)) {
        char escaped[8];
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == '\\') {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "]";
}

unsigned long Control(const std::string& key, unsigned long fallback) {
    std::ifstream control(Folder() + "mapi-control.txt");
    std::string line;
    while (std::getline(control, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            return std::stoul(line.substr(key.size() + 1));
        }
    }
    return fallback;
}

void Log(const std::string& text) {
    std::ofstream log(Folder() + "mapi-log.txt", std::ios::app | std::ios::binary);
    log << "recording mapi32.dll\n" << text;
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
    }
    return TRUE;
}

__declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR window, LPSTR profile, LPSTR password,
                                             FLAGS flags, ULONG reserved, LPLHANDLE session) {
    const unsigned long given = Control("logon", 7);
    if (session != nullptr) {
        *session = given;
    }
    std::ostringstream line;
    line << "MAPILogon window=" << window << " profile=" << Quoted(profile)
         << " password=" << Quoted(password) << " flags=" << flags << " reserved=" << reserved
         << " session=" << given << "\n";
    Log(line.str());
    return given != 0 ? SUCCESS_SUCCESS : MAPI_E_LOGON_FAILURE;
}

#ifndef RECORDING_MAPI_WITHOUT_SEND
__declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE session, ULONG_PTR window, lpMapiMessage message, FLAGS flags,
                 ULONG reserved) {
    static int attachmentsCopied = 0;
    const unsigned long result = Control("send", SUCCESS_SUCCESS);
    std::ostringstream line;
    line << "MAPISendMail session=" << session << " window=" << window << " flags=" << flags
         << " reserved=" << reserved << "\n";
    line << "subject=" << Quoted(message->lpszSubject) << "\n";
    line << "note=" << Quoted(message->lpszNoteText) << "\n";
    line << "date=" << Quoted(message->lpszDateReceived) << "\n";
    line << "recipients=" << message->nRecipCount << "\n";
    for (ULONG i = 0; i < message->nRecipCount; ++i) {
        const MapiRecipDesc& recipient = message->lpRecips[i];
        line << "recipient class=" << recipient.ulRecipClass
             << " name=" << Quoted(recipient.lpszName)
             << " address=" << Quoted(recipient.lpszAddress) << "\n";
    }
    line << "files=" << message->nFileCount << "\n";
    for (ULONG i = 0; i < message->nFileCount; ++i) {
        const MapiFileDesc& file = message->lpFiles[i];
        const std::string copy = "attachment-" + std::to_string(++attachmentsCopied);
        const bool copied = CopyFileA(file.lpszPathName, (Folder() + copy).c_str(), FALSE) != 0;
        line << "file position=" << file.nPosition << " path=" << Quoted(file.lpszPathName)
             << " name=" << Quoted(file.lpszFileName)
             << " copy=" << (copied ? copy : std::string("none")) << "\n";
    }
    line << "result=" << result << "\n";
    Log(line.str());
    return result;
}
#endif

__declspec(dllexport) ULONG WINAPI
    MAPILogoff(LHANDLE session, ULONG_PTR window, FLAGS flags, ULONG reserved) {
    std::ostringstream line;
    line << "MAPILogoff session=" << session << " window=" << window << " flags=" << flags
         << " reserved=" << reserved << "\n";
    Log(line.str());
    return SUCCESS_SUCCESS;
}

} // extern "C"
