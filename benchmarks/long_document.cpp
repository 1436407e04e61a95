// long-document OUT.vlk PAGES: writes a report of PAGES alike pages (a heading, a few lines and
// "Page N of M"), with an index entry for every page an index entry can name, so that
// scripts/bench-scale.sh can time a page of a long document against the same page alone.
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {

std::vector<std::uint8_t> StatementPage() {
    vlkw::PageBuilder page;
    page.font(vlkw::kBold, 14, 0, "Arial").text(1, 1, 0, "Customer statement");
    page.font(0, 10, 0, "Arial");
    for (int line = 0; line < 8; ++line) {
        const float y = 1.75f + 0.25f * static_cast<float>(line);
        page.text(1, y, 0, "Invoice " + std::to_string(1000 + line))
            .text(7.5f, y, vlkw::kAlignRight, "1,234.50");
    }
    page.line({1, 4, 7.5f, 4}, 0.5f, 0)
        .text(6.9f, 10.5f, vlkw::kAlignRight, "Page")
        .pageNumber(7.1f, 10.5f, vlkw::kAlignRight)
        .text(7.3f, 10.5f, vlkw::kAlignRight, "of")
        .pageCount(7.5f, 10.5f, vlkw::kAlignRight);
    return page.bytes();
}

} // namespace

int main(int argc, char** argv) {
    int pages = 0;
    const std::string_view count = argc == 3 ? argv[2] : "";
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), pages);
    if (argc != 3 || error != std::errc() || end != count.data() + count.size() || pages < 1) {
        std::fprintf(stderr, "usage: long-document OUT.vlk PAGES\n");
        return 1;
    }
    vlkw::DocumentDescription description;
    description.title = "Customer statements";
    description.pages.assign(static_cast<std::size_t>(pages), StatementPage());
    // Index entries hold 16-bit page numbers.
    for (int page = 1; page <= pages && page <= 32767; ++page) {
        description.index.push_back(
            {static_cast<std::int16_t>(page), "Customer " + std::to_string(page)});
    }
    if (!vlkw::WriteDocumentFile(argv[1], description)) {
        std::fprintf(stderr, "long-document: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
