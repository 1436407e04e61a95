// The Windows build's zlib stream: zlib itself (Debian's mingw-w64 build, linked statically),
// compressing as the data comes.
#include "zlib_stream.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <array>

namespace velk::cli {

namespace {

// Levels 1 to 3 are zlib's fast matcher and took the same time on report pages; 3 made the
// smallest files of them. From level 4 on the time grows by half.
constexpr int kLevel = 3;

// zlib counts in 32-bit unsigned integers.
constexpr std::size_t kLargestPiece = std::size_t{1} << 30;

} // namespace

struct ZlibStream::State {
    explicit State(ByteSink& sink) : out(sink) { ready = deflateInit(&z, kLevel) == Z_OK; }
    ~State() {
        if (ready) {
            deflateEnd(&z);
        }
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    // One call of deflate with the output buffer empty; whatever it made goes on. Its status.
    int deflateOnce(int flush) {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        const int status = deflate(&z, flush);
        const std::size_t made = buffer.size() - z.avail_out;
        if (made > 0) {
            out.write(std::span(buffer).first(made));
        }
        return status;
    }

    ByteSink& out;
    z_stream z{};
    bool ready = false;
    std::array<std::uint8_t, 64 * 1024> buffer{};
};

ZlibStream::ZlibStream(ByteSink& out, std::size_t) : state_(std::make_unique<State>(out)) {}

ZlibStream::~ZlibStream() = default;

void ZlibStream::write(std::span<const std::uint8_t> data) {
    State& s = *state_;
    while (s.ready && !data.empty()) {
        const std::size_t piece = std::min(data.size(), kLargestPiece);
        s.z.next_in = data.data();
        s.z.avail_in = static_cast<uInt>(piece);
        // Room left in the output buffer means that all of the input was taken.
        do {
            s.ready = s.deflateOnce(Z_NO_FLUSH) != Z_STREAM_ERROR;
        } while (s.ready && s.z.avail_out == 0);
        data = data.subspan(piece);
    }
}

bool ZlibStream::finish() {
    State& s = *state_;
    if (!s.ready) {
        return false;
    }
    int status = Z_OK;
    do {
        status = s.deflateOnce(Z_FINISH);
    } while (status == Z_OK);
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
