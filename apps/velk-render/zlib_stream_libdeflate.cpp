// The Linux build's zlib stream: libdeflate compresses a whole buffer at once, so the data is
// gathered first.
#include "zlib_stream.h"

#include <libdeflate.h>

#include "platform/posix/page_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace velk::cli {

namespace {

// On report pages levels 2 to 4 took the same time and 4 made the smallest files; from level 5
// on the time grows faster than the files shrink. Level 1, a matcher of its own, runs fewer
// instructions but took a tenth more processor time on pages of more than 256 colours.
constexpr int kLevel = 4;

struct FreeCompressor {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// libdeflate's compressor, about 650 KiB at level 4 and written all over, comes from the
// stream's own memory, which is faulted in at once, rather than page by page from the heap.
// libdeflate asks for memory through functions without a context, so the room is global.
constexpr std::size_t kCompressorRoom = std::size_t{768} << 10;

struct Room {
    std::uintptr_t begin = 0;
    std::uintptr_t next = 0;
    std::uintptr_t end = 0;
};
Room g_room;

void* RoomAllocate(std::size_t size) {
    constexpr std::size_t kAlignment = 64;
    if (size <= g_room.end - g_room.next) {
        void* memory = reinterpret_cast<void*>(g_room.next);
        g_room.next +=
            std::min((size + kAlignment - 1) / kAlignment * kAlignment, g_room.end - g_room.next);
        return memory;
    }
    return std::malloc(size);
}

void RoomFree(void* memory) {
    const auto at = reinterpret_cast<std::uintptr_t>(memory);
    if (at < g_room.begin || at >= g_room.end) {
        std::free(memory);
    }
}

// A compressor in `room`, which must outlive it.
class CompressorIn {
  public:
    explicit CompressorIn(std::span<std::uint8_t> room) {
        static const bool installed =
            (libdeflate_set_memory_allocator(RoomAllocate, RoomFree), true);
        static_cast<void>(installed);
        const auto begin = reinterpret_cast<std::uintptr_t>(room.data());
        g_room = {begin, begin, begin + room.size()};
        compressor_.reset(libdeflate_alloc_compressor(kLevel));
    }
    ~CompressorIn() {
        compressor_.reset();
        g_room = {};
    }
    CompressorIn(const CompressorIn&) = delete;
    CompressorIn& operator=(const CompressorIn&) = delete;
    libdeflate_compressor* get() const { return compressor_.get(); }

  private:
    std::unique_ptr<libdeflate_compressor, FreeCompressor> compressor_;
};

} // namespace

struct ZlibStream::State {
    // At least the size that is mapped in huge pages: faulting in small pages costs more. No
    // memory, and room for no data, when the size cannot be had.
    State(ByteSink& to, std::size_t totalBytes)
        : out(to), dataBytes(totalBytes),
          memory(totalBytes > SIZE_MAX - kCompressorRoom
                     ? 0
                     : std::max(totalBytes + kCompressorRoom, posix::PageMemory::kWorthIt)) {
        if (memory.data() == nullptr) {
            dataBytes = 0;
        }
    }
    ByteSink& out;
    std::size_t dataBytes;
    // The data, then the compressor's room.
    posix::PageMemory memory;
    std::size_t used = 0;
    bool overflowed = false;
};

ZlibStream::ZlibStream(ByteSink& out, std::size_t totalBytes)
    : state_(std::make_unique<State>(out, totalBytes)) {}

ZlibStream::~ZlibStream() = default;

void ZlibStream::write(std::span<const std::uint8_t> data) {
    State& s = *state_;
    if (data.empty()) {
        return;
    }
    if (s.overflowed || s.dataBytes - s.used < data.size()) {
        s.overflowed = true;
        return;
    }
    std::memcpy(s.memory.data() + s.used, data.data(), data.size());
    s.used += data.size();
}

bool ZlibStream::finish() {
    if (state_->overflowed || state_->memory.data() == nullptr) {
        return false;
    }
    const CompressorIn compressor(
        std::span(state_->memory.data(), state_->memory.size()).subspan(state_->dataBytes));
    if (compressor.get() == nullptr) {
        return false;
    }
    const std::span<const std::uint8_t> data(state_->memory.data(), state_->used);
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), data.size());
    // Left uninitialised, the room beyond what the compressed bytes fill is never touched.
    const auto compressed = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
    const std::size_t size = libdeflate_zlib_compress(compressor.get(), data.data(), data.size(),
                                                      compressed.get(), bound);
    if (size == 0) {
        return false;
    }
    state_->out.write({compressed.get(), size});
    return true;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running) {
    return libdeflate_crc32(running, data.data(), data.size());
}

} // namespace velk::cli
