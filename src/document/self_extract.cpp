#include "document/self_extract.h"

#include "base/little_endian.h"
#include "base/file_names.h"
#include "base/ansi_text.h"

#include <array>

namespace velk {

std::int32_t SelfExtractBase(File& file) {
    const std::int64_t length = file.size();
    if (length < kSelfExtractTrailerSize) {
        return 0;
    }
    std::array<std::uint8_t, kSelfExtractTrailerSize> trailer{};
    file.readAt(length - kSelfExtractTrailerSize, trailer);
    const std::string_view mark(reinterpret_cast<const char*>(trailer.data()) + 4,
                                kSelfExtractMark.size());
    if (TrimBlanks(UpperCase(mark)) != kSelfExtractMark) {
        return 0;
    }
    const std::int32_t offset = ReadInt32(trailer, 0);
    if (offset < 1 || offset > length) {
        return 0;
    }
    return offset;
}

std::int32_t detectSelfExtract(FileSystem& files) {
    // Detection only reads, so the executable is opened for reading: a running program's file
    // is usually locked against writing anyway.
    const auto file = files.openExisting(OwnExecutablePath(files), OpenAccess::ReadOnly);
    return file ? SelfExtractBase(*file) : 0;
}

} // namespace velk
