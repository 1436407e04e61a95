#pragma once

#include <string>

namespace velk {

constexpr unsigned kMessageIconInformation = 0x40;

// The system's message box. The owner window is the implementation's business: it follows
// whichever window of the viewer is in front (see ShowMessage).
class MessageBoxPort {
  public:
    virtual ~MessageBoxPort() = default;
    virtual void show(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

} // namespace velk
