#pragma once

#include <memory>
#include <optional>
#include <string>

namespace velk {

// An open registry key; closed when the object goes.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    // The default (unnamed) value's text up to its first NUL; nothing when it cannot be read.
    virtual std::optional<std::string> readDefault() = 0;
    // Writes the default value as text; the result is not examined by callers.
    virtual void writeDefault(const std::string& text) = 0;
};

// The root that file types are registered under.
class Registry {
  public:
    virtual ~Registry() = default;
    // Opens the key, creating it when it does not exist; null on failure.
    virtual std::unique_ptr<RegistryKey> openOrCreate(const std::string& subkey) = 0;
};

} // namespace velk
