#pragma once

// A small raster page on the Cairo surface for the tests of velk-render's Linux back end,
// read back pixel by pixel.
#ifndef _WIN32

#include "render/cairo/cairo_fonts.h"
#include "render/cairo/cairo_surface.h"
#include "render/surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velk::testing {

// COLORREF values, as the surface takes them.
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;

// Each suite leaves the process's font caches released.
class CairoSuite : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { cairo::ReleaseFontCaches(); }
};

// A suite whose font caches live in a cache directory of its own (XDG_CACHE_HOME), empty at
// the start of each test and removed after it.
class CacheHomeSuite : public CairoSuite {
  protected:
    void SetUp() override {
        cairo::ReleaseFontCaches();
        directory_ =
            std::filesystem::temp_directory_path() /
            ("velk-cache-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::remove_all(directory_);
        const char* old = std::getenv("XDG_CACHE_HOME");
        oldCacheHome_ = old == nullptr ? std::nullopt : std::optional<std::string>(old);
        setenv("XDG_CACHE_HOME", directory_.c_str(), 1);
    }
    void TearDown() override {
        cairo::ReleaseFontCaches();
        if (oldCacheHome_) {
            setenv("XDG_CACHE_HOME", oldCacheHome_->c_str(), 1);
        } else {
            unsetenv("XDG_CACHE_HOME");
        }
        std::filesystem::remove_all(directory_);
    }

    // A file of the cache directory, as velk names it.
    std::filesystem::path cacheFile(const char* name) const { return directory_ / "velk" / name; }

  private:
    std::filesystem::path directory_;
    std::optional<std::string> oldCacheHome_;
};

struct InkBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = -1; // inclusive
    std::int32_t bottom = -1;
    bool empty() const { return right < left; }
};

class CairoCanvas {
  public:
    explicit CairoCanvas(std::int32_t width = 64, std::int32_t height = 64, bool smoothText = true)
        : width_(width), height_(height),
          backend_(cairo::CairoSurface::ForImage(width, height, 96, 96, smoothText)),
          surface_(std::make_unique<Surface>(*backend_)) {}

    Surface& surface() { return *surface_; }
    cairo::CairoSurface& backend() { return *backend_; }

    // Row y as COLORREF values.
    std::vector<Colour> row(std::int32_t y) const {
        std::vector<Colour> colours;
        for (const std::uint32_t pixel :
             backend_->pixelRows(cairo::PixelRect{0, 0, width_, height_}, width_, height_)(y)) {
            colours.push_back(((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
        }
        return colours;
    }
    Colour at(std::int32_t x, std::int32_t y) const { return row(y)[static_cast<std::size_t>(x)]; }

    // The smallest box holding every pixel that is not `background`.
    InkBox ink(Colour background = kWhite) const {
        InkBox box{width_, height_, -1, -1};
        for (std::int32_t y = 0; y < height_; ++y) {
            const std::vector<Colour> colours = row(y);
            for (std::int32_t x = 0; x < width_; ++x) {
                if (colours[static_cast<std::size_t>(x)] != background) {
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                           std::max(box.bottom, y)};
                }
            }
        }
        return box;
    }

    // Fills the whole canvas with one colour (a null pen and that brush stay selected).
    void fill(Colour colour) {
        selectPen(5, 0, colour); // PS_NULL: the brush alone
        selectBrush(colour);
        surface_->rectangle(0, 0, width_ + 1, height_ + 1);
    }

    void selectPen(int style, int width, Colour colour) {
        const PenId pen = surface_->createPen(style, width, colour);
        surface_->selectObject(pen);
    }
    void selectBrush(Colour colour) {
        const BrushId brush = surface_->createSolidBrush(colour);
        surface_->selectObject(brush);
    }
    // A font from a LOGFONT with these fields, selected; its text metrics.
    TextMetrics selectFont(std::int32_t height, const char* face = "Arial",
                           std::int32_t escapement = 0, bool underline = false,
                           bool strikeOut = false) {
        LogFont font;
        font.height = height;
        font.faceName = face;
        font.escapement = escapement;
        font.orientation = escapement;
        font.underline = underline ? 1 : 0;
        font.strikeOut = strikeOut ? 1 : 0;
        surface_->selectObject(surface_->createFontIndirect(font));
        return surface_->getTextMetrics();
    }

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::unique_ptr<cairo::CairoSurface> backend_;
    std::unique_ptr<Surface> surface_; // goes before the back end it draws on
};

} // namespace velk::testing

#endif
