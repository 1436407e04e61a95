#include "base/file_names.h"

#include "base/ansi_text.h"

namespace velk {

bool FileExists(FileSystem& files, const std::string& path) {
    const auto entries = files.findFiles(path);
    return !entries.empty() && entries.front().ordinaryFile();
}

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

bool IsNetworkOrDeviceName(std::string_view name) {
    const bool twoSeparators = name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
    return twoSeparators || name.starts_with("\\??\\");
}

std::string OwnExecutablePath(FileSystem& files) {
    return TrimBlanks(files.executablePath());
}

namespace {

// The temporary directory, trimmed, ending in a separator.
std::string TempDirectory(FileSystem& files) {
    std::string directory = TrimBlanks(files.temporaryDirectory());
    // A directory given with forward slashes (the Linux tools) keeps its own separator.
    if (directory.empty() || (directory.back() != '\\' && directory.back() != '/')) {
        directory += '\\';
    }
    return directory;
}

// Candidate n: prefix, n with leading zeros to 8 - length of prefix digits, extension.
std::string TempCandidate(const std::string& directory, std::string_view prefix, int n,
                          std::string_view extension) {
    const std::size_t digits = prefix.size() < 8 ? 8 - prefix.size() : 0;
    std::string number = std::to_string(n);
    if (number.size() < digits) {
        number.insert(0, digits - number.size(), '0');
    }
    std::string candidate = directory;
    candidate.append(prefix).append(number).append(extension);
    return candidate;
}

constexpr int kTempNameCount = 9999;

} // namespace

std::string MakeTempFileName(FileSystem& files, std::string_view prefix,
                             std::string_view extension) {
    const std::string directory = TempDirectory(files);
    for (int n = 1; n <= kTempNameCount; ++n) {
        std::string candidate = TempCandidate(directory, prefix, n, extension);
        if (!FileExists(files, candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string CreateTempFile(FileSystem& files, std::string_view prefix, std::string_view extension) {
    const std::string directory = TempDirectory(files);
    for (int n = 1; n <= kTempNameCount; ++n) {
        std::string candidate = TempCandidate(directory, prefix, n, extension);
        if (files.createNew(candidate)) {
            return candidate;
        }
    }
    return {};
}

} // namespace velk
