// dense-document OUT.vlk [dense|one-line]: writes the benchmarks' dense page, or a page of one
// line of text, as a one-page document, so that whole programs (velk-render, and PDF
// rasterisers on velk-render's PDF of it) can be timed on the same page as the in-process
// benchmarks, and on a page where start-up is all there is.
#include "dense_page.h"

#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    const std::string_view kind = argc == 3 ? argv[2] : "dense";
    if (argc < 2 || argc > 3 || (kind != "dense" && kind != "one-line")) {
        std::fprintf(stderr, "usage: dense-document OUT.vlk [dense|one-line]\n");
        return 1;
    }
    vlkw::DocumentDescription description;
    description.title = kind == "dense" ? "Dense page" : "One line";
    description.pages.push_back(
        kind == "dense"
            ? velk::bench::DensePage()
            : vlkw::PageBuilder().font(0, 10, 0, "Arial").text(1, 1, 0, "One line of text").bytes());
    if (!vlkw::WriteDocumentFile(argv[1], description)) {
        std::fprintf(stderr, "dense-document: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
