// uidriver_probe.dll: answers the driver from inside the driven process, where Wine keeps
// what another process cannot read: menus, and the notifications a window gets from its own
// controls. The driver installs UidriverProbe as a WH_CALLWNDPROC hook on the window's thread
// and sends the window the probe message (see src/probe_protocol.h).
//
// A menu reply has one line per entry, depth first: depth, kind (P popup, I item, S
// separator), command id, then the caption in hexadecimal (captions may hold tabs).

#include "../src/probe_protocol.h"
#include "platform/win32/unique_handle.h"

#include <commctrl.h>

#include <cstring>
#include <sstream>
#include <string>

namespace {

namespace probe = uidriver::probe;

void DescribeMenu(HMENU menu, int depth, std::string& out) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char caption[512] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof caption - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
            continue;
        }
        const char kind = info.hSubMenu != nullptr            ? 'P'
                          : (info.fType & MFT_SEPARATOR) != 0 ? 'S'
                                                              : 'I';
        out += std::to_string(depth) + "\t" + kind + "\t" + std::to_string(info.wID) + "\t" +
               probe::Hex(caption) + "\n";
        if (info.hSubMenu != nullptr) {
            DescribeMenu(info.hSubMenu, depth + 1, out);
        }
    }
}

std::string MenuReply(HWND window) {
    const HMENU bar = GetMenu(window);
    if (bar == nullptr) {
        return std::string(probe::kNothing) + "\n";
    }
    std::string reply = std::string(probe::kMenuReply) + "\n";
    DescribeMenu(bar, 0, reply);
    return reply;
}

// As a toolbar's tooltip asks its window for the text of a button.
std::string ToolTipReply(HWND window, std::istringstream& request) {
    unsigned long id = 0;
    unsigned long from = 0;
    request >> id >> from;
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(static_cast<UINT_PTR>(from));
    info.hdr.idFrom = id;
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKA) {
        return std::string(probe::kNothing) + "\n";
    }
    return std::string(probe::kTextReply) + "\n" + probe::Hex(info.lpszText) + "\n";
}

void Answer(HWND window, WPARAM requester, LPARAM request) {
    const std::string name = probe::BlockName(requester, request);
    const velk::win32::UniqueKernelHandle block(
        OpenFileMappingA(FILE_MAP_WRITE | FILE_MAP_READ, FALSE, name.c_str()));
    if (!block) {
        return;
    }
    const velk::win32::UniqueFileView view(
        MapViewOfFile(block.get(), FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, probe::kBlockSize));
    if (auto* text = static_cast<char*>(view.get())) {
        std::istringstream asked(std::string(text, strnlen(text, probe::kBlockSize)));
        std::string what;
        asked >> what;
        const std::string reply = what == probe::kMenuRequest      ? MenuReply(window)
                                  : what == probe::kToolTipRequest ? ToolTipReply(window, asked)
                                                                   : std::string();
        const std::size_t size = std::min<std::size_t>(reply.size(), probe::kBlockSize - 1);
        std::memcpy(text, reply.data(), size);
        text[size] = '\0';
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    UidriverProbe(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageA(probe::kMessageName);
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage) {
            Answer(call->hwnd, call->wParam, call->lParam);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
