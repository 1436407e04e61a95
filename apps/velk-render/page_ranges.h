#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velk::cli {

// One item of a page list: a page, or pages first..last; no last means to the document's end.
struct PageSpan {
    std::int32_t first = 1;
    std::optional<std::int32_t> last;
    bool operator==(const PageSpan&) const = default;
};

// "1-3,5", "4-" (to the end), "-2" (from the first): items separated by commas, pages counted
// from 1, no blanks. Nothing for an empty list, a page 0, a range that runs backwards, or
// anything else that is not such a list.
std::optional<std::vector<PageSpan>> ParsePageRanges(std::string_view text);

// The pages a run draws, in the order asked for (repeats kept, as a print range keeps them).
struct PageSelection {
    std::vector<std::int16_t> pages;
    // The first page asked for that the document does not have.
    std::optional<std::int32_t> missing;
};

// Page numbers are 16-bit in the viewer, so pages beyond 32767 cannot be drawn.
inline constexpr std::int32_t kLastDrawablePage = 32767;

// No spans means every page of the document.
PageSelection SelectPages(const std::vector<PageSpan>& spans, std::int32_t pageCount);

} // namespace velk::cli
