#include "support/memory_file_system.h"

namespace velk::testing {

namespace {

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (WildcardMatch(pattern.substr(1), name.substr(skip))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    return (pattern[0] == '?' || pattern[0] == name[0]) &&
           WildcardMatch(pattern.substr(1), name.substr(1));
}

} // namespace

void TakeTempNames(MemoryFileSystem& files, int from, int to) {
    for (int n = from; n <= to; ++n) {
        const std::string number = std::to_string(n);
        files.add("C:\\Temp\\~DB" + std::string(5 - number.size(), '0') + number + ".bmp", {});
    }
}

MemoryFileSystem::Entry& MemoryFileSystem::add(const std::string& path,
                                               std::vector<std::uint8_t> bytes) {
    Entry& entry = entries_[path];
    entry = Entry{};
    *entry.bytes = std::move(bytes);
    return entry;
}

MemoryFileSystem::Entry& MemoryFileSystem::addDirectory(const std::string& path) {
    Entry& entry = add(path, {});
    entry.directory = true;
    return entry;
}

const std::vector<std::uint8_t>& MemoryFileSystem::bytes(const std::string& path) const {
    return *entries_.at(path).bytes;
}

std::vector<DirectoryEntry> MemoryFileSystem::findFiles(const std::string& pattern) {
    searched.push_back(pattern);
    std::vector<DirectoryEntry> found;
    auto toEntry = [](const std::string& path, const Entry& entry) {
        return DirectoryEntry{BaseName(path), entry.directory, entry.hidden, entry.system};
    };
    if (pattern.find_first_of("*?") == std::string::npos) {
        if (const auto it = entries_.find(pattern); it != entries_.end()) {
            found.push_back(toEntry(it->first, it->second));
        }
        return found;
    }
    for (const auto& [path, entry] : entries_) {
        if (WildcardMatch(pattern, path)) {
            found.push_back(toEntry(path, entry));
        }
    }
    return found;
}

std::unique_ptr<File> MemoryFileSystem::openExisting(const std::string& path, OpenAccess access) {
    const auto it = entries_.find(path);
    if (it == entries_.end() || it->second.unopenable || it->second.directory) {
        return nullptr;
    }
    const bool writable = access == OpenAccess::ReadWriteOrReadOnly && !it->second.readOnly;
    opened.push_back(writable ? path : path + " (read-only)");
    return std::make_unique<MemoryFile>(it->second.bytes, writable);
}

bool MemoryFileSystem::createNew(const std::string& path) {
    if (entries_.count(path) != 0) {
        return false;
    }
    add(path, {});
    return true;
}

bool MemoryFileSystem::replaceFile(const std::string& from, const std::string& to) {
    const auto it = entries_.find(from);
    if (it == entries_.end() || (contains(to) && entries_.at(to).readOnly)) {
        return false;
    }
    Entry moved = it->second;
    entries_.erase(it);
    entries_[to] = moved;
    return true;
}

bool MemoryFileSystem::sameFile(const std::string& first, const std::string& second) {
    auto identity = [this](const std::string& name) {
        const auto alias = aliases.find(name);
        return alias != aliases.end() ? alias->second : name;
    };
    return contains(identity(first)) && identity(first) == identity(second);
}

bool MemoryFileSystem::deleteFile(const std::string& path) {
    deleted.push_back(path);
    return entries_.erase(path) != 0;
}

} // namespace velk::testing
