// build-viewer DOCUMENT STUB OUTPUT: builds a self-extracting viewer as velk.exe's save does,
// for scripts/bench-save.sh to time against copying the same bytes.

#include "export/self_extracting_builder.h"
#include "platform/posix/posix_file_system.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: build-viewer DOCUMENT STUB OUTPUT\n");
        return 2;
    }
    velk::posix::PosixFileSystem files;
    const auto document = files.openExisting(argv[1], velk::OpenAccess::ReadOnly);
    velk::HeaderBytes header{};
    if (document) {
        document->readAt(0, header);
    }
    const auto status = velk::BuildSelfExtractingViewer(files, argv[1], header, argv[2], argv[3]);
    if (status != velk::BuildStatus::Written) {
        std::fprintf(stderr, "build-viewer: status %d\n", static_cast<int>(status));
        return 1;
    }
    return 0;
}
