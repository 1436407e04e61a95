#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vlkw {

// Creates or replaces the file; false when it cannot be written completely.
bool WriteBytesToFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

std::optional<std::vector<std::uint8_t>> ReadBytesFromFile(const std::filesystem::path& path);

} // namespace vlkw
