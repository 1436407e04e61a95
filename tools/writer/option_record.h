#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vlkw {

// The block that carries a document's mail or fax settings. Both use one layout; the fax block
// leaves `attachAsViewer` at 0 and its fourth text empty.
struct OptionRecord {
    std::int32_t showDialog = 0;
    std::int32_t attachAsViewer = 0;
    // Mail: profile, password, recipient names, recipient addresses, subject, note.
    // Fax: profile, password, recipients, (unused), subject, note.
    std::array<std::string, 6> texts;
};

OptionRecord MailOptions(std::int32_t showDialog, std::int32_t attachAsViewer,
                         std::string logonProfile, std::string logonPassword,
                         std::string recipientNames, std::string recipientAddresses,
                         std::string subject, std::string note);

OptionRecord FaxOptions(std::int32_t showDialog, std::string logonProfile,
                        std::string logonPassword, std::string recipients, std::string subject,
                        std::string note);

} // namespace vlkw
