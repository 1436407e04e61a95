#pragma once

#include "writer/document_description.h"
#include "writer/header_fields.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vlkw {

// Lays a document out in the order producers write it: header, page 1 ... page N, an
// EndOfDocument record, the index table, the page table. It hands out the bytes to append one
// piece at a time, so the same layout serves a document written at once and one written page
// by page while a viewer follows it. The header is asked for separately, as often as needed.
class DocumentAssembler {
  public:
    explicit DocumentAssembler(DocumentDescription description);

    // The bytes of the next page as they go into the file. Page 1 carries the option blocks
    // and replacement texts right after its PageSetup.
    std::vector<std::uint8_t> placePage(std::span<const std::uint8_t> page);

    // EndOfDocument, the index table and the page table, after the last page.
    std::vector<std::uint8_t> closing();

    // The header for what has been placed so far: before `closing`, the page table position is
    // the first position after the last page, so the last page runs up to it.
    HeaderFields headerFields() const;
    std::array<std::uint8_t, kHeaderSize> headerBytes() const;

    const std::vector<std::int32_t>& pagePositions() const { return positions_; }
    std::int32_t nextPosition() const { return next_; }

  private:
    std::vector<std::uint8_t> leadingRecords(std::int32_t position);
    void advance(std::size_t bytes);

    DocumentDescription description_;
    HeaderFields fields_;
    std::vector<std::int32_t> positions_;
    std::int32_t next_ = kFirstPagePosition;
    bool leadingPlaced_ = false;
};

} // namespace vlkw
