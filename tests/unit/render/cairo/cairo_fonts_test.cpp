// Which installed font file the Cairo surface draws a face name with. The pages name Windows
// faces; the stand-ins must keep their metrics, and a face nobody has must still draw.
#ifndef _WIN32

#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

namespace velk {
namespace {

using VelkRenderCairoFaceMatch = testing::CairoSuite;

std::string MatchedFile(const std::string& family, std::int32_t weight, bool italic) {
    cairo::FaceCache faces;
    const cairo::MatchedFace* face = faces.find(family, weight, italic);
    return face == nullptr ? "(none)" : std::filesystem::path(face->file).filename().string();
}

TEST_F(VelkRenderCairoFaceMatch, FacesMapToTheirInstalledStandIns) {
    const std::tuple<const char*, std::int32_t, bool, const char*> cases[] = {
        {"Arial", 400, false, "LiberationSans-Regular.ttf"},
        {"Arial", 700, false, "LiberationSans-Bold.ttf"},
        {"Arial", 400, true, "LiberationSans-Italic.ttf"},
        {"arial", 0, false, "LiberationSans-Regular.ttf"}, // names are not case-sensitive
        {"Times New Roman", 400, false, "LiberationSerif-Regular.ttf"},
        {"Times New Roman", 700, true, "LiberationSerif-BoldItalic.ttf"},
        {"Courier New", 400, false, "LiberationMono-Regular.ttf"},
        {"Courier New", 800, false, "LiberationMono-Bold.ttf"},
        {"Arial Narrow", 400, false, "LiberationSansNarrow-Regular.ttf"},
        // A fixed-pitch face nobody has keeps fixed pitch.
        {"Lucida Console", 400, false, "LiberationMono-Regular.ttf"},
        {"Georgia", 400, false, "LiberationSerif-Regular.ttf"},
        // An installed face under its own name.
        {"Liberation Mono", 400, true, "LiberationMono-Italic.ttf"},
        // No name, or one nobody has: the default proportional face, as GDI gives it.
        {"", 400, false, "LiberationSans-Regular.ttf"},
        {"No Such Face 123", 400, false, "LiberationSans-Regular.ttf"},
        {"No Such Face 123", 700, false, "LiberationSans-Bold.ttf"},
    };
    for (const auto& [family, weight, italic, file] : cases) {
        EXPECT_EQ(MatchedFile(family, weight, italic), file)
            << family << " " << weight << (italic ? " italic" : "");
    }
}

} // namespace
} // namespace velk

#endif
