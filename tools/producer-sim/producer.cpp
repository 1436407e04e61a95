#include "producer.h"
#include "platform/win32/unique_handle.h"

#include "writer/document_producer.h"
#include "writer/page_builder.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace producer_sim {

namespace {

constexpr const char* kWindowClass = "VelkProducerSimulator";
constexpr const char* kWindowCaption = "velk producer simulator";
constexpr DWORD kAttachTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 120000;
constexpr UINT kSendTimeoutMs = 60000;
constexpr std::uint32_t kPageAdded = 100;
constexpr std::uint32_t kFinished = 101;
constexpr std::uint32_t kProgress = 102;
constexpr std::uint32_t kViewerAttached = 103;
constexpr std::uint32_t kViewerClosing = 104;

using Handle = velk::win32::UniqueKernelHandle;

// One line per event, appended and closed at once so that a test reads it while we run.
class Log {
  public:
    explicit Log(std::string path) : path_(std::move(path)) {}
    void line(const std::string& text) const {
        const Handle file(CreateFileA(path_.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            return;
        }
        const std::string written = text + "\r\n";
        DWORD done = 0;
        WriteFile(file.get(), written.data(), static_cast<DWORD>(written.size()), &done, nullptr);
    }

  private:
    std::string path_;
};

// What the window hears from the viewer.
struct Conversation {
    const Log& log;
    HWND viewer = nullptr;
    bool viewerClosing = false;
};

void Heard(Conversation& conversation, const COPYDATASTRUCT& data) {
    const char* bytes = static_cast<const char*>(data.lpData);
    std::string_view text = bytes != nullptr ? std::string_view(bytes, data.cbData) : "";
    text = text.substr(0, text.find('\0'));
    conversation.log.line("received " + std::to_string(data.dwData) + " " +
                          std::to_string(data.cbData) + " " + std::string(text));
    if (data.dwData == kViewerAttached) {
        std::uintptr_t handle = 0;
        std::from_chars(text.data(), text.data() + text.size(), handle);
        conversation.viewer = reinterpret_cast<HWND>(handle);
    } else if (data.dwData == kViewerClosing) {
        conversation.viewerClosing = true;
    }
}

LRESULT CALLBACK ProducerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* conversation = reinterpret_cast<Conversation*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && conversation != nullptr && lParam != 0) {
        Heard(*conversation, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ProducerWindow {
  public:
    ProducerWindow(HINSTANCE instance, Conversation& conversation) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ProducerWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        window_.reset(CreateWindowExA(0, kWindowClass, kWindowCaption, WS_OVERLAPPEDWINDOW, 0, 0,
                                      320, 120, nullptr, nullptr, instance, &conversation));
        // Behind the viewer, which is started later and comes to the front.
        ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    }
    HWND get() const { return window_.get(); }

  private:
    velk::win32::UniqueWindow window_;
};

void DispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Serves the window (and so the viewer's messages) until `done` holds, `object` is signalled
// or the time is up. True when `done` held or `object` was signalled.
template <typename Done> bool ServeUntil(Done done, HANDLE object, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchWaiting();
        if (done()) {
            return true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return false;
        }
        const DWORD count = object != nullptr ? 1 : 0;
        const DWORD woke =
            MsgWaitForMultipleObjects(count, &object, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (count == 1 && woke == WAIT_OBJECT_0) {
            return true;
        }
    }
}

std::vector<std::uint8_t> PageBytes(int number) {
    const std::uint32_t navy = vlkw::Rgb(0x1f, 0x3a, 0x6e);
    return vlkw::PageBuilder()
        .font(vlkw::kBold, 28.0f, navy, "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, "Building page " + std::to_string(number))
        .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
        .text(1.0f, 1.8f, vlkw::kAlignLeft,
              "Written by the producer simulator while the viewer shows it.")
        .box({1.0f, 2.5f, 7.5f, 4.0f}, 1.0f, vlkw::Rgb(0xdd, 0xe6, 0xf4), navy)
        .pageNumber(4.25f, 10.25f, vlkw::kAlignCentre)
        .bytes();
}

vlkw::DocumentDescription Description(const Options& options, HWND window) {
    vlkw::DocumentDescription description;
    description.title = options.title;
    description.allowMail = options.allowMail ? vlkw::kMailAllowed : 0;
    description.allowFax = options.allowFax ? vlkw::kFaxAllowed : 0;
    description.allowSave = options.allowSave ? vlkw::kSaveAllowed : 0;
    description.producerWindow =
        static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(window));
    for (const auto& [page, caption] : options.index) {
        description.index.push_back({page, caption});
    }
    return description;
}

std::optional<Handle> StartViewer(const Options& options, const Log& log) {
    std::string commandLine = "\"" + options.viewer + "\" /BV " + options.document;
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        log.line("error viewer not started");
        return std::nullopt;
    }
    const Handle thread(started.hThread);
    log.line("started viewer " + std::to_string(started.dwProcessId));
    return Handle(started.hProcess);
}

class Session {
  public:
    Session(Conversation& conversation, vlkw::DocumentProducer& document)
        : conversation_(conversation), document_(document) {}

    void send(std::uint32_t code, const std::string& text) {
        COPYDATASTRUCT data{};
        data.dwData = code;
        data.cbData = static_cast<DWORD>(text.size() + 1);
        data.lpData = const_cast<char*>(text.c_str());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(conversation_.viewer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_NORMAL, kSendTimeoutMs, &ignored);
        conversation_.log.line("sent " + std::to_string(code) + " " + text);
    }

    void perform(const Action& action) {
        switch (action.kind) {
        case Action::Kind::Page: {
            const std::int32_t position =
                document_.addPage(PageBytes(document_.pagesWritten() + 1));
            send(kPageAdded, std::to_string(position));
            break;
        }
        case Action::Kind::Progress:
            send(kProgress, action.text);
            break;
        case Action::Kind::Finish:
            document_.finish();
            send(kFinished, "");
            break;
        case Action::Kind::Send:
            send(action.code, action.text);
            break;
        }
    }

  private:
    Conversation& conversation_;
    vlkw::DocumentProducer& document_;
};

bool ProcessEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

} // namespace

Outcome RunProducer(HINSTANCE instance, const Options& options) {
    const Log log(options.log);
    Conversation conversation{log};
    const ProducerWindow window(instance, conversation);

    std::optional<Handle> stepEvent;
    if (!options.stepEvent.empty()) {
        stepEvent.emplace(OpenEventA(SYNCHRONIZE, FALSE, options.stepEvent.c_str()));
        if (stepEvent->get() == nullptr) {
            log.line("error no event " + options.stepEvent);
            return Outcome::NoStepEvent;
        }
    }

    vlkw::DocumentProducer document(options.document, Description(options, window.get()));
    if (!document.ok()) {
        log.line("error document not written");
        return Outcome::DocumentNotWritten;
    }
    const std::optional<Handle> viewer = StartViewer(options, log);
    if (!viewer) {
        return Outcome::ViewerNotStarted;
    }
    const HANDLE viewerProcess = viewer->get();
    ServeUntil([&] { return conversation.viewer != nullptr || ProcessEnded(viewerProcess); },
               nullptr, kAttachTimeoutMs);
    if (conversation.viewer == nullptr) {
        log.line("error viewer never attached");
        return Outcome::ViewerNeverAttached;
    }

    Session session(conversation, document);
    // A viewer that has gone hears nothing more.
    const auto viewerGone = [&] {
        return conversation.viewerClosing || ProcessEnded(viewerProcess);
    };
    int step = 0;
    for (const Action& action : options.actions) {
        if (stepEvent) {
            ServeUntil(viewerGone, stepEvent->get(), kStepTimeoutMs);
        } else {
            ServeUntil(viewerGone, viewerProcess, options.delayMs);
        }
        if (viewerGone()) {
            break;
        }
        session.perform(action);
        log.line("done " + std::to_string(++step) + " " + action.spelling);
    }
    // The viewer's process ending wakes the wait as well: a viewer that ends without a
    // message must not keep the producer waiting out the whole time.
    ServeUntil(viewerGone, viewerProcess, options.closeWaitMs);
    log.line("end");
    return Outcome::Done;
}

} // namespace producer_sim
