// The command text as start-up sees it: the registration words, then the switches for a plain
// viewer and for a self-extracting one. A self-extracting viewer never mails or faxes, and the
// file name it keeps is trimmed and taken from the text itself.

#include "fuzz_check.h"
#include "startup/command_line.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    velk::ParseRegistrationCommand(text);

    const velk::StartupRequest plain = velk::ParseSwitches(text, 0);
    const velk::StartupRequest extracted = velk::ParseSwitches(text, 1);
    Check(!extracted.mailRequested && !extracted.faxRequested);
    Check(plain.fileName == extracted.fileName);
    Check(plain.fileName.size() <= text.size());
    Check(plain.fileName.empty() ||
          (plain.fileName.front() != ' ' && plain.fileName.back() != ' '));
    Check(text.find(plain.fileName) != std::string::npos);
    return 0;
}
