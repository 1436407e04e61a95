#pragma once

// Owning handles for the C objects of Cairo and fontconfig: each is released by its library's
// own release call when the handle goes.

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

namespace velk::cairo {

template <auto Release> struct Releaser {
    template <typename T> void operator()(T* object) const {
        if (object != nullptr) {
            Release(object);
        }
    }
};

using CairoContext = std::unique_ptr<cairo_t, Releaser<&cairo_destroy>>;
using CairoSurfaceHandle = std::unique_ptr<cairo_surface_t, Releaser<&cairo_surface_destroy>>;
using FontFaceHandle = std::unique_ptr<cairo_font_face_t, Releaser<&cairo_font_face_destroy>>;
using ScaledFontHandle = std::unique_ptr<cairo_scaled_font_t, Releaser<&cairo_scaled_font_destroy>>;
using FontOptionsHandle =
    std::unique_ptr<cairo_font_options_t, Releaser<&cairo_font_options_destroy>>;
using FcPatternHandle = std::unique_ptr<FcPattern, Releaser<&FcPatternDestroy>>;

// Glyph and cluster arrays that cairo allocated for a text.
using GlyphArray = std::unique_ptr<cairo_glyph_t, Releaser<&cairo_glyph_free>>;
using ClusterArray = std::unique_ptr<cairo_text_cluster_t, Releaser<&cairo_text_cluster_free>>;

// A scaled font's FreeType face, set to its size, for as long as the lock lives.
class LockedFace {
  public:
    explicit LockedFace(cairo_scaled_font_t* font)
        : font_(font), face_(cairo_ft_scaled_font_lock_face(font)) {}
    ~LockedFace() {
        if (face_ != nullptr) {
            cairo_ft_scaled_font_unlock_face(font_);
        }
    }
    LockedFace(const LockedFace&) = delete;
    LockedFace& operator=(const LockedFace&) = delete;
    FT_Face get() const { return face_; }

  private:
    cairo_scaled_font_t* font_;
    FT_Face face_;
};

} // namespace velk::cairo
