#include "render/cairo/cairo_fonts.h"

#include "render/cairo/font_match_cache.h"
#include "render/cairo/glyph_store.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace velk::cairo {

namespace {

// Larger requests are refused like a font GDI cannot make: a page could otherwise ask for
// glyphs of millions of pixels.
constexpr std::int32_t kLargestEm = 16384;
constexpr std::int32_t kDefaultCellHeight = 16;
constexpr double kPi = 3.14159265358979323846;
constexpr std::string_view kDefaultFace = "Arial";

std::int32_t Scaled(double units, std::int32_t ppem, double unitsPerEm) {
    return static_cast<std::int32_t>(std::lround(units * ppem / unitsPerEm));
}

constexpr std::uint16_t kGaspDoGray = 0x2;

std::vector<std::pair<std::uint16_t, std::uint16_t>> ReadGasp(FT_Face face) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, nullptr, &length) != 0 || length < 4) {
        return {};
    }
    std::vector<FT_Byte> table(length);
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, table.data(), &length) != 0) {
        return {};
    }
    const auto word = [&table](std::size_t at) {
        return static_cast<std::uint16_t>((table[at] << 8) | table[at + 1]);
    };
    std::vector<std::pair<std::uint16_t, std::uint16_t>> ranges;
    const std::size_t count = word(2);
    for (std::size_t i = 0; i < count && 4 + 4 * i + 4 <= table.size(); ++i) {
        ranges.emplace_back(word(4 + 4 * i), word(6 + 4 * i));
    }
    return ranges;
}

std::optional<FaceMetrics> ReadFaceMetrics(cairo_font_face_t* face) {
    cairo_matrix_t size;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&size, 16, 16);
    cairo_matrix_init_identity(&identity);
    const FontOptionsHandle options(cairo_font_options_create());
    const ScaledFontHandle probe(cairo_scaled_font_create(face, &size, &identity, options.get()));
    const LockedFace locked(probe.get());
    FaceMetrics m;
    const FT_Face ft = locked.get();
    if (ft == nullptr || ft->units_per_EM == 0) {
        return std::nullopt;
    }
    m.unitsPerEm = ft->units_per_EM;
    m.hheaAscender = ft->ascender;
    m.hheaDescender = ft->descender;
    m.lineGap = std::max(0, ft->height - (ft->ascender - ft->descender));
    m.winAscent = ft->ascender;
    m.winDescent = -ft->descender;
    m.maxCharWidth = static_cast<double>(ft->bbox.xMax) - ft->bbox.xMin;
    m.avgCharWidth = m.maxCharWidth / 2;
    m.underlinePosition = ft->underline_position;
    m.underlineThickness = ft->underline_thickness;
    m.strikeoutPosition = m.unitsPerEm * 0.26;
    m.strikeoutSize = ft->underline_thickness;
    if (const auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA))) {
        m.hheaAscender = hhea->Ascender;
        m.hheaDescender = hhea->Descender;
        m.lineGap = hhea->Line_Gap;
    }
    if (const auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        os2 != nullptr && os2->version != 0xFFFF) {
        if (os2->usWinAscent + os2->usWinDescent != 0) {
            m.winAscent = os2->usWinAscent;
            m.winDescent = os2->usWinDescent;
        } else {
            m.winAscent = m.hheaAscender;
            m.winDescent = -m.hheaDescender;
        }
        m.avgCharWidth = os2->xAvgCharWidth;
        m.strikeoutPosition = os2->yStrikeoutPosition;
        m.strikeoutSize = os2->yStrikeoutSize;
    }
    m.gaspRanges = ReadGasp(ft);
    return m;
}

// Faces a page may name and the installed faces that stand in for them, best first. The
// metric-compatible ones keep a report's columns where its producer put them.
struct Substitutes {
    std::string_view family;
    std::vector<std::string_view> accept;
};

const std::vector<Substitutes>& SubstituteTable() {
    static const std::vector<Substitutes> table = {
        {"Arial", {"Liberation Sans", "Arimo"}},
        {"Helvetica", {"Nimbus Sans", "Liberation Sans"}},
        {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow"}},
        {"Times New Roman", {"Liberation Serif", "Tinos"}},
        {"Times", {"Nimbus Roman", "Liberation Serif"}},
        {"Courier New", {"Liberation Mono", "Cousine"}},
        {"Courier", {"Nimbus Mono PS", "Liberation Mono"}},
        {"Calibri", {"Carlito"}},
        {"Cambria", {"Caladea"}},
        {"Symbol", {"Standard Symbols PS"}},
        {"Bookman Old Style", {"URW Bookman"}},
        {"Century Schoolbook", {"C059"}},
        {"Palatino Linotype", {"P052"}},
        {"Book Antiqua", {"P052"}},
        // Fixed-pitch faces keep their columns in a fixed-pitch stand-in.
        {"Lucida Console", {"Liberation Mono"}},
        {"Consolas", {"Liberation Mono"}},
        {"Fixedsys", {"Liberation Mono"}},
        {"Terminal", {"Liberation Mono"}},
        // Serif faces stay serif.
        {"Georgia", {"Liberation Serif"}},
        {"Garamond", {"Liberation Serif"}},
        {"MS Serif", {"Liberation Serif"}},
    };
    return table;
}

// A configuration of our own instead of the desktop's: loading the system one parses some
// hundred XML files, three times the work of drawing a page. It reads the same font
// directories and caches, so every installed face is found under its own name.
std::string FontConfigurationXml() {
    std::string xml = "<?xml version=\"1.0\"?><fontconfig>"
                      "<dir>/usr/share/fonts</dir>"
                      "<dir>/usr/local/share/fonts</dir>"
                      "<dir prefix=\"xdg\">fonts</dir>"
                      "<dir>~/.fonts</dir>"
                      "<cachedir>/var/cache/fontconfig</cachedir>"
                      "<cachedir prefix=\"xdg\">fontconfig</cachedir>";
    for (const Substitutes& substitutes : SubstituteTable()) {
        // Accepted families come after the one named, so a face installed under that name wins.
        xml += "<alias binding=\"same\"><family>";
        xml += substitutes.family;
        xml += "</family><accept>";
        for (const std::string_view family : substitutes.accept) {
            xml += "<family>";
            xml += family;
            xml += "</family>";
        }
        xml += "</accept></alias>";
    }
    // GDI gives a face it does not have its default proportional face.
    xml += "<match target=\"pattern\"><edit name=\"family\" mode=\"append_last\">"
           "<string>Liberation Sans</string><string>Arimo</string><string>DejaVu Sans</string>"
           "</edit></match></fontconfig>";
    return xml;
}

bool g_configured = false;

// Makes our configuration fontconfig's current one, once, before anything (Cairo included)
// asks fontconfig for the default.
void UseOwnFontConfiguration() {
    if (g_configured) {
        return;
    }
    FcConfig* config = FcConfigCreate();
    if (config == nullptr) {
        return;
    }
    const std::string xml = FontConfigurationXml();
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()),
                                       FcTrue) &&
        FcConfigBuildFonts(config)) {
        g_configured = FcConfigSetCurrent(config) != FcFalse;
    }
    // The current configuration holds a reference of its own.
    FcConfigDestroy(config);
}

// What the answers fontconfig gives depend on: its version, our configuration, and the home
// and data directories that the configuration's "~" and xdg entries stand for.
const std::string& ConfigurationIdentity() {
    static const std::string identity = [] {
        std::string text = std::to_string(FcGetVersion()) + '\n' + FontConfigurationXml();
        for (const char* variable : {"HOME", "XDG_DATA_HOME"}) {
            const char* value = std::getenv(variable);
            text += '\n';
            text += value == nullptr ? "" : value;
        }
        return text;
    }();
    return identity;
}

// Answers from earlier runs, read at the first match and written back when fontconfig is let go.
struct RememberedMatches {
    bool loaded = false;
    FontMatchCache cache;
};
RememberedMatches g_remembered;

FontMatchCache& Remembered() {
    if (!g_remembered.loaded) {
        g_remembered.cache = LoadFontMatchCache(FontMatchCachePath(), ConfigurationIdentity());
        g_remembered.loaded = true;
    }
    return g_remembered.cache;
}

// The configured font directories, whether or not they exist, and every directory under them
// that fontconfig read fonts from.
std::vector<DirectoryStamp> FontDirectoryStamps() {
    std::vector<DirectoryStamp> stamps;
    for (FcStrList* list : {FcConfigGetConfigDirs(nullptr), FcConfigGetFontDirs(nullptr)}) {
        while (const FcChar8* directory = FcStrListNext(list)) {
            std::string path(reinterpret_cast<const char*>(directory));
            const std::int64_t modified = ModifiedNanoseconds(path);
            stamps.push_back({std::move(path), modified});
        }
        FcStrListDone(list);
    }
    std::sort(stamps.begin(), stamps.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });
    stamps.erase(std::unique(stamps.begin(), stamps.end()), stamps.end());
    return stamps;
}

FcPatternHandle FontconfigMatch(const FontRequest& font) {
    UseOwnFontConfiguration();
    const FcPatternHandle request(FcPatternCreate());
    if (!request) {
        return nullptr;
    }
    FcPatternAddString(request.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(font.family.c_str()));
    // FW_DONTCARE (0) is a normal weight.
    const int openType = font.weight <= 0 ? 400 : std::min(font.weight, 1000);
    FcPatternAddInteger(request.get(), FC_WEIGHT, FcWeightFromOpenType(openType));
    FcPatternAddInteger(request.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    FcPatternHandle match(FcFontMatch(nullptr, request.get(), &result));
    if (!match) {
        return nullptr;
    }
    // How glyphs are rasterised is the surface's choice, not the desktop's settings; the
    // character and language sets are for choosing a face, and are the bulk of its pattern.
    for (const char* property : {FC_ANTIALIAS, FC_HINTING, FC_HINT_STYLE, FC_AUTOHINT, FC_RGBA,
                                 FC_LCD_FILTER, FC_CHARSET, FC_LANG}) {
        FcPatternDel(match.get(), property);
    }
    return match;
}

bool FileExists(const FcPattern& pattern) {
    FcChar8* file = nullptr;
    return FcPatternGetString(&pattern, FC_FILE, 0, &file) == FcResultMatch &&
           ModifiedNanoseconds(reinterpret_cast<const char*>(file)) != DirectoryStamp::kAbsent;
}

FcPatternHandle FindMatch(const FontRequest& request) {
    FontMatchCache& remembered = Remembered();
    if (const std::string* text = remembered.find(request)) {
        FcPatternHandle match(FcNameParse(reinterpret_cast<const FcChar8*>(text->c_str())));
        if (match && FileExists(*match)) {
            return match;
        }
    }
    FcPatternHandle match = FontconfigMatch(request);
    if (match) {
        if (FcChar8* text = FcNameUnparse(match.get())) {
            remembered.add(request, reinterpret_cast<const char*>(text), FontDirectoryStamps());
            FcStrFree(text);
        }
    }
    return match;
}

MatchedFace Match(const std::string& family, std::int32_t weight, bool italic) {
    MatchedFace matched;
    // GDI's mapping gives a font without a face name the default proportional face.
    matched.pattern =
        FindMatch({family.empty() ? std::string(kDefaultFace) : family, weight, italic});
    if (!matched.pattern) {
        return {};
    }
    const FcPattern* pattern = matched.pattern.get();
    if (FcChar8* file = nullptr; FcPatternGetString(pattern, FC_FILE, 0, &file) == FcResultMatch) {
        matched.file = reinterpret_cast<const char*>(file);
        int index = 0;
        FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
        // Faces fontconfig makes bolder or slanted are rendered by Cairo alone.
        FcBool embolden = FcFalse;
        FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &embolden);
        FcMatrix* matrix = nullptr;
        if (!embolden && FcPatternGetMatrix(pattern, FC_MATRIX, 0, &matrix) != FcResultMatch) {
            matched.stored = CurrentFontFile(matched.file, index);
        }
    }
    if (std::optional<FaceMetrics> stored =
            matched.stored ? StoredFace(*matched.stored) : std::nullopt) {
        matched.metrics = std::move(*stored);
    } else if (std::optional<FaceMetrics> read = ReadFaceMetrics(matched.face())) {
        matched.metrics = std::move(*read);
        if (matched.stored) {
            StoreFace(*matched.stored, matched.metrics);
        }
    }
    return matched;
}

Band DecorationBand(double position, double size, std::int32_t ppem, double unitsPerEm) {
    const std::int32_t at = Scaled(position, ppem, unitsPerEm);
    const std::int32_t thickness = std::max(1, Scaled(size, ppem, unitsPerEm));
    return Band{-(at + thickness / 2), thickness};
}

} // namespace

const MatchedFace* FaceCache::find(const std::string& family, std::int32_t weight, bool italic) {
    auto key = std::make_tuple(family, weight, italic);
    auto it = faces_.find(key);
    if (it == faces_.end()) {
        it = faces_.emplace(std::move(key), Match(family, weight, italic)).first;
    }
    return it->second.pattern ? &it->second : nullptr;
}

cairo_font_face_t* MatchedFace::face() const {
    if (!face_) {
        face_.reset(cairo_ft_font_face_create_for_pattern(pattern.get()));
        if (face_ && stored) {
            AttachFontFile(face_.get(), *stored);
        }
    }
    return face_.get();
}

bool SmoothedAt(const FaceMetrics& face, std::int32_t ppem) {
    if (face.gaspRanges.empty()) {
        return true;
    }
    for (const auto& [maxPpem, behaviour] : face.gaspRanges) {
        if (ppem <= maxPpem) {
            return (behaviour & kGaspDoGray) != 0;
        }
    }
    return true;
}

std::int32_t PixelsPerEm(std::int32_t lfHeight, const FaceMetrics& face) {
    if (lfHeight < 0) {
        return lfHeight == std::numeric_limits<std::int32_t>::min() ? kLargestEm + 1 : -lfHeight;
    }
    const std::int32_t cell = lfHeight == 0 ? kDefaultCellHeight : lfHeight;
    const double units = face.winAscent + face.winDescent;
    if (units <= 0) {
        return cell;
    }
    std::int32_t ppem = std::max<std::int32_t>(
        1, static_cast<std::int32_t>(std::lround(cell * face.unitsPerEm / units)));
    // The cell of the rounded em must not outgrow the height asked for.
    while (ppem > 1 && Scaled(face.winAscent, ppem, face.unitsPerEm) +
                               Scaled(face.winDescent, ppem, face.unitsPerEm) >
                           cell) {
        --ppem;
    }
    return ppem;
}

TextMetrics GdiTextMetrics(const FaceMetrics& face, std::int32_t ppem) {
    TextMetrics tm;
    const double upem = face.unitsPerEm;
    tm.ascent = Scaled(face.winAscent, ppem, upem);
    tm.descent = Scaled(face.winDescent, ppem, upem);
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = tm.height - ppem;
    const double typographic = face.hheaAscender - face.hheaDescender;
    const double gap = face.lineGap - ((face.winAscent + face.winDescent) - typographic);
    tm.externalLeading = std::max(0, Scaled(gap, ppem, upem));
    tm.aveCharWidth = Scaled(face.avgCharWidth, ppem, upem);
    tm.maxCharWidth = Scaled(face.maxCharWidth, ppem, upem);
    return tm;
}

Band UnderlineBand(const FaceMetrics& face, std::int32_t ppem) {
    return DecorationBand(face.underlinePosition, face.underlineThickness, ppem, face.unitsPerEm);
}

Band StrikeoutBand(const FaceMetrics& face, std::int32_t ppem) {
    return DecorationBand(face.strikeoutPosition, face.strikeoutSize, ppem, face.unitsPerEm);
}

GdiFont MakeGdiFont(const LogFont& description, FaceCache& faces,
                    const cairo_font_options_t* options, GlyphPixels pixels) {
    GdiFont font;
    const MatchedFace* matched =
        faces.find(description.faceName, description.weight, description.italic != 0);
    if (matched == nullptr) {
        return font;
    }
    const std::int32_t ppem = PixelsPerEm(description.height, matched->metrics);
    if (ppem > kLargestEm) {
        return font;
    }
    font.sizingOptions.reset(cairo_font_options_copy(options));
    if (description.escapement != 0) {
        font.linearOptions.reset(cairo_font_options_copy(options));
        cairo_font_options_set_hint_metrics(font.linearOptions.get(), CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(font.linearOptions.get(), CAIRO_HINT_STYLE_NONE);
    }
    if (pixels == GlyphPixels::BlackAndWhite ||
        (pixels == GlyphPixels::GreyByGasp && !SmoothedAt(matched->metrics, ppem))) {
        // Black-and-white glyphs need their outlines fitted to the pixel grid to stay even.
        font.drawingOptions.reset(cairo_font_options_copy(options));
        cairo_font_options_set_antialias(font.drawingOptions.get(), CAIRO_ANTIALIAS_NONE);
        cairo_font_options_set_hint_style(font.drawingOptions.get(), CAIRO_HINT_STYLE_FULL);
    }
    font.matched = matched;
    font.ppem = ppem;
    font.metrics = GdiTextMetrics(matched->metrics, ppem);
    font.underline = description.underline != 0;
    font.strikeOut = description.strikeOut != 0;
    font.underlineBand = UnderlineBand(matched->metrics, ppem);
    font.strikeoutBand = StrikeoutBand(matched->metrics, ppem);
    font.escapement = description.escapement / 10.0 * kPi / 180.0;
    font.angle = description.escapement;
    return font;
}

namespace {

cairo_scaled_font_t* MadeScaledFont(const GdiFont& font, ScaledFontHandle& made,
                                    const cairo_font_options_t* options, double turn = 0) {
    if (!made) {
        cairo_matrix_t size;
        cairo_matrix_t identity;
        cairo_matrix_init_rotate(&size, -turn);
        cairo_matrix_scale(&size, font.ppem, font.ppem);
        cairo_matrix_init_identity(&identity);
        made.reset(cairo_scaled_font_create(FaceOf(font), &size, &identity, options));
    }
    return made.get();
}

// The store's strike when the face's file is known to it, else the scaled font's own.
Strike* FontStrike(const GdiFont& font, std::shared_ptr<Strike>& held,
                   const cairo_font_options_t* options,
                   cairo_scaled_font_t* (*scaled)(const GdiFont&), std::int32_t angle = 0) {
    if (!font.matched->stored) {
        return StrikeOf(scaled(font));
    }
    if (!held) {
        held =
            StrikeFor(StrikeKey{font.ppem, StrikeOptions(options), *font.matched->stored, angle});
    }
    return held.get();
}

} // namespace

const cairo_font_options_t* DrawingOptions(const GdiFont& font) {
    return font.drawingOptions ? font.drawingOptions.get() : font.sizingOptions.get();
}

cairo_font_face_t* FaceOf(const GdiFont& font) {
    return font.matched->face();
}

cairo_scaled_font_t* SizingFont(const GdiFont& font) {
    return MadeScaledFont(font, font.sizing, font.sizingOptions.get());
}

cairo_scaled_font_t* DrawingFont(const GdiFont& font) {
    return font.drawingOptions ? MadeScaledFont(font, font.drawing, font.drawingOptions.get())
                               : SizingFont(font);
}

cairo_scaled_font_t* LinearFont(const GdiFont& font) {
    return font.linearOptions ? MadeScaledFont(font, font.linear, font.linearOptions.get())
                              : SizingFont(font);
}

cairo_scaled_font_t* TurnedFont(const GdiFont& font) {
    return MadeScaledFont(font, font.turned, DrawingOptions(font), font.escapement);
}

GlyphSource SizingSource(const GdiFont& font) {
    return GlyphSource{FontStrike(font, font.sizingStrike, font.sizingOptions.get(), SizingFont),
                       [&font] { return SizingFont(font); }};
}

GlyphSource DrawingSource(const GdiFont& font) {
    if (!font.drawingOptions) {
        return SizingSource(font);
    }
    return GlyphSource{FontStrike(font, font.drawingStrike, font.drawingOptions.get(), DrawingFont),
                       [&font] { return DrawingFont(font); }};
}

GlyphSource LinearSource(const GdiFont& font) {
    if (!font.linearOptions) {
        return SizingSource(font);
    }
    return GlyphSource{FontStrike(font, font.linearStrike, font.linearOptions.get(), LinearFont),
                       [&font] { return LinearFont(font); }};
}

GlyphSource TurnedSource(const GdiFont& font) {
    // A turned strike holds coverage only: the turned font's own advances are never used.
    return GlyphSource{
        FontStrike(font, font.turnedStrike, DrawingOptions(font), TurnedFont, font.angle),
        [&font] { return TurnedFont(font); }};
}

void SaveFontMatches() {
    SaveGlyphStore();
    if (g_remembered.cache.changed()) {
        SaveFontMatchCache(g_remembered.cache, FontMatchCachePath(), ConfigurationIdentity());
        g_remembered.loaded = false;
    }
}

void ReleaseFontConfiguration() {
    SaveFontMatches();
    ReleaseGlyphStore();
    g_remembered = {};
    FcFini();
    g_configured = false;
}

} // namespace velk::cairo
