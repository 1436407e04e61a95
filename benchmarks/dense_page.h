#pragma once

#include <cstdint>
#include <vector>

namespace velk::bench {

// A crowded report page: 3,000 Text records (left, right and decimal aligned) in a few fonts,
// 500 Line records and 200 Box records, as a table-heavy page of a large report would hold.
std::vector<std::uint8_t> DensePage();

} // namespace velk::bench
