#include "startup/startup.h"

#include "document/self_extract.h"
#include "base/file_names.h"
#include "base/user_message.h"
#include "base/ansi_text.h"
#include "document/permissions.h"

namespace velk {

OpenDialogRequest DocumentOpenDialog() {
    OpenDialogRequest request;
    request.caption = "Open velk Document";
    request.initialName = "*.vlk";
    request.filter = "*.vlk";
    request.defaultExtension = ".vlk";
    request.bufferSize = 256;
    request.flags = kOpenDialogFlags;
    return request;
}

namespace {

void RunRegistrationCommand(RegistrationCommand command, StartupServices& s) {
    switch (command) {
    case RegistrationCommand::InstallVerbose:
        ShowMessage(s.messages, "",
                    s.registration.RegisterExtension() ? "velk documents has been registered"
                                                       : "Couldn't register velk documents.");
        break;
    case RegistrationCommand::Install:
        s.registration.RegisterExtension();
        break;
    case RegistrationCommand::ShowRegistration:
        if (s.registration.IsExtensionRegistered()) {
            s.registration.ShowRegistration();
        } else {
            ShowMessage(s.messages, "",
                        ".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it.");
        }
        break;
    case RegistrationCommand::None:
        break;
    }
}

// Opens, validates and shows (or prints, mails, faxes) the named document, then closes it and
// deletes it when it is a temporary document.
StartupOutcome RunDocument(const StartupRequest& request, std::int32_t base, StartupServices& s) {
    const std::string& name = request.fileName;
    if (!locate(s.files, name)) {
        ShowMessage(s.messages, "", "Unable to locate file: " + name);
        return StartupOutcome::NotFound;
    }
    Document document;
    if (!document.open(s.files, name, base)) {
        ShowMessage(s.messages, "", "Unable to open file: " + name);
        return StartupOutcome::OpenFailed;
    }
    if (!document.readHeader()) {
        ShowMessage(s.messages, document.header.title,
                    "Invalid File: " + name + "\rThis file isn't a velk document.");
        document.close();
        return StartupOutcome::InvalidFile;
    }
    if (!request.building) {
        document.readOptionRecords();
    }
    InterfaceTexts texts;
    texts.LoadInterfaceTexts(document);

    StartupOutcome outcome = StartupOutcome::Viewed;
    if (document.header.passwordLength > 0 && !s.password.askPassword(document, texts)) {
        outcome = StartupOutcome::PasswordRefused;
    } else {
        ApplyCopyRestrictions(document.header, base);
        outcome = s.viewer.run(document, request, texts);
    }

    document.close();
    if (base == 0 && document.header.deleteOnClose != 0) {
        s.files.deleteFile(name);
    }
    return outcome;
}

} // namespace

StartupOutcome RunStartup(const std::string& commandLine, StartupServices& s) {
    std::string commandText = TrimBlanks(commandLine);
    const std::int32_t base = detectSelfExtract(s.files);

    if (commandText.empty() && base == 0) {
        const auto chosen = s.openDialog.run(DocumentOpenDialog());
        if (!chosen || TrimBlanks(*chosen).empty()) {
            return StartupOutcome::Cancelled;
        }
        commandText = TrimBlanks(*chosen);
    }

    if (const auto command = ParseRegistrationCommand(commandText);
        command != RegistrationCommand::None) {
        RunRegistrationCommand(command, s);
        return StartupOutcome::Registration;
    }

    if (base != 0) {
        commandText += " " + OwnExecutablePath(s.files);
    } else if (!s.registration.IsExtensionRegistered()) {
        s.registration.RegisterExtension();
    }

    return RunDocument(ParseSwitches(commandText, base), base, s);
}

} // namespace velk
