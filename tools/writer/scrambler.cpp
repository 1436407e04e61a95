#include "writer/scrambler.h"

namespace vlkw {

namespace {

std::uint8_t Code(char c) {
    return static_cast<std::uint8_t>(c);
}

// The text a run of key characters turns into on pass j: each character c becomes the
// character whose code is (j + 256) mod (c + 1).
std::string PassText(std::string_view run, std::int64_t j) {
    std::string text;
    for (const char c : run) {
        text.push_back(static_cast<char>((j + 256) % (Code(c) + 1)));
    }
    return text;
}

} // namespace

std::string DigitsOf(std::string_view text, std::int64_t n) {
    // Seven factors of at most 7 + 255 stay far below the int64 limit.
    std::int64_t product = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        product *= static_cast<std::int64_t>(i + 1) + Code(text[i]);
    }
    std::string digits = std::to_string(product + n);
    if (digits.size() > 3) {
        digits.erase(0, 3);
    }
    return digits;
}

std::string KeyDigits(std::string_view key, std::size_t n) {
    const std::size_t k = key.size();
    std::string digits;
    if (k == 0) {
        return digits;
    }
    const std::size_t groups = k / 7;
    const std::size_t rest = k % 7;
    const std::size_t passes = n / k + 1;
    const auto length = static_cast<std::int64_t>(n);
    for (std::size_t j = 1; j <= passes; ++j) {
        for (std::size_t g = 0; g < groups; ++g) {
            digits +=
                DigitsOf(PassText(key.substr(7 * g, 7), static_cast<std::int64_t>(j)), length);
        }
        if (rest > 0) {
            digits +=
                DigitsOf(PassText(key.substr(k - rest), static_cast<std::int64_t>(j)), length);
        }
        if (digits.size() > n) {
            break;
        }
    }
    return digits;
}

std::vector<std::uint8_t> KeyBytes(std::string_view key, std::size_t n) {
    const std::string digits = KeyDigits(key, n);
    const auto last = static_cast<std::int64_t>(digits.size()) - 3;
    std::vector<std::uint8_t> bytes;
    std::int64_t p = 0; // 1-based start of the three digits read next
    for (std::size_t i = 1; i <= n; ++i) {
        ++p;
        if (p > last) {
            p = 1;
        }
        int value = 0;
        for (const char digit :
             std::string_view(digits).substr(static_cast<std::size_t>(p - 1), 3)) {
            value = value * 10 + (digit - '0');
        }
        int byte = value % 256;
        if (byte == 0) {
            byte = 256 % static_cast<int>(p + static_cast<std::int64_t>(i)) % 256;
        }
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    return bytes;
}

std::vector<std::uint8_t> Scramble(std::span<const std::uint8_t> data, std::string_view key) {
    std::vector<std::uint8_t> result = KeyBytes(key, data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        result[i] ^= data[i];
    }
    return result;
}

} // namespace vlkw
