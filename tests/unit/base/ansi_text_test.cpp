#include "base/ansi_text.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, std::int64_t> cases[] = {
        {0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},      {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {96.0, 96}, {191.5, 192},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
    }
}

TEST(LenientNumber, ReadsLikeTypedNumbers) {
    const std::pair<const char*, double> cases[] = {
        {"60", 60.0}, {"  75", 75.0}, {" 75%", 75.0}, {"-3", -3.0},   {"+4", 4.0},
        {"3.9", 3.9}, {".5", 0.5},    {"abc", 0.0},   {"", 0.0},      {"12abc", 12.0},
        {"1 2", 1.0}, {"-", 0.0},     {"--3", 0.0},   {"261", 261.0}, {"1.2.3", 1.2},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(LenientNumber(text), expected) << '"' << text << '"';
    }
}

TEST(LenientInteger, RoundsDownAndStaysWithin32Bits) {
    EXPECT_EQ(LenientInteger("3.9"), 3);
    EXPECT_EQ(LenientInteger("-3.5"), -4);
    EXPECT_EQ(LenientInteger("150"), 150);
    EXPECT_EQ(LenientInteger("99999999999"), 2147483647);
    EXPECT_EQ(LenientInteger("-99999999999"), -2147483647 - 1);
}

TEST(TrimBlanks, RemovesSpacesOnlyAtBothEnds) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("     "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
}

TEST(MessageNumber, NonNegativeNumbersGetOneLeadingBlank) {
    EXPECT_EQ(MessageNumber(2), " 2");
    EXPECT_EQ(MessageNumber(0), " 0");
    EXPECT_EQ(MessageNumber(-4), "-4");
}

TEST(CutAtNul, EndsAtTheFirstZero) {
    EXPECT_EQ(CutAtNul(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(CutAtNul("abc"), "abc");
}

TEST(UpperCase, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCase("-install /pa x\xe9"), "-INSTALL /PA X\xe9");
}

} // namespace
} // namespace velk
