#include "document/document.h"

#include "document/file_cursor.h"

#include "base/little_endian.h"

#include <algorithm>

namespace velk {

bool locate(FileSystem& files, const std::string& name) {
    const auto entries = files.findFiles(name);
    return std::any_of(entries.begin(), entries.end(),
                       [](const DirectoryEntry& e) { return e.ordinaryFile(); });
}

bool Document::open(FileSystem& files, const std::string& name, std::int32_t documentBase) {
    fileName = name;
    base = documentBase;
    file = files.openExisting(name, OpenAccess::ReadWriteOrReadOnly);
    return file != nullptr;
}

bool Document::readHeader() {
    std::array<std::uint8_t, kHeaderSize> bytes{};
    file->readAt(base, bytes);
    header = ParseHeader(bytes);
    if (!header.magicMatches()) {
        header.title.assign(kTitleSize, ' ');
        return false;
    }
    return true;
}

namespace {

// The six lengths of an option record, then its texts in order.
std::array<std::string, 6> ReadOptionTexts(FileCursor& cursor) {
    std::array<std::int16_t, 6> lengths{};
    for (auto& length : lengths) {
        length = cursor.int16();
    }
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = cursor.text(lengths[i]);
    }
    return texts;
}

} // namespace

void Document::readOptionRecords() {
    mailOptions = {};
    faxOptions = {};
    if (header.mailOptionsPos > 0) {
        header.allowMail = 1;
        FileCursor cursor(*file, FileOffset(base, header.mailOptionsPos));
        cursor.skip(2);
        mailOptions.showDialog = cursor.int32();
        mailOptions.attachAsViewer = cursor.int32();
        auto texts = ReadOptionTexts(cursor);
        mailOptions.logonProfile = std::move(texts[0]);
        mailOptions.logonPassword = std::move(texts[1]);
        mailOptions.recipientNames = std::move(texts[2]);
        mailOptions.recipientAddresses = std::move(texts[3]);
        mailOptions.subject = std::move(texts[4]);
        mailOptions.note = std::move(texts[5]);
    }
    if (header.faxOptionsPos > 0) {
        header.allowFax = 1;
        FileCursor cursor(*file, FileOffset(base, header.faxOptionsPos));
        cursor.skip(2);
        faxOptions.showDialog = cursor.int32();
        cursor.skip(4);
        auto texts = ReadOptionTexts(cursor);
        faxOptions.logonProfile = std::move(texts[0]);
        faxOptions.logonPassword = std::move(texts[1]);
        faxOptions.recipients = std::move(texts[2]);
        faxOptions.subject = std::move(texts[4]);
        faxOptions.note = std::move(texts[5]);
    }
}

void Document::loadPageTable(bool building) {
    pageTable.clear();
    pageCount = 0;
    if (header.pageCount < 1 || building) {
        return;
    }
    pageCount = header.pageCount;
    // Entries past the end of the file would all read as 0; they are not held, so a huge count
    // in a small file costs no memory. A table that starts before the file holds nothing.
    const std::int64_t start = FileOffset(base, header.pageTablePos);
    if (start < 0) {
        return;
    }
    const std::int64_t entriesInFile = std::max<std::int64_t>(0, (file->size() - start) / 4);
    const auto entries = static_cast<std::size_t>(std::min<std::int64_t>(pageCount, entriesInFile));
    pageTable.reserve(entries);
    // Read in blocks: a table of 50,000 pages entry by entry took longer than drawing a page.
    constexpr std::size_t kBlockEntries = 16 * 1024;
    std::vector<std::uint8_t> block(4 * std::min(entries, kBlockEntries));
    for (std::size_t done = 0; done < entries;) {
        const std::size_t count = std::min(entries - done, kBlockEntries);
        const std::span<std::uint8_t> bytes = std::span(block).first(4 * count);
        file->readAt(start + 4 * static_cast<std::int64_t>(done), bytes);
        for (std::size_t i = 0; i < count; ++i) {
            pageTable.push_back(ReadInt32(bytes, 4 * i));
        }
        done += count;
    }
}

void Document::loadIndex(bool building) {
    index.clear();
    if (header.indexCount <= 0 || building) {
        return;
    }
    FileCursor cursor(*file, FileOffset(base, header.indexPos));
    // An index that starts before the file holds nothing; one that runs past its end stops
    // there.
    if (cursor.offset() < 0) {
        return;
    }
    for (std::int32_t i = 0; i < header.indexCount && !cursor.pastEnd(); ++i) {
        IndexEntry entry;
        entry.page = cursor.int16();
        entry.caption = cursor.text(cursor.int16());
        entry.caption.resize(kIndexCaptionSize, ' ');
        index.push_back(std::move(entry));
    }
}

std::int32_t Document::pagePosition(std::int32_t p) const {
    if (p < 1 || static_cast<std::size_t>(p) > pageTable.size()) {
        return 0;
    }
    return pageTable[static_cast<std::size_t>(p) - 1];
}

void Document::loadPage(std::int32_t p) {
    loadedPage.clear();
    loadedPageNumber = 0;
    if (p < 1 || p > pageCount) {
        return;
    }
    loadedPageNumber = p;
    const std::int64_t start = pagePosition(p);
    const std::int64_t end = p < pageCount ? pagePosition(p + 1) : header.pageTablePos;
    const std::int64_t offset = FileOffset(base, static_cast<std::int32_t>(start));
    const std::int64_t fileSize = file->size();
    // A page must start inside the file; one that runs past its end is read up to the end.
    if (start < 1 || end <= start || offset < 0 || offset >= fileSize) {
        return;
    }
    const std::int64_t length = std::min(end - start, fileSize - offset);
    loadedPage.resize(static_cast<std::size_t>(length));
    file->readAt(offset, loadedPage);
}

void Document::appendPage(std::int32_t position) {
    ++pageCount;
    pageTable.resize(static_cast<std::size_t>(pageCount), 0);
    pageTable.back() = position;
}

std::optional<std::string> Document::readReplacementText(int slot) const {
    const std::int32_t position = header.replacementTextPos[static_cast<std::size_t>(slot)];
    if (position <= 32) {
        return std::nullopt;
    }
    FileCursor cursor(*file, FileOffset(base, position));
    cursor.skip(4);
    return cursor.text(cursor.int16());
}

void Document::close() {
    file.reset();
}

} // namespace velk
