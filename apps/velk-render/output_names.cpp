#include "output_names.h"

#include <algorithm>

namespace velk::cli {

std::string PageImagePath(const std::string& outDir, const std::string& document, std::int32_t page,
                          std::int32_t pageCount) {
    // Both separators: the Windows build is handed either.
    const auto slash = document.find_last_of("/\\");
    std::string name = slash == std::string::npos ? document : document.substr(slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    const std::size_t digits = std::to_string(std::max(pageCount, page)).size();
    std::string number = std::to_string(page);
    number.insert(0, digits - number.size(), '0');

    std::string path = outDir;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    return path + name + "-" + number + ".png";
}

} // namespace velk::cli
