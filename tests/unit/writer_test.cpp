// The document writer is checked byte by byte against the format's layout, and then against the
// viewer's own reader: both are written separately, so a document that one writes and the
// other reads back intact shows that they agree.
#include "document/document.h"
#include "document/self_extract.h"
#include "platform/memory_file.h"
#include "support/memory_file_system.h"
#include "writer/bmp_encoder.h"
#include "writer/document_producer.h"
#include "writer/document_writer.h"
#include "writer/file_output.h"
#include "writer/page_builder.h"
#include "writer/scrambler.h"
#include "writer/self_extracting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian reads, kept apart from both the writer's and the reader's helpers.
std::int32_t At16(const Bytes& b, std::size_t offset) {
    return static_cast<std::int16_t>(b.at(offset) | (b.at(offset + 1) << 8));
}

std::int32_t At32(const Bytes& b, std::size_t offset) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b.at(offset)) |
                                     (static_cast<std::uint32_t>(b.at(offset + 1)) << 8) |
                                     (static_cast<std::uint32_t>(b.at(offset + 2)) << 16) |
                                     (static_cast<std::uint32_t>(b.at(offset + 3)) << 24));
}

std::string Chars(const Bytes& b, std::size_t offset, std::size_t count) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(offset),
                       b.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

Bytes Slice(const Bytes& b, std::size_t offset, std::size_t count) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(offset),
                 b.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

// A record appended to an otherwise empty page, without the page's 12-byte prefix.
Bytes Record(const std::function<void(vlkw::PageBuilder&)>& add) {
    vlkw::PageBuilder page;
    add(page);
    return Slice(page.bytes(), 12, page.size() - 12);
}

Bytes Header(const vlkw::HeaderFields& fields) {
    const auto bytes = vlkw::EncodeHeader(fields);
    return Bytes(bytes.begin(), bytes.end());
}

// ---------------------------------------------------------------------------------------------
// Header

TEST(WriterHeader, EveryFieldLandsAtItsOffset) {
    vlkw::HeaderFields f;
    f.deleteOnClose = 0x1114;
    f.selfExtractCopy = 0x1116;
    f.allowFax = 0x1120;
    f.allowMail = 0x1122;
    f.allowSave = 0x1124;
    f.initialZoom = 0x01020304;
    f.pageCount = -3;
    f.indexCount = 0x11440000;
    f.pageTablePos = 0x00011148;
    f.indexPos = 0x00011152;
    f.passwordLength = 0x1156;
    f.passwordAccepted = 0x1178;
    f.viewerOffset = 93184;
    for (int slot = 0; slot < 8; ++slot) {
        f.replacementTextPos[static_cast<std::size_t>(slot)] = 1000 + slot;
    }
    f.renderOptions = 2048;
    f.faxOptionsPos = 0x00022220;
    f.mailOptionsPos = 0x00022224;
    f.forwardedCopy = -1;
    f.producerWindow = 0x7ABCDEF0;
    const Bytes b = Header(f);

    ASSERT_EQ(b.size(), 260u);
    const struct {
        std::size_t offset;
        int width;
        std::int32_t expected;
    } fields[] = {
        {114, 2, 0x1114},     {116, 2, 0x1116},     {120, 2, 0x1120},     {122, 2, 0x1122},
        {124, 2, 0x1124},     {136, 4, 0x01020304}, {140, 4, -3},         {144, 4, 0x11440000},
        {148, 4, 0x00011148}, {152, 4, 0x00011152}, {156, 2, 0x1156},     {178, 2, 0x1178},
        {180, 4, 93184},      {184, 4, 1000},       {188, 4, 1001},       {212, 4, 1007},
        {216, 4, 2048},       {220, 4, 0x00022220}, {224, 4, 0x00022224}, {232, 4, -1},
        {236, 4, 0x7ABCDEF0},
    };
    for (const auto& field : fields) {
        const std::int32_t actual =
            field.width == 2 ? At16(b, field.offset) : At32(b, field.offset);
        EXPECT_EQ(actual, field.expected) << "offset " << field.offset;
    }
    // Little-endian: the low byte first.
    EXPECT_EQ(b[136], 0x04);
    EXPECT_EQ(b[139], 0x01);
}

TEST(WriterHeader, UninterpretedBytesAreThoseOfProducedFiles) {
    const Bytes b = Header({});
    EXPECT_EQ(Chars(b, 0, 4), "300A");
    EXPECT_EQ(Slice(b, 4, 6), (Bytes{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(Chars(b, 10, 100), std::string(100, ' '));
    const struct {
        std::size_t from;
        std::size_t to; // exclusive
        std::uint8_t value;
    } runs[] = {
        {110, 114, 0}, {118, 120, 0}, {126, 136, 0},   {158, 178, 0},
        {228, 232, 0}, {240, 244, 0}, {244, 260, ' '},
    };
    for (const auto& run : runs) {
        for (std::size_t i = run.from; i < run.to; ++i) {
            EXPECT_EQ(b[i], run.value) << "offset " << i;
        }
    }
}

TEST(WriterHeader, FixedTextsArePaddedOrCutToTheirWidth) {
    vlkw::HeaderFields f;
    f.title = std::string(120, 'T');
    f.magic = "30";
    const Bytes cut = Header(f);
    EXPECT_EQ(Chars(cut, 10, 100), std::string(100, 'T'));
    EXPECT_EQ(cut[110], 0); // the title does not run into the next field
    EXPECT_EQ(Chars(cut, 0, 4), "30  ");

    f.title = "  Report ";
    f.magic = "300A5";
    const Bytes padded = Header(f);
    EXPECT_EQ(Chars(padded, 10, 100), "  Report " + std::string(91, ' '));
    EXPECT_EQ(Chars(padded, 0, 4), "300A");
    EXPECT_EQ(padded[4], 1);
}

// ---------------------------------------------------------------------------------------------
// Page records

TEST(WriterPage, StartsWithNewPageAndItsSetup) {
    const vlkw::PageBuilder page({9, 1, 4, {0xA, 0xB, 0xC, 0xD}});
    EXPECT_EQ(page.bytes(), (Bytes{1, 0, 9, 0, 1, 0, 4, 0, 0xA, 0xB, 0xC, 0xD}));
    EXPECT_EQ(vlkw::PageBuilder().bytes(), (Bytes{1, 0, 1, 0, 0, 0, 7, 0, 0, 0, 0, 0}));
}

TEST(WriterPage, EachRecordHasItsCodeAndOperandSize) {
    const Bytes bmp(7, 0x42);
    const auto options = vlkw::MailOptions(1, 1, "a", "bb", "ccc", "dddd", "eeeee", "ffffff");
    const struct {
        const char* name;
        std::function<void(vlkw::PageBuilder&)> add;
        std::int16_t code;
        std::size_t operandBytes;
    } records[] = {
        // clang-format off
        {"NewPage",        [](auto& p) { p.newPage(); },                            1, 0},
        {"Text",           [](auto& p) { p.text(1, 2, 0, "abc"); },                 2, 12 + 3},
        {"AngleText",      [](auto& p) { p.angleText(1, 2, 90, "abcd"); },          3, 12 + 4},
        {"PageNumber",     [](auto& p) { p.pageNumber(1, 2, 1, 0); },               4, 12},
        {"Line",           [](auto& p) { p.line({1, 2, 3, 4}, 1, 0); },             5, 26},
        {"Box",            [](auto& p) { p.box({1, 2, 3, 4}, 1, 0, 0); },           6, 30},
        {"Font",           [](auto& p) { p.font(1, 10, 0, "Arial"); },              7, 12 + 5},
        {"BitmapFile",     [](auto& p) { p.bitmapFile({1, 2, 3, 4}, "a.bmp"); },    8, 18 + 5},
        {"EndOfDocument",  [](auto& p) { p.endOfDocument(); },                      9, 0},
        {"PageCount",      [](auto& p) { p.pageCount(1, 2, 2, 90); },               10, 12},
        {"ChangeWords",    [](auto& p) { p.changeWords(11, "xy"); },                11, 4 + 2},
        {"EmbeddedBitmap", [&](auto& p) { p.embeddedBitmap({1, 2, 3, 4}, bmp); },   12, 20 + 7},
        {"Skip20",         [](auto& p) { p.skip20(); },                             13, 20},
        {"OptionBlock 14", [&](auto& p) { p.optionBlock(14, options); },            14, 20 + 21},
        {"OptionBlock 15", [&](auto& p) { p.optionBlock(15, options); },            15, 20 + 21},
        {"ClipText",       [](auto& p) { p.clipText(1, 2, 3, 2, "q"); },            16, 16 + 1},
        {"code alone",     [](auto& p) { p.code(17); },                             17, 0},
        // clang-format on
    };
    for (const auto& r : records) {
        const Bytes b = Record(r.add);
        ASSERT_GE(b.size(), 2u) << r.name;
        EXPECT_EQ(At16(b, 0), r.code) << r.name;
        EXPECT_EQ(b.size(), 2 + r.operandBytes) << r.name;
    }
    EXPECT_EQ(Record([](auto& p) { p.raw(Bytes{5, 6, 7}); }), (Bytes{5, 6, 7}));
}

// IEEE single-precision bit patterns: 1.0 = 3F800000, 2.5 = 40200000, 7.5 = 40F00000,
// 0.75 = 3F400000, -1.0 = BF800000.
TEST(WriterPage, OperandsSitAtTheirOffsets) {
    const Bytes box = Record([](auto& p) {
        p.box({1.0f, 2.5f, 7.5f, 0.75f}, -1.0f, 0x00C0C0C0, 0x000000FF, 0x1234);
    });
    EXPECT_EQ(At32(box, 2), 0x3F800000);
    EXPECT_EQ(At32(box, 6), 0x40200000);
    EXPECT_EQ(At32(box, 10), 0x40F00000);
    EXPECT_EQ(At32(box, 14), 0x3F400000);
    EXPECT_EQ(static_cast<std::uint32_t>(At32(box, 18)), 0xBF800000u); // border width
    EXPECT_EQ(At16(box, 22), 0x1234);                                  // reserved
    EXPECT_EQ(At32(box, 24), 0x00C0C0C0);                              // fill
    EXPECT_EQ(At32(box, 28), 0x000000FF);                              // border

    const Bytes line = Record([](auto& p) { p.line({1, 1, 7.5f, 1}, 2.5f, vlkw::Rgb(1, 2, 3)); });
    EXPECT_EQ(At32(line, 18), 0x40200000); // width
    EXPECT_EQ(At32(line, 24), 0x00030201); // colour after the reserved INTEGER

    const Bytes font = Record([](auto& p) { p.font(13, 2.5f, 0x00112233, "Arial"); });
    EXPECT_EQ(At16(font, 2), 13);
    EXPECT_EQ(At32(font, 4), 0x40200000);
    EXPECT_EQ(At32(font, 8), 0x00112233);
    EXPECT_EQ(At16(font, 12), 5);
    EXPECT_EQ(Chars(font, 14, 5), "Arial");

    const Bytes clip = Record([](auto& p) { p.clipText(1, 1, 2.5f, 2, "abc"); });
    EXPECT_EQ(At32(clip, 10), 0x40200000); // column width
    EXPECT_EQ(At16(clip, 14), 2);
    EXPECT_EQ(At16(clip, 16), 3);
    EXPECT_EQ(Chars(clip, 18, 3), "abc");

    const Bytes number = Record([](auto& p) { p.pageNumber(1, 1, 1, -90); });
    EXPECT_EQ(At16(number, 10), 1);
    EXPECT_EQ(At16(number, 12), -90);

    const Bytes embedded = Record([](auto& p) { p.embeddedBitmap({1, 1, 2, 2}, Bytes{9, 8, 7}); });
    EXPECT_EQ(At32(embedded, 18), 3);
    EXPECT_EQ(Slice(embedded, 22, 3), (Bytes{9, 8, 7}));

    const Bytes words = Record([](auto& p) { p.changeWords(23, "Nein"); });
    EXPECT_EQ(words, (Bytes{11, 0, 23, 0, 4, 0, 'N', 'e', 'i', 'n'}));
}

TEST(WriterPage, OptionBlockPutsAllLengthsBeforeTheTexts) {
    const auto fax = vlkw::FaxOptions(-1, "pro", "", "A;B", "Subject", "n");
    const Bytes b = Record([&](auto& p) { p.optionBlock(15, fax); });
    EXPECT_EQ(At32(b, 2), -1);
    EXPECT_EQ(At32(b, 6), 0); // a fax block never asks for a viewer attachment
    const std::int32_t lengths[] = {3, 0, 3, 0, 7, 1};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(At16(b, 10 + 2 * i), lengths[i]) << "length " << i + 1;
    }
    EXPECT_EQ(Chars(b, 22, b.size() - 22), "proA;BSubjectn");
}

TEST(WriterPage, TextLongerThanAnInt16CountsIsCut) {
    const Bytes b = Record([](auto& p) { p.text(0, 0, 0, std::string(40000, 'x')); });
    EXPECT_EQ(At16(b, 12), 32767);
    EXPECT_EQ(b.size(), 2u + 12u + 32767u);
}

// ---------------------------------------------------------------------------------------------
// Document layout

vlkw::DocumentDescription TwoPages() {
    vlkw::DocumentDescription d;
    d.pages.push_back(vlkw::PageBuilder().text(1, 1, 0, "Hello").bytes());   // 12 + 19 = 31
    d.pages.push_back(vlkw::PageBuilder().line({1, 1, 2, 2}, 1, 0).bytes()); // 12 + 28 = 40
    d.index = {{1, "One"}, {2, "Two pages"}};                                // 7 + 13 = 20
    return d;
}

TEST(WriterDocument, PositionsCountFromOne) {
    const Bytes b = vlkw::WriteDocument(TwoPages());
    // Page 1 at 261 (header bytes 1..260); page 2 at 261 + 31 = 292; EndOfDocument at
    // 292 + 40 = 332; index at 334; page table at 334 + 20 = 354; file 353 + 2 * 4 = 361 bytes.
    ASSERT_EQ(b.size(), 361u);
    EXPECT_EQ(At32(b, 140), 2);
    EXPECT_EQ(At32(b, 148), 354);
    EXPECT_EQ(At32(b, 152), 334);
    EXPECT_EQ(At32(b, 144), 2);
    EXPECT_EQ(At32(b, 353), 261);
    EXPECT_EQ(At32(b, 357), 292);
    EXPECT_EQ(At16(b, 260), 1); // position 261 is file offset 260
    EXPECT_EQ(At16(b, 291), 1);
    EXPECT_EQ(At16(b, 331), 9);
    EXPECT_EQ(At16(b, 333), 1);
    EXPECT_EQ(At16(b, 335), 3);
    EXPECT_EQ(Chars(b, 337, 3), "One");
    EXPECT_EQ(At16(b, 340), 2);
    EXPECT_EQ(Chars(b, 344, 9), "Two pages");
}

TEST(WriterDocument, OptionAndReplacementRecordsFollowPageOneSetup) {
    vlkw::DocumentDescription d = TwoPages();
    d.mailOptions = vlkw::MailOptions(1, 0, "p", "pw", "Ann;Bo", "a@x;b@y", "Subj", "Note!");
    d.faxOptions = vlkw::FaxOptions(0, "", "", "F1;F2", "S", "");
    d.replacementTexts[0] = "Kennwort";
    d.replacementTexts[7] = "Breite";
    const vlkw::WrittenDocument w = vlkw::ComposeDocument(d);
    const Bytes& b = w.bytes;

    // Mail at 261 + 12 = 273, 2 + 20 + (1+2+6+7+4+5) = 47 bytes; fax at 320, 2 + 20 + 6 = 28
    // bytes; slot 1 at 348, 6 + 8 = 14 bytes; slot 8 at 362, 6 + 6 = 12 bytes; page 1's own
    // Text record at 374; page 1 is 31 + 101 = 132 bytes, so page 2 starts at 393.
    EXPECT_EQ(At32(b, 224), 273);
    EXPECT_EQ(At32(b, 220), 320);
    EXPECT_EQ(At32(b, 184), 348);
    EXPECT_EQ(At32(b, 212), 362);
    for (std::size_t slot = 1; slot < 7; ++slot) {
        EXPECT_EQ(At32(b, 184 + 4 * slot), 0) << "slot " << slot + 1;
    }
    EXPECT_EQ(At16(b, 272), 14);
    EXPECT_EQ(At16(b, 319), 15);
    EXPECT_EQ(Slice(b, 347, 6), (Bytes{11, 0, 20, 0, 8, 0}));
    EXPECT_EQ(Slice(b, 361, 6), (Bytes{11, 0, 12, 0, 6, 0}));
    EXPECT_EQ(At16(b, 373), 2);
    EXPECT_EQ(w.pagePositions, (std::vector<std::int32_t>{261, 393}));
    EXPECT_EQ(At16(b, 392), 1);
}

TEST(WriterDocument, NoPagesStillEndsWithEndRecordIndexAndEmptyTable) {
    vlkw::DocumentDescription d;
    d.index = {{1, "Only"}};
    d.mailOptions = vlkw::MailOptions(0, 0, "", "", "", "", "", "");
    const Bytes b = vlkw::WriteDocument(d);
    // Mail block at 261 (22 bytes), EndOfDocument at 283, index at 285 (8 bytes), table at 293.
    ASSERT_EQ(b.size(), 292u);
    EXPECT_EQ(At32(b, 140), 0);
    EXPECT_EQ(At32(b, 224), 261);
    EXPECT_EQ(At16(b, 282), 9);
    EXPECT_EQ(At32(b, 152), 285);
    EXPECT_EQ(At32(b, 148), 293);
}

// Scrambled forms: the password XOR its own key bytes (worked out in WriterScrambler below).
TEST(WriterDocument, PasswordIsStoredAsLengthAndScrambledForm) {
    const struct {
        std::string password;
        std::int16_t length;
        Bytes stored;
    } cases[] = {
        {"", 0, {}},
        // v e l k = 76 65 6C 6B hex; key bytes 84 04 2E CD hex:
        // 76^84 = F2, 65^04 = 61, 6C^2E = 42, 6B^CD = A6.
        {"velk", 4, {0xF2, 0x61, 0x42, 0xA6}},
        // '1'..'8' = 31..38 hex; key bytes 70 80 1B 40 48 1B 70 80 hex:
        // 31^70 = 41, 32^80 = B2, 33^1B = 28, 34^40 = 74, 35^48 = 7D, 36^1B = 2D, 37^70 = 47,
        // 38^80 = B8.
        {"12345678", 8, {0x41, 0xB2, 0x28, 0x74, 0x7D, 0x2D, 0x47, 0xB8}},
    };
    for (const auto& c : cases) {
        vlkw::DocumentDescription d;
        d.password = c.password;
        const Bytes b = vlkw::WriteDocument(d);
        EXPECT_EQ(At16(b, 156), c.length) << c.password;
        Bytes expected = c.stored;
        expected.resize(20, 0);
        EXPECT_EQ(Slice(b, 158, 20), expected) << c.password;
        EXPECT_EQ(At16(b, 178), 0);
    }
    vlkw::DocumentDescription longer;
    longer.password = std::string(21, 'z');
    EXPECT_EQ(At16(vlkw::WriteDocument(longer), 156), 20);
}

TEST(WriterDocument, OverridesReachTheFinishedBytes) {
    vlkw::DocumentDescription d = TwoPages();
    d.overrides.header = [](vlkw::HeaderFields& f) {
        f.magic = "300a";
        f.pageCount = -2;
        f.indexPos = 99999;
    };
    d.overrides.pageTable = [](std::vector<std::int32_t>& table) {
        std::swap(table.front(), table.back());
    };
    d.overrides.headerBytes = [](std::span<std::uint8_t, 260> h) { h[259] = 'X'; };
    const vlkw::WrittenDocument w = vlkw::ComposeDocument(d);
    EXPECT_EQ(Chars(w.bytes, 0, 4), "300a");
    EXPECT_EQ(At32(w.bytes, 140), -2);
    EXPECT_EQ(At32(w.bytes, 152), 99999);
    EXPECT_EQ(w.bytes[259], 'X');
    EXPECT_EQ(At32(w.bytes, 353), 292);
    EXPECT_EQ(At32(w.bytes, 357), 261);
    EXPECT_EQ(w.header.pageCount, -2);
}

// ---------------------------------------------------------------------------------------------
// Scrambler

TEST(WriterScrambler, DigitsOfDropsTheFirstThreeDigitsOfLongerNumbers) {
    const struct {
        std::string text;
        std::int64_t n;
        std::string digits;
    } cases[] = {
        {"", 0, "1"},           // the empty product is 1
        {"\x09\x09", 0, "110"}, // (1+9)(2+9) = 110: three digits stay
        {"\x09\x09", 890, "0"}, // 110 + 890 = 1000: "100" goes, "0" stays
        {"\xff", 0, "256"},     // codes are unsigned: 1 + 255
        // (1+16)(2+32)(3+48)(4+64)(5+80)(6+96)(7+112) = 17*34 = 578, *51 = 29478,
        // *68 = 2004504, *85 = 170382840, *102 = 17379049680, *119 = 2068106911920;
        // + 7 = 2068106911927, beyond 32 bits.
        {"\x10\x20\x30\x40\x50\x60\x70", 7, "8106911927"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vlkw::DigitsOf(c.text, c.n), c.digits) << c.n;
    }
}

TEST(WriterScrambler, KeyBytesMatchHandComputedVectors) {
    const struct {
        std::string key;
        std::size_t n;
        std::string digits;
        Bytes keyBytes;
    } cases[] = {
        // "velk", n = 4: k = 4, no full group, rest of 4, passes = 4 div 4 + 1 = 2.
        // Pass 1: 257 mod (118+1) = 19, 257 mod 102 = 53, 257 mod 109 = 39, 257 mod 108 = 41;
        //   (1+19)(2+53)(3+39)(4+41) = 20*55*42*45 = 2079000; + 4 = 2079004 -> "9004".
        // Pass 2: 20, 54, 40, 42; 21*56*43*46 = 2326128; + 4 = 2326132 -> "6132".
        // D = "90046132", L = 8, p runs 1..4 (never above L - 3 = 5):
        //   900 mod 256 = 132, 004 = 4, 046 = 46, 461 mod 256 = 205.
        {"velk", 4, "90046132", {132, 4, 46, 205}},
        // "12345678", n = 8: one group of seven and a rest of one; passes = 8 div 8 + 1 = 2.
        // Pass 1, group "1234567" (codes 49..55): 257 mod 50..56 = 7, 2, 49, 45, 41, 37, 33;
        //   (1+7)(2+2)(3+49)(4+45)(5+41)(6+37)(7+33) = 8*4*52*49*46*43*40 = 6451128320;
        //   + 8 = 6451128328 -> "1128328".
        // Rest "8" (56): 257 mod 57 = 29; (1+29) + 8 = 38 -> "38", too short to lose digits.
        // D = "112832838" has 9 > 8 characters: no second pass. L - 3 = 6, so p goes
        //   1..6 and then starts again at 1: 112, 128, 283 -> 27, 832 -> 64, 328 -> 72,
        //   283 -> 27, 112, 128.
        {"12345678", 8, "112832838", {112, 128, 27, 64, 72, 27, 112, 128}},
        // "neon", n = 5 > k = 4: passes = 5 div 4 + 1 = 2.
        // Pass 1: 257 mod 111 = 35, 257 mod 102 = 53, 257 mod 112 = 33, 35;
        //   36*55*36*39 = 2779920; + 5 = 2779925 -> "9925".
        // Pass 2: 36, 54, 34, 36; 37*56*37*40 = 3066560; + 5 = 3066565 -> "6565".
        // D = "99256565", L - 3 = 5: 992 -> 224, 925 -> 157, 256 -> 0, replaced by
        //   256 mod (p + i) = 256 mod 6 = 4; 565 -> 53, 656 -> 144.
        {"neon", 5, "99256565", {224, 157, 4, 53, 144}},
        // "ab", n = 5: passes = 5 div 2 + 1 = 3, and all three run because D stays short.
        // 62*61 + 5 = 3787 -> "7"; 63*62 + 5 = 3911 -> "1"; 64*63 + 5 = 4037 -> "7".
        // D = "717", L - 3 = 0, so p is always 1: 717 mod 256 = 205 for every byte.
        {"ab", 5, "717", {205, 205, 205, 205, 205}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vlkw::KeyDigits(c.key, c.n), c.digits) << c.key;
        EXPECT_EQ(vlkw::KeyBytes(c.key, c.n), c.keyBytes) << c.key;
    }
}

TEST(WriterScrambler, ScramblingTwiceGivesTheDataBack) {
    const Bytes data = {'N', 'o', 'r', 't', 'h', 'w', 'i', 'n', 'd', '!'};
    const Bytes once = vlkw::Scramble(data, "lamp");
    EXPECT_NE(once, data);
    EXPECT_EQ(vlkw::Scramble(once, "lamp"), data);
}

// ---------------------------------------------------------------------------------------------
// Read back by the viewer

struct Opened {
    velk::testing::MemoryFileSystem files;
    velk::Document document;
};

void Open(Opened& o, const Bytes& bytes, std::int32_t base = 0) {
    o.files.add("C:\\doc.vlk", bytes);
    ASSERT_TRUE(o.document.open(o.files, "C:\\doc.vlk", base));
}

vlkw::DocumentDescription FullDocument() {
    vlkw::DocumentDescription d;
    d.title = "Round trip";
    d.allowFax = vlkw::kFaxAllowed;
    d.allowSave = vlkw::kSaveAllowed;
    d.deleteOnClose = 1;
    d.initialZoom = vlkw::kZoom125;
    d.renderOptions = 2048;
    d.producerWindow = 0x00012345;
    d.pages.push_back(vlkw::PageBuilder().font(1, 12, 0, "Arial").text(1, 1, 3, "12.50").bytes());
    d.pages.push_back(vlkw::PageBuilder({vlkw::kPaperA4, vlkw::kLandscape, 2, {}})
                          .clipText(1, 2, 3, 2, "clipped")
                          .bytes());
    d.pages.push_back(vlkw::PageBuilder().pageNumber(4, 10, 1).pageCount(4.5f, 10, 0).bytes());
    d.index = {{1, "Start"}, {3, std::string(120, 'i')}, {3, "Also three"}};
    d.mailOptions = vlkw::MailOptions(1, 1, "Profile", "secret", "Ann;Bo",
                                      "a@x.example;b@y.example", "Report", "See attached.");
    d.faxOptions = vlkw::FaxOptions(1, "FaxProfile", "", "Office;Depot", "Fax subject", "Fax note");
    const char* texts[] = {"Passwort", "Bitte Passwort", "Falsch",      "Falsch!",
                           "&Ja",      "&Nein",          "Ganze Seite", "Ganze Breite"};
    for (std::size_t slot = 0; slot < 8; ++slot) {
        d.replacementTexts[slot] = texts[slot];
    }
    return d;
}

TEST(WriterRoundTrip, ViewerReadsBackHeaderPagesIndexAndOptions) {
    const vlkw::DocumentDescription d = FullDocument();
    const vlkw::WrittenDocument w = vlkw::ComposeDocument(d);
    Opened o;
    Open(o, w.bytes);
    velk::Document& doc = o.document;
    ASSERT_TRUE(doc.readHeader());
    EXPECT_EQ(doc.header.title, "Round trip" + std::string(90, ' '));
    EXPECT_EQ(doc.header.allowFax, 2);
    EXPECT_EQ(doc.header.allowMail, 0);
    EXPECT_EQ(doc.header.allowSave, 8);
    EXPECT_EQ(doc.header.deleteOnClose, 1);
    EXPECT_EQ(doc.header.initialZoom, 1024);
    EXPECT_EQ(doc.header.renderOptions, 2048);
    EXPECT_EQ(doc.header.producerWindow, 0x00012345);
    EXPECT_EQ(doc.header.pageCount, 3);

    doc.loadPageTable(false);
    doc.loadIndex(false);
    doc.readOptionRecords();
    ASSERT_EQ(doc.pageTable, w.pagePositions);

    // Page 1 gained the option blocks and replacement texts; page 2 is as built; page 3 runs
    // on over EndOfDocument and the index up to the page table.
    doc.loadPage(1);
    const std::size_t ownRecords = d.pages[0].size() - 12;
    ASSERT_EQ(doc.loadedPage.size(),
              static_cast<std::size_t>(w.pagePositions[1] - w.pagePositions[0]));
    EXPECT_EQ(Slice(doc.loadedPage, 0, 12), Slice(d.pages[0], 0, 12));
    EXPECT_EQ(Slice(doc.loadedPage, doc.loadedPage.size() - ownRecords, ownRecords),
              Slice(d.pages[0], 12, ownRecords));
    doc.loadPage(2);
    EXPECT_EQ(doc.loadedPage, d.pages[1]);
    doc.loadPage(3);
    ASSERT_GT(doc.loadedPage.size(), d.pages[2].size() + 2);
    EXPECT_EQ(Slice(doc.loadedPage, 0, d.pages[2].size()), d.pages[2]);
    EXPECT_EQ(At16(doc.loadedPage, d.pages[2].size()), 9);

    ASSERT_EQ(doc.index.size(), 3u);
    EXPECT_EQ(doc.index[0].page, 1);
    EXPECT_EQ(doc.index[0].caption, "Start" + std::string(95, ' '));
    EXPECT_EQ(doc.index[1].page, 3);
    EXPECT_EQ(doc.index[1].caption, std::string(100, 'i'));
    EXPECT_EQ(doc.index[2].page, 3);

    EXPECT_EQ(doc.header.allowMail, 1); // set by the mail block's presence
    EXPECT_EQ(doc.mailOptions.showDialog, 1);
    EXPECT_EQ(doc.mailOptions.attachAsViewer, 1);
    EXPECT_EQ(doc.mailOptions.logonProfile, "Profile");
    EXPECT_EQ(doc.mailOptions.logonPassword, "secret");
    EXPECT_EQ(doc.mailOptions.recipientNames, "Ann;Bo");
    EXPECT_EQ(doc.mailOptions.recipientAddresses, "a@x.example;b@y.example");
    EXPECT_EQ(doc.mailOptions.subject, "Report");
    EXPECT_EQ(doc.mailOptions.note, "See attached.");
    EXPECT_EQ(doc.faxOptions.logonProfile, "FaxProfile");
    EXPECT_EQ(doc.faxOptions.recipients, "Office;Depot");
    EXPECT_EQ(doc.faxOptions.subject, "Fax subject");
    EXPECT_EQ(doc.faxOptions.note, "Fax note");

    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(doc.readReplacementText(slot), d.replacementTexts[static_cast<std::size_t>(slot)])
            << "slot " << slot + 1;
    }
}

// ---------------------------------------------------------------------------------------------
// Self-extracting viewer

TEST(WriterSelfExtracting, StubDocumentOffsetAndMark) {
    const Bytes stub(1000, 'M');
    const Bytes document = vlkw::WriteDocument(FullDocument());
    const Bytes b = vlkw::WriteSelfExtracting(stub, document);

    ASSERT_EQ(b.size(), 1000 + document.size() + 21);
    EXPECT_EQ(Slice(b, 0, 1000), stub);
    EXPECT_EQ(At32(b, b.size() - 21), 1000);
    EXPECT_EQ(Chars(b, b.size() - 17, 17), "VELK_SELF_EXTRACT");
    EXPECT_EQ(At16(b, 1000 + 116), 1);
    EXPECT_EQ(At32(b, 1000 + 180), 1000);
    // Nothing else of the document changes.
    Bytes carried = Slice(b, 1000, document.size());
    Bytes original = document;
    for (const std::size_t at : {116, 117, 180, 181, 182, 183}) {
        carried[at] = original[at] = 0;
    }
    EXPECT_EQ(carried, original);
}

// ---------------------------------------------------------------------------------------------
// Producer mode

class WriterProducer : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("vlkw_producer_") + info->name() + ".vlk");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    Bytes fileBytes() const { return vlkw::ReadBytesFromFile(path_).value_or(Bytes{}); }

    std::filesystem::path path_;
};

TEST_F(WriterProducer, HeaderAfterEachPagePointsPastWhatIsWritten) {
    vlkw::DocumentDescription d = TwoPages();
    d.pages.push_back(vlkw::PageBuilder({vlkw::kPaperA4}).text(2, 2, 1, "third").bytes());
    d.producerWindow = 0x0000ABCD;
    d.mailOptions = vlkw::MailOptions(0, 0, "", "", "", "", "", ""); // 22 bytes in page 1

    vlkw::DocumentProducer producer(path_, d);
    ASSERT_TRUE(producer.ok());
    Bytes b = fileBytes();
    ASSERT_EQ(b.size(), 260u);
    EXPECT_EQ(At32(b, 140), 0);
    EXPECT_EQ(At32(b, 148), 261);
    EXPECT_EQ(At32(b, 236), 0x0000ABCD);

    // Page 1: 31 + 22 = 53 bytes at 261; page 2: 40 bytes at 314; page 3 at 354.
    const std::int32_t expectedPositions[] = {261, 314, 354};
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(producer.addPage(d.pages[p]), expectedPositions[p]) << "page " << p + 1;
        b = fileBytes();
        EXPECT_EQ(At32(b, 140), static_cast<std::int32_t>(p + 1));
        EXPECT_EQ(At32(b, 148), static_cast<std::int32_t>(b.size()) + 1) << "page " << p + 1;
    }
    EXPECT_EQ(At32(b, 224), 273);

    ASSERT_TRUE(producer.finish());
    EXPECT_EQ(producer.addPage(d.pages[0]), 0);
    // Written page by page or in one piece, the document is the same.
    EXPECT_EQ(fileBytes(), vlkw::WriteDocument(d));
}

TEST_F(WriterProducer, ViewerFollowingTheBuildReadsEachAnnouncedPageWhole) {
    const vlkw::DocumentDescription d = TwoPages();
    vlkw::DocumentProducer producer(path_, d);
    ASSERT_TRUE(producer.ok());
    std::vector<std::int32_t> announced;
    for (std::size_t p = 0; p < d.pages.size(); ++p) {
        announced.push_back(producer.addPage(d.pages[p]));
        // The viewer re-reads the header and takes the positions from the announcements.
        Opened o;
        Open(o, fileBytes());
        ASSERT_TRUE(o.document.readHeader());
        o.document.loadPageTable(true);
        for (const std::int32_t position : announced) {
            o.document.appendPage(position);
        }
        o.document.loadPage(static_cast<std::int32_t>(p + 1));
        EXPECT_EQ(o.document.loadedPage, d.pages[p]) << "page " << p + 1;
    }
}

TEST_F(WriterProducer, UnwritableFileFailsWithoutPositions) {
    vlkw::DocumentProducer producer(path_ / "no" / "such" / "dir.vlk", TwoPages());
    EXPECT_FALSE(producer.ok());
    EXPECT_EQ(producer.addPage(TwoPages().pages[0]), 0);
    EXPECT_FALSE(producer.finish());
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

TEST(WriterBmp, RowsArePaddedToFourBytesAfterTheirHeaders) {
    const Bytes pixels24x3 = vlkw::EncodeBmp24({3, 2, {}});
    const Bytes pixels24x4 = vlkw::EncodeBmp24({4, 1, {}});
    const Bytes indexed3 = vlkw::EncodeBmp8({3, 2, {{0, 0, 0}, {255, 255, 255}}, {}});
    const Bytes indexed5 = vlkw::EncodeBmp8({5, 1, std::vector<vlkw::Colour>(256), {}});
    const struct {
        const char* name;
        const Bytes& bmp;
        std::int32_t width, height, bits, paletteEntries, pixelOffset, rowSize;
    } cases[] = {
        // 3 * 3 = 9 bytes a row, padded to 12; pixels right after the 14 + 40 header bytes.
        {"24-bit, 3 wide", pixels24x3, 3, 2, 24, 0, 54, 12},
        {"24-bit, 4 wide", pixels24x4, 4, 1, 24, 0, 54, 12},
        // Two palette entries of 4 bytes: pixels at 62; 3 bytes a row, padded to 4.
        {"8-bit, 3 wide", indexed3, 3, 2, 8, 2, 62, 4},
        {"8-bit, 5 wide", indexed5, 5, 1, 8, 256, 54 + 1024, 8},
    };
    for (const auto& c : cases) {
        const std::int32_t size = c.pixelOffset + c.rowSize * c.height;
        ASSERT_EQ(c.bmp.size(), static_cast<std::size_t>(size)) << c.name;
        EXPECT_EQ(Chars(c.bmp, 0, 2), "BM") << c.name;
        EXPECT_EQ(At32(c.bmp, 2), size) << c.name;
        EXPECT_EQ(At32(c.bmp, 10), c.pixelOffset) << c.name;
        EXPECT_EQ(At32(c.bmp, 14), 40) << c.name;
        EXPECT_EQ(At32(c.bmp, 18), c.width) << c.name;
        EXPECT_EQ(At32(c.bmp, 22), c.height) << c.name;
        EXPECT_EQ(At16(c.bmp, 26), 1) << c.name;
        EXPECT_EQ(At16(c.bmp, 28), c.bits) << c.name;
        EXPECT_EQ(At32(c.bmp, 30), 0) << c.name;
        EXPECT_EQ(At32(c.bmp, 46), c.paletteEntries) << c.name;
    }
}

TEST(WriterBmp, BottomRowComesFirstAndColoursAreBlueGreenRed) {
    // Top row: red, green; bottom row: blue, white.
    const Bytes rgb =
        vlkw::EncodeBmp24({2, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}});
    EXPECT_EQ(Slice(rgb, 54, 8), (Bytes{255, 0, 0, 255, 255, 255, 0, 0}));
    EXPECT_EQ(Slice(rgb, 62, 8), (Bytes{0, 0, 255, 0, 255, 0, 0, 0}));

    const Bytes indexed = vlkw::EncodeBmp8({2, 2, {{10, 20, 30}, {40, 50, 60}}, {1, 0, 0, 1}});
    EXPECT_EQ(Slice(indexed, 54, 8), (Bytes{30, 20, 10, 0, 60, 50, 40, 0}));
    EXPECT_EQ(Slice(indexed, 62, 8), (Bytes{0, 1, 0, 0, 1, 0, 0, 0}));
}

} // namespace
