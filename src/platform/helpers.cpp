#include "platform/helpers.h"

#include "platform/text.h"

namespace velk {

std::string MessageCaption(std::string_view title) {
    if (TrimBlanks(CutAtNul(title)).empty()) {
        return std::string(kProgramCaption);
    }
    return CutTo(TrimBlanks(title), kMessageTextLimit);
}

void ShowMessage(MessageBoxPort& box, std::string_view title, std::string_view text) {
    box.show(CutTo(TrimBlanks(text), kMessageTextLimit), MessageCaption(title),
             kMessageIconInformation);
}

bool FileExists(FileSystem& files, const std::string& path) {
    const auto entries = files.findFiles(path);
    return !entries.empty() && entries.front().ordinaryFile();
}

std::string OwnExecutablePath(FileSystem& files) {
    return TrimBlanks(files.executablePath());
}

std::string MakeTempFileName(FileSystem& files, std::string_view prefix,
                             std::string_view extension) {
    std::string directory = TrimBlanks(files.temporaryDirectory());
    // A directory given with forward slashes (the Linux tools) keeps its own separator.
    if (directory.empty() || (directory.back() != '\\' && directory.back() != '/')) {
        directory += '\\';
    }
    const std::size_t digits = prefix.size() < 8 ? 8 - prefix.size() : 0;
    for (int n = 1; n <= 9999; ++n) {
        std::string number = std::to_string(n);
        if (number.size() < digits) {
            number.insert(0, digits - number.size(), '0');
        }
        std::string candidate = directory;
        candidate.append(prefix).append(number).append(extension);
        if (!FileExists(files, candidate)) {
            return candidate;
        }
    }
    return {};
}

} // namespace velk
