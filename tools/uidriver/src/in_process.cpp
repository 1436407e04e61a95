#include "uidriver/in_process.h"

#include "platform/win32/unique_handle.h"
#include "probe_protocol.h"

#include <cstring>
#include <sstream>

namespace uidriver {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;

using velk::win32::UniqueFileView;
using velk::win32::UniqueHook;
using velk::win32::UniqueKernelHandle;
using velk::win32::UniqueModule;

class SharedBlock {
  public:
    explicit SharedBlock(const std::string& name)
        : mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      probe::kBlockSize, name.c_str())),
          view_(mapping_ ? MapViewOfFile(mapping_.get(), FILE_MAP_WRITE | FILE_MAP_READ, 0, 0,
                                         probe::kBlockSize)
                         : nullptr) {}

    bool ok() const { return static_cast<bool>(view_); }
    void write(const std::string& text) {
        const std::size_t size = std::min<std::size_t>(text.size(), probe::kBlockSize - 1);
        std::memcpy(view_.get(), text.data(), size);
        static_cast<char*>(view_.get())[size] = '\0';
    }
    std::string read() const {
        const char* text = static_cast<const char*>(view_.get());
        return std::string(text, strnlen(text, probe::kBlockSize));
    }

  private:
    // Declared in this order so that the view is unmapped before the mapping closes.
    UniqueKernelHandle mapping_;
    UniqueFileView view_;
};

// Sends the request to the probe inside the window's process; its reply, or nothing.
std::optional<std::string> Ask(HWND window, const std::string& request,
                               const std::string& probeDll) {
    static LPARAM requests = 0;
    const UniqueModule library(LoadLibraryA(probeDll.c_str()));
    // Through void*: GetProcAddress's type says nothing of the procedure's real one.
    const auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), probe::kHookProcedure)));
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (procedure == nullptr || thread == 0) {
        return std::nullopt;
    }
    const WPARAM requester = GetCurrentProcessId();
    const LPARAM number = ++requests;
    SharedBlock block(probe::BlockName(requester, number));
    if (!block.ok()) {
        return std::nullopt;
    }
    block.write(request);
    const UniqueHook hook(SetWindowsHookExA(WH_CALLWNDPROC, procedure, library.get(), thread));
    DWORD_PTR ignored = 0;
    if (!hook ||
        !SendMessageTimeoutA(window, RegisterWindowMessageA(probe::kMessageName), requester, number,
                             SMTO_ABORTIFHUNG, kReplyTimeoutMs, &ignored)) {
        return std::nullopt;
    }
    std::string reply = block.read();
    // An unanswered request is still there.
    if (reply == request) {
        return std::nullopt;
    }
    return reply;
}

MenuEntry::Kind KindOf(const std::string& letter) {
    return letter == "P"   ? MenuEntry::Kind::Popup
           : letter == "S" ? MenuEntry::Kind::Separator
                           : MenuEntry::Kind::Item;
}

// Rebuilds the tree from the depth-first lines.
std::vector<MenuEntry> ParseMenu(std::istringstream& lines) {
    std::vector<MenuEntry> bar;
    std::vector<std::vector<MenuEntry>*> levels{&bar};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::size_t level = 0;
        std::string kind;
        UINT id = 0;
        std::string caption;
        if (!(fields >> level >> kind >> id)) {
            break;
        }
        fields.ignore(1);
        std::getline(fields, caption);
        if (level >= levels.size()) {
            break;
        }
        levels.resize(level + 1);
        levels[level]->push_back({KindOf(kind), id, probe::FromHex(caption), {}});
        levels.push_back(&levels[level]->back().entries);
    }
    return bar;
}

} // namespace

std::optional<std::vector<MenuEntry>> ReadMenuBar(HWND window, const std::string& probeDll) {
    const auto reply = Ask(window, probe::kMenuRequest, probeDll);
    if (!reply) {
        return std::nullopt;
    }
    std::istringstream lines(*reply);
    std::string first;
    std::getline(lines, first);
    if (first == probe::kNothing) {
        return std::vector<MenuEntry>{};
    }
    if (first != probe::kMenuReply) {
        return std::nullopt;
    }
    return ParseMenu(lines);
}

std::optional<ToolTipAnswer> AskToolTip(HWND window, HWND from, int id,
                                        const std::string& probeDll) {
    const std::string request = std::string(probe::kToolTipRequest) + " " + std::to_string(id) +
                                " " + std::to_string(reinterpret_cast<UINT_PTR>(from));
    const auto reply = Ask(window, request, probeDll);
    if (!reply) {
        return std::nullopt;
    }
    std::istringstream lines(*reply);
    std::string first;
    std::string hex;
    std::getline(lines, first);
    std::getline(lines, hex);
    if (first == probe::kNothing) {
        return ToolTipAnswer{};
    }
    if (first != probe::kTextReply) {
        return std::nullopt;
    }
    return ToolTipAnswer{true, probe::FromHex(hex)};
}

} // namespace uidriver
