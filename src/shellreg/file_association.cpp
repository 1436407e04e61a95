#include "shellreg/file_association.h"

#include "base/file_names.h"
#include "base/user_message.h"
#include "base/ansi_text.h"

#include <array>

namespace velk {

namespace {

constexpr const char* kOpenCommandKey = "\\shell\\open\\command";
constexpr const char* kPrintCommandKey = "\\shell\\print\\command";

// A verb's command, or what the report says in its place.
std::string CommandText(Registry& registry, const std::string& key) {
    const auto command = registry.openOrCreate(key);
    if (!command) {
        return "Command Missing";
    }
    return command->readDefault().value_or("Unable to open key");
}

} // namespace

std::string VerbCommand(const std::string& executablePath, const std::string& arguments) {
    const bool quote = executablePath.find(' ') != std::string::npos;
    const std::string path = quote ? "\"" + executablePath + "\"" : executablePath;
    return CutTo(path + " " + arguments, kMessageTextLimit);
}

bool FileAssociation::RegisterExtension() {
    const std::string path = OwnExecutablePath(files_);
    const std::string programKey = kProgramId;
    const std::array<std::pair<std::string, std::string>, 4> entries = {{
        {".vlk", kProgramId},
        {programKey, kProgramId},
        {programKey + kOpenCommandKey, VerbCommand(path, "%1")},
        {programKey + kPrintCommandKey, VerbCommand(path, "-PA %1")},
    }};
    for (const auto& [key, value] : entries) {
        const auto opened = registry_.openOrCreate(key);
        if (!opened) {
            return false;
        }
        opened->writeDefault(value);
    }
    return true;
}

bool FileAssociation::IsExtensionRegistered() {
    const auto key = registry_.openOrCreate(".vlk");
    if (!key) {
        return false;
    }
    const auto value = key->readDefault();
    return value && !TrimBlanks(*value).empty();
}

void FileAssociation::ShowRegistration() {
    std::string programId;
    {
        const auto key = registry_.openOrCreate(".vlk");
        if (!key) {
            ShowMessage(messages_, "", "There is no entry in the registry for the .vlk extension.");
            return;
        }
        const auto value = key->readDefault();
        if (!value) {
            ShowMessage(
                messages_, "",
                "Unable to open registry key to check status of .vlk extension registration.");
            return;
        }
        if (TrimBlanks(*value).empty()) {
            ShowMessage(messages_, "", "There is no entry in the registry for the .vlk extension.");
            return;
        }
        programId = *value;
    }
    const std::string openText = CommandText(registry_, programId + kOpenCommandKey);
    const std::string printText = CommandText(registry_, programId + kPrintCommandKey);
    ShowMessage(messages_, "",
                "Registry Settings for the .vlk extension\r\rProgram Name: " + programId +
                    "\rOpen: " + openText + "\rPrint: " + printText);
}

} // namespace velk
