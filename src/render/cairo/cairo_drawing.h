#pragma once

// Small drawing steps that the Cairo back end's files share.

#include "render/cairo/white_rows.h"
#include "render/surface.h"

#include <cairo.h>

namespace velk::cairo {

// A COLORREF (0x00BBGGRR) as the source colour.
inline void SetColour(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         ((c >> 16) & 0xFF) / 255.0);
}

inline void FillRect(cairo_t* cr, double x, double y, double width, double height) {
    cairo_rectangle(cr, x, y, width, height);
    FillReaching(cr);
}

// A drawing call leaves the context's matrix, clip, path and line settings as it found them;
// the source colour and the font it may leave set, as every call sets its own.
class SavedState {
  public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

  private:
    cairo_t* cr_;
};

} // namespace velk::cairo
