#include "export/self_extracting_builder.h"

#include "base/ansi_text.h"
#include "base/file_names.h"
#include "base/little_endian.h"
#include "document/self_extract.h"
#include "platform/file_system.h"

#include <array>
#include <limits>

namespace velk {

namespace {

constexpr std::size_t kSelfExtractCopyOffset = 116;
constexpr std::size_t kViewerOffsetOffset = 180;

// Stub, document and trailer into an empty output; false when a read or a write failed.
bool WriteViewer(File& stub, File& document, HeaderBytes header, File& output) {
    const std::int64_t stubLength = stub.size();
    if (stubLength > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    const auto offset = static_cast<std::int32_t>(stubLength);
    WriteInt16(header, kSelfExtractCopyOffset, 1);
    WriteInt32(header, kViewerOffsetOffset, offset);
    std::array<std::uint8_t, kSelfExtractTrailerSize> trailer{};
    WriteInt32(trailer, 0, offset);
    std::copy(kSelfExtractMark.begin(), kSelfExtractMark.end(), trailer.begin() + 4);
    return CopyRange(stub, 0, stubLength, output, 0) &&
           WriteDocumentCopy(document, header, output, stubLength) &&
           output.writeAt(stubLength + document.size(), trailer);
}

} // namespace

BuildStatus BuildSelfExtractingViewer(FileSystem& files, const std::string& documentPath,
                                      const HeaderBytes& header, const std::string& stubPath,
                                      const std::string& outputPath) {
    const std::string documentName = TrimBlanks(documentPath);
    const std::string outputName = TrimBlanks(outputPath);
    const std::string stubName = TrimBlanks(stubPath);
    if (!FileExists(files, documentName)) {
        return BuildStatus::DocumentMissing;
    }
    if (FileExists(files, outputName)) {
        return BuildStatus::OutputExists;
    }
    // The inputs are only read.
    const auto document = files.openExisting(documentName, OpenAccess::ReadOnly);
    if (!document) {
        return BuildStatus::DocumentUnopenable;
    }
    if (!files.createNew(outputName)) {
        // Taken meanwhile, or hidden from the search: either way it is not ours to touch.
        return FileExists(files, outputName) || !files.findFiles(outputName).empty()
                   ? BuildStatus::OutputExists
                   : BuildStatus::OutputUnopenable;
    }
    BuildStatus status = BuildStatus::Written;
    {
        const auto output = files.openExisting(outputName, OpenAccess::ReadWriteOrReadOnly);
        const auto stub = files.openExisting(stubName, OpenAccess::ReadOnly);
        if (!output || !output->writable()) {
            status = BuildStatus::OutputUnopenable;
        } else if (!stub) {
            status = BuildStatus::StubUnopenable;
        } else if (!WriteViewer(*stub, *document, header, *output)) {
            status = BuildStatus::WriteFailed;
        }
    }
    if (status != BuildStatus::Written) {
        files.deleteFile(outputName);
    }
    return status;
}

} // namespace velk
