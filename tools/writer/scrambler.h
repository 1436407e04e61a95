#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vlkw {

// The password scrambler. Key bytes depend only on the key text and the data length; the
// scrambled form is the XOR of the two, so the same call scrambles and unscrambles. A document
// stores its password scrambled with the password itself as the key.

// The digits one group of key characters contributes: the product of (position + code) over
// the text, plus n, in decimal with its first three digits dropped when it has more than three.
std::string DigitsOf(std::string_view text, std::int64_t n);

// The digit string that key bytes are cut from, for a key and a data length n.
std::string KeyDigits(std::string_view key, std::size_t n);

std::vector<std::uint8_t> KeyBytes(std::string_view key, std::size_t n);

std::vector<std::uint8_t> Scramble(std::span<const std::uint8_t> data, std::string_view key);

} // namespace vlkw
