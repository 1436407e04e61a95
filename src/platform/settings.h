#pragma once

#include <string>

namespace velk {

// "win.ini"-style settings. The result is the raw text the system put in a buffer of
// `bufferSize` bytes, up to the buffer's end: it may hold a NUL and what follows it.
class ProfileSource {
  public:
    virtual ~ProfileSource() = default;
    virtual std::string read(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& fileName,
                             unsigned bufferSize) = 0;
};

// Pixels per inch of the screen, as the desktop's device context reports them.
class ScreenInfo {
  public:
    virtual ~ScreenInfo() = default;
    virtual int logPixelsX() = 0;
    virtual int logPixelsY() = 0;
};

} // namespace velk
