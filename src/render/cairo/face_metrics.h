#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace velk::cairo {

// A face's own numbers in font units, the same at every size: what GDI derives TEXTMETRIC,
// the size of a cell-height request and the underline from.
struct FaceMetrics {
    double unitsPerEm = 2048;
    double winAscent = 0;  // OS/2 usWinAscent
    double winDescent = 0; // OS/2 usWinDescent
    double hheaAscender = 0;
    double hheaDescender = 0; // negative below the baseline, as stored
    double lineGap = 0;
    double avgCharWidth = 0;
    double maxCharWidth = 0;
    double underlinePosition = 0; // negative below the baseline, as stored
    double underlineThickness = 0;
    double strikeoutPosition = 0; // above the baseline
    double strikeoutSize = 0;
    // The 'gasp' table: up to which em size (inclusive) each behaviour holds, in order.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> gaspRanges;
};

} // namespace velk::cairo
