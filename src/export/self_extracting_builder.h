#pragma once

#include "export/marked_copy.h"

#include <cstdint>
#include <string>

namespace velk {

class FileSystem;

// How a build ended. The first six are the values the viewer has always reported.
enum class BuildStatus : std::int16_t {
    Written = 0,
    StubUnopenable = -1,
    OutputUnopenable = -2,
    DocumentUnopenable = -3,
    OutputExists = -4,
    DocumentMissing = -5,
    WriteFailed = -6, // a read or a write failed; the partial output has been deleted
};

// Writes a viewer that opens its own document: the stub, the document with `header` in place
// of its own (with the self-extracting mark at 116 and the stub's length at 180), the stub's
// length and "VELK_SELF_EXTRACT". The output is created exclusively, so an existing file is
// never touched; on any failure after it was created it is deleted again. The paths are used
// with their leading and trailing blanks removed.
BuildStatus BuildSelfExtractingViewer(FileSystem& files, const std::string& documentPath,
                                      const HeaderBytes& header, const std::string& stubPath,
                                      const std::string& outputPath);

} // namespace velk
