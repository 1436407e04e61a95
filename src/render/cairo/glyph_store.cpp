#include "render/cairo/glyph_store.h"

#include "render/cairo/cache_file.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/utf8_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <set>

namespace velk::cairo {

namespace {

// The file, numbers little-endian, a font file as u32 path length, path, i64 face index,
// i64 modified, i64 size:
//   "velk-glyphs 3\n", u64 FNV-1a of the identity
//   u32 count, each face: its font file, the twelve numbers of FaceMetrics as f64 in their
//     order, u16 count, each 'gasp' range: u16 largest em, u16 behaviour
//   each strike: its key (font file, i32 ppem, i32 options, i32 angle), u32 length of the rest; u16
//   count, each byte glyph: u8 byte,
//     u8 usable, u32 index, f64 advance; u32 count, each coverage: u32 index, i32 left,
//     i32 top, u16 width, u16 height, the levels row by row
constexpr std::string_view kMagic = "velk-glyphs 3\n";
constexpr std::uint32_t kLongestPath = 4096;
constexpr std::int32_t kFarthest = 1 << 22; // from a glyph's origin to its coverage
constexpr double kLongestAdvance = 1 << 24;
constexpr std::uint32_t kMostCoverages = 1 << 16;
constexpr std::uint32_t kMostFaces = 1 << 12;
constexpr double kLargestFontUnits = 1 << 20;

// The unsigned integer of a number's size, which its bytes are read into and written from.
template <typename T>
using BitsOf = std::conditional_t<
    sizeof(T) == 8, std::uint64_t,
    std::conditional_t<sizeof(T) == 4, std::uint32_t,
                       std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint8_t>>>;

class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : rest_(bytes), size_(bytes.size()) {}
    bool done() const { return rest_.empty(); }
    std::size_t offset() const { return size_ - rest_.size(); }

    template <typename T> std::optional<T> number() {
        using Bits = BitsOf<T>;
        if (rest_.size() < sizeof(T)) {
            return std::nullopt;
        }
        Bits bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bits |= static_cast<Bits>(static_cast<Bits>(static_cast<unsigned char>(rest_[i]))
                                      << (8 * i));
        }
        rest_.remove_prefix(sizeof(T));
        return std::bit_cast<T>(bits);
    }

    std::optional<std::string_view> take(std::size_t count) {
        if (rest_.size() < count) {
            return std::nullopt;
        }
        const std::string_view taken = rest_.substr(0, count);
        rest_.remove_prefix(count);
        return taken;
    }

  private:
    std::string_view rest_;
    std::size_t size_;
};

template <typename T> void Put(std::string& out, T value) {
    const auto bits = std::bit_cast<BitsOf<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
}

std::optional<FontFile> ReadFontFile(ByteReader& in) {
    const auto length = in.number<std::uint32_t>();
    if (!length || *length > kLongestPath) {
        return std::nullopt;
    }
    const auto path = in.take(*length);
    const auto index = in.number<std::int64_t>();
    const auto modified = in.number<std::int64_t>();
    const auto size = in.number<std::int64_t>();
    if (!path || !index || !modified || !size) {
        return std::nullopt;
    }
    return FontFile{*size, *modified, *index, std::string(*path)};
}

std::optional<StrikeKey> ReadKey(ByteReader& in) {
    std::optional<FontFile> file = ReadFontFile(in);
    const auto ppem = in.number<std::int32_t>();
    const auto options = in.number<std::int32_t>();
    const auto angle = in.number<std::int32_t>();
    if (!file || !ppem || !options || !angle) {
        return std::nullopt;
    }
    return StrikeKey{*ppem, *options, std::move(*file), *angle};
}

// The numbers of FaceMetrics, in the order the file holds them.
auto FaceNumbers(FaceMetrics& m) {
    return std::array<double*, 12>{
        &m.unitsPerEm,         &m.winAscent,         &m.winDescent,
        &m.hheaAscender,       &m.hheaDescender,     &m.lineGap,
        &m.avgCharWidth,       &m.maxCharWidth,      &m.underlinePosition,
        &m.underlineThickness, &m.strikeoutPosition, &m.strikeoutSize};
}

std::optional<FaceMetrics> ReadFace(ByteReader& in) {
    FaceMetrics metrics;
    for (double* number : FaceNumbers(metrics)) {
        const auto value = in.number<double>();
        if (!value || !(std::fabs(*value) <= kLargestFontUnits)) {
            return std::nullopt;
        }
        *number = *value;
    }
    const auto ranges = in.number<std::uint16_t>();
    if (!(metrics.unitsPerEm > 0) || !ranges) {
        return std::nullopt;
    }
    for (std::uint16_t i = 0; i < *ranges; ++i) {
        const auto largest = in.number<std::uint16_t>();
        const auto behaviour = in.number<std::uint16_t>();
        if (!largest || !behaviour) {
            return std::nullopt;
        }
        metrics.gaspRanges.emplace_back(*largest, *behaviour);
    }
    return metrics;
}

bool ReadByteGlyphs(ByteReader& in, Strike& strike) {
    const auto count = in.number<std::uint16_t>();
    if (!count || *count > 256) {
        return false;
    }
    for (std::uint16_t i = 0; i < *count; ++i) {
        const auto byte = in.number<std::uint8_t>();
        const auto usable = in.number<std::uint8_t>();
        const auto index = in.number<std::uint32_t>();
        const auto advance = in.number<double>();
        if (!byte || !usable || *usable > 1 || !index || !advance ||
            !(std::fabs(*advance) <= kLongestAdvance)) {
            return false;
        }
        const char character = static_cast<char>(*byte);
        strike.bytes[*byte] = ByteGlyph{true, *usable == 1, *index, *advance,
                                        static_cast<int>(AnsiToUtf8({&character, 1}).size())};
    }
    return true;
}

bool ReadCoverages(ByteReader& in, Strike& strike) {
    const auto count = in.number<std::uint32_t>();
    if (!count || *count > kMostCoverages) {
        return false;
    }
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto index = in.number<std::uint32_t>();
        const auto left = in.number<std::int32_t>();
        const auto top = in.number<std::int32_t>();
        const auto width = in.number<std::uint16_t>();
        const auto height = in.number<std::uint16_t>();
        if (!index || !left || !top || !width || !height || std::abs(*left) > kFarthest ||
            std::abs(*top) > kFarthest || (*width == 0) != (*height == 0)) {
            return false;
        }
        const auto levels = in.take(std::size_t{*width} * *height);
        if (!levels) {
            return false;
        }
        strike.coverages[*index] =
            GlyphCoverage{*left, *top, *width, *height,
                          std::vector<std::uint8_t>(levels->begin(), levels->end())};
    }
    return true;
}

void PutFontFile(std::string& out, const FontFile& file) {
    Put(out, static_cast<std::uint32_t>(file.path.size()));
    out += file.path;
    Put(out, file.index);
    Put(out, file.modified);
    Put(out, file.size);
}

void PutKey(std::string& out, const StrikeKey& key) {
    PutFontFile(out, key.file);
    Put(out, key.ppem);
    Put(out, key.options);
    Put(out, key.angle);
}

void PutFace(std::string& out, const FontFile& file, FaceMetrics metrics) {
    PutFontFile(out, file);
    for (const double* number : FaceNumbers(metrics)) {
        Put(out, *number);
    }
    const std::size_t ranges = std::min<std::size_t>(metrics.gaspRanges.size(), UINT16_MAX);
    Put(out, static_cast<std::uint16_t>(ranges));
    for (std::size_t i = 0; i < ranges; ++i) {
        Put(out, metrics.gaspRanges[i].first);
        Put(out, metrics.gaspRanges[i].second);
    }
}

void PutBody(std::string& out, const Strike& strike) {
    std::uint16_t known = 0;
    for (const ByteGlyph& glyph : strike.bytes) {
        known += glyph.known ? 1 : 0;
    }
    Put(out, known);
    for (std::size_t byte = 0; byte < strike.bytes.size(); ++byte) {
        const ByteGlyph& glyph = strike.bytes[byte];
        if (glyph.known) {
            Put(out, static_cast<std::uint8_t>(byte));
            Put(out, static_cast<std::uint8_t>(glyph.usable ? 1 : 0));
            Put(out, static_cast<std::uint32_t>(glyph.index));
            Put(out, glyph.advance);
        }
    }
    std::uint32_t kept = 0;
    const std::size_t countAt = out.size();
    Put(out, kept);
    // In order of their glyphs, so that the same strike always makes the same bytes.
    std::vector<unsigned long> indices;
    indices.reserve(strike.coverages.size());
    for (const auto& [index, coverage] : strike.coverages) {
        indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    for (const unsigned long index : indices) {
        const GlyphCoverage& coverage = strike.coverages.at(index);
        if (index > UINT32_MAX || coverage.width > UINT16_MAX || coverage.height > UINT16_MAX ||
            kept == kMostCoverages) {
            continue;
        }
        Put(out, static_cast<std::uint32_t>(index));
        Put(out, coverage.left);
        Put(out, coverage.top);
        Put(out, static_cast<std::uint16_t>(coverage.width));
        Put(out, static_cast<std::uint16_t>(coverage.height));
        out.append(coverage.levels.begin(), coverage.levels.end());
        ++kept;
    }
    for (std::size_t i = 0; i < sizeof kept; ++i) {
        out[countAt + i] = static_cast<char>((kept >> (8 * i)) & 0xFF);
    }
}

} // namespace

GlyphStore GlyphStore::Read(std::string bytes, std::string_view identity) {
    GlyphStore store;
    ByteReader in(bytes);
    const auto magic = in.take(kMagic.size());
    const auto hash = in.number<std::uint64_t>();
    const auto faces = in.number<std::uint32_t>();
    if (!magic || *magic != kMagic || !hash || *hash != Fnv1a(identity) || !faces ||
        *faces > kMostFaces) {
        return {};
    }
    for (std::uint32_t i = 0; i < *faces; ++i) {
        std::optional<FontFile> file = ReadFontFile(in);
        std::optional<FaceMetrics> metrics = file ? ReadFace(in) : std::nullopt;
        if (!metrics || !store.faces_.emplace(std::move(*file), std::move(*metrics)).second) {
            return {};
        }
    }
    // A run uses a few fonts: each strike is found now and read when it is asked for.
    while (!in.done()) {
        const std::optional<StrikeKey> key = ReadKey(in);
        const auto length = in.number<std::uint32_t>();
        const std::size_t start = in.offset();
        if (!key || !length || !in.take(*length) ||
            !store.strikes_.emplace(*key, Entry{nullptr, start, *length}).second) {
            return {};
        }
    }
    store.bytes_ = std::move(bytes);
    return store;
}

std::string GlyphStore::bytes(std::string_view identity) const {
    std::string out(kMagic);
    Put(out, Fnv1a(identity));
    const std::size_t faces = std::min<std::size_t>(faces_.size(), kMostFaces);
    Put(out, static_cast<std::uint32_t>(faces));
    for (auto it = faces_.begin();
         it != std::next(faces_.begin(), static_cast<std::ptrdiff_t>(faces)); ++it) {
        PutFace(out, it->first, it->second);
    }
    // The strikes used since the store was read come first: what does not fit is left out.
    for (const bool used : {true, false}) {
        for (const auto& [key, entry] : strikes_) {
            if ((entry.strike != nullptr) != used) {
                continue;
            }
            std::string body;
            if (entry.strike) {
                PutBody(body, *entry.strike);
            } else {
                body.assign(bytes_, entry.offset, entry.length);
            }
            std::string one;
            PutKey(one, key);
            Put(one, static_cast<std::uint32_t>(body.size()));
            one += body;
            if (out.size() + one.size() <= kLargestFile) {
                out += one;
            }
        }
    }
    return out;
}

std::shared_ptr<Strike> GlyphStore::strike(const StrikeKey& key) {
    auto [it, added] = strikes_.try_emplace(key);
    Entry& entry = it->second;
    if (!entry.strike) {
        entry.strike = std::make_shared<Strike>();
        if (added) {
            added_ = true;
        } else {
            ByteReader in(std::string_view(bytes_).substr(entry.offset, entry.length));
            if (!ReadByteGlyphs(in, *entry.strike) || !ReadCoverages(in, *entry.strike) ||
                !in.done()) {
                // A damaged strike is learnt again, and written whole.
                *entry.strike = Strike{};
                entry.strike->grown = true;
            }
        }
    }
    return entry.strike;
}

std::vector<StrikeKey> GlyphStore::keys() const {
    std::vector<StrikeKey> keys;
    for (const auto& [key, entry] : strikes_) {
        keys.push_back(key);
    }
    return keys;
}

const FaceMetrics* GlyphStore::face(const FontFile& file) const {
    const auto it = faces_.find(file);
    return it == faces_.end() ? nullptr : &it->second;
}

void GlyphStore::addFace(const FontFile& file, FaceMetrics metrics) {
    if (faces_.size() < kMostFaces && faces_.emplace(file, std::move(metrics)).second) {
        added_ = true;
    }
}

bool GlyphStore::changed() const {
    if (added_) {
        return true;
    }
    for (const auto& [key, entry] : strikes_) {
        if (entry.strike && entry.strike->grown) {
            return true;
        }
    }
    return false;
}

void GlyphStore::saved() {
    added_ = false;
    for (const auto& [key, entry] : strikes_) {
        if (entry.strike) {
            entry.strike->grown = false;
        }
    }
}

void GlyphStore::keep(const std::function<bool(const FontFile&)>& current) {
    std::erase_if(strikes_, [&current](const auto& entry) { return !current(entry.first.file); });
    std::erase_if(faces_, [&current](const auto& entry) { return !current(entry.first); });
}

std::string GlyphStoreIdentity() {
    return std::string("cairo ") + cairo_version_string() + "; freetype " +
           std::to_string(FREETYPE_MAJOR) + "." + std::to_string(FREETYPE_MINOR) + "." +
           std::to_string(FREETYPE_PATCH) + "; coverage in 17 levels";
}

namespace {

struct OpenStore {
    bool loaded = false;
    GlyphStore store;
};
OpenStore g_open;

GlyphStore& TheStore() {
    if (!g_open.loaded) {
        g_open.store = GlyphStore::Read(
            ReadCacheFile(CacheFilePath("glyphs"), GlyphStore::kLargestFile), GlyphStoreIdentity());
        g_open.loaded = true;
    }
    return g_open.store;
}

const cairo_user_data_key_t kFontFileKey{};
const cairo_user_data_key_t kStrikeKey{};

} // namespace

std::optional<FontFile> CurrentFontFile(const std::string& path, std::int64_t index) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FontFile{static_cast<std::int64_t>(status.st_size),
                    std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
                    index, path};
}

std::int32_t StrikeOptions(const cairo_font_options_t* options) {
    return static_cast<std::int32_t>(cairo_font_options_get_antialias(options)) |
           static_cast<std::int32_t>(cairo_font_options_get_hint_style(options)) << 8 |
           static_cast<std::int32_t>(cairo_font_options_get_hint_metrics(options)) << 16;
}

namespace {

std::int32_t OptionsOf(cairo_scaled_font_t* font) {
    const FontOptionsHandle options(cairo_font_options_create());
    cairo_scaled_font_get_font_options(font, options.get());
    return StrikeOptions(options.get());
}

// A strike kept with its scaled font; the store may let go of it first.
using HeldStrike = std::shared_ptr<Strike>;

std::shared_ptr<Strike> FindStrike(cairo_scaled_font_t* font) {
    const auto* file = static_cast<const FontFile*>(
        cairo_font_face_get_user_data(cairo_scaled_font_get_font_face(font), &kFontFileKey));
    cairo_matrix_t matrix;
    cairo_scaled_font_get_font_matrix(font, &matrix);
    cairo_matrix_t device;
    cairo_scaled_font_get_ctm(font, &device);
    // Only upright scales at whole pixels are kept.
    const bool upright = matrix.xy == 0 && matrix.yx == 0 && matrix.xx == matrix.yy &&
                         matrix.xx == std::round(matrix.xx) && matrix.xx > 0 &&
                         matrix.xx <= kFarthest && device.xx == 1 && device.yy == 1 &&
                         device.xy == 0 && device.yx == 0;
    if (file == nullptr || !upright) {
        return std::make_shared<Strike>();
    }
    return TheStore().strike(
        StrikeKey{static_cast<std::int32_t>(matrix.xx), OptionsOf(font), *file});
}

} // namespace

void AttachFontFile(cairo_font_face_t* face, const FontFile& file) {
    auto held = std::make_unique<FontFile>(file);
    const auto release = [](void* data) {
        const std::unique_ptr<FontFile> owned(static_cast<FontFile*>(data));
    };
    if (cairo_font_face_set_user_data(face, &kFontFileKey, held.get(), release) ==
        CAIRO_STATUS_SUCCESS) {
        held.release();
    }
}

Strike* StrikeOf(cairo_scaled_font_t* font) {
    if (auto* held = static_cast<HeldStrike*>(cairo_scaled_font_get_user_data(font, &kStrikeKey))) {
        return held->get();
    }
    auto held = std::make_unique<HeldStrike>(FindStrike(font));
    const auto release = [](void* data) {
        const std::unique_ptr<HeldStrike> owned(static_cast<HeldStrike*>(data));
    };
    if (cairo_scaled_font_set_user_data(font, &kStrikeKey, held.get(), release) !=
        CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    return held.release()->get();
}

std::shared_ptr<Strike> StrikeFor(const StrikeKey& key) {
    return TheStore().strike(key);
}

std::optional<FaceMetrics> StoredFace(const FontFile& file) {
    const FaceMetrics* metrics = TheStore().face(file);
    return metrics == nullptr ? std::nullopt : std::optional<FaceMetrics>(*metrics);
}

void StoreFace(const FontFile& file, const FaceMetrics& metrics) {
    TheStore().addFace(file, metrics);
}

GlyphSource SourceOf(cairo_scaled_font_t* font) {
    return GlyphSource{StrikeOf(font), [font] { return font; }};
}

void SaveGlyphStore() {
    if (!g_open.loaded || !g_open.store.changed()) {
        return;
    }
    g_open.store.keep(
        [](const FontFile& file) { return CurrentFontFile(file.path, file.index) == file; });
    if (WriteCacheFile(CacheFilePath("glyphs"), g_open.store.bytes(GlyphStoreIdentity()))) {
        g_open.store.saved();
    }
}

void ReleaseGlyphStore() {
    g_open = {};
}

} // namespace velk::cairo
