#pragma once

#include "render_run.h"

#include <memory>

namespace velk::cli {

// What one build renders with: its files, its drawing back ends, and whether standard error
// is a terminal. Each build links exactly one implementation.
struct Platform {
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<RenderTargets> targets;
    bool stderrIsTerminal = false;
};

Platform MakePlatform();

} // namespace velk::cli
