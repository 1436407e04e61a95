#include "base/ansi_text.h"

#include <cmath>
#include <limits>

namespace velk {

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string CutTo(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, limit));
}

std::string CutAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
    std::vector<std::string> items;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        items.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return items;
        }
        start = end + 1;
    }
}

double LenientNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    double sign = 1.0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        sign = text[i] == '-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10.0 + (text[i] - '0');
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i] - '0') * scale;
            scale /= 10.0;
            ++i;
        }
    }
    return sign * value;
}

std::int32_t LenientInteger(std::string_view text) {
    const double value = std::floor(LenientNumber(text));
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

std::int64_t RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5) {
        result = below + 1.0;
    } else if (fraction == 0.5) {
        result = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    }
    return static_cast<std::int64_t>(result);
}

std::string MessageNumber(std::int64_t value) {
    std::string text = value < 0 ? "" : " ";
    text += std::to_string(value);
    return text;
}

} // namespace velk
