#include "platform/win32/win32_registry.h"

#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace velk::win32 {

namespace {

constexpr DWORD kValueBufferSize = 299;

class Win32RegistryKey : public RegistryKey {
  public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    std::optional<std::string> readDefault() override {
        char buffer[kValueBufferSize + 1] = {};
        DWORD size = kValueBufferSize;
        DWORD type = 0;
        if (RegQueryValueExA(key_.get(), "", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(buffer);
    }

    void writeDefault(const std::string& text) override {
        const auto* data = text.empty() ? nullptr : reinterpret_cast<const BYTE*>(text.c_str());
        const DWORD length = text.empty() ? 0 : static_cast<DWORD>(text.size() + 1);
        RegSetValueExA(key_.get(), "", 0, REG_SZ, data, length);
    }

  private:
    UniqueRegistryKey key_;
};

} // namespace

std::unique_ptr<RegistryKey> ClassesRootRegistry::openOrCreate(const std::string& subkey) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}

std::optional<std::uint32_t> ReadCurrentUserDword(const std::string& subkey,
                                                  const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const UniqueRegistryKey key(opened);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return std::nullopt;
    }
    return value;
}

} // namespace velk::win32
