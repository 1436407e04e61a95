#include "support/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace velk::testing {

bool MemoryRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

namespace {

class MemoryKey : public RegistryKey {
  public:
    MemoryKey(MemoryRegistry& registry, std::string name)
        : registry_(registry), name_(std::move(name)) {}
    ~MemoryKey() override { registry_.log.push_back("close " + name_); }

    std::optional<std::string> readDefault() override {
        registry_.log.push_back("read " + name_);
        const auto& key = registry_.keys[name_];
        if (!key.hasValue) {
            return std::nullopt;
        }
        return key.value.substr(0, key.value.find('\0'));
    }

    void writeDefault(const std::string& text) override {
        registry_.log.push_back("write " + name_ + "=" + text);
        auto& key = registry_.keys[name_];
        key.hasValue = true;
        key.value = text;
    }

  private:
    MemoryRegistry& registry_;
    std::string name_;
};

} // namespace

std::unique_ptr<RegistryKey> MemoryRegistry::openOrCreate(const std::string& subkey) {
    log.push_back("open " + subkey);
    if (refused.count(subkey) != 0) {
        return nullptr;
    }
    keys[subkey];
    return std::make_unique<MemoryKey>(*this, subkey);
}

} // namespace velk::testing
