#include "shellreg/file_association.h"
#include "support/memory_file_system.h"
#include "support/memory_registry.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::MemoryFileSystem;
using testing::MemoryRegistry;
using testing::RecordingMessageBox;

const std::string kProgram = "velk Print Preview Document";
const std::string kOpenKey = kProgram + "\\shell\\open\\command";
const std::string kPrintKey = kProgram + "\\shell\\print\\command";

struct Fixture {
    MemoryRegistry registry;
    MemoryFileSystem files;
    RecordingMessageBox box;
    FileAssociation association{registry, files, box};

    std::string value(const std::string& key) { return registry.keys.at(key).value; }
};

TEST(FileAssociation, OnlyAValueNotBlankIsARegistrationAndAskingLeavesAnEmptyKey) {
    Fixture f;
    EXPECT_FALSE(f.association.IsExtensionRegistered());
    ASSERT_EQ(f.registry.keys.count(".vlk"), 1u);
    EXPECT_FALSE(f.registry.keys.at(".vlk").hasValue);

    EXPECT_TRUE(f.association.RegisterExtension());
    EXPECT_TRUE(f.association.IsExtensionRegistered());
    // A blank value is none; a name with blanks around it counts.
    f.registry.keys[".vlk"] = {true, "   "};
    EXPECT_FALSE(f.association.IsExtensionRegistered());
    f.registry.keys[".vlk"] = {true, " velk Print Preview Document "};
    EXPECT_TRUE(f.association.IsExtensionRegistered());
    f.registry.refused.insert(".vlk");
    EXPECT_FALSE(f.association.IsExtensionRegistered());
}

// The path is trimmed, and quoted when it holds a blank.
TEST(FileAssociation, RegistersFourKeysInOrder) {
    const std::pair<const char*, std::string> cases[] = {
        {" C:\\Tools\\velk.exe ", "C:\\Tools\\velk.exe"},
        {"C:\\Program Files\\velk\\velk.exe", "\"C:\\Program Files\\velk\\velk.exe\""},
    };
    for (const auto& [executable, command] : cases) {
        Fixture f;
        f.files.executable = executable;
        ASSERT_TRUE(f.association.RegisterExtension());
        EXPECT_EQ(f.value(".vlk"), kProgram);
        EXPECT_EQ(f.value(kProgram), kProgram);
        EXPECT_EQ(f.value(kOpenKey), command + " %1");
        EXPECT_EQ(f.value(kPrintKey), command + " -PA %1");
        std::vector<std::string> opened;
        for (const auto& line : f.registry.log) {
            if (line.rfind("open ", 0) == 0) {
                opened.push_back(line.substr(5));
            }
        }
        EXPECT_EQ(opened, (std::vector<std::string>{".vlk", kProgram, kOpenKey, kPrintKey}));
    }
}

TEST(FileAssociation, CommandIsCutTo299Characters) {
    EXPECT_EQ(VerbCommand("C:\\" + std::string(400, 'a'), "%1").size(), 299u);
}

TEST(FileAssociation, RegistrationStopsAtTheFirstRefusedKey) {
    Fixture f;
    f.registry.refused.insert(kProgram);
    EXPECT_FALSE(f.association.RegisterExtension());
    EXPECT_EQ(f.value(".vlk"), kProgram);
    EXPECT_EQ(f.registry.keys.count(kOpenKey), 0u);
}

TEST(FileAssociation, ReportNamesBothCommandsOrWhatIsMissing) {
    const std::string report =
        "Registry Settings for the .vlk extension\r\rProgram Name: " + kProgram + "\rOpen: ";
    const std::string open = "C:\\Tools\\velk.exe %1";
    const std::string print = "\rPrint: C:\\Tools\\velk.exe -PA %1";
    const std::string noEntry = "There is no entry in the registry for the .vlk extension.";
    const char* const noValue = nullptr;
    // refused: then refused
    // key: then holding `value`, or no value when it is null
    const std::tuple<bool, std::string, std::string, const char*, std::string> cases[] = {
        {true, "", "", noValue, report + open + print},
        {true, kOpenKey, "", noValue, report + "Command Missing" + print},
        {true, "", kPrintKey, noValue, report + open + "\rPrint: Unable to open key"},
        {false, ".vlk", "", noValue, noEntry},
        {false, "", ".vlk", "  ", noEntry},
        {false, "", "", noValue,
         "Unable to open registry key to check status of .vlk extension registration."},
    };
    for (const auto& [registered, refused, key, value, message] : cases) {
        Fixture f;
        if (registered) {
            f.association.RegisterExtension();
        }
        if (!refused.empty()) {
            f.registry.refused.insert(refused);
        }
        if (!key.empty()) {
            f.registry.keys[key] = {value != nullptr, value != nullptr ? value : ""};
        }
        f.association.ShowRegistration();
        ASSERT_EQ(f.box.shown.size(), 1u) << message;
        EXPECT_EQ(f.box.shown[0].text, message);
        EXPECT_EQ(f.box.shown[0].caption, "velk Print and Preview");
    }
}

} // namespace
} // namespace velk
