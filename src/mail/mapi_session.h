#pragma once

#include "platform/clock.h"
#include "platform/mapi.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

class FileSystem;

// Lengths of the texts handed to MAPI, terminating zeros not counted.
inline constexpr std::size_t kMapiSubjectLimit = 999;
inline constexpr std::size_t kMapiNoteLimit = 32767;
inline constexpr std::size_t kMapiRecipientLimit = 299;
inline constexpr std::size_t kMapiDisplayNameLimit = 99;
inline constexpr std::size_t kMapiLogonLimit = 199;

// A file to attach and the name the recipient sees. Attachments travel as a list, so a path
// or a title holding ";" still attaches its file.
struct MailAttachment {
    std::string path;
    std::string displayName;
};

// What MapiSendMessage sends. The two recipient texts are lists separated by ";", item i of
// the names belonging to item i of the addresses.
struct MailContent {
    std::string subject;
    std::string note;
    std::string recipientNames;
    std::string recipientAddresses;
    std::vector<MailAttachment> attachments;
    bool showDialog = false;
};

// "MM-DD-YYYY HH:MM:SS".
std::string MapiDate(const LocalTime& time);

// The message as MAPISendMail gets it. The note ends with a line end and one blank per
// attachment, and each attachment sits on its blank; an attachment whose file a directory
// search does not find is left out, its blank kept.
MapiMessage BuildMapiMessage(FileSystem& files, const MailContent& content, const LocalTime& time);

// Logs on with the trimmed profile and password, showing MAPI's logon window when it needs
// one; the session, 0 when the library or its entry point is missing or logon gave none.
std::uint32_t MapiLogonSession(MapiLibrary& mapi, std::string_view profile,
                               std::string_view password);

// Sends through the session; MAPI's result, 0 when the library has no MAPISendMail.
std::uint32_t MapiSendMessage(MapiLibrary& mapi, FileSystem& files, Clock& clock,
                              std::uint32_t session, const MailContent& content);

void MapiLogoffSession(MapiLibrary& mapi, std::uint32_t session);

// The text a failed send is reported with: `lead` and the code, or nothing for success and
// for a send the user cancelled.
std::string MapiFailureText(std::string_view lead, std::uint32_t result);

} // namespace velk
