// dense-document OUT.vlk: writes the benchmarks' dense page as a one-page document, so that
// whole programs (velk-render, and PDF rasterisers on velk-render's PDF of it) can be timed on
// the same page as the in-process benchmarks.
#include "dense_page.h"

#include "writer/document_writer.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dense-document OUT.vlk\n");
        return 1;
    }
    vlkw::DocumentDescription description;
    description.title = "Dense page";
    description.pages.push_back(velk::bench::DensePage());
    if (!vlkw::WriteDocumentFile(argv[1], description)) {
        std::fprintf(stderr, "dense-document: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
