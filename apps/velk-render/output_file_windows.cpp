// The Windows build's output files: emptied when opened.
#include "output_file.h"

#include <io.h>

namespace velk::cli {

OpenedFile OpenOutputFile(const std::string& path) {
    return {std::fopen(path.c_str(), "wb"), false};
}

bool CutFile(std::FILE* stream, std::uint64_t length) {
    return _chsize_s(_fileno(stream), static_cast<__int64>(length)) == 0;
}

} // namespace velk::cli
