#pragma once

#include "writer/document_description.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace samplegen {

// The chart on page 3 is a BitmapFile record naming this file without a directory. A viewer
// looks for such a name in its current directory, so the file is written beside the document
// and the viewer must be started from that directory.
inline constexpr std::string_view kChartFileName = "nwl-sales-chart.bmp";

struct SampleReport {
    vlkw::DocumentDescription document;
    std::vector<std::uint8_t> chartBmp; // the contents of kChartFileName
};

// The Northwind Lamps quarterly sales report: seven pages that between them use every kind of
// page record, with an index, mail and fax settings, and 100 % as the opening zoom.
SampleReport MakeSampleReport();

} // namespace samplegen
