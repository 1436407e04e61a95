#pragma once

#include "writer/document_assembler.h"
#include "writer/document_description.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace vlkw {

// Writes a document to disk page by page, the way a producing application does while a viewer
// in building mode follows it. After every step the file holds a valid header whose page table
// position is the first position after the last page written, so each announced page can be
// read in full. The file stays open to other readers and writers while it is produced.
class DocumentProducer {
  public:
    // Creates or replaces the file and writes the header of a document with no pages yet. The
    // description's pages are not used; its index is written by `finish`.
    DocumentProducer(const std::filesystem::path& path, DocumentDescription description);

    DocumentProducer(const DocumentProducer&) = delete;
    DocumentProducer& operator=(const DocumentProducer&) = delete;

    // False once creating or writing the file has failed.
    bool ok() const { return ok_; }

    // Appends a page and rewrites the header. Returns the page's 1-based position in the file,
    // or 0 when the page was not written.
    std::int32_t addPage(std::span<const std::uint8_t> page);

    // Writes EndOfDocument, the index, the page table and the final header. Pages cannot be
    // added afterwards.
    bool finish();

    std::int32_t pagesWritten() const;

  private:
    bool append(std::span<const std::uint8_t> bytes);
    bool writeHeader();

    std::ofstream file_;
    DocumentAssembler assembler_;
    bool ok_ = false;
    bool finished_ = false;
};

} // namespace vlkw
