#include "writer/document_writer.h"

#include "writer/document_assembler.h"
#include "writer/file_output.h"

namespace vlkw {

WrittenDocument ComposeDocument(const DocumentDescription& description) {
    DocumentAssembler assembler(description);
    std::vector<std::uint8_t> body;
    for (const auto& page : description.pages) {
        const auto placed = assembler.placePage(page);
        body.insert(body.end(), placed.begin(), placed.end());
    }
    const auto closing = assembler.closing();
    body.insert(body.end(), closing.begin(), closing.end());

    WrittenDocument written;
    const auto header = assembler.headerBytes();
    written.bytes.assign(header.begin(), header.end());
    written.bytes.insert(written.bytes.end(), body.begin(), body.end());
    written.header = assembler.headerFields();
    written.pagePositions = assembler.pagePositions();
    return written;
}

std::vector<std::uint8_t> WriteDocument(const DocumentDescription& description) {
    return ComposeDocument(description).bytes;
}

bool WriteDocumentFile(const std::filesystem::path& path, const DocumentDescription& description) {
    return WriteBytesToFile(path, WriteDocument(description));
}

} // namespace vlkw
