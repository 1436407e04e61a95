// The Windows build's zlib stream: zlib itself (Debian's mingw-w64 build, linked statically).
#include "zlib_stream.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <array>
#include <new>

namespace velk::cli {

namespace {

// Levels 1 to 3 are zlib's fast matcher and took the same time on report pages; 3 made the
// smallest files of them. From level 4 on the time grows by half.
constexpr int kLevel = 3;

// zlib counts in 32-bit unsigned integers.
constexpr std::size_t kLargestPiece = std::size_t{1} << 30;

} // namespace

struct ZlibStream::State {
    State(ByteSink& sink, std::size_t capacity)
        : out(sink), room(new (std::nothrow) std::uint8_t[capacity]),
          roomBytes(room ? capacity : 0) {}

    ByteSink& out;
    std::unique_ptr<std::uint8_t[]> room;
    std::size_t roomBytes;
};

ZlibStream::ZlibStream(ByteSink& out, std::size_t capacity)
    : state_(std::make_unique<State>(out, capacity)) {}

ZlibStream::~ZlibStream() = default;

std::span<std::uint8_t> ZlibStream::data() {
    return {state_->room.get(), state_->roomBytes};
}

bool ZlibStream::finish(std::size_t size) {
    State& s = *state_;
    z_stream z{};
    if (size > s.roomBytes || s.room == nullptr || deflateInit(&z, kLevel) != Z_OK) {
        return false;
    }
    std::array<std::uint8_t, 64 * 1024> buffer{};
    std::span<const std::uint8_t> data(s.room.get(), size);
    int status = Z_OK;
    // Each call is given at most a piece of the data and the whole output buffer, whose
    // bytes then go on; the last piece finishes the stream.
    while (status == Z_OK) {
        if (z.avail_in == 0) {
            const std::size_t piece = std::min(data.size(), kLargestPiece);
            z.next_in = data.data();
            z.avail_in = static_cast<uInt>(piece);
            data = data.subspan(piece);
        }
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        status = deflate(&z, data.empty() ? Z_FINISH : Z_NO_FLUSH);
        const std::size_t made = buffer.size() - z.avail_out;
        if (made > 0) {
            s.out.write(std::span(buffer).first(made));
        }
    }
    deflateEnd(&z);
    return status == Z_STREAM_END;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running) {
    uLong crc = running;
    while (!data.empty()) {
        const std::size_t piece = std::min(data.size(), kLargestPiece);
        crc = crc32(crc, data.data(), static_cast<uInt>(piece));
        data = data.subspan(piece);
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace velk::cli
