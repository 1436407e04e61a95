// velk-samplegen OUT.vlk: writes the sample report to OUT.vlk and its chart bitmap beside it.
#include "samplegen/sample_report.h"
#include "writer/document_writer.h"
#include "writer/file_output.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velk-samplegen OUT.vlk\n");
        return 2;
    }
    const std::filesystem::path document = argv[1];
    const std::filesystem::path chart = document.parent_path() / samplegen::kChartFileName;

    const samplegen::SampleReport report = samplegen::MakeSampleReport();
    if (!vlkw::WriteDocumentFile(document, report.document)) {
        std::fprintf(stderr, "velk-samplegen: cannot write %s\n", document.string().c_str());
        return 1;
    }
    if (!vlkw::WriteBytesToFile(chart, report.chartBmp)) {
        std::fprintf(stderr, "velk-samplegen: cannot write %s\n", chart.string().c_str());
        return 1;
    }
    return 0;
}
