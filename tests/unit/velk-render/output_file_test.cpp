// Page files as each build writes them.
#include "output_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velk::cli {
namespace {

std::vector<std::uint8_t> Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(VelkRenderOutputFile, AFileWrittenAgainHoldsExactlyWhatWasWrittenLast) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("velk-output-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    // Longer, shorter, longer again, and nothing: nothing of an earlier file may remain.
    for (const std::size_t size : {100u, 10u, 40u, 0u}) {
        const std::vector<std::uint8_t> bytes(size, static_cast<std::uint8_t>('A' + size % 26));
        const auto file = CreateOutputFile(path.string());
        ASSERT_NE(file, nullptr);
        file->write(std::span(bytes).first(size / 2));
        file->write(std::span(bytes).subspan(size / 2));
        ASSERT_TRUE(file->close()) << size;
        EXPECT_EQ(Contents(path), bytes) << size;
    }
    std::filesystem::remove(path);
}

#ifndef _WIN32

TEST(VelkRenderOutputFile, WhatCannotBeOpenedOrWrittenFails) {
    EXPECT_EQ(CreateOutputFile("/nonexistent-directory/page-1.png"), nullptr);
    // More than a stream's buffer holds, so that writing fails before the stream is flushed.
    const std::vector<std::uint8_t> bytes(100000, 1);
    // Devices have no length to cut: /dev/null takes everything, /dev/full nothing.
    const std::pair<const char*, bool> devices[] = {{"/dev/null", true}, {"/dev/full", false}};
    for (const auto& [path, written] : devices) {
        const auto file = CreateOutputFile(path);
        ASSERT_NE(file, nullptr) << path;
        file->write(bytes);
        EXPECT_EQ(file->close(), written) << path;
        EXPECT_FALSE(file->close()) << path << ", closed twice";
    }
}

#endif

} // namespace
} // namespace velk::cli
