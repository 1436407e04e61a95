#pragma once

#include "writer/document_description.h"
#include "writer/header_fields.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vlkw {

struct WrittenDocument {
    std::vector<std::uint8_t> bytes;
    HeaderFields header;                     // as written, overrides applied
    std::vector<std::int32_t> pagePositions; // where the pages went, before any table override
};

WrittenDocument ComposeDocument(const DocumentDescription& description);

// The whole file of a document described in one piece.
std::vector<std::uint8_t> WriteDocument(const DocumentDescription& description);

// The same, straight into a file; false when the file cannot be written.
bool WriteDocumentFile(const std::filesystem::path& path, const DocumentDescription& description);

} // namespace vlkw
