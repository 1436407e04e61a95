#pragma once

#include "platform/file_system.h"

namespace velk::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::vector<DirectoryEntry> findFiles(const std::string& pattern) override;
    std::unique_ptr<File> openExisting(const std::string& path, OpenAccess access) override;
    bool createNew(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    bool sameFile(const std::string& first, const std::string& second) override;
    std::string temporaryDirectory() override;
    std::string executablePath() override;
};

} // namespace velk::win32
