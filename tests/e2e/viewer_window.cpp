#include "viewer_window.h"

#include "resource.h"
#include "samplegen/sample_report.h"
#include "uidriver/capture.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "uidriver/paths.h"
#include "writer/document_writer.h"

#include <commctrl.h>

namespace velk_e2e {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;

// Returns once the window has dealt with the message; its answer, or 0 when it gave none.
DWORD_PTR Send(HWND window, UINT message) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &answer);
    return answer;
}

std::optional<uidriver::Process> AttachTo(HWND window) {
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return std::nullopt;
    }
    return uidriver::Process::Attach(processId);
}

std::string ProbeDll() {
    return uidriver::WindowsPath(VELK_E2E_PROBE);
}

int CountColour(const uidriver::Image& picture, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(picture.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(picture.width, area.right); ++x) {
            count += picture.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace

std::string WriteSampleReport(const TempFolder& folder) {
    const samplegen::SampleReport report = samplegen::MakeSampleReport();
    folder.write(std::string(samplegen::kChartFileName), report.chartBmp);
    return folder.write("sample.vlk", vlkw::WriteDocument(report.document));
}

// ---- the main window ------------------------------------------------------------------------

ViewerWindow::ViewerWindow(const std::string& arguments, const std::string& folder,
                           const std::string& title, const std::string& program) {
    run_.emplace(program, arguments, folder);
    window_ = run_->waitForWindow({uidriver::kDialogClass, title});
    if (window_ != nullptr) {
        settle();
    }
}

ViewerWindow::ViewerWindow(HWND window) : run_(std::in_place, AttachTo(window)), window_(window) {
    if (!run_->started()) {
        window_ = nullptr;
        return;
    }
    settle();
}

std::string ViewerWindow::statusText() const {
    return uidriver::WindowText(control(IDC_STATUS_BAR));
}

HWND ViewerWindow::control(int id) const {
    switch (id) {
    case IDC_ZOOM_LABEL:
    case IDC_ZOOM_BOX:
    case IDC_INDEX_BOX:
        return GetDlgItem(GetDlgItem(window_, IDC_TOOLBAR), id);
    default:
        return GetDlgItem(window_, id);
    }
}

HWND ViewerWindow::progressBar() const {
    return uidriver::FindChild(control(IDC_STATUS_BAR), PROGRESS_CLASSA);
}

bool ViewerWindow::shows(HWND control) const {
    return control != nullptr && IsWindowVisible(control) != 0;
}

bool ViewerWindow::command(int id) const {
    return uidriver::SendCommand(window_, id);
}

void ViewerWindow::settle() const {
    // The window shows before its loop first runs idle, when the dialog manager shows it once
    // more: wait for that, then for what was sent before.
    if (run_ && run_->started()) {
        WaitForInputIdle(run_->process().handle(), kWindowTimeoutMs);
    }
    Send(window_, WM_NULL);
}

bool ViewerWindow::hasButton(int commandId) const {
    return uidriver::ToolbarButtonIndex(control(IDC_TOOLBAR), commandId).has_value();
}

std::string ViewerWindow::navigation() const {
    std::string states;
    for (const int id : {IDT_FIRST, IDT_PREVIOUS, IDT_NEXT, IDT_LAST}) {
        const auto enabled = uidriver::ToolbarButtonEnabled(control(IDC_TOOLBAR), id);
        states += enabled ? (*enabled ? '+' : '-') : '?';
    }
    return states;
}

std::optional<std::vector<uidriver::MenuEntry>> ViewerWindow::menu() const {
    return uidriver::ReadMenuBar(window_, ProbeDll());
}

std::optional<uidriver::ToolTipAnswer> ViewerWindow::toolTip(int commandId) const {
    const auto tooltips = reinterpret_cast<HWND>(Send(control(IDC_TOOLBAR), TB_GETTOOLTIPS));
    return uidriver::AskToolTip(window_, tooltips, commandId, ProbeDll());
}

int ViewerWindow::pagePixels(const std::string& name, COLORREF colour) const {
    const auto picture = uidriver::CaptureWindow(window_);
    if (!picture) {
        return -1;
    }
    uidriver::SaveBmp(*picture, CapturesFolder() + "\\" + name + ".bmp");
    RECT window{};
    RECT area{};
    GetWindowRect(window_, &window);
    GetWindowRect(control(IDC_PAGE_AREA), &area);
    OffsetRect(&area, -window.left, -window.top);
    return CountColour(*picture, area, colour);
}

RunEnd ViewerWindow::close() {
    uidriver::PostClose(window_);
    return run_->finish();
}

// ---- the jump dialog ------------------------------------------------------------------------

JumpDialogWindow::JumpDialogWindow(ViewerWindow& viewer, int command) : viewer_(viewer) {
    if (uidriver::PostCommand(viewer.window(), command)) {
        dialog_ = viewer.run().waitForWindow({uidriver::kDialogClass, "Jump to a page"});
    }
}

bool JumpDialogWindow::open() const {
    return dialog_ != nullptr && IsWindow(dialog_) && IsWindowVisible(dialog_);
}

std::string JumpDialogWindow::text(int controlId) const {
    return uidriver::ControlText(dialog_, controlId);
}

void JumpDialogWindow::waitUntilClosed() {
    // The dialog is destroyed when its loop ends; the viewer then finishes the jump.
    WaitUntilGone(dialog_);
    viewer_.settle();
}

void JumpDialogWindow::enter(const std::string& text) {
    uidriver::SetControlText(dialog_, IDC_JUMP_EDIT, text);
    Send(GetDlgItem(dialog_, IDC_JUMP_OK), BM_CLICK);
    if (!open()) {
        waitUntilClosed();
    }
}

void JumpDialogWindow::cancel() {
    Send(GetDlgItem(dialog_, IDC_JUMP_CANCEL), BM_CLICK);
    waitUntilClosed();
}

void JumpDialogWindow::escape() {
    const HWND edit = GetDlgItem(dialog_, IDC_JUMP_EDIT);
    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    waitUntilClosed();
}

// ---- menus ----------------------------------------------------------------------------------

std::vector<std::vector<std::string>> MenuCaptions(const std::vector<uidriver::MenuEntry>& bar) {
    std::vector<std::vector<std::string>> popups;
    for (const auto& popup : bar) {
        std::vector<std::string> entries;
        for (const auto& entry : popup.entries) {
            entries.push_back(entry.kind == uidriver::MenuEntry::Kind::Separator ? "-"
                                                                                 : entry.caption);
        }
        popups.push_back(entries);
    }
    return popups;
}

} // namespace velk_e2e
