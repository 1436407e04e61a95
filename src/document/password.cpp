#include "document/password.h"

#include "base/ansi_text.h"

#include <algorithm>

namespace velk {

std::string digitsOf(std::string_view text, std::int64_t n) {
    std::int64_t product = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        product *= static_cast<std::int64_t>(i + 1) + static_cast<unsigned char>(text[i]);
    }
    std::string digits = std::to_string(product + n);
    return digits.size() > 3 ? digits.substr(3) : digits;
}

namespace {

// The text of one pass over a group of key characters: character m becomes (j + 256) mod
// (code + 1).
std::string PassText(std::string_view group, int pass) {
    std::string text;
    for (const char c : group) {
        const int code = static_cast<unsigned char>(c);
        text.push_back(static_cast<char>((pass + 256) % (code + 1)));
    }
    return text;
}

std::string KeyDigits(std::string_view key, std::size_t n) {
    const std::size_t k = key.size();
    const std::size_t groups = k / 7;
    const std::size_t rest = k % 7;
    const std::size_t passes = n / k + 1;
    std::string digits;
    for (std::size_t pass = 1; pass <= passes; ++pass) {
        for (std::size_t g = 0; g < groups; ++g) {
            digits += digitsOf(PassText(key.substr(7 * g, 7), static_cast<int>(pass)),
                               static_cast<std::int64_t>(n));
        }
        if (rest > 0) {
            digits += digitsOf(PassText(key.substr(k - rest), static_cast<int>(pass)),
                               static_cast<std::int64_t>(n));
        }
        if (digits.size() > n) {
            break;
        }
    }
    return digits;
}

std::vector<std::uint8_t> KeyBytes(std::string_view key, std::size_t n) {
    const std::string digits = KeyDigits(key, n);
    const std::int64_t length = static_cast<std::int64_t>(digits.size());
    std::vector<std::uint8_t> bytes;
    std::int64_t p = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        ++p;
        if (p > length - 3) {
            p = 1;
        }
        const auto start = static_cast<std::size_t>(p - 1);
        const std::string_view window =
            start < digits.size() ? std::string_view(digits).substr(start, 3) : std::string_view();
        int value = 0;
        for (const char d : window) {
            value = value * 10 + (d - '0');
        }
        int byte = value % 256;
        if (byte == 0) {
            byte = static_cast<int>(256 % (p + static_cast<std::int64_t>(i)) % 256);
        }
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    return bytes;
}

} // namespace

std::string Unscrambler::unscramble(std::string_view data, std::string_view key) {
    if (key.empty()) {
        return std::string(data);
    }
    if (!cached_ || key != lastKey_ || data.size() != lastLength_) {
        keyBytes_ = KeyBytes(key, data.size());
        lastKey_ = key;
        lastLength_ = data.size();
        cached_ = true;
        ++keyBuilds_;
    }
    std::string result(data);
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char>(static_cast<unsigned char>(result[i]) ^ keyBytes_[i]);
    }
    return result;
}

bool PasswordMatches(const DocumentHeader& header, std::string_view typed,
                     Unscrambler& unscrambler) {
    const std::string padded =
        std::string(typed.substr(0, kTypedPasswordLimit)) + std::string(20, ' ');
    const std::size_t n = static_cast<std::size_t>(std::max<int>(header.passwordLength, 0));
    const std::string key = padded.substr(0, std::min(n, padded.size()));
    const std::string data(reinterpret_cast<const char*>(header.password.data()),
                           std::min(n, header.password.size()));
    const std::string plain = unscrambler.unscramble(data, key);
    return plain.substr(0, n) == TrimBlanks(padded);
}

} // namespace velk
