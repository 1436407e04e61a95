#pragma once

#include <cstdint>
#include <string>

namespace samplegen {

// 1234567 -> "1,234,567"
std::string Grouped(std::int64_t value);

// Cents as money without a currency sign: 4821050 -> "48,210.50"
std::string Money(std::int64_t cents);

// Tenths of a unit with one decimal and a sign when asked: 64 -> "6.4", with sign "+6.4"
std::string Tenths(std::int64_t tenths, bool withSign = false);

} // namespace samplegen
