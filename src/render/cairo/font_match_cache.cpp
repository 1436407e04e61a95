#include "render/cairo/font_match_cache.h"

#include "render/cairo/cache_file.h"

#include <sys/stat.h>

#include <charconv>
#include <limits>
#include <optional>

namespace velk::cairo {

namespace {

// The file, a record a line, every text as its length and its bytes so that no character in
// a path or face name can break a line:
//   velk-font-matches 1 CONFIGURATION-HASH
//   dir MODIFIED LENGTH:PATH
//   match WEIGHT ITALIC LENGTH:FAMILY LENGTH:PATTERN
constexpr std::string_view kMagic = "velk-font-matches 1 ";

// The file names the configuration it was made with without holding all of it.
std::string ConfigurationHash(std::string_view configuration) {
    std::uint64_t hash = Fnv1a(configuration);
    std::string hex(16, '0');
    for (std::size_t i = hex.size(); i-- > 0; hash >>= 4) {
        hex[i] = "0123456789abcdef"[hash & 0xF];
    }
    return hex;
}

class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool done() const { return rest_.empty(); }

    bool literal(std::string_view expected) {
        if (!rest_.starts_with(expected)) {
            return false;
        }
        rest_.remove_prefix(expected.size());
        return true;
    }

    std::optional<std::int64_t> number() {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (error != std::errc{}) {
            return std::nullopt;
        }
        rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
        return value;
    }

    std::optional<std::string> counted() {
        const std::optional<std::int64_t> length = number();
        if (!length || *length < 0 || !literal(":") ||
            static_cast<std::uint64_t>(*length) > rest_.size()) {
            return std::nullopt;
        }
        std::string bytes(rest_.substr(0, static_cast<std::size_t>(*length)));
        rest_.remove_prefix(bytes.size());
        return bytes;
    }

  private:
    std::string_view rest_;
};

void AppendCounted(std::string& text, std::string_view bytes) {
    text += std::to_string(bytes.size());
    text += ':';
    text += bytes;
}

std::optional<DirectoryStamp> ReadDirectory(LineReader& in) {
    const auto modified = in.number();
    if (!modified || !in.literal(" ")) {
        return std::nullopt;
    }
    auto path = in.counted();
    if (!path || !in.literal("\n")) {
        return std::nullopt;
    }
    return DirectoryStamp{std::move(*path), *modified};
}

std::optional<std::pair<FontRequest, std::string>> ReadMatch(LineReader& in) {
    const auto weight = in.number();
    if (!weight || *weight < std::numeric_limits<std::int32_t>::min() ||
        *weight > std::numeric_limits<std::int32_t>::max() || !in.literal(" ")) {
        return std::nullopt;
    }
    const auto italic = in.number();
    if (!italic || (*italic != 0 && *italic != 1) || !in.literal(" ")) {
        return std::nullopt;
    }
    auto family = in.counted();
    if (!family || !in.literal(" ")) {
        return std::nullopt;
    }
    auto pattern = in.counted();
    if (!pattern || !in.literal("\n")) {
        return std::nullopt;
    }
    return std::pair{
        FontRequest{std::move(*family), static_cast<std::int32_t>(*weight), *italic != 0},
        std::move(*pattern)};
}

} // namespace

FontMatchCache FontMatchCache::Read(std::string_view text, std::string_view configuration,
                                    const ModifiedTime& modified) {
    LineReader in(text);
    if (!in.literal(kMagic) || !in.literal(ConfigurationHash(configuration)) || !in.literal("\n")) {
        return {};
    }
    FontMatchCache cache;
    while (!in.done()) {
        if (in.literal("dir ")) {
            auto directory = ReadDirectory(in);
            if (!directory || modified(directory->path) != directory->modified) {
                return {};
            }
            cache.directories_.push_back(std::move(*directory));
        } else if (in.literal("match ")) {
            auto match = ReadMatch(in);
            if (!match || cache.matches_.size() == kMostMatches) {
                return {};
            }
            cache.matches_.insert(std::move(*match));
        } else {
            return {};
        }
    }
    return cache;
}

std::string FontMatchCache::text(std::string_view configuration) const {
    std::string text(kMagic);
    text += ConfigurationHash(configuration);
    text += '\n';
    for (const DirectoryStamp& directory : directories_) {
        text += "dir " + std::to_string(directory.modified) + ' ';
        AppendCounted(text, directory.path);
        text += '\n';
    }
    for (const auto& [request, pattern] : matches_) {
        text += "match " + std::to_string(request.weight) + (request.italic ? " 1 " : " 0 ");
        AppendCounted(text, request.family);
        text += ' ';
        AppendCounted(text, pattern);
        text += '\n';
    }
    return text;
}

const std::string* FontMatchCache::find(const FontRequest& request) const {
    const auto it = matches_.find(request);
    return it == matches_.end() ? nullptr : &it->second;
}

void FontMatchCache::add(FontRequest request, std::string pattern,
                         std::vector<DirectoryStamp> directories) {
    if (directories != directories_) {
        directories_ = std::move(directories);
        matches_.clear();
    }
    if (matches_.size() < kMostMatches) {
        matches_.insert_or_assign(std::move(request), std::move(pattern));
    }
    changed_ = true;
}

std::string FontMatchCachePath() {
    return CacheFilePath("font-matches");
}

std::int64_t ModifiedNanoseconds(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return DirectoryStamp::kAbsent;
    }
    return std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
}

FontMatchCache LoadFontMatchCache(const std::string& path, std::string_view configuration) {
    // The answers for every face a page can name fit in far less.
    constexpr std::size_t kLargestFile = 1 << 20;
    return FontMatchCache::Read(ReadCacheFile(path, kLargestFile), configuration,
                                ModifiedNanoseconds);
}

bool SaveFontMatchCache(const FontMatchCache& cache, const std::string& path,
                        std::string_view configuration) {
    return WriteCacheFile(path, cache.text(configuration));
}

} // namespace velk::cairo
