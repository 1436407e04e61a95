#include "uidriver/paths.h"

#include <algorithm>

namespace uidriver {

std::string WindowsPath(const std::string& linuxPath) {
    if (linuxPath.size() >= 2 && linuxPath[1] == ':') {
        return linuxPath;
    }
    std::string path = "Z:" + linuxPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace uidriver
