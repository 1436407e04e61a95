#pragma once

// What a CairoSurface keeps between calls; shared by the files that implement its parts.

#include "render/cairo/cairo_bitmaps.h"
#include "render/cairo/cairo_fonts.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/cairo_surface.h"
#include "render/cairo/cairo_text.h"

#include <map>
#include <optional>
#include <utility>

namespace velk::cairo {

inline constexpr int kPenNull = 5;        // PS_NULL
inline constexpr int kPenInsideFrame = 6; // PS_INSIDEFRAME
inline constexpr Colour kWhite = 0xFFFFFF;

enum class Target { Raster, Pdf };

struct Pen {
    int style = kPenSolid;
    std::int32_t width = 1;
    Colour colour = 0;
};

struct CairoSurface::State {
    Target target = Target::Raster;
    bool smoothText = true; // on a raster page
    CairoSurfaceHandle surface;
    CairoContext cr;
    std::optional<GlyphPainter> painter; // on a raster page
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArea page;

    PaperLookup paper;
    std::int32_t paperCode = 1;
    bool landscape = false;
    std::optional<std::pair<double, double>> pendingPagePoints;

    FontOptionsHandle fontOptions{cairo_font_options_create()};
    FaceCache faces;
    std::map<std::uint32_t, Pen> pens;
    std::map<std::uint32_t, Colour> brushes;
    std::map<std::uint32_t, GdiFont> fonts;
    std::map<std::uint32_t, CairoSurfaceHandle> bitmaps;
    std::optional<GdiFont> deviceFont;

    std::uint32_t pen = kDevicePen.id;
    std::uint32_t brush = kDeviceBrush.id;
    std::uint32_t font = kDeviceFont.id;
    Colour textColour = 0;
    int bkMode = kBkOpaque;
    unsigned textAlign = kTextAlignLeftTop;
    std::int32_t currentX = 0;
    std::int32_t currentY = 0;

    cairo_t* context() const { return cr.get(); }

    GlyphPixels glyphPixels() const {
        if (target == Target::Pdf) {
            return GlyphPixels::Outlines;
        }
        return smoothText ? GlyphPixels::GreyByGasp : GlyphPixels::BlackAndWhite;
    }
    // The whole page of a raster target, which drawing never leaves; none for a PDF.
    const PixelArea* rasterArea() const { return target == Target::Raster ? &page : nullptr; }

    TextState textState() {
        return TextState{textAlign, bkMode, textColour, target == Target::Pdf,
                         painter ? &*painter : nullptr};
    }

    Pen selectedPen() const {
        const auto it = pens.find(pen);
        return it != pens.end() ? it->second : Pen{};
    }

    // A device context starts with the white stock brush.
    Colour selectedBrush() const {
        const auto it = brushes.find(brush);
        return it != brushes.end() ? it->second : kWhite;
    }

    // The device's own font is made only when something is drawn or measured with it.
    const GdiFont* selectedFont() {
        if (const auto it = fonts.find(font); it != fonts.end()) {
            return &it->second;
        }
        if (!deviceFont) {
            LogFont system;
            system.height = 16;
            system.weight = 700;
            deviceFont = MakeGdiFont(system, faces, fontOptions.get(), glyphPixels());
        }
        return deviceFont->matched != nullptr ? &*deviceFont : nullptr;
    }

    // The paper last given to ResetDC, in device pixels and, for the next page, in points.
    void applyPaper();
};

} // namespace velk::cairo
