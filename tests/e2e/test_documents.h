#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk_e2e {

// The header fields these tests vary; the writer lays down everything else as producers do.
struct TestDocument {
    std::string magic = "300A";
    std::string title = "End-to-end Report";
    std::int16_t deleteOnClose = 0;
};

// A complete one-page document with a line of text.
std::vector<std::uint8_t> DocumentBytes(const TestDocument& document);

} // namespace velk_e2e
