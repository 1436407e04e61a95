#pragma once

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "shellreg/shell_registration.h"

namespace velk {

constexpr const char* kProgramId = "velk Print Preview Document";

// The shell association of ".vlk" with this executable: open and print verbs.
class FileAssociation : public ShellRegistration {
  public:
    FileAssociation(Registry& registry, FileSystem& files, MessageBoxPort& messages)
        : registry_(registry), files_(files), messages_(messages) {}

    bool IsExtensionRegistered() override;
    bool RegisterExtension() override;
    void ShowRegistration() override;

  private:
    Registry& registry_;
    FileSystem& files_;
    MessageBoxPort& messages_;
};

// The command the shell runs for a verb: the executable's path, in quotation marks when it
// holds a blank (so that "C:\Program Files\..." cannot start "C:\Program.exe"), then the
// verb's arguments.
std::string VerbCommand(const std::string& executablePath, const std::string& arguments);

} // namespace velk
