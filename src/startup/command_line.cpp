#include "startup/command_line.h"

#include "base/ansi_text.h"

#include <array>
#include <string_view>

namespace velk {

RegistrationCommand ParseRegistrationCommand(const std::string& commandText) {
    const std::string word = UpperCase(commandText);
    if (word == "-INSTALLVERBOSE" || word == "/INSTALLVERBOSE") {
        return RegistrationCommand::InstallVerbose;
    }
    if (word == "-INSTALL" || word == "/INSTALL") {
        return RegistrationCommand::Install;
    }
    if (word == "-SHOWREG" || word == "/SHOWREG") {
        return RegistrationCommand::ShowRegistration;
    }
    return RegistrationCommand::None;
}

namespace {

enum class Switch { Print, PrintAll, Fax, Mail, Build };

struct SwitchForm {
    std::string_view word; // without its leading "/" or "-", with the blank after it
    Switch kind;
};

// First match wins, in this order.
constexpr std::array<SwitchForm, 5> kSwitches = {{
    {"P ", Switch::Print},
    {"PA ", Switch::PrintAll},
    {"F ", Switch::Fax},
    {"E ", Switch::Mail},
    {"BV ", Switch::Build},
}};

} // namespace

StartupRequest ParseSwitches(const std::string& commandText, std::int32_t base) {
    StartupRequest request;
    const std::string upper = UpperCase(commandText);
    std::string_view rest = commandText;
    const bool marked = !upper.empty() && (upper[0] == '/' || upper[0] == '-');
    for (const auto& form : kSwitches) {
        if (!marked || std::string_view(upper).substr(1, form.word.size()) != form.word) {
            continue;
        }
        rest = std::string_view(commandText).substr(1 + form.word.size());
        switch (form.kind) {
        case Switch::Print:
            request.printRequested = true;
            break;
        case Switch::PrintAll:
            request.printRequested = true;
            request.printAllRequested = true;
            break;
        case Switch::Fax:
            request.faxRequested = base == 0;
            break;
        case Switch::Mail:
            request.mailRequested = base == 0;
            break;
        case Switch::Build:
            request.building = true;
            break;
        }
        break;
    }
    request.fileName = TrimBlanks(rest);
    return request;
}

} // namespace velk
