// The Cairo back end keeps what fontconfig answered and the glyphs it rendered in the user's
// cache directory. The tests keep theirs in a directory of their own, empty when they start,
// so that no run reads what another build of the code wrote.
#ifndef _WIN32

#include "render/cairo/cairo_surface.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velk {
namespace {

class PrivateCacheHome : public ::testing::Environment {
  public:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("velk-test-cache-" + std::to_string(getpid()));
        std::filesystem::remove_all(directory_);
        setenv("XDG_CACHE_HOME", directory_.c_str(), 1);
    }
    void TearDown() override {
        cairo::ReleaseFontCaches();
        std::filesystem::remove_all(directory_);
    }

  private:
    std::filesystem::path directory_;
};

// gtest owns the environments it is given.
[[maybe_unused]] ::testing::Environment* const kPrivateCacheHome =
    ::testing::AddGlobalTestEnvironment(new PrivateCacheHome);

} // namespace
} // namespace velk

#endif
