#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// Texts are single-byte ANSI; "blanks" are spaces.
std::string TrimBlanks(std::string_view text);
std::string UpperCase(std::string_view text);

// The first `limit` characters of `text`.
std::string CutTo(std::string_view text, std::size_t limit);

// The text before the first NUL character.
std::string CutAtNul(std::string_view text);

// The items of a list separated by `separator`: one more than there are separators, empty
// items included.
std::vector<std::string> SplitList(std::string_view text, char separator);

// Numbers typed by the user or received as text: leading blanks skipped, optional sign, digits
// with an optional decimal point; reading stops at the first other character; no number reads
// as 0.
double LenientNumber(std::string_view text);

// The integer part of a lenient number, rounded down and held within 32 bits.
std::int32_t LenientInteger(std::string_view text);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t RoundHalfEven(double value);

// A number as it is written into a message: one leading blank when it is not negative.
std::string MessageNumber(std::int64_t value);

// Limits on texts handed to windows and on message texts and paths.
constexpr std::size_t kWindowTextLimit = 199;
constexpr std::size_t kMessageTextLimit = 299;

} // namespace velk
