#include "uidriver/status_bar.h"

#include "uidriver/unique_handle.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace uidriver {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;

// Memory inside another process, released with the object.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* address() const { return address_; }

  private:
    HANDLE process_;
    void* address_;
};

} // namespace

std::optional<std::string> StatusBarText(HWND statusBar, int part) {
    DWORD processId = 0;
    if (statusBar == nullptr || GetWindowThreadProcessId(statusBar, &processId) == 0) {
        return std::nullopt;
    }
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return std::nullopt;
    }

    DWORD_PTR lengthAndType = 0;
    if (!SendMessageTimeoutA(statusBar, SB_GETTEXTLENGTHA, part, 0, SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &lengthAndType)) {
        return std::nullopt;
    }
    const SIZE_T size = LOWORD(lengthAndType) + 1;
    RemoteBuffer remote(process.get(), size);
    if (remote.address() == nullptr) {
        return std::nullopt;
    }
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(statusBar, SB_GETTEXTA, part,
                             reinterpret_cast<LPARAM>(remote.address()), SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &ignored)) {
        return std::nullopt;
    }
    std::vector<char> local(size, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process.get(), remote.address(), local.data(), size, &read)) {
        return std::nullopt;
    }
    local.back() = '\0';
    return std::string(local.data());
}

} // namespace uidriver
