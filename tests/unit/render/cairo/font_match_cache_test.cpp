// fontconfig's answers kept between runs: read back only whole, only for the configuration and
// font directories they were found with.
#ifndef _WIN32

#include "render/cairo/font_match_cache.h"
#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace velk {
namespace {

using cairo::DirectoryStamp;
using cairo::FontMatchCache;
using cairo::FontRequest;

constexpr std::string_view kConfiguration = "<fontconfig/>";

const std::vector<DirectoryStamp> kDirectories = {{"/fonts", 1'700'000'000'123'456'789},
                                                  {"/home/a b/.fonts", DirectoryStamp::kAbsent}};

std::int64_t AsStamped(const std::string& path) {
    for (const DirectoryStamp& directory : kDirectories) {
        if (directory.path == path) {
            return directory.modified;
        }
    }
    return DirectoryStamp::kAbsent;
}

// Texts that could break a line or a counted field.
FontMatchCache TwoAnswers() {
    FontMatchCache cache;
    cache.add({"Times New Roman", 700, true}, "Liberation Serif:file=/fonts/serif.ttf",
              kDirectories);
    cache.add({"Odd\nname 3:x", -5, false}, "pattern\nwith 12:colons ", kDirectories);
    cache.add({"", 0, false}, "", kDirectories);
    return cache;
}

TEST(FontMatchCache, ReadsBackWhatItWrote) {
    const std::string text = TwoAnswers().text(kConfiguration);
    const FontMatchCache read = FontMatchCache::Read(text, kConfiguration, AsStamped);
    ASSERT_NE(read.find({"Times New Roman", 700, true}), nullptr);
    EXPECT_EQ(*read.find({"Times New Roman", 700, true}), "Liberation Serif:file=/fonts/serif.ttf");
    ASSERT_NE(read.find({"Odd\nname 3:x", -5, false}), nullptr);
    EXPECT_EQ(*read.find({"Odd\nname 3:x", -5, false}), "pattern\nwith 12:colons ");
    ASSERT_NE(read.find({"", 0, false}), nullptr);
    EXPECT_EQ(*read.find({"", 0, false}), "");
    EXPECT_EQ(read.find({"Times New Roman", 700, false}), nullptr);
    EXPECT_EQ(read.find({"Times New Roman", 400, true}), nullptr);
    EXPECT_FALSE(read.changed());
    EXPECT_EQ(read.text(kConfiguration), text);
}

TEST(FontMatchCache, AnythingButAWholeCacheOfThisConfigurationIsIgnored) {
    const std::string text = TwoAnswers().text(kConfiguration);
    const auto replaced = [&text](std::string_view from, std::string_view to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::string cases[] = {
        replaced("matches 1 ", "matches 2 "),
        replaced("15:Times New Roman", "16:Times New Roman"),
        replaced("15:Times New Roman", "-1:Times New Roman"),
        replaced("700 1 ", "700 2 "),
        replaced("700 1 ", "2147483648 1 "),
        replaced("match 700", "font 700"),
        replaced("dir 1700000000123456789", "dir 1700000000123456788"),
        // Counted past the end.
        replaced("23:pattern", "99:pattern"),
    };
    for (const std::string& changed : cases) {
        EXPECT_EQ(FontMatchCache::Read(changed, kConfiguration, AsStamped)
                      .find({"Times New Roman", 700, true}),
                  nullptr)
            << changed;
    }
    EXPECT_EQ(FontMatchCache::Read(text, "<fontconfig></fontconfig>", AsStamped)
                  .find({"Times New Roman", 700, true}),
              nullptr);
    // A file cut short anywhere but at the end of a line.
    for (std::size_t length = 0; length < text.size(); ++length) {
        if (length == 0 || text[length - 1] != '\n') {
            EXPECT_EQ(FontMatchCache::Read(text.substr(0, length), kConfiguration, AsStamped)
                          .find({"Times New Roman", 700, true}),
                      nullptr)
                << length;
        }
    }
}

TEST(FontMatchCache, ADirectoryThatChangedOrAppearedVoidsEveryAnswer) {
    const std::string text = TwoAnswers().text(kConfiguration);
    const auto laterBy = [](const std::string& changedPath, std::int64_t modified) {
        return [changedPath, modified](const std::string& path) {
            return path == changedPath ? modified : AsStamped(path);
        };
    };
    EXPECT_EQ(
        FontMatchCache::Read(text, kConfiguration, laterBy("/fonts", 1'700'000'000'123'456'790))
            .find({"Times New Roman", 700, true}),
        nullptr);
    EXPECT_EQ(FontMatchCache::Read(text, kConfiguration, laterBy("/home/a b/.fonts", 0))
                  .find({"Times New Roman", 700, true}),
              nullptr);
}

TEST(FontMatchCache, AnswersFromOtherDirectoriesAreForgottenAndTheCountIsBounded) {
    FontMatchCache cache = TwoAnswers();
    const std::vector<DirectoryStamp> later = {{"/fonts", 1'800'000'000'000'000'000}};
    cache.add({"Arial", 400, false}, "Liberation Sans", later);
    EXPECT_EQ(cache.find({"Times New Roman", 700, true}), nullptr);
    ASSERT_NE(cache.find({"Arial", 400, false}), nullptr);
    EXPECT_TRUE(cache.changed());

    for (std::int32_t weight = 1; weight <= static_cast<std::int32_t>(FontMatchCache::kMostMatches);
         ++weight) {
        cache.add({"Face", weight, false}, "p", later);
    }
    EXPECT_NE(cache.find({"Face", FontMatchCache::kMostMatches - 1, false}), nullptr);
    EXPECT_EQ(cache.find({"Face", FontMatchCache::kMostMatches, false}), nullptr);
}

// The Cairo surface's faces through a cache file of its own.
class FontMatchCacheFile : public testing::CacheHomeSuite {
  protected:
    static std::string MatchedFile(const std::string& family) {
        cairo::FaceCache faces;
        const cairo::MatchedFace* face = faces.find(family, 400, false);
        return face == nullptr ? "(none)" : std::filesystem::path(face->file).filename().string();
    }

    std::filesystem::path file() const { return cacheFile("font-matches"); }

    std::string read() const {
        std::ifstream in(file(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void write(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }
};

TEST_F(FontMatchCacheFile, TheNextRunTakesTheAnswerFromTheFileWhileItsFileExists) {
    ASSERT_EQ(MatchedFile("Arial"), "LiberationSans-Regular.ttf");
    cairo::ReleaseFontCaches();
    std::string text = read();
    const std::string sans = "LiberationSans-Regular.ttf";
    const std::size_t at = text.find(sans);
    ASSERT_NE(at, std::string::npos) << text;

    // An answer of the same length that fontconfig would not give shows where answers come from.
    text.replace(at, sans.size(), "LiberationMono-Regular.ttf");
    write(text);
    EXPECT_EQ(MatchedFile("Arial"), "LiberationMono-Regular.ttf");
    cairo::ReleaseFontCaches();

    text.replace(at, sans.size(), "LiberationNone-Regular.ttf");
    write(text);
    EXPECT_EQ(MatchedFile("Arial"), sans);
    cairo::ReleaseFontCaches();
    EXPECT_NE(read().find(sans), std::string::npos);
}

} // namespace
} // namespace velk

#endif
