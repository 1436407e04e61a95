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

// The viewer window's side of a screen rendering: it takes the page's geometry and lays out
// the page area for it, possibly changing the zoom (fit modes) before anything is drawn.
class ScreenLayout {
  public:
    virtual ~ScreenLayout() = default;
    virtual void screenPageChanged(const ScreenPageGeometry& geometry) = 0;
    virtual void LayoutPageArea() = 0;
};

// What RenderPage reads and changes beyond its arguments. `zoom` is the viewer's zoom factor
// (1.0 = 100 %); a call may change it for its own span and always puts it back.
struct RenderServices {
    Document& document;
    double& zoom;
    const ScreenSettings& settings;
    ScreenInfo& screen;
    InterfaceTexts& texts;
    MessageBoxPort& messages;
    FileSystem& files;
    ScreenLayout* layout = nullptr; // asked in Screen mode when present
};

// Draws one page of the open document onto `surface`. In Printer mode `devmode` is the job's
// DEVMODE buffer, which receives the page's paper, orientation and bin.
void RenderPage(RenderServices& services, std::int32_t page, Surface& surface, std::int32_t dpiX,
                std::int32_t dpiY, std::int32_t offX, std::int32_t offY, RenderMode mode,
                std::span<std::uint8_t> devmode = {}, std::int32_t devmodeLength = 0);

// Where the unknown-code message sends people for a newer viewer.
inline constexpr const char* kDownloadLocation = "https://velk.example/download";

// The message shown, whole, when a page holds a code the interpreter does not know.
std::string UnknownCodeMessage();

} // namespace velk
