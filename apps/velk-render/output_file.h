#pragma once

#include "render_run.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace velk::cli {

// The file at `path`, opened for writing from its start and, once closed, holding exactly what
// was written; null when it cannot be opened.
std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path);

// How each build opens an output file: its stream, and whether what the file held before
// beyond the bytes written is to be cut off when it is closed. No stream when it cannot be
// opened.
struct OpenedFile {
    std::FILE* stream = nullptr;
    bool cutAtClose = false;
};
OpenedFile OpenOutputFile(const std::string& path);

// Cuts a file that was opened with `cutAtClose` to its first `length` bytes.
bool CutFile(std::FILE* stream, std::uint64_t length);

} // namespace velk::cli
