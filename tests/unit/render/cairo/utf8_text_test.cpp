// Page texts are Windows ANSI (code page 1252); the Linux font machinery takes UTF-8.
#ifndef _WIN32

#include "render/cairo/utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace velk {
namespace {

TEST(VelkRenderAnsiText, EveryByteBecomesItsCharacterInUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"Total 12.50", "Total 12.50"},
        {"", ""},
        {"\x80", "\xE2\x82\xAC"}, // euro sign U+20AC
        {"\x85", "\xE2\x80\xA6"}, // ellipsis U+2026
        {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\x96", "\xE2\x80\x93"}, // en dash U+2013
        {"\x99", "\xE2\x84\xA2"}, // trade mark U+2122
        {"\x9F", "\xC5\xB8"},     // Y with diaeresis U+0178
        {"\x83", "\xC6\x92"},     // f with hook U+0192
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}, // undefined
        {"caf\xE9", "caf\xC3\xA9"},                                           // e acute U+00E9
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"}, // no-break space, y with diaeresis
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [ansi, utf8] : cases) {
        EXPECT_EQ(cairo::AnsiToUtf8(ansi), utf8) << ansi;
    }
}

} // namespace
} // namespace velk

#endif
