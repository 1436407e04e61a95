#pragma once

#include "document/header.h"
#include "platform/file_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velk {

constexpr std::size_t kIndexCaptionSize = 100;

struct IndexEntry {
    std::int16_t page = 0;
    std::string caption; // always 100 characters, space-padded
};

struct MailOptions {
    std::int32_t showDialog = 0;
    std::int32_t attachAsViewer = 0;
    std::string logonProfile;
    std::string logonPassword;
    std::string recipientNames;
    std::string recipientAddresses;
    std::string subject;
    std::string note;
};

struct FaxOptions {
    std::int32_t showDialog = 0;
    std::string logonProfile;
    std::string logonPassword;
    std::string recipients;
    std::string subject;
    std::string note;
};

// The one open document of a run. The file stays open from `open` to `close`; pages are read
// from it one at a time when they are wanted.
struct Document {
    std::string fileName;
    std::unique_ptr<File> file;
    std::int32_t base = 0;
    DocumentHeader header;

    // Pages the page table stands for: the header's count once loaded, or the pages announced
    // so far while the producer is still writing.
    std::int32_t pageCount = 0;
    // Positions of pages 1..pageCount at [0..]; entries that would lie past the end of the file
    // are not held and read as position 0.
    std::vector<std::int32_t> pageTable;
    std::vector<IndexEntry> index;
    MailOptions mailOptions;
    FaxOptions faxOptions;
    std::int32_t loadedPageNumber = 0;
    std::vector<std::uint8_t> loadedPage;

    // Opens the file (read-write with read and write sharing, else read-only); false when
    // neither is possible.
    bool open(FileSystem& files, const std::string& name, std::int32_t documentBase);

    // Reads the 260 header bytes at `base`; on a wrong magic the title becomes 100 blanks.
    bool readHeader();

    void readOptionRecords();
    void loadPageTable(bool building);
    void loadIndex(bool building);

    // Reads page p's bytes into loadedPage; p outside 1..pageCount leaves no page loaded.
    void loadPage(std::int32_t p);

    // Building mode: one more page announced at `position`.
    void appendPage(std::int32_t position);

    // The replacement text that header slot `slot` (0..7) points at, if any.
    std::optional<std::string> readReplacementText(int slot) const;

    std::int32_t pagePosition(std::int32_t p) const;

    void close();
};

// Whether a directory search for `name` finds an ordinary file (not a directory, hidden or
// system file) among its entries.
bool locate(FileSystem& files, const std::string& name);

} // namespace velk
