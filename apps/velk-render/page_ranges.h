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

// Pages first..last, both drawn.
struct PageRun {
    std::int32_t first = 1;
    std::int32_t last = 1;
    bool operator==(const PageRun&) const = default;
};

// The pages a run draws, in the order asked for (repeats kept, as a print range keeps them).
// They are kept as runs: a document can claim two billion pages in a few bytes, and choosing
// them costs nothing before each is drawn.
struct PageSelection {
    std::vector<PageRun> runs;
    // The first page asked for that the document does not have.
    std::optional<std::int32_t> missing;

    // More than 32 bits can count when a list repeats a large document.
    std::uint64_t count() const;
};

// No spans means every page of the document.
PageSelection SelectPages(const std::vector<PageSpan>& spans, std::int32_t pageCount);

} // namespace velk::cli
