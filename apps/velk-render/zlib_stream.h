#pragma once

#include "byte_sink.h"

#include <cstdint>
#include <memory>
#include <span>

namespace velk::cli {

// A zlib stream (deflate at a fast level, with its Adler-32) of data that is first put in room
// the stream holds, made by the deflate library of the build: libdeflate on Linux, zlib in the
// Windows build, where libdeflate is not packaged for mingw-w64. The compressed bytes go to
// `out` at `finish`.
class ZlibStream {
  public:
    // Room for up to `capacity` bytes of data.
    ZlibStream(ByteSink& out, std::size_t capacity);
    ~ZlibStream();
    ZlibStream(const ZlibStream&) = delete;
    ZlibStream& operator=(const ZlibStream&) = delete;

    // The room, as it was left: `capacity` bytes, or none when they could not be had.
    std::span<std::uint8_t> data();
    // The stream of the first `size` bytes of the room; false when the library could not make
    // it or `size` is more than the room.
    bool finish(std::size_t size);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// CRC-32 (ISO 3309, as PNG chunks carry it), going on from `running` over data in pieces.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running = 0);

} // namespace velk::cli
