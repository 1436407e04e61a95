#pragma once

#include "platform/registry.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace velk::testing {

// Keys with optional default values. Key names compare without regard to case, as the
// system's do. Keys listed in `refused` cannot be opened or created.
class MemoryRegistry : public Registry {
  public:
    struct Key {
        bool hasValue = false;
        std::string value;
    };
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::map<std::string, Key, NoCase> keys;
    std::set<std::string, NoCase> refused;
    std::vector<std::string> log; // "open KEY", "read KEY", "write KEY=VALUE", "close KEY"

    std::unique_ptr<RegistryKey> openOrCreate(const std::string& subkey) override;
};

} // namespace velk::testing
