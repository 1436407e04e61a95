#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk_e2e {

// A fresh folder under the Windows temporary directory for one test, removed with everything
// in it when the test ends. Names hold no blanks: velk.exe takes no quotes on its command line.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool created() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string pathOf(const std::string& name) const { return path_ + "\\" + name; }

    // Writes a file into the folder and returns its full path; empty when it failed.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

  private:
    std::string path_;
};

bool FileExists(const std::string& path);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

} // namespace velk_e2e
