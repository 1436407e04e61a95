#pragma once

#include "render_run.h"

#include <memory>
#include <string>

namespace velk::cli {

// The file at `path`, opened for writing from its start and, once closed, holding exactly what
// was written; null when it cannot be opened.
std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path);

} // namespace velk::cli
