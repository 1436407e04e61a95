// The Linux build's output files: a file that exists is written over in place and cut to its
// new length when closed, rather than emptied when opened. Emptying gives the file's blocks
// back and takes new ones; where the file system discards freed blocks at once, emptying a
// page written a moment before took 0.5 to 2.5 ms, a tenth of a page or more, and rendering a
// report again into the same directory is the common case.
#include "output_file.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velk::cli {

namespace {

class RewrittenFile : public OutputFile {
  public:
    RewrittenFile(std::FILE* file, bool regular) : file_(file), regular_(regular) {}
    ~RewrittenFile() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    RewrittenFile(const RewrittenFile&) = delete;
    RewrittenFile& operator=(const RewrittenFile&) = delete;

    void write(std::span<const std::uint8_t> bytes) override {
        // An empty span may have no data to point at, which fwrite must not be given.
        if (bytes.empty()) {
            return;
        }
        if (file_ == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            failed_ = true;
        }
        written_ += bytes.size();
    }

    bool close() override {
        if (file_ == nullptr) {
            return false;
        }
        std::FILE* file = std::exchange(file_, nullptr);
        // What an earlier file held beyond the new end goes; a pipe or device has no length.
        const bool flushed = std::fflush(file) == 0;
        const bool cut = !regular_ || ftruncate(fileno(file), static_cast<off_t>(written_)) == 0;
        const bool closed = std::fclose(file) == 0;
        return flushed && cut && closed && !failed_;
    }

  private:
    std::FILE* file_;
    bool regular_;
    bool failed_ = false;
    std::uint64_t written_ = 0;
};

} // namespace

std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    std::FILE* file = fstat(fd, &status) == 0 ? fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<RewrittenFile>(file, S_ISREG(status.st_mode));
}

} // namespace velk::cli
