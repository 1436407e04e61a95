#pragma once

#include <cstdint>
#include <string>

namespace velk {

enum class RegistrationCommand { None, InstallVerbose, Install, ShowRegistration };

// The whole command text, compared in capitals with the six registration words.
RegistrationCommand ParseRegistrationCommand(const std::string& commandText);

// What a run is asked to do with its document.
struct StartupRequest {
    std::string fileName;
    bool printRequested = false;
    bool printAllRequested = false;
    bool mailRequested = false;
    bool faxRequested = false;
    bool building = false;
};

// Takes at most one switch from the very start of `commandText` (with the one blank after it);
// the rest, trimmed, is the file name. A self-extracting viewer (`base` not 0) ignores the
// e-mail and fax switches.
StartupRequest ParseSwitches(const std::string& commandText, std::int32_t base);

} // namespace velk
