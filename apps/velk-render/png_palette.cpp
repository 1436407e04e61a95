#include "png_palette.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace velk::cli {

namespace {

// Above any 24-bit colour.
constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

} // namespace

Palette::Palette() {
    slots_.fill(kEmpty);
}

bool Palette::index(std::span<const std::uint32_t> pixels, std::span<std::uint8_t> indices) {
    // Neighbouring pixels are mostly the same colour: the paper's, or a line's.
    std::uint32_t last = kEmpty;
    std::uint8_t lastIndex = 0;
    for (std::size_t x = 0; x < indices.size(); ++x) {
#ifdef __SSE2__
        // Four pixels of the last colour at once.
        if (x + 4 <= indices.size()) {
            const __m128i four =
                _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels.data() + x)),
                              _mm_set1_epi32(0xFFFFFF));
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(four, _mm_set1_epi32(static_cast<int>(last)))) ==
                0xFFFF) {
                const std::uint32_t same = lastIndex * 0x01010101u;
                std::memcpy(indices.data() + x, &same, sizeof same);
                x += 3;
                continue;
            }
        }
#endif
        const std::uint32_t colour = pixels[x] & 0xFFFFFF;
        if (colour != last) {
            const std::optional<std::uint8_t> found = find(colour);
            if (!found) {
                return false;
            }
            last = colour;
            lastIndex = *found;
        }
        indices[x] = lastIndex;
    }
    return true;
}

int Palette::bitDepth() const {
    int depth = 1;
    while ((std::size_t{1} << depth) < colours_.size()) {
        depth *= 2;
    }
    return depth;
}

std::vector<std::uint8_t> Palette::entries() const {
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t colour : colours_) {
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(colour >> 16),
                      static_cast<std::uint8_t>(colour >> 8), static_cast<std::uint8_t>(colour)});
    }
    return bytes;
}

// Open addressing: sixteen slots for each colour a palette can hold keep the probes short.
std::optional<std::uint8_t> Palette::find(std::uint32_t colour) {
    for (std::size_t slot = (colour * 0x9E3779B1u) >> 20;; slot = (slot + 1) % kSlots) {
        if (slots_[slot] == colour) {
            return indices_[slot];
        }
        if (slots_[slot] == kEmpty) {
            if (colours_.size() == kLargest) {
                return std::nullopt;
            }
            slots_[slot] = colour;
            indices_[slot] = static_cast<std::uint8_t>(colours_.size());
            colours_.push_back(colour);
            return indices_[slot];
        }
    }
}

void PackIndices(const std::uint8_t* indices, std::size_t count, int depth, std::uint8_t* packed) {
    const auto perByte = static_cast<std::size_t>(8 / depth);
    for (std::size_t first = 0; first < count; first += perByte) {
        std::uint8_t byte = 0;
        for (std::size_t i = 0; i < perByte && first + i < count; ++i) {
            byte |= static_cast<std::uint8_t>(indices[first + i] << (8 - depth * (1 + i)));
        }
        packed[first / perByte] = byte;
    }
}

} // namespace velk::cli
