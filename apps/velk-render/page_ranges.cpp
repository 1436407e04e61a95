#include "page_ranges.h"

#include <algorithm>
#include <charconv>

namespace velk::cli {

namespace {

std::optional<std::int32_t> PageNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

std::optional<PageSpan> ParseSpan(std::string_view item) {
    const auto dash = item.find('-');
    if (dash == std::string_view::npos) {
        const auto page = PageNumber(item);
        return page ? std::optional(PageSpan{*page, *page}) : std::nullopt;
    }
    const std::string_view from = item.substr(0, dash);
    const std::string_view to = item.substr(dash + 1);
    if (from.empty() && to.empty()) {
        return std::nullopt;
    }
    PageSpan span;
    if (!from.empty()) {
        const auto first = PageNumber(from);
        if (!first) {
            return std::nullopt;
        }
        span.first = *first;
    }
    if (!to.empty()) {
        const auto last = PageNumber(to);
        if (!last || *last < span.first) {
            return std::nullopt;
        }
        span.last = *last;
    }
    return span;
}

} // namespace

std::optional<std::vector<PageSpan>> ParsePageRanges(std::string_view text) {
    std::vector<PageSpan> spans;
    while (true) {
        const auto comma = text.find(',');
        const auto span = ParseSpan(text.substr(0, comma));
        if (!span) {
            return std::nullopt;
        }
        spans.push_back(*span);
        if (comma == std::string_view::npos) {
            return spans;
        }
        text.remove_prefix(comma + 1);
    }
}

std::uint64_t PageSelection::count() const {
    std::uint64_t pages = 0;
    for (const PageRun& run : runs) {
        pages += static_cast<std::uint64_t>(run.last - run.first) + 1;
    }
    return pages;
}

PageSelection SelectPages(const std::vector<PageSpan>& spans, std::int32_t pageCount) {
    const std::int32_t pages = std::max(pageCount, 0);
    PageSelection selection;
    if (spans.empty()) {
        if (pages > 0) {
            selection.runs.push_back({1, pages});
        }
        return selection;
    }
    for (const PageSpan& span : spans) {
        const std::int32_t last = span.last.value_or(std::max(pages, span.first));
        if (last > pages) {
            selection.missing = std::max(span.first, pages + 1);
            selection.runs.clear();
            return selection;
        }
        selection.runs.push_back({span.first, last});
    }
    return selection;
}

} // namespace velk::cli
