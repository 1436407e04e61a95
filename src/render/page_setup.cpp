#include "render/page_setup.h"

#include "document/document.h"
#include "document/file_cursor.h"
#include "platform/settings.h"
#include "render/surface.h"

#include <algorithm>
#include <array>
#include <vector>

namespace velk {

namespace {

std::int16_t Int16At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint8_t low = offset < bytes.size() ? bytes[offset] : 0;
    const std::uint8_t high = offset + 1 < bytes.size() ? bytes[offset + 1] : 0;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

void PutInt16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    if (offset + 2 <= bytes.size()) {
        bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
}

void PutUint32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    if (offset + 4 <= bytes.size()) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

constexpr float Millimetres(double mm) {
    return static_cast<float>(mm / 25.4);
}

constexpr PaperSize kLetter{8.5f, 11.0f};

// Index = paper size code; entry 0 stands for every code outside 1..41.
constexpr std::array<PaperSize, 42> kPaperSizes = {{
    kLetter,
    {8.5f, 11.0f},                        // 1 Letter
    {8.5f, 11.0f},                        // 2 Letter small
    {11.0f, 17.0f},                       // 3 Tabloid
    {17.0f, 11.0f},                       // 4 Ledger
    {8.5f, 14.0f},                        // 5 Legal
    {5.5f, 8.5f},                         // 6 Statement
    {7.5f, 10.0f},                        // 7 Executive
    {Millimetres(297), Millimetres(420)}, // 8 A3
    {Millimetres(210), Millimetres(297)}, // 9 A4
    {Millimetres(210), Millimetres(297)}, // 10 A4 small
    {Millimetres(148), Millimetres(210)}, // 11 A5
    {Millimetres(250), Millimetres(354)}, // 12 B4
    {Millimetres(182), Millimetres(257)}, // 13 B5
    {8.5f, 13.0f},                        // 14 Folio
    {Millimetres(215), Millimetres(275)}, // 15 Quarto
    {10.0f, 14.0f},                       // 16 10 x 14
    {11.0f, 17.0f},                       // 17 11 x 17
    {8.5f, 11.0f},                        // 18 Note
    {3.875f, 8.875f},                     // 19 Envelope #9
    {4.125f, 9.5f},                       // 20 Envelope #10
    {4.5f, 10.375f},                      // 21 Envelope #11
    {4.375f, 11.0f},                      // 22 Envelope #12
    {5.0f, 11.5f},                        // 23 Envelope #14
    kLetter,                              // 24 (no entry)
    kLetter,                              // 25 (no entry)
    kLetter,                              // 26 (no entry)
    {Millimetres(110), Millimetres(220)}, // 27 Envelope DL
    {Millimetres(162), Millimetres(229)}, // 28 Envelope C5
    {Millimetres(324), Millimetres(458)}, // 29 Envelope C3
    {Millimetres(229), Millimetres(324)}, // 30 Envelope C4
    {Millimetres(114), Millimetres(162)}, // 31 Envelope C6
    {Millimetres(114), Millimetres(229)}, // 32 Envelope C65
    {Millimetres(250), Millimetres(353)}, // 33 Envelope B4
    {Millimetres(176), Millimetres(250)}, // 34 Envelope B5
    {Millimetres(176), Millimetres(125)}, // 35 Envelope B6
    {Millimetres(110), Millimetres(230)}, // 36 Envelope Italy
    {3.875f, 7.5f},                       // 37 Envelope Monarch
    {3.625f, 6.5f},                       // 38 Envelope 6 3/4
    {14.875f, 11.0f},                     // 39 US standard fanfold
    {8.5f, 12.0f},                        // 40 German standard fanfold
    {8.5f, 11.0f},                        // 41 German legal fanfold
}};

bool KnownPaper(std::int32_t code) {
    return code >= 1 && code <= 41;
}

} // namespace

PageSetup ParsePageSetup(std::span<const std::uint8_t> page) {
    return PageSetup{Int16At(page, kPageSetupOffset), Int16At(page, kPageSetupOffset + 2),
                     Int16At(page, kPageSetupOffset + 4)};
}

PageSetup ReadPageSetup(Document& document, std::int32_t page) {
    std::array<std::uint8_t, kFirstRecordOffset> prefix{};
    if (document.file) {
        const std::int64_t offset = FileOffset(document.base, document.pagePosition(page));
        document.file->readAt(offset, prefix);
    }
    return ParsePageSetup(prefix);
}

PaperSize PaperSizeTable(std::int32_t code) {
    return kPaperSizes[KnownPaper(code) ? static_cast<std::size_t>(code) : 0];
}

float PaperDimension(std::int32_t code, int which) {
    const PaperSize paper = PaperSizeTable(code);
    return which == 1 ? paper.width : paper.height;
}

ScreenPageGeometry ApplyToScreen(const PageSetup& setup, ScreenInfo& screen) {
    ScreenPageGeometry geometry;
    geometry.paperSize = KnownPaper(setup.paperSize) ? setup.paperSize : std::int16_t{1};
    geometry.orientation = setup.orientation;
    geometry.bin = setup.bin;
    const auto logPixelsX = static_cast<std::int16_t>(screen.logPixelsX());
    const auto logPixelsY = static_cast<std::int16_t>(screen.logPixelsY());
    if (setup.orientation == 1) {
        geometry.pageWidth = PaperDimension(geometry.paperSize, 0);
        geometry.pageHeight = PaperDimension(geometry.paperSize, 1);
        geometry.dpiX = logPixelsY;
        geometry.dpiY = logPixelsX;
    } else {
        geometry.pageWidth = PaperDimension(geometry.paperSize, 1);
        geometry.pageHeight = PaperDimension(geometry.paperSize, 0);
        geometry.dpiX = logPixelsX;
        geometry.dpiY = logPixelsY;
    }
    return geometry;
}

void ApplyToPrinter(const PageSetup& setup, Surface& surface, std::span<std::uint8_t> devmode,
                    std::int32_t devmodeLength) {
    if (!devmode.empty()) {
        PutUint32(devmode, kDevmodeFieldsOffset, kDevmodePageFields);
        PutInt16(devmode, kDevmodeOrientationOffset, setup.orientation == 1 ? 2 : 1);
        PutInt16(devmode, kDevmodePaperSizeOffset,
                 static_cast<std::uint16_t>(KnownPaper(setup.paperSize) ? setup.paperSize : 1));
        const bool knownBin = setup.bin >= 1 && setup.bin <= 14;
        PutInt16(devmode, kDevmodeDefaultSourceOffset,
                 static_cast<std::uint16_t>(knownBin ? setup.bin : 7));
        // The work copy has the length the driver asked for; what the caller's buffer holds
        // is copied into it whole, and anything beyond stays zero.
        std::vector<std::uint8_t> work(static_cast<std::size_t>(std::max(devmodeLength, 0)));
        const std::size_t copied = std::min(devmode.size(), work.size());
        std::copy_n(devmode.begin(), copied, work.begin());
        surface.resetDC(work);
    }
    surface.startPage();
    surface.textOut(0, 0, " ");
}

} // namespace velk
