// The mail and fax option records and the interface text replacements of a document made from
// arbitrary bytes (its header is their first 260). Every text read lies inside the file, a
// replaced interface text included, and the records are read whatever the magic says.

#include "fuzz_check.h"
#include "document/document.h"
#include "document/header.h"
#include "document/interface_texts.h"
#include "support/memory_file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr const char* kDocumentName = "C:\\docs\\options.vlk";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::testing::MemoryFileSystem files;
    files.add(kDocumentName, std::vector<std::uint8_t>(data, data + size));
    velk::Document document;
    if (!document.open(files, kDocumentName, 0)) {
        __builtin_trap();
    }
    document.readHeader();
    document.readOptionRecords();
    velk::InterfaceTexts texts;
    texts.LoadInterfaceTexts(document);

    const velk::MailOptions& mail = document.mailOptions;
    const velk::FaxOptions& fax = document.faxOptions;
    for (const std::string* text :
         {&mail.logonProfile, &mail.logonPassword, &mail.recipientNames, &mail.recipientAddresses,
          &mail.subject, &mail.note, &fax.logonProfile, &fax.logonPassword, &fax.recipients,
          &fax.subject, &fax.note}) {
        Check(text->size() <= size);
    }
    Check(document.header.mailOptionsPos <= 0 || document.header.allowMail == 1);
    Check(document.header.faxOptionsPos <= 0 || document.header.allowFax == 1);
    const velk::InterfaceTexts defaults;
    for (const velk::TextSlot slot : velk::kReplacementTextIds) {
        Check(texts.text(slot) == defaults.text(slot) || texts.text(slot).size() <= size);
    }
    return 0;
}
