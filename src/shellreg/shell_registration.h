#pragma once

namespace velk {

// The shell association of .vlk documents, as start-up uses it.
class ShellRegistration {
  public:
    virtual ~ShellRegistration() = default;
    virtual bool IsExtensionRegistered() = 0;
    virtual bool RegisterExtension() = 0;
    virtual void ShowRegistration() = 0;
};

} // namespace velk
