#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velk::win32 {

// Keys under HKEY_CLASSES_ROOT, opened with create semantics and full access.
class ClassesRootRegistry : public Registry {
  public:
    std::unique_ptr<RegistryKey> openOrCreate(const std::string& subkey) override;
};

// A REG_DWORD value under HKEY_CURRENT_USER, opened for reading only; nothing when the key or
// the value is missing or the value has another type.
std::optional<std::uint32_t> ReadCurrentUserDword(const std::string& subkey,
                                                  const std::string& name);

} // namespace velk::win32
