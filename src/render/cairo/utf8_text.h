#pragma once

#include <string>
#include <string_view>

namespace velk::cairo {

// Text in the Windows ANSI code page (1252), as every text of a page is stored, turned into
// UTF-8 for the font machinery of Linux. Each byte becomes exactly one character, so glyph
// counts and positions match the byte counts GDI works with; the five bytes the code page
// leaves undefined become the C1 controls of the same value, as Windows converts them.
std::string AnsiToUtf8(std::string_view ansi);

} // namespace velk::cairo
