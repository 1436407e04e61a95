#include "base/little_endian.h"
#include "render/cairo/cairo_surface_state.h"
#include "render/cairo/utf8_text.h"

#include <cairo-pdf.h>

#include <cmath>

namespace velk::cairo {

namespace {

// DEVMODEA fields ResetDC reads.
constexpr std::size_t kFieldsOffset = 40;
constexpr std::size_t kOrientationOffset = 44;
constexpr std::size_t kPaperSizeOffset = 46;
constexpr std::uint32_t kFieldOrientation = 0x1;
constexpr std::uint32_t kFieldPaperSize = 0x2;
constexpr std::int32_t kLandscape = 2;
// PDF pages are at most 200 inches on a side.
constexpr double kLargestPaperInches = 200;

} // namespace

std::unique_ptr<CairoSurface> CairoSurface::ForPdf(const std::string& path, std::int32_t dpi,
                                                   PaperLookup paper) {
    if (dpi <= 0) {
        return nullptr;
    }
    auto state = std::make_unique<State>();
    const PaperInches letter;
    state->surface.reset(
        cairo_pdf_surface_create(path.c_str(), letter.width * 72.0, letter.height * 72.0));
    state->cr.reset(cairo_create(state->surface.get()));
    state->target = Target::Pdf;
    state->dpiX = dpi;
    state->dpiY = dpi;
    state->width = static_cast<std::int32_t>(std::lround(letter.width * dpi));
    state->height = static_cast<std::int32_t>(std::lround(letter.height * dpi));
    state->paper = std::move(paper);
    cairo_scale(state->context(), 72.0 / dpi, 72.0 / dpi);
    // Outlines as designed; advances still in whole device pixels, as a printer measures.
    cairo_font_options_set_hint_style(state->fontOptions.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(state->fontOptions.get(), CAIRO_HINT_METRICS_ON);
    return std::unique_ptr<CairoSurface>(new CairoSurface(std::move(state)));
}

void CairoSurface::State::applyPaper() {
    const PaperInches inches = paper ? paper(paperCode) : PaperInches{};
    if (!(inches.width > 0 && inches.height > 0 && inches.width <= kLargestPaperInches &&
          inches.height <= kLargestPaperInches)) {
        return;
    }
    const double across = landscape ? inches.height : inches.width;
    const double down = landscape ? inches.width : inches.height;
    width = static_cast<std::int32_t>(std::lround(across * dpiX));
    height = static_cast<std::int32_t>(std::lround(down * dpiY));
    pendingPagePoints = std::make_pair(across * 72.0, down * 72.0);
}

bool CairoSurface::resetDC(std::span<const std::uint8_t> devmode) {
    if (s_->target != Target::Pdf || devmode.size() < kPaperSizeOffset + 2) {
        return false;
    }
    const std::uint32_t fields = static_cast<std::uint32_t>(ReadInt32(devmode, kFieldsOffset));
    if ((fields & kFieldOrientation) != 0) {
        s_->landscape = ReadInt16(devmode, kOrientationOffset) == kLandscape;
    }
    if ((fields & kFieldPaperSize) != 0) {
        s_->paperCode = ReadInt16(devmode, kPaperSizeOffset);
    }
    s_->applyPaper();
    return true;
}

int CairoSurface::startDoc(const std::string& documentName) {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_pdf_surface_set_metadata(s_->surface.get(), CAIRO_PDF_METADATA_TITLE,
                                   AnsiToUtf8(documentName).c_str());
    return 1;
}

// A new paper size can only start a page, so ResetDC's takes effect here.
int CairoSurface::startPage() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    if (s_->pendingPagePoints) {
        cairo_pdf_surface_set_size(s_->surface.get(), s_->pendingPagePoints->first,
                                   s_->pendingPagePoints->second);
        s_->pendingPagePoints.reset();
    }
    return ok() ? 1 : -1;
}

int CairoSurface::endPage() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_show_page(s_->context());
    return ok() ? 1 : -1;
}

int CairoSurface::endDoc() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_surface_finish(s_->surface.get());
    return ok() ? 1 : -1;
}

} // namespace velk::cairo
