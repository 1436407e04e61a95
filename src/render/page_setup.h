#pragma once

#include <cstdint>
#include <span>

namespace velk {

class ScreenInfo;
class Surface;
struct Document;

inline constexpr std::size_t kPageSetupOffset = 2;
inline constexpr std::size_t kPageSetupSize = 10;
inline constexpr std::size_t kFirstRecordOffset = kPageSetupOffset + kPageSetupSize;

// The block after a page's first code, as stored.
struct PageSetup {
    std::int16_t paperSize = 0;
    std::int16_t orientation = 0; // 1 landscape, anything else portrait
    std::int16_t bin = 0;
};

// Reads the block from a page's first 12 bytes; bytes the page lacks read as zero.
PageSetup ParsePageSetup(std::span<const std::uint8_t> page);

// Reads page p's set-up straight from the document file, without loading the page.
PageSetup ReadPageSetup(Document& document, std::int32_t page);

struct PaperSize {
    float width = 0; // inches, portrait
    float height = 0;
};

// Width and height of a paper size code (the DEVMODE numbers 1..41); any other code is Letter.
PaperSize PaperSizeTable(std::int32_t code);

// One column of the table: `which` 1 gives the width, 0 the height.
float PaperDimension(std::int32_t code, int which);

// What the screen shows of a page: its size in inches and the resolution it is drawn at.
struct ScreenPageGeometry {
    std::int16_t paperSize = 1;
    std::int16_t orientation = 0;
    std::int16_t bin = 0;
    float pageWidth = 8.5f;
    float pageHeight = 11.0f;
    std::int16_t dpiX = 96;
    std::int16_t dpiY = 96;
};

// A landscape page swaps the paper's sides and the screen's two resolutions.
ScreenPageGeometry ApplyToScreen(const PageSetup& setup, ScreenInfo& screen);

// DEVMODEA layout: where the fields the renderer writes lie, and the values it writes.
inline constexpr std::size_t kDevmodeFieldsOffset = 40;
inline constexpr std::size_t kDevmodeOrientationOffset = 44;
inline constexpr std::size_t kDevmodePaperSizeOffset = 46;
inline constexpr std::size_t kDevmodeDefaultSourceOffset = 56;
inline constexpr std::uint32_t kDevmodePageFields = 0x203; // orientation, paper size, source
inline constexpr std::size_t kDevmodeBufferSize = 20122;

// Writes the page's orientation, paper and bin into the caller's DEVMODE (where they stay for
// the next page), applies a work copy of `devmodeLength` bytes with ResetDC, starts the
// printer page and draws one blank at the device origin. Without a DEVMODE the printer keeps
// its settings and only the page is started.
void ApplyToPrinter(const PageSetup& setup, Surface& surface, std::span<std::uint8_t> devmode,
                    std::int32_t devmodeLength);

} // namespace velk
