#pragma once

#include "page_ranges.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk::cli {

struct RenderOptions {
    std::string document;
    std::optional<std::string> pdf; // one PDF by the printer rules instead of PNG pages
    std::int32_t dpi = 96;          // the screen's pixels per inch, for PNG pages
    std::int32_t zoomPercent = 100; // the viewer's zoom, for PNG pages
    std::int32_t printerDpi = 600;  // the printer's resolution, for the PDF
    std::vector<PageSpan> pages;    // empty: every page
    std::optional<std::string> password;
    std::string outDir = "."; // where PNG pages go
    char decimalSeparator = '.';
    bool allowNetworkBitmaps = false; // draw bitmap files that pages name on servers and devices
    bool aliasedText = false;         // PNG text black and white, as without font smoothing
    bool help = false;
};

// Limits that keep a page's pixels within reach of memory.
inline constexpr std::int32_t kMinDpi = 10;
inline constexpr std::int32_t kMaxDpi = 2400;
inline constexpr std::int32_t kMinZoom = 10;
inline constexpr std::int32_t kMaxZoom = 1000;

struct ParsedOptions {
    RenderOptions options;
    std::string error; // empty when the command line is good
};

// The arguments after the program name. Options take their value as the next argument or
// after "="; "--" ends the options.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

std::string UsageText();

} // namespace velk::cli
