#pragma once

// fontconfig's answers to face requests, kept in a file between runs. Building fontconfig's
// list of fonts maps and checks the cache of every font directory, which takes longer than
// drawing a page of text; an answer found in an earlier run holds as long as no font
// directory has changed since.

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velk::cairo {

struct FontRequest {
    std::string family;
    std::int32_t weight = 0;
    bool italic = false;
    auto operator<=>(const FontRequest&) const = default;
};

// A font directory and its modification time in nanoseconds: a font added to or taken from
// the directory changes the time.
struct DirectoryStamp {
    static constexpr std::int64_t kAbsent = -1;
    std::string path;
    std::int64_t modified = kAbsent;
    bool operator==(const DirectoryStamp&) const = default;
};

using ModifiedTime = std::function<std::int64_t(const std::string& path)>;

class FontMatchCache {
  public:
    // A page can name any number of faces; the file stays small whatever pages were drawn.
    static constexpr std::size_t kMostMatches = 512;

    // The answers a file's text holds, or none when the text is not a whole cache of this
    // `configuration` (another version or configuration, cut short, damaged) or when a
    // directory has changed since.
    static FontMatchCache Read(std::string_view text, std::string_view configuration,
                               const ModifiedTime& modified);
    std::string text(std::string_view configuration) const;

    // fontconfig's answer as its pattern text (FcNameUnparse), or null.
    const std::string* find(const FontRequest& request) const;
    // An answer fontconfig gave with `directories` as they are now; answers given with other
    // directories are forgotten.
    void add(FontRequest request, std::string pattern, std::vector<DirectoryStamp> directories);
    bool changed() const { return changed_; }

  private:
    std::vector<DirectoryStamp> directories_;
    std::map<FontRequest, std::string> matches_;
    bool changed_ = false;
};

// $XDG_CACHE_HOME/velk/font-matches, else ~/.cache/velk/font-matches; empty when neither is
// known.
std::string FontMatchCachePath();

// A path's modification time, DirectoryStamp::kAbsent when there is nothing to read it from.
std::int64_t ModifiedNanoseconds(const std::string& path);

// The cache at `path`; empty when there is none or it no longer holds.
FontMatchCache LoadFontMatchCache(const std::string& path, std::string_view configuration);
bool SaveFontMatchCache(const FontMatchCache& cache, const std::string& path,
                        std::string_view configuration);

} // namespace velk::cairo
