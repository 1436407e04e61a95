#pragma once

// Fonts for the Cairo surface: LOGFONT descriptions matched through fontconfig, sized and
// measured the way GDI sizes and measures them.

#include "render/cairo/cairo_handles.h"
#include "render/cairo/face_metrics.h"
#include "render/cairo/glyph_store.h"
#include "render/surface.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace velk::cairo {

// Whether GDI smooths the glyphs of a face at `ppem` with grey levels: where the font's 'gasp'
// table says so, or always when it has none. Fonts made for the screen turn smoothing off for
// small sizes, and GDI draws those sizes in black and white.
bool SmoothedAt(const FaceMetrics& face, std::int32_t ppem);

struct MatchedFace {
    FcPatternHandle pattern; // fontconfig's answer
    std::string file;        // the font file fontconfig chose
    // The file as the glyph store knows it; none for a face Cairo alone renders.
    std::optional<FontFile> stored;
    FaceMetrics metrics;

    // Made when first asked for: a run whose glyphs are all in the store never opens the file.
    cairo_font_face_t* face() const;

  private:
    mutable FontFaceHandle face_;
};

// Faces by family, weight and slant, each matched once through fontconfig for the life of
// the cache, so that a page with hundreds of font records asks fontconfig a few times only.
class FaceCache {
  public:
    // Null when fontconfig finds nothing at all (no fonts installed).
    const MatchedFace* find(const std::string& family, std::int32_t weight, bool italic);

  private:
    std::map<std::tuple<std::string, std::int32_t, bool>, MatchedFace> faces_;
};

// Writes the answers fontconfig gave since the cache file was read to that file.
void SaveFontMatches();

// Lets go of fontconfig's configuration and caches, writing new answers first; the next match
// sets them up again.
void ReleaseFontConfiguration();

// Pixels per em that GDI gives a LOGFONT height: a negative height is the em itself, a
// positive one the cell (ascent + descent), and 0 the default cell of 16 pixels.
std::int32_t PixelsPerEm(std::int32_t lfHeight, const FaceMetrics& face);

// TEXTMETRIC as GDI fills it for a TrueType face at `ppem`: ascent and descent from the
// Windows metrics, each rounded on its own; the height their sum; internal leading what the
// cell holds above the em; external leading the typographic line gap the cell leaves out.
TextMetrics GdiTextMetrics(const FaceMetrics& face, std::int32_t ppem);

// A band drawn along the baseline: its top edge in pixels below the baseline (negative above)
// and its thickness, at least one pixel.
struct Band {
    std::int32_t top = 0;
    std::int32_t thickness = 1;
};

Band UnderlineBand(const FaceMetrics& face, std::int32_t ppem);
Band StrikeoutBand(const FaceMetrics& face, std::int32_t ppem);

// A LOGFONT made real on one surface. Its scaled fonts are made when first needed.
struct GdiFont {
    const MatchedFace* matched = nullptr; // owned by the FaceCache; null when nothing matched
    std::int32_t ppem = 0;
    TextMetrics metrics;
    bool underline = false;
    bool strikeOut = false;
    Band underlineBand;
    Band strikeoutBand;
    double escapement = 0;            // radians, counter-clockwise
    std::int32_t angle = 0;           // the same in tenths of a degree, as the LOGFONT has it
    FontOptionsHandle sizingOptions;  // the face at ppem in device pixels, for advances
    FontOptionsHandle drawingOptions; // unsmoothed, for the glyphs of unsmoothed sizes; or null
    FontOptionsHandle linearOptions;  // with escapement: unhinted, for advances along the angle

    mutable ScaledFontHandle sizing;
    mutable ScaledFontHandle drawing;
    mutable ScaledFontHandle linear;
    mutable ScaledFontHandle turned;
    mutable std::shared_ptr<Strike> sizingStrike;
    mutable std::shared_ptr<Strike> drawingStrike;
    mutable std::shared_ptr<Strike> linearStrike;
    mutable std::shared_ptr<Strike> turnedStrike;
};

// How glyphs reach the pixels: as outlines (a PDF), smoothed in grey except at the sizes the
// font's 'gasp' table keeps black and white (Windows' standard font smoothing), or black and
// white at every size (a screen without font smoothing).
enum class GlyphPixels { Outlines, GreyByGasp, BlackAndWhite };

// No face matched when nothing could be matched. Glyphs drawn black and white are drawn
// without anti-aliasing whatever `options` say; their advances stay those of the smoothed
// glyphs, as GDI measures them.
GdiFont MakeGdiFont(const LogFont& description, FaceCache& faces,
                    const cairo_font_options_t* options, GlyphPixels pixels);

cairo_font_face_t* FaceOf(const GdiFont& font);
// The options glyphs are drawn with.
const cairo_font_options_t* DrawingOptions(const GdiFont& font);
// The scaled font advances are measured with.
cairo_scaled_font_t* SizingFont(const GdiFont& font);
// The scaled font glyphs are drawn with.
cairo_scaled_font_t* DrawingFont(const GdiFont& font);
// The scaled font a turned text advances along its angle by; the sizing font when level.
cairo_scaled_font_t* LinearFont(const GdiFont& font);
// The drawing font turned to the escapement, as Cairo makes it for a context whose font
// matrix turns: the font a turned text's glyphs are drawn with.
cairo_scaled_font_t* TurnedFont(const GdiFont& font);
// The glyphs and advances of each of those fonts.
GlyphSource SizingSource(const GdiFont& font);
GlyphSource DrawingSource(const GdiFont& font);
GlyphSource LinearSource(const GdiFont& font);
GlyphSource TurnedSource(const GdiFont& font);

} // namespace velk::cairo
