#include "viewer_host.h"

#include "dialog_procs.h"
#include "main_dialog.h"
#include "render/gdi/gdi_surface.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_settings.h"
#include "base/device_settings.h"
#include "viewer/page_renderer.h"
#include "viewer/viewer_actions.h"
#include "startup/batch_action.h"
#include "viewer/viewer_state.h"
#include "viewer/dialog_font.h"

#include <algorithm>
#include <cstring>

namespace velk::win32 {

namespace {

// Printing, e-mail, fax and saving are not part of this version of velk.exe: their commands
// and the batch switches that ask for them run to completion without doing anything.
class PendingActions : public ViewerActions {
  public:
    void print() override {}
    void email() override {}
    void fax() override {}
    void save() override {}
};

UniqueFont CreateDialogFont(std::int32_t logPixelsY) {
    const LOGFONTA description = velk::win32::ToLogFontA(DialogFontDescription(logPixelsY));
    return UniqueFont(CreateFontIndirectA(&description));
}

// Off unless the reader has set it: a document must not pick the servers the machine signs
// in to.
bool NetworkBitmapsAllowed() {
    return ReadCurrentUserDword("Software\\velk", "AllowNetworkBitmaps") == 1u;
}

void RunBatchAction(BatchAction action, ViewerActions& actions) {
    switch (action) {
    case BatchAction::Print:
        actions.print();
        break;
    case BatchAction::EMail:
        actions.email();
        break;
    case BatchAction::Fax:
        actions.fax();
        break;
    case BatchAction::None:
        break;
    }
}

} // namespace

void Win32ViewerHost::run(Document& document, const StartupRequest& request,
                          InterfaceTexts& texts) {
    Win32Profile profile;
    Win32Screen screen;
    const ScreenSettings settings = LoadDeviceSettings(profile, screen);
    ViewerState state = PrepareViewer(document, request.building);

    MainWindowResources resources;
    resources.dialogFont = CreateDialogFont(settings.screenDpiY);
    // Not shared, so that it can be destroyed when the viewer ends.
    resources.magnifier.reset(
        static_cast<HCURSOR>(LoadImageA(instance_, "MAGNIFY", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    resources.menu.reset(LoadMenuA(instance_, "MAINMENU"));

    PendingActions actions;
    if (const BatchAction action = ChooseBatchAction(request); action != BatchAction::None) {
        RunBatchAction(action, actions);
        return;
    }

    DocumentPageRenderer renderer(document, settings, screen, texts, messages_, files_,
                                  NetworkBitmapsAllowed());
    Win32MainWindowView view(instance_, resources, messages_);
    MainWindow window({document, state, texts, settings, messages_, actions, renderer}, view);
    MainDialogBinding binding{window, view};
    DialogBoxParamA(instance_, "DLG_MAIN", nullptr, MAINDLGPROC,
                    reinterpret_cast<LPARAM>(&binding));
    // The window is gone: later messages have no owner.
    messages_.setOwner(nullptr);
}

} // namespace velk::win32
