// Glyphs kept between runs: read back only whole and only for the libraries they were made
// with, forgotten when their font file changes, and painted from in the next run.
#ifndef _WIN32

#include "render/cairo/glyph_store.h"
#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace velk {
namespace {

using cairo::GlyphStore;
using cairo::StrikeKey;

constexpr std::string_view kIdentity = "cairo 1; freetype 2";
constexpr std::size_t kHeader = 14 + 8 + 4; // magic, identity, face count

const StrikeKey kKey{13, 0x10302, {4096, 1'700'000'000'123'456'789, 0, "/f.ttf"}};
const StrikeKey kOtherSize{16, 0x10302, {4096, 1'700'000'000'123'456'789, 0, "/f.ttf"}};

// One strike: "A" is glyph 36, 9 pixels on, with a coverage of 3 by 2; 0x81 has no glyph.
std::string OneStrike() {
    GlyphStore store;
    cairo::Strike& strike = *store.strike(kKey);
    strike.bytes['A'] = {true, true, 36, 9.0, 1};
    strike.bytes[0x81] = {true, false, 0, 0, 2};
    strike.coverages[36] = {0, -9, 3, 2, {0, 16, 255, 128, 239, 0}};
    return store.bytes(kIdentity);
}

TEST(GlyphStore, ReadsBackWhatItWrote) {
    GlyphStore store = GlyphStore::Read(OneStrike(), kIdentity);
    EXPECT_FALSE(store.changed());
    ASSERT_EQ(store.keys().size(), 1u);
    const cairo::Strike& strike = *store.strike(kKey);
    EXPECT_FALSE(store.changed());
    EXPECT_TRUE(strike.bytes['A'].known && strike.bytes['A'].usable);
    EXPECT_EQ(strike.bytes['A'].index, 36u);
    EXPECT_EQ(strike.bytes['A'].advance, 9.0);
    EXPECT_EQ(strike.bytes['A'].utf8Bytes, 1);
    EXPECT_TRUE(strike.bytes[0x81].known && !strike.bytes[0x81].usable);
    EXPECT_EQ(strike.bytes[0x81].utf8Bytes, 2); // U+0081 in UTF-8
    EXPECT_FALSE(strike.bytes['B'].known);
    ASSERT_EQ(strike.coverages.count(36), 1u);
    const cairo::GlyphCoverage& coverage = strike.coverages.at(36);
    EXPECT_EQ(std::tie(coverage.left, coverage.top, coverage.width, coverage.height),
              std::make_tuple(0, -9, 3, 2));
    EXPECT_EQ(coverage.levels, (std::vector<std::uint8_t>{0, 16, 255, 128, 239, 0}));
    // Written again unread or read, a strike is the same bytes.
    EXPECT_EQ(store.bytes(kIdentity), OneStrike());
    EXPECT_EQ(GlyphStore::Read(OneStrike(), kIdentity).bytes(kIdentity), OneStrike());

    EXPECT_TRUE(store.strike(kOtherSize)->coverages.empty());
    EXPECT_TRUE(store.changed());
    store.saved();
    EXPECT_FALSE(store.changed());
    store.strike(kKey)->grown = true;
    EXPECT_TRUE(store.changed());
}

// Byte offsets in OneStrike(): the header (with no faces), the key of a 6-byte path and the
// strike's length, the byte glyph of 0x41 and the coverage of glyph 36.
constexpr std::size_t kUsableAt = kHeader + 4 + 6 + 3 * 8 + 3 * 4 + 4 + 2 + 1;
constexpr std::size_t kAdvanceAt = kUsableAt + 1 + 4;
constexpr std::size_t kWidthAt = kAdvanceAt + 8 + 14 + 4 + 4 + 4 + 4;

TEST(GlyphStore, ReadsNothingFromBytesThatAreNotAWholeStore) {
    const std::string good = OneStrike();
    ASSERT_EQ(GlyphStore::Read(good, kIdentity).keys().size(), 1u);
    ASSERT_EQ(good.substr(kUsableAt - 1, 2), "A\x01");
    ASSERT_EQ(good.substr(kWidthAt, 4), std::string("\x03\0\x02\0", 4));
    const auto changed = [&good](std::size_t at, std::string_view bytes) {
        std::string damaged = good;
        damaged.replace(at, bytes.size(), bytes);
        return damaged;
    };
    EXPECT_TRUE(GlyphStore::Read(changed(0, "velk-glyphs 9"), kIdentity).keys().empty());
    EXPECT_TRUE(GlyphStore::Read(good, "cairo 1; freetype 3").keys().empty());
    EXPECT_TRUE(GlyphStore::Read(good + good.substr(kHeader), kIdentity).keys().empty())
        << "the same strike twice";
    EXPECT_TRUE(GlyphStore::Read(good + "x", kIdentity).keys().empty()) << "a byte too many";
    for (std::size_t length = 0; length < good.size(); ++length) {
        if (length != kHeader) { // the header alone is an empty store
            EXPECT_TRUE(GlyphStore::Read(good.substr(0, length), kIdentity).keys().empty())
                << length;
        }
    }
}

// A strike found damaged when it is read is empty, to be learnt and written again.
TEST(GlyphStore, ADamagedStrikeIsEmpty) {
    const std::string good = OneStrike();
    const auto changed = [&good](std::size_t at, std::string_view bytes) {
        std::string damaged = good;
        damaged.replace(at, bytes.size(), bytes);
        return damaged;
    };
    double nan = std::numeric_limits<double>::quiet_NaN();
    std::string nanBytes(sizeof nan, '\0');
    std::memcpy(nanBytes.data(), &nan, sizeof nan);
    const std::pair<const char*, std::string> cases[] = {
        {"usable neither 0 nor 1", changed(kUsableAt, std::string(1, '\x02'))},
        {"an advance that is no number", changed(kAdvanceAt, nanBytes)},
        {"no width with a height", changed(kWidthAt, std::string(2, '\0'))},
        {"levels beyond the strike", changed(kWidthAt, std::string("\x04", 1))},
    };
    for (const auto& [name, bytes] : cases) {
        GlyphStore store = GlyphStore::Read(bytes, kIdentity);
        ASSERT_EQ(store.keys().size(), 1u) << name;
        const cairo::Strike& strike = *store.strike(kKey);
        EXPECT_FALSE(strike.bytes['A'].known) << name;
        EXPECT_TRUE(strike.coverages.empty()) << name;
        EXPECT_TRUE(store.changed()) << name;
    }
}

// Every byte can be known; a strike is written only when the whole file stays within bounds.
TEST(GlyphStore, HoldsEveryByteAndStrikesThatFitTheFile) {
    GlyphStore every;
    for (int byte = 0; byte < 256; ++byte) {
        every.strike(kKey)->bytes[static_cast<std::size_t>(byte)] = {true, true, 3, 1.0, 1};
    }
    GlyphStore read = GlyphStore::Read(every.bytes(kIdentity), kIdentity);
    EXPECT_TRUE(read.strike(kKey)->bytes[255].known);
    EXPECT_FALSE(read.changed());

    // A strike whose path makes the file exactly as large as it may be, then a byte larger.
    const auto storeOf = [](const std::string& path) {
        GlyphStore store;
        StrikeKey key = kKey;
        key.file.path = path;
        store.strike(key)->coverages[1] = {0, 0, 4096, 1023,
                                           std::vector<std::uint8_t>(4096 * 1023)};
        return store;
    };
    const std::size_t unnamed = storeOf("").bytes(kIdentity).size();
    for (const std::size_t extra : {std::size_t{0}, std::size_t{1}}) {
        const std::string path(GlyphStore::kLargestFile - unnamed + extra, 'p');
        EXPECT_EQ(GlyphStore::Read(storeOf(path).bytes(kIdentity), kIdentity).keys().size(),
                  1 - extra)
            << extra;
    }
}

TEST(GlyphStore, KeepsTheNumbersOfFaces) {
    GlyphStore store;
    cairo::FaceMetrics metrics;
    metrics.unitsPerEm = 2048;
    metrics.winAscent = 1854;
    metrics.winDescent = 434;
    metrics.hheaDescender = -434;
    metrics.strikeoutSize = 102.5;
    metrics.gaspRanges = {{8, 2}, {16, 1}, {65535, 3}};
    store.addFace(kKey.file, metrics);
    EXPECT_TRUE(store.changed());
    const GlyphStore read = GlyphStore::Read(store.bytes(kIdentity), kIdentity);
    const cairo::FaceMetrics* face = read.face(kKey.file);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(std::tie(face->unitsPerEm, face->winAscent, face->winDescent, face->hheaDescender,
                       face->strikeoutSize, face->gaspRanges),
              std::tie(metrics.unitsPerEm, metrics.winAscent, metrics.winDescent,
                       metrics.hheaDescender, metrics.strikeoutSize, metrics.gaspRanges));
    EXPECT_EQ(read.face(kOtherSize.file), face);
    StrikeKey moved = kKey;
    moved.file.modified += 1;
    EXPECT_EQ(read.face(moved.file), nullptr);

    // A face of no em is no face: the whole store is refused.
    metrics.unitsPerEm = 0;
    GlyphStore bad;
    bad.addFace(kKey.file, metrics);
    EXPECT_EQ(GlyphStore::Read(bad.bytes(kIdentity), kIdentity).face(kKey.file), nullptr);
}

TEST(GlyphStore, KeepsOnlyTheStrikesOfFontFilesAsTheyWere) {
    GlyphStore store = GlyphStore::Read(OneStrike(), kIdentity);
    store.strike(kOtherSize);
    StrikeKey moved = kKey;
    moved.file.path = "/g.ttf";
    store.strike(moved);
    store.keep([](const cairo::FontFile& file) { return file.path == "/f.ttf"; });
    EXPECT_EQ(store.keys(), (std::vector<StrikeKey>{kKey, kOtherSize}));
}

// The Cairo surface's glyphs through a store file of its own.
class GlyphStoreFile : public testing::CacheHomeSuite {
  protected:
    std::filesystem::path file() const { return cacheFile("glyphs"); }

    static testing::InkBox Drawn(std::int32_t* inked = nullptr) {
        testing::CairoCanvas canvas(60, 40);
        canvas.selectFont(-24);
        canvas.surface().textOut(4, 4, "e");
        const testing::InkBox box = canvas.ink();
        if (inked != nullptr) {
            *inked = 0;
            for (std::int32_t y = box.top; y <= box.bottom; ++y) {
                for (std::int32_t x = box.left; x <= box.right; ++x) {
                    *inked += canvas.at(x, y) == testing::kBlack ? 1 : 0;
                }
            }
        }
        return box;
    }
};

TEST_F(GlyphStoreFile, TheNextRunPaintsFromTheFile) {
    std::int32_t black = 0;
    const testing::InkBox box = Drawn(&black);
    cairo::ReleaseFontCaches();
    std::ifstream in(file(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    GlyphStore store = GlyphStore::Read(bytes.str(), cairo::GlyphStoreIdentity());
    ASSERT_FALSE(store.keys().empty());

    // Every kept coverage made whole: the next run's "e" is a black box where it was drawn.
    for (const StrikeKey& key : store.keys()) {
        for (auto& [index, coverage] : store.strike(key)->coverages) {
            std::fill(coverage.levels.begin(), coverage.levels.end(), 255);
        }
    }
    std::ofstream(file(), std::ios::binary) << store.bytes(cairo::GlyphStoreIdentity());
    std::int32_t solid = 0;
    const testing::InkBox again = Drawn(&solid);
    EXPECT_EQ(std::tie(again.left, again.top, again.right, again.bottom),
              std::tie(box.left, box.top, box.right, box.bottom));
    EXPECT_LT(black, solid);
    EXPECT_EQ(solid, (box.right - box.left + 1) * (box.bottom - box.top + 1));
}

} // namespace
} // namespace velk

#endif
