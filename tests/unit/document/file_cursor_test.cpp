// The cursor reads the file in growing blocks: what it hands out must be exactly what reading
// each field from the file gives, wherever a field falls against the blocks.
#include "document/file_cursor.h"

#include "base/little_endian.h"
#include "platform/memory_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file that counts its reads.
class CountingFile : public MemoryFile {
  public:
    using MemoryFile::MemoryFile;
    std::size_t reads = 0;
    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        ++reads;
        return MemoryFile::readAt(offset, out);
    }
};

// 600,000 bytes, none of them in step with a power of two.
Bytes Pattern() {
    Bytes bytes(600000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 131 + (i >> 9));
    }
    return bytes;
}

Bytes Direct(File& file, std::int64_t at, std::size_t count) {
    Bytes out(count);
    file.readAt(at, out);
    return out;
}

TEST(FileCursor, FieldsFromBeforeTheStartToPastTheEndAreTheFileBytes) {
    CountingFile file(Pattern(), false);
    // Six bytes a step from an offset no block end falls on: fields straddle every block end.
    FileCursor cursor(file, -3);
    std::size_t fields = 0;
    while (cursor.offset() < 600010) {
        const std::int64_t at = cursor.offset();
        ASSERT_EQ(cursor.int16(), ReadInt16(Direct(file, at, 2), 0)) << at;
        ASSERT_EQ(cursor.int32(), ReadInt32(Direct(file, at + 2, 4), 0)) << at;
        fields += 2;
    }
    EXPECT_EQ(cursor.pastEnd(), true);
    // A table of a hundred thousand fields costs a few reads, not one a field (the direct
    // reads above are counted too: two a step).
    EXPECT_LT(file.reads - fields, 20u);
}

TEST(FileCursor, TextsOfAnyLengthAreTheFileBytesOrEmpty) {
    MemoryFile file(Pattern(), false);
    const std::string whole(file.bytes().begin(), file.bytes().end());
    // lengths: read one after another
    const std::tuple<std::int64_t, std::vector<std::int32_t>, std::vector<bool>> cases[] = {
        // Longer than the largest block, then texts past the block the cursor had.
        {100, {300000, 5000, 7, 270000}, {false, false, false, false}},
        {4090, {3, 10, 8200}, {false, false, false}},
        // Running past the end, or starting before the start: empty, the cursor moves on.
        {599990, {10, 1}, {false, true}},
        {599990, {11, 0}, {true, true}},
        {-5, {10, 4}, {true, false}},
        {0, {-1, 2}, {true, false}},
    };
    for (const auto& [start, lengths, empty] : cases) {
        FileCursor cursor(file, start);
        std::int64_t at = start;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const std::string text = cursor.text(lengths[i]);
            const std::string expected = empty[i]
                                             ? std::string()
                                             : whole.substr(static_cast<std::size_t>(at),
                                                            static_cast<std::size_t>(lengths[i]));
            EXPECT_TRUE(text == expected) << start << " text " << i;
            at += std::max(lengths[i], 0);
            EXPECT_EQ(cursor.offset(), at) << start << " text " << i;
        }
    }
}

} // namespace
} // namespace velk
