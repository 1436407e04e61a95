#pragma once

#include "platform/message_box.h"
#include "platform/open_dialog.h"
#include "platform/settings.h"
#include "startup/startup.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velk::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned flags = 0;
    bool operator==(const ShownMessage&) const = default;
};

class RecordingMessageBox : public MessageBoxPort {
  public:
    std::vector<ShownMessage> shown;
    void show(const std::string& text, const std::string& caption, unsigned flags) override {
        shown.push_back({text, caption, flags});
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& message : shown) {
            all.push_back(message.text);
        }
        return all;
    }
};

// A file dialog that answers as it is told and keeps what it was asked.
template <class Dialog, class Request> class ScriptedDialog : public Dialog {
  public:
    std::optional<std::string> answer;
    std::vector<Request> requests;
    std::optional<std::string> run(const Request& request) override {
        requests.push_back(request);
        return answer;
    }
};
using ScriptedOpenDialog = ScriptedDialog<OpenDialog, OpenDialogRequest>;

// Records the calls of start-up to the shell association, in order.
class RecordingRegistration : public ShellRegistration {
  public:
    bool registered = true;
    bool registerSucceeds = true;
    std::vector<std::string> calls;
    bool IsExtensionRegistered() override {
        calls.push_back("IsExtensionRegistered");
        return registered;
    }
    bool RegisterExtension() override {
        calls.push_back("RegisterExtension");
        return registerSucceeds;
    }
    void ShowRegistration() override { calls.push_back("ShowRegistration"); }
};

class ScriptedPassword : public PasswordPrompt {
  public:
    bool accept = true;
    int asked = 0;
    std::string promptSeen; // the password prompt text at the time of asking
    bool askPassword(Document&, const InterfaceTexts& texts) override {
        ++asked;
        promptSeen = texts.text(TextSlot::PasswordPrompt);
        return accept;
    }
};

// What the viewer was handed, copied at the moment it ran.
class RecordingViewer : public ViewerHost {
  public:
    int runs = 0;
    StartupRequest request;
    std::string fileName;
    std::int32_t base = -1;
    DocumentHeader header;
    MailOptions mail;
    std::string fitWindowText;
    bool fileOpen = false;
    StartupOutcome outcome = StartupOutcome::Viewed;
    StartupOutcome run(Document& document, const StartupRequest& req,
                       InterfaceTexts& texts) override {
        ++runs;
        request = req;
        fileName = document.fileName;
        base = document.base;
        header = document.header;
        mail = document.mailOptions;
        fitWindowText = texts.text(TextSlot::FitWindow);
        fileOpen = document.file != nullptr;
        return outcome;
    }
};

class FakeProfile : public ProfileSource {
  public:
    // "section/key" -> raw buffer text as the system would return it
    std::map<std::string, std::string> values;
    std::vector<std::string> fileNames;
    std::string read(const std::string& section, const std::string& key,
                     const std::string& defaultValue, const std::string& fileName,
                     unsigned bufferSize) override {
        fileNames.push_back(fileName);
        const auto it = values.find(section + "/" + key);
        std::string text = it != values.end() ? it->second : defaultValue;
        text.resize(bufferSize, '\0');
        return text;
    }
};

class FakeScreen : public ScreenInfo {
  public:
    int x = 96;
    int y = 96;
    int logPixelsX() override { return x; }
    int logPixelsY() override { return y; }
};

} // namespace velk::testing
