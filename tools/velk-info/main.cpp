// velk-info DOCUMENT: opens a document (or a self-extracting viewer) the way velk.exe does and
// prints what it holds. Exit codes: 0 shown, 2 not found, 3 not readable, 4 not a document.

#include "document/document.h"
#include "document/self_extract.h"
#include "platform/posix/posix_file_system.h"
#include "base/ansi_text.h"
#include "document/interface_texts.h"

#include <cstdio>
#include <string>

namespace {

void PrintOptions(const velk::Document& d) {
    if (d.header.mailOptionsPos > 0) {
        const auto& m = d.mailOptions;
        std::printf("mail: dialog %d, as viewer %d, to \"%s\" <%s>, subject \"%s\"\n", m.showDialog,
                    m.attachAsViewer, m.recipientNames.c_str(), m.recipientAddresses.c_str(),
                    m.subject.c_str());
    }
    if (d.header.faxOptionsPos > 0) {
        const auto& f = d.faxOptions;
        std::printf("fax: dialog %d, to \"%s\", subject \"%s\"\n", f.showDialog,
                    f.recipients.c_str(), f.subject.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velk-info DOCUMENT\n");
        return 1;
    }
    const std::string name = argv[1];
    velk::posix::PosixFileSystem files;
    if (!velk::locate(files, name)) {
        std::printf("Unable to locate file: %s\n", name.c_str());
        return 2;
    }
    std::int32_t base = 0;
    if (auto container = files.openExisting(name, velk::OpenAccess::ReadOnly)) {
        base = velk::SelfExtractBase(*container);
    }
    velk::Document d;
    if (!d.open(files, name, base)) {
        std::printf("Unable to open file: %s\n", name.c_str());
        return 3;
    }
    if (!d.readHeader()) {
        std::printf("Invalid File: %s\nThis file isn't a velk document.\n", name.c_str());
        return 4;
    }
    d.readOptionRecords();
    d.loadPageTable(false);
    d.loadIndex(false);
    velk::InterfaceTexts texts;
    texts.LoadInterfaceTexts(d);

    const auto& h = d.header;
    std::printf("title: \"%s\"\n", velk::TrimBlanks(h.title).c_str());
    if (base != 0) {
        std::printf("self-extracting viewer, document at offset %d\n", base);
    }
    std::printf("pages: %d, index entries: %zu, initial zoom: %d, render options: %d\n",
                h.pageCount, d.index.size(), h.initialZoom, h.renderOptions);
    std::printf("allow mail %d, fax %d, save %d; delete on close %d; forwarded copy %d; "
                "password length %d\n",
                h.allowMail, h.allowFax, h.allowSave, h.deleteOnClose, h.forwardedCopy,
                h.passwordLength);
    // Only pages whose table entries lie inside the file can hold anything.
    const auto held = static_cast<std::int32_t>(d.pageTable.size());
    for (std::int32_t p = 1; p <= held; ++p) {
        d.loadPage(p);
        std::printf("page %d: position %d, %zu bytes\n", p, d.pagePosition(p), d.loadedPage.size());
    }
    for (const auto& entry : d.index) {
        std::printf("index: page %d \"%s\"\n", entry.page, velk::TrimBlanks(entry.caption).c_str());
    }
    PrintOptions(d);
    for (int number = 1; number <= velk::kInterfaceTextCount; ++number) {
        const auto slot = static_cast<velk::TextSlot>(number);
        velk::InterfaceTexts defaults;
        if (texts.text(slot) != defaults.text(slot)) {
            std::printf("interface text %d: \"%s\"\n", number, texts.text(slot).c_str());
        }
    }
    return 0;
}
