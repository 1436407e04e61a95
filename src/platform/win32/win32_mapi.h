#pragma once

#include "platform/mapi.h"
#include "platform/win32/unique_handle.h"

namespace velk::win32 {

// "mapi32.dll" through LoadLibraryA, its entry points found by their plain names.
class Win32MapiLibrary : public MapiLibrary {
  public:
    bool load() override;
    void unload() override { module_.reset(); }
    std::optional<std::uint32_t> logon(const std::string& profile, const std::string& password,
                                       std::uint32_t flags) override;
    std::optional<std::uint32_t> sendMail(std::uint32_t session, const MapiMessage& message,
                                          std::uint32_t flags) override;
    void logoff(std::uint32_t session) override;

  private:
    // The entry point `name`, or null when no library is loaded or it lacks one.
    template <typename Function> Function* entry(const char* name) const;

    UniqueModule module_;
};

} // namespace velk::win32
