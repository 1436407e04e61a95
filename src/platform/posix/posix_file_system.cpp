#include "platform/posix/posix_file_system.h"

#include "platform/memory_file.h"

#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velk::posix {

namespace {

class PosixFile : public File {
  public:
    PosixFile(int fd, bool writable) : fd_(fd), writable_(writable) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::int64_t size() const override {
        struct stat info {};
        return ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
    }

    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        const auto range = ClipToFile(offset, out.size(), size());
        std::size_t done = 0;
        while (done < range.length) {
            const ssize_t got = ::pread(fd_, out.data() + range.skip + done, range.length - done,
                                        static_cast<off_t>(range.start + done));
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        if (!writable_ || offset < 0) {
            return false;
        }
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t put = ::pwrite(fd_, data.data() + done, data.size() - done,
                                         static_cast<off_t>(offset + done));
            if (put <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(put);
        }
        return true;
    }

    bool writable() const override { return writable_; }

  private:
    int fd_;
    bool writable_;
};

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<DirectoryEntry> PosixFileSystem::findFiles(const std::string& pattern) {
    std::vector<DirectoryEntry> entries;
    glob_t found{};
    if (::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0) {
        for (std::size_t i = 0; i < found.gl_pathc; ++i) {
            struct stat info {};
            if (::stat(found.gl_pathv[i], &info) != 0) {
                continue;
            }
            DirectoryEntry entry;
            entry.name = BaseName(found.gl_pathv[i]);
            entry.directory = S_ISDIR(info.st_mode);
            entry.hidden = !entry.name.empty() && entry.name.front() == '.';
            entry.system = !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode);
            entries.push_back(std::move(entry));
        }
    }
    ::globfree(&found);
    return entries;
}

std::unique_ptr<File> PosixFileSystem::openExisting(const std::string& path, OpenAccess access) {
    if (access == OpenAccess::ReadWriteOrReadOnly) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            return std::make_unique<PosixFile>(fd, true);
        }
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<PosixFile>(fd, false);
}

bool PosixFileSystem::createNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool PosixFileSystem::deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool PosixFileSystem::replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::sameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string PosixFileSystem::temporaryDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string directory = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    if (directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

std::string PosixFileSystem::executablePath() {
    char buffer[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

} // namespace velk::posix
