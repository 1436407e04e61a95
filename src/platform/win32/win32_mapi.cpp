#include "platform/win32/win32_mapi.h"

#include <mapi.h>

#include <vector>

namespace velk::win32 {

namespace {

// MAPI takes texts as writable pointers it does not write through.
LPSTR Text(const std::string& text) {
    return const_cast<LPSTR>(text.c_str());
}

} // namespace

template <typename Function> Function* Win32MapiLibrary::entry(const char* name) const {
    if (!module_) {
        return nullptr;
    }
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
}

bool Win32MapiLibrary::load() {
    if (!module_) {
        module_.reset(LoadLibraryA("mapi32.dll"));
    }
    return static_cast<bool>(module_);
}

std::optional<std::uint32_t> Win32MapiLibrary::logon(const std::string& profile,
                                                     const std::string& password,
                                                     std::uint32_t flags) {
    auto* const mapiLogon = entry<MAPILOGON>("MAPILogon");
    if (mapiLogon == nullptr) {
        return std::nullopt;
    }
    LHANDLE session = 0;
    mapiLogon(0, Text(profile), Text(password), flags, 0, &session);
    return static_cast<std::uint32_t>(session);
}

std::optional<std::uint32_t>
Win32MapiLibrary::sendMail(std::uint32_t session, const MapiMessage& message, std::uint32_t flags) {
    auto* const mapiSendMail = entry<MAPISENDMAIL>("MAPISendMail");
    if (mapiSendMail == nullptr) {
        return std::nullopt;
    }
    std::vector<MapiRecipDesc> recipients;
    for (const MapiRecipient& recipient : message.recipients) {
        MapiRecipDesc described{};
        described.ulRecipClass = recipient.recipientClass;
        described.lpszName = Text(recipient.name);
        described.lpszAddress = Text(recipient.address);
        recipients.push_back(described);
    }
    std::vector<MapiFileDesc> files;
    for (const MapiAttachment& file : message.files) {
        MapiFileDesc described{};
        described.nPosition = static_cast<ULONG>(file.position);
        described.lpszPathName = Text(file.pathName);
        described.lpszFileName = Text(file.fileName);
        files.push_back(described);
    }
    ::MapiMessage sent{};
    sent.lpszSubject = Text(message.subject);
    sent.lpszNoteText = Text(message.noteText);
    sent.lpszDateReceived = Text(message.dateReceived);
    sent.nRecipCount = static_cast<ULONG>(recipients.size());
    sent.lpRecips = recipients.empty() ? nullptr : recipients.data();
    sent.nFileCount = static_cast<ULONG>(files.size());
    sent.lpFiles = files.empty() ? nullptr : files.data();
    return static_cast<std::uint32_t>(mapiSendMail(session, 0, &sent, flags, 0));
}

void Win32MapiLibrary::logoff(std::uint32_t session) {
    if (auto* const mapiLogoff = entry<MAPILOGOFF>("MAPILogoff")) {
        mapiLogoff(session, 0, 0, 0);
    }
}

} // namespace velk::win32
