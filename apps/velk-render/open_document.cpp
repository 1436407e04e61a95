#include "open_document.h"

#include "document/document.h"
#include "document/password.h"
#include "document/self_extract.h"
#include "document/interface_texts.h"

#include <algorithm>

namespace velk::cli {

std::string TerminalText(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

OpenOutcome OpenForRendering(FileSystem& files, const std::string& name,
                             const std::optional<std::string>& password, Document& document,
                             InterfaceTexts& texts) {
    if (!locate(files, name)) {
        return {ExitCode::NotFound, "Unable to locate file: " + name};
    }
    std::int32_t base = 0;
    if (const auto container = files.openExisting(name, OpenAccess::ReadOnly)) {
        base = SelfExtractBase(*container);
    }
    if (!document.open(files, name, base)) {
        return {ExitCode::OpenFailed, "Unable to open file: " + name};
    }
    if (!document.readHeader()) {
        return {ExitCode::InvalidFile,
                "Invalid File: " + name + "\nThis file isn't a velk document."};
    }
    texts.LoadInterfaceTexts(document);
    if (document.header.passwordLength > 0) {
        if (!password) {
            return {ExitCode::Password, TerminalText(texts.text(TextSlot::PasswordPrompt)) +
                                            "\n(give it with --password)"};
        }
        Unscrambler unscrambler;
        if (!PasswordMatches(document.header, *password, unscrambler)) {
            return {ExitCode::Password, TerminalText(texts.text(TextSlot::PasswordRefused))};
        }
    }
    document.loadPageTable(false);
    return {};
}

} // namespace velk::cli
