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
// SendMessage to this handle would reach every top-level window of the desktop.
constexpr std::uint32_t kBroadcastHandle = 0xFFFF;

WindowRect RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
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

HWND Win32MainWindowView::control(Control id) const {
    switch (id) {
    case Control::ZoomLabel:
        return zoomLabel_;
    case Control::ZoomBox:
        return zoomBox_;
    case Control::PageArea:
        return pageArea_;
    case Control::VerticalScrollBar:
        return verticalBar_;
    case Control::HorizontalScrollBar:
        return horizontalBar_;
    case Control::StatusBar:
        return statusBar_;
    case Control::Toolbar:
        return toolbar_;
    case Control::IndexBox:
        return indexBox_;
    }
    return nullptr;
}

HWND Win32MainWindowView::scrollBar(ScrollBar bar) const {
    return bar == ScrollBar::Horizontal ? horizontalBar_ : verticalBar_;
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

// --- The window itself ---

std::uintptr_t Win32MainWindowView::windowHandle() {
    return reinterpret_cast<std::uintptr_t>(dialog_);
}

void Win32MainWindowView::becomeMessageOwner() {
    messages_.setOwner(dialog_);
}

void Win32MainWindowView::setCaption(const std::string& text) {
    SetWindowTextA(dialog_, text.c_str());
}

void Win32MainWindowView::setClassIcon() {
    SetClassLongPtrA(dialog_, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance_, "VELK_ICON")));
}

void Win32MainWindowView::setCursor(Cursor cursor) {
    SetCursor(cursorHandle(cursor));
}

void Win32MainWindowView::setClassCursor(Cursor cursor) {
    SetClassLongPtrA(dialog_, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursorHandle(cursor)));
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

WindowRect Win32MainWindowView::mainWindowRect() {
    return RectOf(dialog_);
}

int Win32MainWindowView::systemMetric(SystemMetric metric) {
    switch (metric) {
    case SystemMetric::VerticalScrollWidth:
        return GetSystemMetrics(SM_CXVSCROLL);
    case SystemMetric::HorizontalScrollHeight:
        return GetSystemMetrics(SM_CYHSCROLL);
    case SystemMetric::DialogFrameWidth:
        return GetSystemMetrics(SM_CXDLGFRAME);
    case SystemMetric::DialogFrameHeight:
        return GetSystemMetrics(SM_CYDLGFRAME);
    case SystemMetric::CaptionHeight:
        return GetSystemMetrics(SM_CYCAPTION);
    case SystemMetric::MenuHeight:
        return GetSystemMetrics(SM_CYMENU);
    }
    return 0;
}

// --- Controls ---

void Win32MainWindowView::showControl(Control id, bool shown) {
    ShowWindow(control(id), shown ? SW_SHOW : SW_HIDE);
}

void Win32MainWindowView::setControlText(Control id, const std::string& text) {
    SetWindowTextA(control(id), text.c_str());
}

std::string Win32MainWindowView::controlText(Control id) {
    std::array<char, kTextBuffer> buffer{};
    GetWindowTextA(control(id), buffer.data(), kTextBuffer);
    return buffer.data();
}

void Win32MainWindowView::moveControl(Control id, std::int32_t x, std::int32_t y,
                                      std::int32_t width, std::int32_t height) {
    MoveWindow(control(id), x, y, width, height, TRUE);
}

WindowRect Win32MainWindowView::controlRect(Control id) {
    return RectOf(control(id));
}

void Win32MainWindowView::setDialogFont(Control id) {
    SendMessageA(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(resources_.dialogFont.get()),
                 FALSE);
}

void Win32MainWindowView::bringToTop(Control id) {
    SetWindowPos(control(id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32MainWindowView::moveOntoToolbar(Control id) {
    SetParent(control(id), toolbar_);
}

// --- Combo boxes ---

void Win32MainWindowView::clearComboItems(Control box) {
    SendMessageA(control(box), CB_RESETCONTENT, 0, 0);
}

void Win32MainWindowView::addComboItem(Control box, const std::string& text) {
    SendMessageA(control(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32MainWindowView::setComboSelection(Control box, int index) {
    SendMessageA(control(box), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32MainWindowView::comboSelection(Control box) {
    return static_cast<int>(SendMessageA(control(box), CB_GETCURSEL, 0, 0));
}

std::optional<std::string> Win32MainWindowView::comboItemText(Control box, int index) {
    const HWND combo = control(box);
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

// --- Scroll bars ---

void Win32MainWindowView::setScrollRange(ScrollBar bar, int minimum, int maximum, bool redraw) {
    SetScrollRange(scrollBar(bar), SB_CTL, minimum, maximum, redraw);
}

void Win32MainWindowView::setScrollPosition(ScrollBar bar, int position, bool redraw) {
    SetScrollPos(scrollBar(bar), SB_CTL, position, redraw);
}

int Win32MainWindowView::scrollPosition(ScrollBar bar) {
    return GetScrollPos(scrollBar(bar), SB_CTL);
}

// --- Toolbar, status bar, progress bar ---

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

void Win32MainWindowView::autoSizeToolbar() {
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

void Win32MainWindowView::enableToolbarButton(int commandId, bool enabled) {
    SendMessageA(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(enabled, 0));
}

bool Win32MainWindowView::toolbarButtonEnabled(int commandId) {
    const LRESULT state = SendMessageA(toolbar_, TB_GETSTATE, static_cast<WPARAM>(commandId), 0);
    // -1 answers an id the toolbar does not have.
    return state != -1 && (state & TBSTATE_ENABLED) != 0;
}

void Win32MainWindowView::createStatusBar(const std::string& text) {
    statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | WS_CLIPSIBLINGS,
                                     text.c_str(), dialog_, IDC_STATUS_BAR);
}

void Win32MainWindowView::setStatusText(const std::string& text) {
    SetWindowTextA(statusBar_, text.c_str());
}

void Win32MainWindowView::createProgressBar(const WindowRect& place) {
    progressBar_ =
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, place.left, place.top,
                        place.width(), place.height(), statusBar_, nullptr, instance_, nullptr);
}

void Win32MainWindowView::setProgressRange(int minimum, int maximum) {
    SendMessageA(progressBar_, PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
}

void Win32MainWindowView::setProgressPosition(int position) {
    SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void Win32MainWindowView::showProgressBar(bool shown) {
    ShowWindow(progressBar_, shown ? SW_SHOW : SW_HIDE);
}

// --- Menu ---

bool Win32MainWindowView::attachMenu() {
    if (!resources_.menu || !SetMenu(dialog_, resources_.menu.get())) {
        return false;
    }
    // From now on the window destroys the menu when it goes.
    menu_ = resources_.menu.release();
    return true;
}

void Win32MainWindowView::setMenuCaption(UINT item, bool byPosition, const std::string& text) {
    if (menu_ != nullptr) {
        SetMenuText(menu_, item, byPosition ? TRUE : FALSE, text);
    }
}

void Win32MainWindowView::setMenuPopupCaption(int position, const std::string& text) {
    setMenuCaption(static_cast<UINT>(position), true, text);
    // The menu bar is drawn once; a caption changed while the window shows needs a new one.
    DrawMenuBar(dialog_);
}

void Win32MainWindowView::setMenuItemCaption(int commandId, const std::string& text) {
    setMenuCaption(static_cast<UINT>(commandId), false, text);
}

void Win32MainWindowView::removeMenuItem(int commandId) {
    if (menu_ != nullptr) {
        DeleteMenu(menu_, static_cast<UINT>(commandId), MF_BYCOMMAND);
    }
}

// --- The off-screen page surface and the page area ---

Surface* Win32MainWindowView::createPageSurface(std::int32_t width, std::int32_t height) {
    page_ = PageSurface::Create(width, height);
    return page_ ? &page_->surface() : nullptr;
}

void Win32MainWindowView::releasePageSurface() {
    page_.reset();
}

void Win32MainWindowView::copyToPageArea(const PageCopy& copy) {
    if (page_) {
        const WindowDc dc(pageArea_, WindowDc::Area::Window);
        page_->copyTo(dc.get(), copy);
    }
}

void Win32MainWindowView::paintPageArea(const PageCopy& copy) {
    const PaintDc dc(pageArea_);
    if (page_) {
        page_->copyTo(dc.get(), copy);
    }
}

// --- Other windows ---

void Win32MainWindowView::runJumpDialog(JumpDialog& dialog) {
    DialogBoxParamA(instance_, "DLG_JUMP", dialog_, JUMPDLGPROC, reinterpret_cast<LPARAM>(&dialog));
}

void Win32MainWindowView::sendCopyData(std::uint32_t window, std::uint32_t code,
                                       const std::string& text) {
    if (window == kBroadcastHandle) {
        return;
    }
    COPYDATASTRUCT data{};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(text.size() + 1);
    data.lpData = const_cast<char*>(text.c_str());
    SendMessageA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)), WM_COPYDATA, 0,
                 reinterpret_cast<LPARAM>(&data));
}

} // namespace velk::win32
