#include "writer/option_record.h"

#include <utility>

namespace vlkw {

OptionRecord MailOptions(std::int32_t showDialog, std::int32_t attachAsViewer,
                         std::string logonProfile, std::string logonPassword,
                         std::string recipientNames, std::string recipientAddresses,
                         std::string subject, std::string note) {
    return {showDialog,
            attachAsViewer,
            {std::move(logonProfile), std::move(logonPassword), std::move(recipientNames),
             std::move(recipientAddresses), std::move(subject), std::move(note)}};
}

OptionRecord FaxOptions(std::int32_t showDialog, std::string logonProfile,
                        std::string logonPassword, std::string recipients, std::string subject,
                        std::string note) {
    return {showDialog,
            0,
            {std::move(logonProfile), std::move(logonPassword), std::move(recipients),
             std::string(), std::move(subject), std::move(note)}};
}

} // namespace vlkw
