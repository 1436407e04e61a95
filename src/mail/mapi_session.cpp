#include "mail/mapi_session.h"

#include "base/ansi_text.h"
#include "base/file_names.h"

#include <cstdio>

namespace velk {

namespace {

// The trimmed note, cut so that its line end and the blank reserved for each attachment still
// fit, then those.
std::string NoteText(std::string_view note, std::size_t attachments) {
    const std::size_t reserved = 2 + attachments;
    const std::size_t room = kMapiNoteLimit > reserved ? kMapiNoteLimit - reserved : 0;
    return CutTo(TrimBlanks(note), room) + "\r\n" + std::string(attachments, ' ');
}

std::vector<MapiRecipient> Recipients(std::string_view names, std::string_view addresses) {
    std::vector<MapiRecipient> recipients;
    if (TrimBlanks(names).empty()) {
        return recipients;
    }
    const std::vector<std::string> addressItems = SplitList(addresses, ';');
    const std::vector<std::string> nameItems = SplitList(names, ';');
    for (std::size_t i = 0; i < nameItems.size(); ++i) {
        const std::string address = i < addressItems.size() ? addressItems[i] : std::string();
        recipients.push_back({kMapiTo, CutTo(nameItems[i], kMapiRecipientLimit),
                              CutTo(address, kMapiRecipientLimit)});
    }
    return recipients;
}

} // namespace

std::string MapiDate(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d %02d:%02d:%02d", time.month, time.day,
                  time.year, time.hour, time.minute, time.second);
    return text;
}

MapiMessage BuildMapiMessage(FileSystem& files, const MailContent& content, const LocalTime& time) {
    MapiMessage message;
    message.subject = CutTo(TrimBlanks(content.subject), kMapiSubjectLimit);
    const std::size_t count = content.attachments.size();
    message.noteText = NoteText(content.note, count);
    message.dateReceived = MapiDate(time);
    message.recipients = Recipients(content.recipientNames, content.recipientAddresses);
    // Attachment i (from 0) sits on the i-th of the blanks that end the note.
    const auto firstBlank = static_cast<std::int32_t>(message.noteText.size() - count);
    for (std::size_t i = 0; i < count; ++i) {
        const MailAttachment& attachment = content.attachments[i];
        if (FileExists(files, attachment.path)) {
            message.files.push_back({firstBlank + static_cast<std::int32_t>(i), attachment.path,
                                     CutTo(attachment.displayName, kMapiDisplayNameLimit)});
        }
    }
    return message;
}

std::uint32_t MapiLogonSession(MapiLibrary& mapi, std::string_view profile,
                               std::string_view password) {
    if (!mapi.load()) {
        return 0;
    }
    return mapi
        .logon(CutTo(TrimBlanks(profile), kMapiLogonLimit),
               CutTo(TrimBlanks(password), kMapiLogonLimit), kMapiLogonUi | kMapiNewSession)
        .value_or(0);
}

std::uint32_t MapiSendMessage(MapiLibrary& mapi, FileSystem& files, Clock& clock,
                              std::uint32_t session, const MailContent& content) {
    const std::uint32_t flags = content.showDialog ? kMapiLogonUi | kMapiDialog : kMapiLogonUi;
    return mapi.sendMail(session, BuildMapiMessage(files, content, clock.now()), flags)
        .value_or(kMapiSuccess);
}

void MapiLogoffSession(MapiLibrary& mapi, std::uint32_t session) {
    mapi.logoff(session);
}

std::string MapiFailureText(std::string_view lead, std::uint32_t result) {
    if (result == kMapiSuccess || result == kMapiUserAbort) {
        return {};
    }
    // MAPI's codes are reported as the signed numbers the viewer has always shown.
    return std::string(lead) + MessageNumber(static_cast<std::int32_t>(result));
}

} // namespace velk
