#include "render/cairo/bmp_file.h"

#include "base/little_endian.h"
#include "render/cairo/cairo_bitmaps.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace velk::cairo {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The colour table of an indexed picture: RGBQUADs after an info header, RGBTRIPLEs after a
// core header, blue first either way. False when the file ends inside it.
bool ReadColourTable(std::span<const std::uint8_t> file, std::size_t tableAt, std::size_t entrySize,
                     std::size_t entries, DibInfo& info) {
    if (entries > info.colours.size() || tableAt > file.size() ||
        (file.size() - tableAt) / entrySize < entries) {
        return false;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = file.data() + tableAt + i * entrySize;
        info.colours[i] =
            (std::uint32_t{entry[2]} << 16) | (std::uint32_t{entry[1]} << 8) | entry[0];
    }
    return true;
}

} // namespace

CairoSurfaceHandle DecodeBmpFile(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeader + kCoreHeader || file[0] != 'B' || file[1] != 'M') {
        return nullptr;
    }
    const auto bitsAt = static_cast<std::uint32_t>(ReadInt32(file, 10));
    const auto headerSize = static_cast<std::uint32_t>(ReadInt32(file, 14));
    const bool core = headerSize == kCoreHeader;
    if (bitsAt > file.size() ||
        (!core && (headerSize < kInfoHeader || headerSize > file.size() - kFileHeader))) {
        return nullptr;
    }
    DibInfo info;
    std::size_t entries = 0;
    if (core) {
        // 16-bit unsigned sizes, rows always bottom-up, no compression.
        info.width = static_cast<std::uint16_t>(ReadInt16(file, 18));
        info.height = static_cast<std::uint16_t>(ReadInt16(file, 20));
        info.planes = static_cast<std::uint16_t>(ReadInt16(file, 22));
        info.bitCount = static_cast<std::uint16_t>(ReadInt16(file, 24));
        entries = info.bitCount <= 8 ? std::size_t{1} << info.bitCount : 0;
    } else {
        info.width = ReadInt32(file, 18);
        info.height = ReadInt32(file, 22);
        info.planes = static_cast<std::uint16_t>(ReadInt16(file, 26));
        info.bitCount = static_cast<std::uint16_t>(ReadInt16(file, 28));
        info.compression = static_cast<std::uint32_t>(ReadInt32(file, 30));
        info.clrUsed = static_cast<std::uint32_t>(ReadInt32(file, 46));
        if (info.bitCount <= 8) {
            entries = info.clrUsed == 0 ? std::size_t{1} << info.bitCount : info.clrUsed;
        }
    }
    if (info.compression == kDibBitFields) {
        // The three masks follow a 40-byte header, or are its next fields in a longer one:
        // in the file, the same place.
        constexpr std::size_t kMasksAt = kFileHeader + kInfoHeader;
        if (file.size() < kMasksAt + 12) {
            return nullptr;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            info.colours[i] = static_cast<std::uint32_t>(ReadInt32(file, kMasksAt + 4 * i));
        }
    } else if (!ReadColourTable(file, kFileHeader + headerSize, core ? 3 : 4, entries, info)) {
        return nullptr;
    }
    return DecodeDib(file.subspan(bitsAt), info);
}

CairoSurfaceHandle LoadBmpFile(const std::string& path) {
    // Four bytes a pixel at most, or about two in runs: anything larger is not a picture that
    // could be drawn.
    constexpr long kLargestFile = kLargestBitmapPixels * 4 + 4096;
    const std::unique_ptr<std::FILE, CloseFile> in(std::fopen(path.c_str(), "rb"));
    if (!in || std::fseek(in.get(), 0, SEEK_END) != 0) {
        return nullptr;
    }
    const long size = std::ftell(in.get());
    if (size < 0 || size > kLargestFile || std::fseek(in.get(), 0, SEEK_SET) != 0) {
        return nullptr;
    }
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    if (std::fread(file.data(), 1, file.size(), in.get()) != file.size()) {
        return nullptr;
    }
    return DecodeBmpFile(file);
}

} // namespace velk::cairo
