#include "platform/win32/win32_file_system.h"

#include "platform/memory_file.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <tuple>

namespace velk::win32 {

namespace {

class Win32File : public File {
  public:
    Win32File(HANDLE handle, bool writable) : handle_(handle), writable_(writable) {}

    std::int64_t size() const override {
        // Asked every time: in building mode another process is still writing the file.
        LARGE_INTEGER size{};
        return GetFileSizeEx(handle_.get(), &size) ? size.QuadPart : 0;
    }

    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        const auto range = ClipToFile(offset, out.size(), size());
        if (range.length == 0 || !seek(range.start)) {
            return 0;
        }
        std::size_t done = 0;
        while (done < range.length) {
            const DWORD wanted =
                static_cast<DWORD>(std::min<std::size_t>(range.length - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle_.get(), out.data() + range.skip + done, wanted, &got, nullptr) ||
                got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }

    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        if (!writable_ || offset < 0 || !seek(offset)) {
            return false;
        }
        DWORD written = 0;
        return WriteFile(handle_.get(), data.data(), static_cast<DWORD>(data.size()), &written,
                         nullptr) &&
               written == data.size();
    }

    bool writable() const override { return writable_; }

  private:
    bool seek(std::int64_t offset) {
        LARGE_INTEGER position{};
        position.QuadPart = offset;
        return SetFilePointerEx(handle_.get(), position, nullptr, FILE_BEGIN) != 0;
    }

    UniqueKernelHandle handle_;
    bool writable_;
};

DirectoryEntry ToEntry(const WIN32_FIND_DATAA& data) {
    DirectoryEntry entry;
    entry.name = data.cFileName;
    entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return entry;
}

HANDLE OpenHandle(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::vector<DirectoryEntry> Win32FileSystem::findFiles(const std::string& pattern) {
    std::vector<DirectoryEntry> entries;
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) {
        return entries;
    }
    do {
        entries.push_back(ToEntry(data));
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

std::unique_ptr<File> Win32FileSystem::openExisting(const std::string& path, OpenAccess access) {
    if (access == OpenAccess::ReadWriteOrReadOnly) {
        HANDLE handle = OpenHandle(path, GENERIC_READ | GENERIC_WRITE);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<Win32File>(handle, true);
        }
    }
    HANDLE handle = OpenHandle(path, GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32File>(handle, false);
}

bool Win32FileSystem::createNew(const std::string& path) {
    const UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

// The volume and index that name a file whichever path reaches it.
std::optional<std::tuple<DWORD, DWORD, DWORD>> FileIdentity(const std::string& path) {
    const UniqueKernelHandle file(
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return std::tuple{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                      information.nFileIndexLow};
}

} // namespace

bool Win32FileSystem::sameFile(const std::string& first, const std::string& second) {
    const auto a = FileIdentity(first);
    return a.has_value() && a == FileIdentity(second);
}

std::string Win32FileSystem::temporaryDirectory() {
    char buffer[300] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string Win32FileSystem::executablePath() {
    char buffer[400] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, std::min<DWORD>(length, sizeof buffer));
}

} // namespace velk::win32
