#pragma once

#include "document/header.h"
#include "platform/file.h"

#include <array>
#include <cstdint>

namespace velk {

struct Document;

using HeaderBytes = std::array<std::uint8_t, kHeaderSize>;

// Files are copied in blocks of this size: large enough to run at the disk's speed, small
// enough that a copy of any size needs little memory.
inline constexpr std::size_t kCopyBlockSize = std::size_t{1} << 20;

// The header of a passed-on copy: the document's header bytes as they were read, never deleted
// after viewing and marked as forwarded. Nothing else of the reader's document changes.
HeaderBytes MarkedHeader(const DocumentHeader& header);

// Copies bytes [from, to) of `source` to `target` at `at`. False as soon as a read comes back
// short or a write fails.
bool CopyRange(File& source, std::int64_t from, std::int64_t to, File& target, std::int64_t at);

// The document's bytes with `header` in place of its own, written into `target` from `at`.
// False when a read or a write failed.
bool WriteDocumentCopy(File& document, const HeaderBytes& header, File& target, std::int64_t at);

} // namespace velk
