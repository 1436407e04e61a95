#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velk {

class Clock;
class FileSystem;
class MapiLibrary;
class MessageBoxPort;
struct Document;

struct MailServices {
    Document& document;
    FileSystem& files;
    MessageBoxPort& messages;
    MapiLibrary& mapi;
    Clock& clock;
};

// The name an attachment is sent under: the trimmed title, cut so that `extension` still fits
// MAPI's display names.
std::string AttachmentName(std::string_view title, std::string_view extension);

// Loads the mail library and logs on; with a session runs `use` and logs off, without one
// says so. The library is released again on every path.
void WithMapiSession(MailServices& services, std::string_view profile, std::string_view password,
                     const std::function<void(std::uint32_t session)>& use);

// Sends a passed-on copy of the open document through the mail client: as a document, or as
// a viewer that opens it when the document's mail record asks for one or it has none. The
// copy is a temporary file of this run, deleted again afterwards; the reader's document is
// only read.
void MailDocument(MailServices& services);

} // namespace velk
