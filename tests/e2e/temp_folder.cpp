#include "temp_folder.h"

#include "writer/file_output.h"

#include <windows.h>

#include <filesystem>

namespace velk_e2e {
namespace {

std::string TempDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof(buffer), buffer);
    std::string directory(buffer, length < sizeof(buffer) ? length : 0);
    if (!directory.empty() && directory.back() != '\\') {
        directory += '\\';
    }
    return directory;
}

} // namespace

TempFolder::TempFolder() {
    const std::string base = TempDirectory() + "velk-e2e-" + std::to_string(GetCurrentProcessId());
    // A folder left by an earlier process with the same id is not ours to reuse.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string candidate = base + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (created()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

std::string TempFolder::write(const std::string& name,
                              const std::vector<std::uint8_t>& bytes) const {
    const std::string path = pathOf(name);
    return vlkw::WriteBytesToFile(path, bytes) ? path : std::string();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    return vlkw::ReadBytesFromFile(path).value_or(std::vector<std::uint8_t>{});
}

} // namespace velk_e2e
