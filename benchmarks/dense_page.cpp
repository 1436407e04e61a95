#include "dense_page.h"

#include "writer/page_builder.h"

#include <string>

namespace velk::bench {

std::vector<std::uint8_t> DensePage() {
    vlkw::PageBuilder page;
    constexpr int kRows = 100;
    constexpr int kColumns = 30; // 3,000 texts
    for (int row = 0; row < kRows; ++row) {
        const float y = 0.5f + static_cast<float>(row) * 0.1f;
        if (row % 20 == 0) {
            page.font(row % 40 == 0 ? vlkw::kBold : 0, 7.0f, vlkw::Rgb(0, 0, 64), "Arial");
        }
        for (int column = 0; column < kColumns; ++column) {
            const float x = 0.5f + static_cast<float>(column) * 0.25f;
            const std::int16_t alignment = static_cast<std::int16_t>(column % 4 == 0   ? 0
                                                                     : column % 4 == 1 ? 2
                                                                                       : 3);
            page.text(x, y, alignment, std::to_string(row * 1000 + column) + ".50");
        }
        // 500 lines: five per row.
        for (int line = 0; line < 5; ++line) {
            const float x = 0.5f + static_cast<float>(line) * 1.5f;
            page.line({x, y, x + 1.4f, y}, 0.5f, vlkw::Rgb(128, 128, 128));
        }
        // 200 boxes: two per row.
        page.box({0.45f, y, 4.0f, y + 0.09f}, -1, vlkw::Rgb(240, 240, 240), 0);
        page.box({4.0f, y, 8.0f, y + 0.09f}, 0.25f, vlkw::Rgb(250, 250, 220), vlkw::Rgb(0, 0, 0));
    }
    return page.bytes();
}

} // namespace velk::bench
