// velk.exe's version resource against the version the build was configured with
// (project(velk VERSION ...)): Explorer, the installer's uninstall entry and support questions
// all read these numbers, so they must not drift from the build's.
#ifdef _WIN32

#include "uidriver/paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The whole version block of velk.exe; empty when the file has none.
std::vector<char> VersionBlock() {
    const std::string path = uidriver::WindowsPath(VELK_TEST_PROGRAM);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        block.clear();
    }
    return block;
}

std::optional<VS_FIXEDFILEINFO> FixedInfo(std::vector<char>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return *static_cast<const VS_FIXEDFILEINFO*>(value);
}

std::optional<std::string> StringValue(std::vector<char>& block, const std::string& name) {
    const std::string query = "\\StringFileInfo\\040904E4\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0) {
        return std::nullopt;
    }
    // Whether the length counts the terminating zero differs between resource compilers.
    const auto* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

TEST(VersionResource, FixedFileAndProductVersionAreTheBuildsVersion) {
    auto block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource in " << VELK_TEST_PROGRAM;
    const auto fixed = FixedInfo(block);
    ASSERT_TRUE(fixed.has_value());
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);

    // Each 32-bit half holds two 16-bit parts, the higher part in the high word.
    struct Half {
        const char* name;
        DWORD actual;
        unsigned high;
        unsigned low;
    };
    const Half halves[] = {
        {"file MS", fixed->dwFileVersionMS, VELK_TEST_VERSION_MAJOR, VELK_TEST_VERSION_MINOR},
        {"file LS", fixed->dwFileVersionLS, VELK_TEST_VERSION_PATCH, 0},
        {"product MS", fixed->dwProductVersionMS, VELK_TEST_VERSION_MAJOR, VELK_TEST_VERSION_MINOR},
        {"product LS", fixed->dwProductVersionLS, VELK_TEST_VERSION_PATCH, 0},
    };
    for (const auto& half : halves) {
        EXPECT_EQ(HIWORD(half.actual), half.high) << half.name;
        EXPECT_EQ(LOWORD(half.actual), half.low) << half.name;
    }
}

TEST(VersionResource, StringsNameTheProductAndTheBuildsVersion) {
    auto block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource in " << VELK_TEST_PROGRAM;
    const std::pair<const char*, const char*> expected[] = {
        {"FileVersion", VELK_TEST_VERSION_TEXT},
        {"ProductVersion", VELK_TEST_VERSION_TEXT},
        {"ProductName", "velk"},
        {"FileDescription", "velk Print and Preview"},
        {"OriginalFilename", "velk.exe"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(StringValue(block, name), std::optional<std::string>(value)) << name;
    }
}

} // namespace

#endif
