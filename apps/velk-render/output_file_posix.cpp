// The Linux build's output files: a file that exists is written over in place and cut to its
// new length when closed, rather than emptied when opened. Emptying gives the file's blocks
// back and takes new ones; where the file system discards freed blocks at once, emptying a
// page written a moment before took 0.5 to 2.5 ms, a tenth of a page or more, and rendering a
// report again into the same directory is the common case.
#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velk::cli {

OpenedFile OpenOutputFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return {};
    }
    struct stat status {};
    std::FILE* stream = fstat(fd, &status) == 0 ? fdopen(fd, "wb") : nullptr;
    if (stream == nullptr) {
        ::close(fd);
        return {};
    }
    // A pipe or a device has no length to cut.
    return {stream, S_ISREG(status.st_mode)};
}

bool CutFile(std::FILE* stream, std::uint64_t length) {
    return ftruncate(fileno(stream), static_cast<off_t>(length)) == 0;
}

} // namespace velk::cli
