#pragma once

#include "platform/file_system.h"
#include "platform/memory_file.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velk::testing {

// An in-memory file system: names are whole paths compared as written, directory searches
// match `*` and `?` against them. Opened files share their bytes with the store, so what a
// test reads back after a write or a delete is what the program left.
class MemoryFileSystem : public FileSystem {
  public:
    struct Entry {
        MemoryFile::Bytes bytes = std::make_shared<std::vector<std::uint8_t>>();
        bool directory = false;
        bool hidden = false;
        bool system = false;
        bool readOnly = false;   // opening for writing is refused
        bool unopenable = false; // every open is refused
    };

    Entry& add(const std::string& path, std::vector<std::uint8_t> bytes);
    Entry& addDirectory(const std::string& path);
    bool contains(const std::string& path) const { return entries_.count(path) != 0; }
    const std::vector<std::uint8_t>& bytes(const std::string& path) const;

    std::string executable = "C:\\Tools\\velk.exe";
    std::string temporary = "C:\\Temp\\";
    std::vector<std::string> deleted;
    std::vector<std::string> searched; // every directory search's pattern, in order
    std::vector<std::string> opened; // every successful open, with " (read-only)" when it fell back

    std::vector<DirectoryEntry> findFiles(const std::string& pattern) override;
    std::unique_ptr<File> openExisting(const std::string& path, OpenAccess access) override;
    bool createNew(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    // Names are the identity here, with the aliases a test declares.
    bool sameFile(const std::string& first, const std::string& second) override;
    std::map<std::string, std::string> aliases; // another name -> the name it reaches
    std::string temporaryDirectory() override { return temporary; }
    std::string executablePath() override { return executable; }

  private:
    std::map<std::string, Entry> entries_;
};

// Takes the temporary names C:\Temp\~DB<from>.bmp to ~DB<to>.bmp, as other programs would.
void TakeTempNames(MemoryFileSystem& files, int from, int to);

} // namespace velk::testing
