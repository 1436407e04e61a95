#include "support/documents.h"
#include "viewer/password_dialog.h"
#include "unit/viewer/viewer_fakes.h"

#include <gtest/gtest.h>

#include <map>

namespace velk {
namespace {

using testing::FakeEditDialog;
using Lines = std::vector<std::string>;

// DLG_PASSWORD over a protected document, after WM_INITDIALOG.
struct DialogRun : testing::OpenedDocument {
    InterfaceTexts texts;
    testing::RecordingMessageBox box;
    Unscrambler unscrambler;
    FakeEditDialog view;
    PasswordDialog dialog{document, texts, box, unscrambler};

    explicit DialogRun(const vlkw::DocumentDescription& description)
        : OpenedDocument(vlkw::WriteDocument(description)) {
        texts.LoadInterfaceTexts(document);
        dialog.onInitDialog(view);
    }
    void attempt(const std::string& typed) {
        view.typed = typed;
        dialog.onCommand(kEditDialogOk, view);
    }
    Lines messages() const {
        Lines shown;
        for (const auto& m : box.shown) {
            EXPECT_EQ(m.caption, "Quarterly Report");
            shown.push_back(m.text);
        }
        return shown;
    }
};

// `replaced`: texts by replacement position (0 the caption, 1 the prompt, 2 and 3 the two
// messages, 4 ok, 5 cancel).
vlkw::DocumentDescription Protected(const std::string& password,
                                    const std::map<std::size_t, std::string>& replaced = {}) {
    auto description = testing::ThreePageReport();
    description.password = password;
    for (const auto& [position, text] : replaced) {
        description.replacementTexts.at(position) = text;
    }
    return description;
}

TEST(PasswordDialog, TextsComeFromTheInterfaceTexts) {
    DialogRun plain(Protected("pw"));
    EXPECT_EQ(plain.view.texts,
              (EditDialogTexts{"This document is password protected.\rPlease type in your password",
                               "Password Required", "&Cancel", "&Ok"}));
    EXPECT_FALSE(plain.dialog.accepted());

    DialogRun replaced(Protected(
        "pw",
        {{0, "Kennwort erforderlich"}, {1, std::string(250, 'b')}, {4, "&Gut"}, {5, "  &Nein"}}));
    // Cut to what a window takes, not trimmed.
    EXPECT_EQ(replaced.view.texts,
              (EditDialogTexts{std::string(199, 'b'), "Kennwort erforderlich", "  &Nein", "&Gut"}));
}

TEST(PasswordDialog, ThreeAttemptsThenTheDocumentStaysClosed) {
    const std::string invalid = "Invalid Password.";
    using Replaced = std::map<std::size_t, std::string>;
    const std::tuple<const char*, Replaced, Lines, bool, Lines> cases[] = {
        {"secret", {}, {"wrong", "secreT", "secret"}, true, {invalid, invalid}},
        {"secret",
         {},
         {"a", "b", "c"},
         false,
         {invalid, invalid, invalid + "\rUnable to display document."}},
        {"secret",
         {{2, "Falsch."}, {3, "Falsch. Ende."}},
         {"x", "y", "z"},
         false,
         {"Falsch.", "Falsch.", "Falsch. Ende."}},
        {"abcdefghijklmnopqrst", {}, {"abcdefghijklmnopqrst"}, true, {}},
    };
    for (const auto& [password, replaced, typed, accepted, messages] : cases) {
        DialogRun run(Protected(password, replaced));
        for (std::size_t i = 0; i < typed.size(); ++i) {
            // Nothing closes the dialog before the last attempt.
            EXPECT_EQ(run.view.closeRequests, 0) << typed[i];
            run.attempt(typed[i]);
        }
        EXPECT_EQ(run.dialog.accepted(), accepted) << typed.back();
        // The flag as the header carries it into a saved copy.
        EXPECT_EQ(run.document.header.passwordAccepted, accepted ? 1 : 0);
        EXPECT_EQ(run.view.closeRequests, 1) << typed.back();
        EXPECT_EQ(run.messages(), messages) << typed.back();
    }
}

TEST(PasswordDialog, CancelEscapeAndCloseEndWithoutAMessageOtherIdsDoNothing) {
    const std::pair<int, int> cases[] = {
        {kEditDialogCancel, 1}, {kDialogCancel, 1}, {1, 0}, {kEditDialogEdit, 0}};
    for (const auto& [id, closeRequests] : cases) {
        DialogRun run(Protected("secret"));
        run.view.typed = "secret";
        run.dialog.onCommand(id, run.view);
        EXPECT_EQ(run.view.closeRequests, closeRequests) << id;
        run.dialog.onClose(run.view);
        EXPECT_TRUE(run.view.ended);
        EXPECT_TRUE(run.box.shown.empty());
        EXPECT_FALSE(run.dialog.accepted());
    }
}

} // namespace
} // namespace velk
