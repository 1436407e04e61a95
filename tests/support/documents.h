#pragma once

#include "document/document.h"
#include "support/memory_file_system.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <string>
#include <vector>

namespace velk::testing {

// A small report: three Letter pages with a line of text each, an index and both option
// records. Tests change what they need before writing it.
vlkw::DocumentDescription ThreePageReport();

// A page whose only record is one line of text.
std::vector<std::uint8_t> TextPage(const std::string& text);

// Bytes of a viewer stub of `size` bytes followed by the document, as a self-extracting viewer.
std::vector<std::uint8_t> SelfExtracting(std::size_t stubSize,
                                         const std::vector<std::uint8_t>& document);

// A file system holding one document as `name`, opened at `base` with its header read;
// headerMatched is false when it did not open or its header is not a velk document's.
struct OpenedDocument {
    MemoryFileSystem files;
    Document document;
    bool headerMatched = false;

    explicit OpenedDocument(const std::vector<std::uint8_t>& bytes,
                            const std::string& name = "C:\\docs\\report.vlk",
                            std::int32_t base = 0);
};

} // namespace velk::testing
