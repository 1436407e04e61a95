#include "document/password.h"
#include "support/documents.h"
#include "support/recording_services.h"
#include "writer/scrambler.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

std::vector<int> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<int> KeyBytesOf(const std::string& key, std::size_t n) {
    Unscrambler u;
    // Unscrambling zeros gives the key bytes themselves.
    std::vector<int> bytes;
    for (const char c : u.unscramble(std::string(n, '\0'), key)) {
        bytes.push_back(static_cast<unsigned char>(c));
    }
    return bytes;
}

TEST(DigitsOf, ProductPlusLengthWithoutTheFirstThreeDigits) {
    const std::tuple<std::string, std::int64_t, const char*> cases[] = {
        // (1+19)(2+53)(3+39)(4+41) = 2079000, + 4 = 2079004
        {std::string{19, 53, 39, 41}, 4, "9004"},
        // 1 + 1 = 2: three digits or fewer stay whole
        {std::string(1, '\0'), 1, "2"},
        // (1+99) + 900 = 1000
        {std::string(1, 99), 900, "0"},
        // 127*128*...*133 = 626965467448320: fifteen digits, beyond 32 bits, + 20
        {std::string(7, 126), 20, "965467448340"},
        // codes above 127 count as unsigned: (1+255) + 0 = 256
        {std::string(1, '\xff'), 0, "256"},
    };
    for (const auto& [text, n, expected] : cases) {
        EXPECT_EQ(digitsOf(text, n), expected) << n;
    }
}

TEST(Unscramble, KeyBytesMatchVectorsWorkedOutByHand) {
    // "velk", n = 4: pass 1 gives 9004, pass 2 (21*56*43*46 + 4 = 2326132) gives 6132;
    // windows 900, 004, 046, 461 -> 132, 4, 46, 205.
    EXPECT_EQ(KeyBytesOf("velk", 4), (std::vector<int>{132, 4, 46, 205}));
    // Eight characters: one group of seven and a rest of one.
    EXPECT_EQ(KeyBytesOf("12345678", 8), (std::vector<int>{112, 128, 27, 64, 72, 27, 112, 128}));
    // Data longer than the key, and a zero byte replaced by 256 mod (p + i).
    EXPECT_EQ(KeyBytesOf("neon", 5), (std::vector<int>{224, 157, 4, 53, 144}));
}

TEST(Unscramble, AgreesWithTheWritersScramblerBothWays) {
    const char* keys[] = {"a",
                          "velk",
                          "1234567",
                          "12345678",
                          "Passwort fuer 2026!",
                          "zzzzzzzzzzzzzzzzzzzz",
                          "\x7e\x7e\x7e",
                          "mit Leerzeichen"};
    for (const std::string key : keys) {
        const std::vector<std::uint8_t> plain(key.begin(), key.end());
        const auto scrambled = vlkw::Scramble(plain, key);
        const std::string stored(scrambled.begin(), scrambled.end());
        Unscrambler u;
        EXPECT_EQ(u.unscramble(stored, key), key) << key;
        EXPECT_EQ(Bytes(u.unscramble(key, key)), Bytes(stored)) << key;
    }
}

TEST(Unscramble, KeyBytesAreKeptForTheSameKeyAndLength) {
    Unscrambler u;
    u.unscramble("abcd", "velk");
    u.unscramble("wxyz", "velk");
    EXPECT_EQ(u.keyBuilds(), 1);
    u.unscramble("abcde", "velk");
    EXPECT_EQ(u.keyBuilds(), 2);
    u.unscramble("abcde", "velx");
    EXPECT_EQ(u.keyBuilds(), 3);
    EXPECT_EQ(u.unscramble("abcde", "velx"), u.unscramble("abcde", "velx"));
    EXPECT_EQ(u.keyBuilds(), 3);
}

DocumentHeader ProtectedHeader(const std::string& password) {
    auto description = testing::ThreePageReport();
    description.password = password;
    const auto bytes = vlkw::WriteDocument(description);
    std::array<std::uint8_t, kHeaderSize> raw{};
    std::copy_n(bytes.begin(), kHeaderSize, raw.begin());
    return ParseHeader(raw);
}

TEST(PasswordMatches, TrailingBlanksIgnoredLeadingBlanksWrong) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"secret", "secret", true},
        {"secret", "secret   ", true},
        {"secret", " secret", false},
        {"secret", "Secret", false},
        {"secret", "secre", false},
        {"secret", "secrets", false},
        {"secret", "", false},
        {std::string(19, 'q'), std::string(19, 'q'), true},
        // Every password a producer can store opens: twenty characters reach the check.
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst", true},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrs", false},
        {"with blank", "with blank", true},
    };
    for (const auto& [stored, typed, expected] : cases) {
        const auto header = ProtectedHeader(stored);
        Unscrambler u;
        EXPECT_EQ(PasswordMatches(header, typed, u), expected) << stored << " / " << typed;
    }
}

} // namespace
} // namespace velk
