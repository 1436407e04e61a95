#include "main_window_view_win32.h"

#include "dialog_procs.h"
#include "resource.h"

#include <commctrl.h>

#include <array>
#include <vector>

namespace velk::win32 {

namespace {

// GetWindowTextA and CB_GETLBTEXT read through a buffer of this size.
constexpr int kTextBuffer = 200;
// The toolbar's pictures: 20 x 20 each, seven of them declared to the toolbar.
constexpr int kToolbarImageSize = 20;
constexpr int kToolbarImagesDeclared = 7;

WindowRect RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void Move(HWND window, const ClientRect& place) {
    MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
}

void Show(HWND window, bool shown) {
    ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
}

void PlaceScrollBar(HWND bar, const ScrollBarPlacement& placement) {
    if (placement.shown) {
        MoveWindow(bar, placement.x, placement.y, placement.width, placement.height, TRUE);
    }
    Show(bar, placement.shown);
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const std::string& text) {
    std::vector<char> caption(text.begin(), text.end());
    caption.push_back('\0');
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = caption.data();
    SetMenuItemInfoA(menu, item, byPosition, &info);
}

std::string WindowText(HWND window) {
    std::array<char, kTextBuffer> buffer{};
    GetWindowTextA(window, buffer.data(), kTextBuffer);
    return buffer.data();
}

// CB_GETLBTEXT; nothing when the item cannot be fetched (CB_ERR).
std::optional<std::string> ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return std::nullopt;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    if (SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR) {
        return std::nullopt;
    }
    return std::string(buffer.data());
}

void SelectComboItem(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace

void Win32MainWindowView::attach(HWND dialog) {
    dialog_ = dialog;
    zoomLabel_ = GetDlgItem(dialog, IDC_ZOOM_LABEL);
    zoomBox_ = GetDlgItem(dialog, IDC_ZOOM_BOX);
    indexBox_ = GetDlgItem(dialog, IDC_INDEX_BOX);
    pageArea_ = GetDlgItem(dialog, IDC_PAGE_AREA);
    verticalBar_ = GetDlgItem(dialog, IDC_VERTICAL_SCROLL_BAR);
    horizontalBar_ = GetDlgItem(dialog, IDC_HORIZONTAL_SCROLL_BAR);
}

HCURSOR Win32MainWindowView::cursorHandle(Cursor cursor) const {
    switch (cursor) {
    case Cursor::Wait:
        return LoadCursorA(nullptr, IDC_WAIT);
    case Cursor::Magnifier:
        return resources_.magnifier.get();
    case Cursor::Arrow:
        break;
    }
    return LoadCursorA(nullptr, IDC_ARROW);
}

// --- The window ---

std::uintptr_t Win32MainWindowView::windowHandle() {
    return reinterpret_cast<std::uintptr_t>(dialog_);
}

bool Win32MainWindowView::createControls(const WindowSetup& setup) {
    messages_.setOwner(dialog_);
    SetWindowTextA(dialog_, setup.caption.c_str());
    SetClassLongPtrA(dialog_, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance_, "VELK_ICON")));
    createToolbar(setup.toolbarButtons);
    createStatusBar(setup);

    SetWindowTextA(zoomLabel_, setup.zoomLabel.c_str());
    for (const HWND control : {zoomLabel_, zoomBox_, indexBox_}) {
        placeOnToolbar(control);
    }
    for (const auto& item : setup.zoomItems) {
        SendMessageA(zoomBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SelectComboItem(zoomBox_, setup.zoomSelection);
    for (const HWND bar : {verticalBar_, horizontalBar_}) {
        SetScrollRange(bar, SB_CTL, 0, setup.scrollMaximum, FALSE);
        SetScrollPos(bar, SB_CTL, 0, FALSE);
    }
    return attachMenu();
}

void Win32MainWindowView::createToolbar(const std::vector<ToolbarButton>& buttons) {
    InitCommonControls();
    resources_.toolbarBitmap.reset(CreateMappedBitmap(instance_, IDB_TOOLBAR, 0, nullptr, 0));
    std::vector<TBBUTTON> list;
    for (const ToolbarButton& button : buttons) {
        TBBUTTON entry{};
        entry.fsState = TBSTATE_ENABLED;
        if (button.separator) {
            entry.fsStyle = TBSTYLE_SEP;
        } else {
            entry.iBitmap = button.image;
            entry.idCommand = button.commandId;
            entry.fsStyle = TBSTYLE_BUTTON;
        }
        list.push_back(entry);
    }
    toolbar_ = CreateToolbarEx(dialog_, WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, IDC_TOOLBAR,
                               kToolbarImagesDeclared, nullptr,
                               reinterpret_cast<UINT_PTR>(resources_.toolbarBitmap.get()),
                               list.data(), static_cast<int>(list.size()), 0, 0, kToolbarImageSize,
                               kToolbarImageSize, sizeof(TBBUTTON));
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    ShowWindow(toolbar_, SW_SHOW);
}

void Win32MainWindowView::createStatusBar(const WindowSetup& setup) {
    statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | WS_CLIPSIBLINGS,
                                     setup.statusText.c_str(), dialog_, IDC_STATUS_BAR);
    const WindowRect& place = setup.progressPlace;
    progressBar_ =
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, place.left, place.top,
                        place.width(), place.height(), statusBar_, nullptr, instance_, nullptr);
    SendMessageA(progressBar_, PBM_SETRANGE, 0, MAKELPARAM(0, setup.progressMaximum));
    SendMessageA(progressBar_, PBM_SETPOS, 0, 0);
    ShowWindow(progressBar_, SW_HIDE);
}

// In the dialog font ("MS Sans Serif" 9 points, no redraw), above its siblings, a child of the
// toolbar.
void Win32MainWindowView::placeOnToolbar(HWND control) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.dialogFont.get()), FALSE);
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetParent(control, toolbar_);
}

bool Win32MainWindowView::attachMenu() {
    if (!resources_.menu || !SetMenu(dialog_, resources_.menu.get())) {
        return false;
    }
    // From now on the window destroys the menu when it goes.
    menu_ = resources_.menu.release();
    return true;
}

void Win32MainWindowView::maximize() {
    ShowWindow(dialog_, SW_MAXIMIZE);
    firstShow_.maximizedAtStart();
}

bool Win32MainWindowView::undoneByFirstShow(WPARAM sizeType) {
    return firstShow_.undoneByFirstShow(dialog_, sizeType);
}

void Win32MainWindowView::requestClose() {
    SendMessageA(dialog_, WM_CLOSE, 0, 0);
}

void Win32MainWindowView::endDialog() {
    EndDialog(dialog_, 0);
}

void Win32MainWindowView::setCursor(Cursor cursor, CursorScope scope) {
    const HCURSOR handle = cursorHandle(cursor);
    if (scope == CursorScope::Window) {
        SetClassLongPtrA(dialog_, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(handle));
    }
    SetCursor(handle);
}

WindowGeometry Win32MainWindowView::geometry() {
    WindowGeometry geometry;
    geometry.window = RectOf(dialog_);
    geometry.statusBar = RectOf(statusBar_);
    geometry.toolbar = RectOf(toolbar_);
    geometry.pageArea = RectOf(pageArea_);
    geometry.frame = {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                      GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU)};
    geometry.verticalScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    geometry.horizontalScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    geometry.scroll = {GetScrollPos(horizontalBar_, SB_CTL), GetScrollPos(verticalBar_, SB_CTL)};
    return geometry;
}

// --- Toolbar ---

void Win32MainWindowView::setZoomLabel(const std::string& text) {
    SetWindowTextA(zoomLabel_, text.c_str());
}

void Win32MainWindowView::setZoomBoxText(const std::string& text, bool clearSelection) {
    if (clearSelection) {
        SelectComboItem(zoomBox_, -1);
    }
    SetWindowTextA(zoomBox_, text.c_str());
}

ZoomBoxReading Win32MainWindowView::readZoomBox() {
    ZoomBoxReading reading;
    reading.selection = static_cast<int>(SendMessageA(zoomBox_, CB_GETCURSEL, 0, 0));
    if (reading.selection >= 0) {
        reading.selectedItem = ComboItemText(zoomBox_, reading.selection);
    }
    reading.editText = WindowText(zoomBox_);
    return reading;
}

void Win32MainWindowView::showIndexBox(const std::optional<std::vector<std::string>>& items) {
    Show(indexBox_, items.has_value());
    if (!items) {
        return;
    }
    SendMessageA(indexBox_, CB_RESETCONTENT, 0, 0);
    for (const auto& item : *items) {
        SendMessageA(indexBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

int Win32MainWindowView::indexSelection() {
    return static_cast<int>(SendMessageA(indexBox_, CB_GETCURSEL, 0, 0));
}

void Win32MainWindowView::selectIndexItem(int item) {
    SelectComboItem(indexBox_, item);
}

void Win32MainWindowView::setNavigation(const NavigationStates& states) {
    const std::array<std::pair<int, bool>, 4> buttons = {{{IDT_FIRST, states.first},
                                                          {IDT_PREVIOUS, states.previous},
                                                          {IDT_NEXT, states.next},
                                                          {IDT_LAST, states.last}}};
    for (const auto& [id, enabled] : buttons) {
        SendMessageA(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enabled, 0));
    }
}

// --- Status bar ---

void Win32MainWindowView::setStatusText(const std::string& text) {
    SetWindowTextA(statusBar_, text.c_str());
}

void Win32MainWindowView::showProgress(std::optional<std::int32_t> position) {
    ShowWindow(progressBar_, position ? SW_SHOW : SW_HIDE);
    if (position) {
        SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(*position), 0);
    }
}

void Win32MainWindowView::fitBars(const ClientRect& statusBar) {
    Move(statusBar_, statusBar);
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

// --- Page area ---

WindowRect Win32MainWindowView::placePageArea(const ClientRect& area) {
    Move(pageArea_, area);
    return RectOf(pageArea_);
}

void Win32MainWindowView::placeScrollBars(const ScrollBarPlacement& vertical,
                                          const ScrollBarPlacement& horizontal) {
    PlaceScrollBar(verticalBar_, vertical);
    PlaceScrollBar(horizontalBar_, horizontal);
}

void Win32MainWindowView::setScrollPosition(ScrollBar bar, std::int32_t position) {
    SetScrollPos(bar == ScrollBar::Horizontal ? horizontalBar_ : verticalBar_, SB_CTL, position,
                 TRUE);
}

Surface* Win32MainWindowView::createPageSurface(std::int32_t width, std::int32_t height) {
    page_ = PageSurface::Create(width, height);
    return page_ ? &page_->surface() : nullptr;
}

void Win32MainWindowView::releasePageSurface() {
    page_.reset();
}

void Win32MainWindowView::copyPage(const PageCopy& copy, CopyTime time) {
    if (time == CopyTime::InPaint) {
        const PaintDc dc(pageArea_);
        if (page_) {
            page_->copyTo(dc.get(), copy);
        }
    } else if (page_) {
        const UniqueWindowDc dc = WindowDcOf(pageArea_);
        page_->copyTo(dc.get(), copy);
    }
}

// --- Menu ---

void Win32MainWindowView::changeMenu(const MenuChange& change) {
    if (menu_ == nullptr) {
        return;
    }
    for (const MenuText& caption : change.captions) {
        SetMenuText(menu_, static_cast<UINT>(caption.item), caption.popup ? TRUE : FALSE,
                    caption.text);
        if (caption.popup) {
            // The menu bar is drawn once; a caption changed while the window shows needs a new
            // one.
            DrawMenuBar(dialog_);
        }
    }
    for (const int item : change.removedItems) {
        DeleteMenu(menu_, static_cast<UINT>(item), MF_BYCOMMAND);
    }
}

// --- Other windows ---

void Win32MainWindowView::runJumpDialog(JumpDialog& dialog) {
    DialogBoxParamA(instance_, "DLG_JUMP", dialog_, JUMPDLGPROC, reinterpret_cast<LPARAM>(&dialog));
}

void Win32MainWindowView::sendToProducer(std::uint32_t window, std::uint32_t code,
                                         const std::string& text) {
    COPYDATASTRUCT data{};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(text.size() + 1);
    data.lpData = const_cast<char*>(text.c_str());
    SendMessageA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)), WM_COPYDATA, 0,
                 reinterpret_cast<LPARAM>(&data));
}

} // namespace velk::win32
