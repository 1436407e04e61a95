#pragma once

#include "byte_sink.h"

#include <cstdint>
#include <memory>
#include <span>

namespace velk::cli {

// A zlib stream (deflate at a fast level, with its Adler-32) of data given in pieces, made by
// the deflate library of the build: libdeflate on Linux, zlib in the Windows build, where
// libdeflate is not packaged for mingw-w64. The compressed bytes go to `out`, some of them as
// the data comes or all of them at `finish`.
class ZlibStream {
  public:
    // `totalBytes`: how much data is coming, so that it can be kept without reallocating;
    // more makes `finish` fail.
    ZlibStream(ByteSink& out, std::size_t totalBytes);
    ~ZlibStream();
    ZlibStream(const ZlibStream&) = delete;
    ZlibStream& operator=(const ZlibStream&) = delete;

    void write(std::span<const std::uint8_t> data);
    // The rest of the stream; false when the library could not make it.
    bool finish();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// CRC-32 (ISO 3309, as PNG chunks carry it), going on from `running` over data in pieces.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running = 0);

} // namespace velk::cli
