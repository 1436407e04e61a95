#pragma once

#include "platform/registry.h"

namespace velk::win32 {

// Keys under HKEY_CLASSES_ROOT, opened with create semantics and full access.
class ClassesRootRegistry : public Registry {
  public:
    std::unique_ptr<RegistryKey> openOrCreate(const std::string& subkey) override;
};

} // namespace velk::win32
