#pragma once

// What the text of a page needs from each scaled font, kept between runs: the glyph and
// advance of each code page byte, and the coverage of each glyph painted. Loading and
// rendering glyphs takes much of a run that draws a page or two; a later run with the same
// fonts at the same sizes reads them from the file instead.

#include "render/cairo/face_metrics.h"
#include "render/cairo/glyph_coverage.h"

#include <cairo.h>

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velk::cairo {

// A face's font file as it was when its glyphs were rendered.
struct FontFile {
    // Compared numbers first: the paths of one machine's fonts start alike.
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t index = 0; // of the face in the file
    std::string path;
    auto operator<=>(const FontFile&) const = default;
};

// A scaled font: its face, its em in pixels, the angle its glyphs are turned by, and how they
// are loaded and rendered.
struct StrikeKey {
    std::int32_t ppem = 0;
    std::int32_t options = 0; // antialias, hint style and hint metrics, a byte each
    FontFile file;
    std::int32_t angle = 0; // counter-clockwise, in tenths of a degree
    auto operator<=>(const StrikeKey&) const = default;
};

// What a code page byte is in one scaled font.
struct ByteGlyph {
    bool known = false;
    bool usable = false;
    unsigned long index = 0;
    double advance = 0;
    int utf8Bytes = 0;
};

// What is known of one scaled font.
struct Strike {
    std::array<ByteGlyph, 256> bytes{};
    std::unordered_map<unsigned long, GlyphCoverage> coverages;
    bool grown = false; // since it was read
};

class GlyphStore {
  public:
    // Every run reads the whole file: a few hundred strikes, fonts at their sizes, fit.
    static constexpr std::size_t kLargestFile = std::size_t{4} << 20;

    // The strikes the bytes hold, or none when they are not a whole store made with
    // `identity` (another version of the libraries that render glyphs, cut short, damaged).
    // A strike is read when first asked for; one found damaged then is empty.
    static GlyphStore Read(std::string bytes, std::string_view identity);
    // The strikes asked for since the store was read, then the others, as many as fit
    // kLargestFile.
    std::string bytes(std::string_view identity) const;

    // The strike of `key`, empty when new.
    std::shared_ptr<Strike> strike(const StrikeKey& key);
    std::vector<StrikeKey> keys() const;

    // A face's numbers, kept with the glyphs so that a run need not open the font file.
    const FaceMetrics* face(const FontFile& file) const;
    void addFace(const FontFile& file, FaceMetrics metrics);
    // Whether any strike was added or has grown.
    bool changed() const;
    // Nothing has changed since the store was written.
    void saved();
    // Forgets the strikes of font files that are no longer as `current` finds them.
    void keep(const std::function<bool(const FontFile&)>& current);

  private:
    // A strike as read, or where its bytes lie in the file until it is asked for.
    struct Entry {
        std::shared_ptr<Strike> strike;
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    std::string bytes_;
    std::map<FontFile, FaceMetrics> faces_;
    std::map<StrikeKey, Entry> strikes_;
    bool added_ = false;
};

// What the kept glyphs depend on: the libraries that render them and the levels they hold.
std::string GlyphStoreIdentity();

// The font file at `path` as it is now; none when it cannot be read.
std::optional<FontFile> CurrentFontFile(const std::string& path, std::int64_t index);

// Gives `face` the font file it was made from, by which its scaled fonts find their strikes.
void AttachFontFile(cairo_font_face_t* face, const FontFile& file);

// Font options as a strike's key holds them.
std::int32_t StrikeOptions(const cairo_font_options_t* options);

// The strike of a scaled font: from the store when its face has a font file, else its own.
// Null only when no memory can be had for it.
Strike* StrikeOf(cairo_scaled_font_t* font);
// The store's strike of `key`.
std::shared_ptr<Strike> StrikeFor(const StrikeKey& key);

// The store's numbers of a face, and the numbers read from it when the store had none.
std::optional<FaceMetrics> StoredFace(const FontFile& file);
void StoreFace(const FontFile& file, const FaceMetrics& metrics);

// Where the glyphs of a text come from: what is known of a scaled font, and the scaled font
// itself, made only when something must be looked up in it (null when it cannot be had).
struct GlyphSource {
    Strike* strike = nullptr;
    std::function<cairo_scaled_font_t*()> font;
};

// The source of a scaled font at hand.
GlyphSource SourceOf(cairo_scaled_font_t* font);

// Writes the store to its file when a strike was added or grew.
void SaveGlyphStore();
// Lets go of the store, unsaved; the next strike reads the file again.
void ReleaseGlyphStore();

} // namespace velk::cairo
