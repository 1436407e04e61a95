#pragma once

#include <cstdint>
#include <string>

namespace velk::cli {

// Where page `page` of `document` goes as a PNG: DIR/NAME-PAGE.png, NAME the document's file
// name without its extension, PAGE with leading zeros to as many digits as the page count has,
// so that the files sort in page order.
std::string PageImagePath(const std::string& outDir, const std::string& document, std::int32_t page,
                          std::int32_t pageCount);

} // namespace velk::cli
