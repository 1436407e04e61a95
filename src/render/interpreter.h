#pragma once

#include "render/page_setup.h"

#include <cstdint>
#include <span>
#include <string>

namespace velk {

class FileSystem;
class InterfaceTexts;
class MessageBoxPort;
class ScreenInfo;
class Surface;
struct Document;
struct ScreenSettings;

enum class RenderMode { Screen = 0, Printer = 1 };

// What one page is drawn onto and how: device pixels per inch, the origin's offset in device
// pixels, the mode and the zoom factor (1.0 = 100 %). In Printer mode `devmode` is the job's
// DEVMODE buffer, which receives the page's paper, orientation and bin, and `devmodeLength` the
// size the driver asked for.
struct RenderTarget {
    Surface& surface;
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    std::int32_t offX = 0;
    std::int32_t offY = 0;
    RenderMode mode = RenderMode::Screen;
    double zoom = 1.0;
    std::span<std::uint8_t> devmode = {};
    std::int32_t devmodeLength = 0;
};

// What RenderPage draws with beyond its target: the open document (whose held page it may
// replace), the decimal separator, the screen that fonts are sized against, the interface
// texts that Change Words records replace, the message box for unknown codes and the files
// that bitmap records read. It holds no zoom and no layout: those are the caller's.
struct RenderServices {
    Document& document;
    const ScreenSettings& settings;
    ScreenInfo& screen;
    InterfaceTexts& texts;
    MessageBoxPort& messages;
    FileSystem& files;
    // The reader's opt-in to bitmap files that pages name on servers and devices; without it
    // such names draw nothing.
    bool allowNetworkBitmaps = false;
};

// Draws one page of the open document onto the target, loading it first unless it is the page
// held. Only Printer mode reads the page's set-up, to apply it to the printer; on the screen
// the caller has laid the page out and chosen the zoom.
void RenderPage(RenderServices& services, std::int32_t page, const RenderTarget& target);

// Where the unknown-code message sends people for a newer viewer.
inline constexpr const char* kDownloadLocation = "https://velk.example/download";

// The message shown, whole, when a page holds a code the interpreter does not know.
std::string UnknownCodeMessage();

} // namespace velk
