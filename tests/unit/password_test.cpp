#include "document/password.h"
#include "document/password_dialog.h"
#include "support/documents.h"
#include "support/recording_services.h"
#include "writer/scrambler.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

std::vector<int> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<int> KeyBytesOf(const std::string& key, std::size_t n) {
    Unscrambler u;
    // Unscrambling zeros gives the key bytes themselves.
    std::vector<int> bytes;
    for (const char c : u.unscramble(std::string(n, '\0'), key)) {
        bytes.push_back(static_cast<unsigned char>(c));
    }
    return bytes;
}

TEST(DigitsOf, ProductPlusLengthWithoutTheFirstThreeDigits) {
    const struct {
        std::string text;
        std::int64_t n;
        const char* expected;
    } cases[] = {
        // (1+19)(2+53)(3+39)(4+41) = 2079000, + 4 = 2079004
        {std::string{19, 53, 39, 41}, 4, "9004"},
        // 1 + 1 = 2: three digits or fewer stay whole
        {std::string(1, '\0'), 1, "2"},
        // (1+99) + 900 = 1000
        {std::string(1, 99), 900, "0"},
        // 127*128*...*133 = 626965467448320: fifteen digits, beyond 32 bits, + 20
        {std::string(7, 126), 20, "965467448340"},
        // codes above 127 count as unsigned: (1+255) + 0 = 256
        {std::string(1, '\xff'), 0, "256"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digitsOf(c.text, c.n), c.expected) << c.n;
    }
}

TEST(Unscramble, KeyBytesMatchVectorsWorkedOutByHand) {
    // "velk", n = 4: pass 1 gives 9004, pass 2 (21*56*43*46 + 4 = 2326132) gives 6132;
    // windows 900, 004, 046, 461 -> 132, 4, 46, 205.
    EXPECT_EQ(KeyBytesOf("velk", 4), (std::vector<int>{132, 4, 46, 205}));
    // Eight characters: one group of seven and a rest of one.
    EXPECT_EQ(KeyBytesOf("12345678", 8), (std::vector<int>{112, 128, 27, 64, 72, 27, 112, 128}));
    // Data longer than the key, and a zero byte replaced by 256 mod (p + i).
    EXPECT_EQ(KeyBytesOf("neon", 5), (std::vector<int>{224, 157, 4, 53, 144}));
}

TEST(Unscramble, AgreesWithTheWritersScramblerBothWays) {
    const char* keys[] = {"a",
                          "velk",
                          "1234567",
                          "12345678",
                          "Passwort fuer 2026!",
                          "zzzzzzzzzzzzzzzzzzzz",
                          "\x7e\x7e\x7e",
                          "mit Leerzeichen"};
    for (const std::string key : keys) {
        const std::vector<std::uint8_t> plain(key.begin(), key.end());
        const auto scrambled = vlkw::Scramble(plain, key);
        const std::string stored(scrambled.begin(), scrambled.end());
        Unscrambler u;
        EXPECT_EQ(u.unscramble(stored, key), key) << key;
        EXPECT_EQ(Bytes(u.unscramble(key, key)), Bytes(stored)) << key;
    }
}

TEST(Unscramble, KeyBytesAreKeptForTheSameKeyAndLength) {
    Unscrambler u;
    u.unscramble("abcd", "velk");
    u.unscramble("wxyz", "velk");
    EXPECT_EQ(u.keyBuilds(), 1);
    u.unscramble("abcde", "velk");
    EXPECT_EQ(u.keyBuilds(), 2);
    u.unscramble("abcde", "velx");
    EXPECT_EQ(u.keyBuilds(), 3);
    EXPECT_EQ(u.unscramble("abcde", "velx"), u.unscramble("abcde", "velx"));
    EXPECT_EQ(u.keyBuilds(), 3);
}

DocumentHeader ProtectedHeader(const std::string& password) {
    auto description = testing::ThreePageReport();
    description.password = password;
    const auto bytes = vlkw::WriteDocument(description);
    std::array<std::uint8_t, kHeaderSize> raw{};
    std::copy_n(bytes.begin(), kHeaderSize, raw.begin());
    return ParseHeader(raw);
}

TEST(PasswordMatches, TrailingBlanksIgnoredLeadingBlanksWrong) {
    const struct {
        std::string stored;
        std::string typed;
        bool expected;
    } cases[] = {
        {"secret", "secret", true},
        {"secret", "secret   ", true},
        {"secret", " secret", false},
        {"secret", "Secret", false},
        {"secret", "secre", false},
        {"secret", "secrets", false},
        {"secret", "", false},
        {std::string(19, 'q'), std::string(19, 'q'), true},
        // Every password a producer can store opens: twenty characters reach the check.
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst", true},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrs", false},
        {"with blank", "with blank", true},
    };
    for (const auto& c : cases) {
        const auto header = ProtectedHeader(c.stored);
        Unscrambler u;
        EXPECT_EQ(PasswordMatches(header, c.typed, u), c.expected) << c.stored << " / " << c.typed;
    }
}

class FakePasswordView : public PasswordDialogView {
  public:
    std::string caption;
    std::map<int, std::string> controls;
    std::string typed;
    int closeRequests = 0;
    bool ended = false;
    void setCaption(const std::string& text) override { caption = text; }
    void setControlText(int id, const std::string& text) override { controls[id] = text; }
    std::string typedText() override { return typed.substr(0, kTypedPasswordLimit); }
    void requestClose() override { ++closeRequests; }
    void endDialog() override { ended = true; }
};

struct DialogRun {
    testing::MemoryFileSystem files;
    Document document;
    InterfaceTexts texts;
    testing::RecordingMessageBox box;
    Unscrambler unscrambler;
    FakePasswordView view;
    PasswordDialog dialog{document, texts, box, unscrambler};

    explicit DialogRun(const vlkw::DocumentDescription& description) {
        files.add("C:\\p.vlk", vlkw::WriteDocument(description));
        document.open(files, "C:\\p.vlk", 0);
        document.readHeader();
        texts.LoadInterfaceTexts(document);
        dialog.onInitDialog(view);
    }
    void attempt(const std::string& typed) {
        view.typed = typed;
        dialog.onCommand(102, view);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : box.shown) {
            texts.push_back(m.text);
        }
        return texts;
    }
};

vlkw::DocumentDescription Protected(const std::string& password) {
    auto d = testing::ThreePageReport();
    d.password = password;
    return d;
}

TEST(PasswordDialog, InitialTextsComeFromTheInterfaceTexts) {
    auto description = Protected("pw");
    description.replacementTexts[0] = "Kennwort erforderlich";
    description.replacementTexts[1] = "Bitte Kennwort eingeben";
    description.replacementTexts[4] = "&Gut";
    description.replacementTexts[5] = "&Nein";
    DialogRun run(description);
    EXPECT_EQ(run.view.caption, "Kennwort erforderlich");
    EXPECT_EQ(run.view.controls[104], "Bitte Kennwort eingeben");
    EXPECT_EQ(run.view.controls[102], "&Gut");
    EXPECT_EQ(run.view.controls[103], "&Nein");
    EXPECT_FALSE(run.dialog.accepted());

    DialogRun plain(Protected("pw"));
    EXPECT_EQ(plain.view.caption, "Password Required");
    EXPECT_EQ(plain.view.controls[104],
              "This document is password protected.\rPlease type in your password");
}

TEST(PasswordDialog, WrongAttemptsAreToldAndTheThirdEndsTheDialog) {
    const std::vector<std::string> invalid = {"Invalid Password.", "Invalid Password."};
    const struct {
        std::string password;
        std::vector<std::string> attempts;
        std::map<std::size_t, std::string> replaced; // slot index: text
        bool accepted;
        std::vector<std::string> messages;
    } cases[] = {
        {"secret", {"wrong", "secreT", "secret"}, {}, true, invalid},
        {"secret",
         {"a", "b", "c"},
         {},
         false,
         {"Invalid Password.", "Invalid Password.",
          "Invalid Password.\rUnable to display document."}},
        {"secret",
         {"x", "y", "z"},
         {{2, "Falsch."}, {3, "Falsch. Ende."}},
         false,
         {"Falsch.", "Falsch.", "Falsch. Ende."}},
        {"abcdefghijklmnopqrst", {"abcdefghijklmnopqrst"}, {}, true, {}},
    };
    for (const auto& c : cases) {
        auto description = Protected(c.password);
        for (const auto& [slot, text] : c.replaced) {
            description.replacementTexts[slot] = text;
        }
        DialogRun run(description);
        for (std::size_t i = 0; i < c.attempts.size(); ++i) {
            EXPECT_EQ(run.view.closeRequests, 0) << c.attempts[i];
            run.attempt(c.attempts[i]);
        }
        EXPECT_EQ(run.dialog.accepted(), c.accepted) << c.attempts.back();
        EXPECT_EQ(run.view.closeRequests, 1) << c.attempts.back();
        EXPECT_EQ(run.messages(), c.messages) << c.attempts.back();
        for (const auto& shown : run.box.shown) {
            EXPECT_EQ(shown.caption, "Quarterly Report");
        }
    }
}

TEST(PasswordDialog, CancelEscapeAndCloseEndWithoutAMessage) {
    for (const int id : {103, 2}) {
        DialogRun run(Protected("secret"));
        run.dialog.onCommand(id, run.view);
        EXPECT_EQ(run.view.closeRequests, 1) << id;
        run.dialog.onClose(run.view);
        EXPECT_TRUE(run.view.ended);
        EXPECT_TRUE(run.box.shown.empty());
        EXPECT_FALSE(run.dialog.accepted());
    }
    DialogRun other(Protected("secret"));
    other.dialog.onCommand(1, other.view); // not one of the dialog's own controls
    other.dialog.onCommand(101, other.view);
    EXPECT_EQ(other.view.closeRequests, 0);
}

} // namespace
} // namespace velk
