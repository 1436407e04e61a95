#pragma once

#include "platform/file.h"

#include <memory>
#include <string>
#include <vector>

namespace velk {

// One entry of a directory search, with the attributes the viewer tests.
struct DirectoryEntry {
    std::string name;
    bool directory = false;
    bool hidden = false;
    bool system = false;

    bool ordinaryFile() const { return !directory && !hidden && !system; }
};

enum class OpenAccess { ReadWriteOrReadOnly, ReadOnly };

// The file services of the operating system, as the viewer uses them.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Directory search for `pattern` (wildcards take part), entries in the order the system
    // delivers them.
    virtual std::vector<DirectoryEntry> findFiles(const std::string& pattern) = 0;

    // Opens an existing file with read and write sharing. ReadWriteOrReadOnly asks for write
    // access first and falls back to reading only. Null when neither succeeds.
    virtual std::unique_ptr<File> openExisting(const std::string& path, OpenAccess access) = 0;

    // Creates `path` only if no file of that name exists yet; false when it does or on failure.
    virtual bool createNew(const std::string& path) = 0;

    virtual bool deleteFile(const std::string& path) = 0;

    // Puts `from` in the place of `to` in one step, replacing a file of that name; false when
    // it could not, and then both are as they were.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;

    // Whether both names reach one and the same existing file (by the system's file identity,
    // not by comparing names).
    virtual bool sameFile(const std::string& first, const std::string& second) = 0;

    // The temporary directory as the system reports it (not trimmed, may lack a separator).
    virtual std::string temporaryDirectory() = 0;

    // The running executable's full path as the system reports it (not trimmed).
    virtual std::string executablePath() = 0;
};

} // namespace velk
