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

struct Fixture {
    MemoryRegistry registry;
    MemoryFileSystem files;
    RecordingMessageBox box;
    FileAssociation association{registry, files, box};

    std::string value(const std::string& key) { return registry.keys.at(key).value; }
    std::string onlyMessage() {
        EXPECT_EQ(box.shown.size(), 1u);
        return box.shown.empty() ? "" : box.shown.back().text;
    }
};

TEST(FileAssociation, CleanRegistryIsNotRegisteredAndAskingLeavesAnEmptyKey) {
    Fixture f;
    EXPECT_FALSE(f.association.IsExtensionRegistered());
    ASSERT_EQ(f.registry.keys.count(".vlk"), 1u);
    EXPECT_FALSE(f.registry.keys.at(".vlk").hasValue);

    EXPECT_TRUE(f.association.RegisterExtension());
    EXPECT_TRUE(f.association.IsExtensionRegistered());
    f.registry.refused.insert(".vlk");
    EXPECT_FALSE(f.association.IsExtensionRegistered());
}

TEST(FileAssociation, RegistersFourKeysInOrderWithUnquotedPathWithoutBlanks) {
    Fixture f;
    f.files.executable = " C:\\Tools\\velk.exe ";
    ASSERT_TRUE(f.association.RegisterExtension());
    EXPECT_EQ(f.value(".vlk"), "velk Print Preview Document");
    EXPECT_EQ(f.value("velk Print Preview Document"), "velk Print Preview Document");
    EXPECT_EQ(f.value("velk Print Preview Document\\shell\\open\\command"),
              "C:\\Tools\\velk.exe %1");
    EXPECT_EQ(f.value("velk Print Preview Document\\shell\\print\\command"),
              "C:\\Tools\\velk.exe -PA %1");
    const std::vector<std::string> opens = {
        "open .vlk", "open velk Print Preview Document",
        "open velk Print Preview Document\\shell\\open\\command",
        "open velk Print Preview Document\\shell\\print\\command"};
    std::vector<std::string> seen;
    for (const auto& line : f.registry.log) {
        if (line.rfind("open ", 0) == 0) {
            seen.push_back(line);
        }
    }
    EXPECT_EQ(seen, opens);
}

TEST(FileAssociation, PathWithABlankIsQuoted) {
    Fixture f;
    f.files.executable = "C:\\Program Files\\velk\\velk.exe";
    ASSERT_TRUE(f.association.RegisterExtension());
    EXPECT_EQ(f.value("velk Print Preview Document\\shell\\open\\command"),
              "\"C:\\Program Files\\velk\\velk.exe\" %1");
    EXPECT_EQ(f.value("velk Print Preview Document\\shell\\print\\command"),
              "\"C:\\Program Files\\velk\\velk.exe\" -PA %1");
}

TEST(FileAssociation, CommandIsCutTo299Characters) {
    EXPECT_EQ(VerbCommand("C:\\" + std::string(400, 'a'), "%1").size(), 299u);
}

TEST(FileAssociation, RegistrationStopsAtTheFirstRefusedKey) {
    Fixture f;
    f.registry.refused.insert("velk Print Preview Document");
    EXPECT_FALSE(f.association.RegisterExtension());
    EXPECT_EQ(f.value(".vlk"), "velk Print Preview Document");
    EXPECT_EQ(f.registry.keys.count("velk Print Preview Document\\shell\\open\\command"), 0u);
}

TEST(FileAssociation, BlankOrUnreadableValueIsNotRegistered) {
    const struct {
        bool hasValue;
        const char* value;
        bool unreadable;
        bool expected;
    } cases[] = {
        {true, "   ", false, false},
        {true, "", false, false},
        {false, "", false, false},
        {true, "x", true, false},
        {true, " velk Print Preview Document ", false, true},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.registry.keys[".vlk"] = {c.hasValue, c.value};
        if (c.unreadable) {
            f.registry.unreadable.insert(".vlk");
        }
        EXPECT_EQ(f.association.IsExtensionRegistered(), c.expected) << '"' << c.value << '"';
    }
}

TEST(FileAssociation, ReportNamesBothCommands) {
    Fixture f;
    f.files.executable = "C:\\Tools\\velk.exe";
    f.association.RegisterExtension();
    f.association.ShowRegistration();
    EXPECT_EQ(
        f.onlyMessage(),
        "Registry Settings for the .vlk extension\r\rProgram Name: velk Print Preview Document"
        "\rOpen: C:\\Tools\\velk.exe %1\rPrint: C:\\Tools\\velk.exe -PA %1");
    EXPECT_EQ(f.box.shown[0].caption, "velk Print and Preview");
}

TEST(FileAssociation, ReportFailures) {
    const std::string prog = "velk Print Preview Document";
    {
        Fixture f;
        f.registry.refused.insert(".vlk");
        f.association.ShowRegistration();
        EXPECT_EQ(f.onlyMessage(), "There is no entry in the registry for the .vlk extension.");
    }
    {
        Fixture f;
        f.association.ShowRegistration();
        EXPECT_EQ(f.onlyMessage(),
                  "Unable to open registry key to check status of .vlk extension registration.");
    }
    {
        Fixture f;
        f.registry.keys[".vlk"] = {true, "  "};
        f.association.ShowRegistration();
        EXPECT_EQ(f.onlyMessage(), "There is no entry in the registry for the .vlk extension.");
    }
    {
        Fixture f;
        f.association.RegisterExtension();
        f.registry.keys[prog + "\\shell\\print\\command"] = {false, ""};
        f.association.ShowRegistration();
        EXPECT_TRUE(f.onlyMessage().ends_with("\rPrint: Unable to open key"));
        EXPECT_NE(f.onlyMessage().find("\rOpen: C:\\Tools\\velk.exe %1\r"), std::string::npos);
    }
    {
        Fixture f;
        f.association.RegisterExtension();
        f.registry.refused.insert(prog + "\\shell\\open\\command");
        f.association.ShowRegistration();
        EXPECT_NE(f.onlyMessage().find("\rOpen: Command Missing\r"), std::string::npos);
    }
}

} // namespace
} // namespace velk
