#include "uidriver/common_controls.h"

#include <commctrl.h>

#include <algorithm>

namespace uidriver {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (window == nullptr || !SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                                  kReplyTimeoutMs, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// Wine hands another process an item's text in the wide form whichever form was asked for, so
// it is asked for in the wide form and made ANSI here, as the box's own process sees it.
std::string ComboItemText(HWND combo, int index) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0,
                             SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0) {
        return {};
    }
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) < 0) {
        return {};
    }
    wide.resize(std::min<std::size_t>(copied, length));
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

bool SendNotice(HWND notify, HWND combo, WORD code) {
    const int id = GetDlgCtrlID(combo);
    return Send(notify, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(combo))
        .has_value();
}

} // namespace

std::optional<int> ToolbarButtonIndex(HWND toolbar, int commandId) {
    const auto index = Send(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId), 0);
    if (!index || *index < 0) {
        return std::nullopt;
    }
    return static_cast<int>(*index);
}

std::optional<bool> ToolbarButtonEnabled(HWND toolbar, int commandId) {
    if (!ToolbarButtonIndex(toolbar, commandId)) {
        return std::nullopt;
    }
    const auto state = Send(toolbar, TB_GETSTATE, static_cast<WPARAM>(commandId), 0);
    if (!state || *state == -1) {
        return std::nullopt;
    }
    return (*state & TBSTATE_ENABLED) != 0;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const auto count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; count && i < *count; ++i) {
        items.push_back(ComboItemText(combo, static_cast<int>(i)));
    }
    return items;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0).value_or(CB_ERR));
}

bool ChooseComboItem(HWND notify, HWND combo, int index) {
    const auto selected = Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return selected && *selected == index && SendNotice(notify, combo, CBN_SELCHANGE);
}

bool TypeComboText(HWND notify, HWND combo, const std::string& text) {
    // Key by key into the box's edit field, over what it held: the box then treats the text
    // as typed (its selection goes) rather than as set by the program.
    const HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (edit == nullptr || !Send(edit, EM_SETSEL, 0, -1)) {
        return false;
    }
    if (text.empty()) {
        Send(edit, WM_CHAR, VK_BACK, 1);
    }
    for (const char c : text) {
        Send(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    return SendNotice(notify, combo, CBN_KILLFOCUS);
}

HWND FindChild(HWND parent, const std::string& className) {
    return FindWindowExA(parent, nullptr, className.c_str(), nullptr);
}

std::optional<int> ProgressPosition(HWND progressBar) {
    const auto position = Send(progressBar, PBM_GETPOS, 0, 0);
    return position ? std::optional<int>(static_cast<int>(*position)) : std::nullopt;
}

bool SendCommand(HWND window, int commandId) {
    return Send(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0).has_value();
}

} // namespace uidriver
