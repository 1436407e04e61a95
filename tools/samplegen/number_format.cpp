#include "samplegen/number_format.h"

namespace samplegen {

namespace {

std::uint64_t Magnitude(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// Texts are built by appending: g++ 12 at -O3 warns falsely about prepending to a string.
void AppendGrouped(std::string& out, std::uint64_t value) {
    const std::string digits = std::to_string(value);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
}

} // namespace

std::string Grouped(std::int64_t value) {
    std::string out = value < 0 ? "-" : "";
    AppendGrouped(out, Magnitude(value));
    return out;
}

std::string Money(std::int64_t cents) {
    const std::uint64_t magnitude = Magnitude(cents);
    const std::uint64_t fraction = magnitude % 100;
    std::string out = cents < 0 ? "-" : "";
    AppendGrouped(out, magnitude / 100);
    out += '.';
    out += static_cast<char>('0' + fraction / 10);
    out += static_cast<char>('0' + fraction % 10);
    return out;
}

std::string Tenths(std::int64_t tenths, bool withSign) {
    const std::uint64_t magnitude = Magnitude(tenths);
    std::string out = tenths < 0 ? "-" : (withSign ? "+" : "");
    out += std::to_string(magnitude / 10);
    out += '.';
    out += static_cast<char>('0' + magnitude % 10);
    return out;
}

} // namespace samplegen
