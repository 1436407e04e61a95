#include "render/cairo/cache_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace velk::cairo {

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return hash;
}

std::string CacheFilePath(std::string_view name) {
    // As the XDG base directories say: an absolute XDG_CACHE_HOME, else ~/.cache.
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/') {
        return std::string(cache) + "/velk/" + std::string(name);
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return std::string(home) + "/.cache/velk/" + std::string(name);
    }
    return {};
}

std::string ReadCacheFile(const std::string& path, std::size_t largest) {
    if (path.empty()) {
        return {};
    }
    // Plain system calls: a first file stream costs more than a small cache saves.
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return {};
    }
    struct stat status {};
    std::string bytes;
    if (fstat(file, &status) == 0 && status.st_size > 0 &&
        static_cast<std::uint64_t>(status.st_size) <= largest) {
        bytes.resize(static_cast<std::size_t>(status.st_size));
        if (read(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            bytes.clear();
        }
    }
    close(file);
    return bytes;
}

bool WriteCacheFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string temporary = path + "." + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace velk::cairo
