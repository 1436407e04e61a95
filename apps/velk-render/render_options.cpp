#include "render_options.h"

#include <charconv>
#include <string_view>

namespace velk::cli {

namespace {

// Switches: options without a value.
constexpr std::string_view kAllowNetworkBitmaps = "--allow-network-bitmaps";
constexpr std::string_view kAliasedText = "--aliased-text";

std::optional<std::int32_t> WholeNumber(std::string_view text, std::int32_t low,
                                        std::int32_t high) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

std::string Range(std::int32_t low, std::int32_t high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

// Applies one option that takes a value; the error text, or empty.
std::string Apply(RenderOptions& o, std::string_view name, const std::string& value) {
    if (name == "--pdf") {
        if (value.empty()) {
            return "--pdf needs a file name";
        }
        o.pdf = value;
    } else if (name == "--dpi" || name == "--printer-dpi") {
        const auto dpi = WholeNumber(value, kMinDpi, kMaxDpi);
        if (!dpi) {
            return std::string(name) + " takes a whole number from " + Range(kMinDpi, kMaxDpi);
        }
        (name == "--dpi" ? o.dpi : o.printerDpi) = *dpi;
    } else if (name == "--zoom") {
        const auto zoom = WholeNumber(value, kMinZoom, kMaxZoom);
        if (!zoom) {
            return "--zoom takes a whole percentage from " + Range(kMinZoom, kMaxZoom);
        }
        o.zoomPercent = *zoom;
    } else if (name == "--pages") {
        const auto pages = ParsePageRanges(value);
        if (!pages) {
            return "--pages takes a list such as 1-3,5 or 4- (pages from 1, ranges upward)";
        }
        o.pages = *pages;
    } else if (name == "--password") {
        o.password = value;
    } else if (name == "--out-dir") {
        if (value.empty()) {
            return "--out-dir needs a directory";
        }
        o.outDir = value;
    } else if (name == "--decimal") {
        if (value.size() != 1) {
            return "--decimal takes one character";
        }
        o.decimalSeparator = value.front();
    }
    return {};
}

bool TakesValue(std::string_view name) {
    return name == "--pdf" || name == "--dpi" || name == "--printer-dpi" || name == "--zoom" ||
           name == "--pages" || name == "--password" || name == "--out-dir" || name == "--decimal";
}

} // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    RenderOptions& o = parsed.options;
    std::vector<std::string> documents;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            documents.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h" || argument == "--help") {
            o.help = true;
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (name == kAllowNetworkBitmaps || name == kAliasedText) {
            if (equals != std::string::npos) {
                parsed.error = name + " takes no value";
                return parsed;
            }
            (name == kAliasedText ? o.aliasedText : o.allowNetworkBitmaps) = true;
            continue;
        }
        if (!TakesValue(name)) {
            parsed.error = "unknown option " + name;
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            parsed.error = name + " needs a value";
            return parsed;
        }
        if (std::string error = Apply(o, name, value); !error.empty()) {
            parsed.error = std::move(error);
            return parsed;
        }
    }
    if (o.help) {
        return parsed;
    }
    if (documents.size() != 1) {
        parsed.error = documents.empty() ? "no document given" : "more than one document given";
        return parsed;
    }
    o.document = documents.front();
    return parsed;
}

std::string UsageText() {
    return "usage: velk-render [options] DOCUMENT\n"
           "\n"
           "Renders the pages of a velk document (.vlk, or a self-extracting viewer .exe):\n"
           "PNG pages as the viewer shows them, or one PDF as the printer prints it.\n"
           "\n"
           "  --pdf OUT.pdf      write one PDF by the printer rules: every page on its own\n"
           "                     paper and orientation, text and lines as vectors\n"
           "  --printer-dpi N    the PDF's printer resolution (default 600)\n"
           "  --dpi N            screen pixels per inch for PNG pages (default 96)\n"
           "  --zoom PERCENT     zoom for PNG pages (default 100)\n"
           "  --out-dir DIR      where PNG pages go, as NAME-PAGE.png (default: here)\n"
           "  --pages LIST       pages to render, e.g. 1-3,5 or 4- (default: all)\n"
           "  --password TEXT    the password of a protected document\n"
           "  --decimal C        decimal separator for decimal-aligned text (default .)\n"
           "  --aliased-text     PNG text in black and white, as a screen without font\n"
           "                     smoothing shows it (default: smoothed in grey)\n"
           "  --allow-network-bitmaps\n"
           "                     draw bitmap files that pages name on a server or device\n"
           "                     (\\\\server\\share\\..., //server/..., \\\\?\\..., \\\\.\\...)\n"
           "  -h, --help         show this text\n"
           "\n"
           "Bitmap files that pages name are looked for as the viewer looks for them,\n"
           "relative to the current directory. Names of files on a server or device draw\n"
           "nothing unless --allow-network-bitmaps is given: looking for such a file makes\n"
           "this machine sign in to a server that the document, not you, chose.\n"
           "\n"
           "Exit codes: 0 rendered, 1 wrong command line, 2 document not found,\n"
           "3 document cannot be opened, 4 not a velk document, 5 password missing or\n"
           "wrong, 6 page not in the document (or no pages), 7 output not written.\n";
}

} // namespace velk::cli
