// The Linux build's zlib stream: libdeflate compresses a whole buffer at once.
#include "zlib_stream.h"

#include <libdeflate.h>

#include "platform/posix/page_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

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
// libdeflate makes that one allocation through functions without a context, so the room that
// serves it is global; any other allocation goes to the heap.
constexpr std::size_t kCompressorRoom = std::size_t{768} << 10;

struct Room {
    std::uint8_t* start = nullptr;
    std::size_t size = 0;
    bool taken = false;
};
Room g_room;

void* RoomAllocate(std::size_t size) {
    if (!g_room.taken && size <= g_room.size) {
        g_room.taken = true;
        return g_room.start;
    }
    return std::malloc(size);
}

void RoomFree(void* memory) {
    if (memory != nullptr && memory == g_room.start) {
        g_room.taken = false;
        return;
    }
    std::free(memory);
}

// A compressor in `room`, which must outlive it.
class CompressorIn {
  public:
    explicit CompressorIn(std::span<std::uint8_t> room) {
        static const bool installed =
            (libdeflate_set_memory_allocator(RoomAllocate, RoomFree), true);
        static_cast<void>(installed);
        g_room = {room.data(), room.size(), false};
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

// The compressor's room, then the data, in at least the size that is mapped in huge pages:
// faulting in small pages costs more. Nothing when the size cannot be had. The memory is
// faulted in as it is touched: the indices of a page of few colours take a third of the room
// or less, and with the compressor before them they often fit the first huge page alone.
std::size_t MemoryFor(std::size_t totalBytes) {
    if (totalBytes > SIZE_MAX - kCompressorRoom) {
        return 0;
    }
    return std::max(totalBytes + kCompressorRoom, posix::PageMemory::kWorthIt);
}

} // namespace

struct ZlibStream::State {
    State(ByteSink& to, std::size_t capacity)
        : out(to), memory(MemoryFor(capacity), posix::PageMemory::kWorthIt, false) {
        // Room for data only where the memory also holds the compressor's room before it.
        const bool holds = memory.data() != nullptr && memory.size() >= kCompressorRoom &&
                           memory.size() - kCompressorRoom >= capacity;
        dataBytes = holds ? capacity : 0;
    }
    std::span<std::uint8_t> compressorRoom() const { return {memory.data(), kCompressorRoom}; }
    std::uint8_t* data() const { return memory.data() + kCompressorRoom; }
    ByteSink& out;
    posix::PageMemory memory;
    std::size_t dataBytes = 0;
};

ZlibStream::ZlibStream(ByteSink& out, std::size_t capacity)
    : state_(std::make_unique<State>(out, capacity)) {}

ZlibStream::~ZlibStream() = default;

std::span<std::uint8_t> ZlibStream::data() {
    if (state_->dataBytes == 0) {
        return {};
    }
    return {state_->data(), state_->dataBytes};
}

bool ZlibStream::finish(std::size_t size) {
    if (size > state_->dataBytes || state_->dataBytes == 0) {
        return false;
    }
    const CompressorIn compressor(state_->compressorRoom());
    if (compressor.get() == nullptr) {
        return false;
    }
    const std::span<const std::uint8_t> data(state_->data(), size);
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), data.size());
    // Left uninitialised, the room beyond what the compressed bytes fill is never touched.
    const auto compressed = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
    const std::size_t made = libdeflate_zlib_compress(compressor.get(), data.data(), data.size(),
                                                      compressed.get(), bound);
    if (made == 0) {
        return false;
    }
    state_->out.write({compressed.get(), made});
    return true;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running) {
    return libdeflate_crc32(running, data.data(), data.size());
}

} // namespace velk::cli
