// Opens arbitrary bytes as a document, plainly and as a self-extracting viewer, and reads
// every structure and every page the file names.

#include "document/document.h"
#include "document/password.h"
#include "document/self_extract.h"
#include "platform/memory_file.h"
#include "startup/command_line.h"
#include "document/interface_texts.h"

#include <algorithm>
#include <cstdint>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void ReadEverything(const std::vector<std::uint8_t>& bytes, std::int32_t base) {
    velk::Document document;
    document.file = std::make_unique<velk::MemoryFile>(bytes, false);
    document.base = base;
    // Every structure is read whatever the magic says: the reader must survive any header.
    document.readHeader();
    document.readOptionRecords();
    velk::InterfaceTexts texts;
    texts.LoadInterfaceTexts(document);
    document.loadPageTable(false);
    document.loadIndex(false);
    velk::Unscrambler unscrambler;
    velk::PasswordMatches(document.header, document.header.title, unscrambler);

    // Pages the table holds, then the edges around them.
    const std::int32_t held = static_cast<std::int32_t>(document.pageTable.size());
    for (std::int32_t p = 1; p <= held; ++p) {
        document.loadPage(p);
    }
    const std::int64_t edges[] = {0, -1, std::int64_t{held} + 1, document.pageCount,
                                  std::int64_t{document.pageCount} + 1};
    for (const std::int64_t p : edges) {
        if (p >= INT32_MIN && p <= INT32_MAX) {
            document.loadPage(static_cast<std::int32_t>(p));
        }
    }

    // Building mode: pages announced at positions taken from the file itself.
    document.loadPageTable(true);
    for (std::size_t i = 0; i + 4 <= std::min<std::size_t>(bytes.size(), 64); i += 4) {
        document.appendPage(
            static_cast<std::int32_t>(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) |
                                      (static_cast<std::uint32_t>(bytes[i + 3]) << 24)));
        document.readHeader();
        document.loadPage(document.pageCount);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    ReadEverything(bytes, 0);

    velk::MemoryFile file(bytes, false);
    if (const std::int32_t base = velk::SelfExtractBase(file); base != 0) {
        ReadEverything(bytes, base);
    }

    const std::string text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                              std::min<std::size_t>(size, 300)));
    velk::ParseRegistrationCommand(text);
    velk::ParseSwitches(text, 0);
    return 0;
}
