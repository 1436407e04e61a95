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
#include "export/save_document.h"
#include "platform/win32/win32_save_dialog.h"
#include "print/print_job.h"
#include "win32_spooler.h"

#include <algorithm>
#include <cstring>

namespace velk::win32 {

namespace {

// Printing runs the print job and saving saves a copy; e-mail and fax are not part of this
// version of velk.exe: their commands and the switches that ask for them do nothing.
class DocumentActions : public ViewerActions {
  public:
    DocumentActions(PrintJobs& jobs, SaveServices saving) : jobs_(jobs), saving_(saving) {}
    void print(PrintWindow& window) override { jobs_.PrintDocument(false, &window); }
    void email() override {}
    void fax() override {}
    void save() override { SaveDocumentAs(saving_); }

  private:
    PrintJobs& jobs_;
    SaveServices saving_;
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

// How a run of the print switches ends: 0 spooled, 1 dialog cancelled, 6 nothing printed.
StartupOutcome PrintedOutcome(PrintOutcome printed) {
    switch (printed) {
    case PrintOutcome::Printed:
        return StartupOutcome::Viewed;
    case PrintOutcome::Cancelled:
        return StartupOutcome::Cancelled;
    case PrintOutcome::NoPrinter:
    case PrintOutcome::NotStarted:
        break;
    }
    return StartupOutcome::NotPrinted;
}

} // namespace

StartupOutcome Win32ViewerHost::run(Document& document, const StartupRequest& request,
                                    InterfaceTexts& texts) {
    Win32Profile profile;
    Win32Screen screen;
    const ScreenSettings settings = LoadDeviceSettings(profile, screen);
    ViewerState state = PrepareViewer(document, request.building);
    const RenderServices services{
        document, settings, screen, texts, messages_, files_, NetworkBitmapsAllowed()};
    Win32Spooler spooler(messages_);
    PrintJobs printJobs(services, profile, spooler);

    switch (ChooseBatchAction(request)) {
    case BatchAction::Print:
        return PrintedOutcome(printJobs.PrintDocument(request.printAllRequested, nullptr));
    case BatchAction::EMail:
    case BatchAction::Fax:
        return StartupOutcome::Viewed;
    case BatchAction::None:
        break;
    }

    MainWindowResources resources;
    resources.dialogFont = CreateDialogFont(settings.screenDpiY);
    // Not shared, so that it can be destroyed when the viewer ends.
    resources.magnifier.reset(
        static_cast<HCURSOR>(LoadImageA(instance_, "MAGNIFY", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    resources.menu.reset(LoadMenuA(instance_, "MAINMENU"));

    Win32SaveDialog saveDialog(messages_);
    DocumentActions actions(printJobs, {document, files_, messages_, saveDialog});
    DocumentPageRenderer renderer(services);
    Win32MainWindowView view(instance_, resources, messages_);
    MainWindow window({document, state, texts, settings, messages_, actions, renderer}, view);
    MainDialogBinding binding{window, view};
    DialogBoxParamA(instance_, "DLG_MAIN", nullptr, MAINDLGPROC,
                    reinterpret_cast<LPARAM>(&binding));
    // The window is gone: later messages have no owner.
    messages_.setOwner(nullptr);
    return StartupOutcome::Viewed;
}

} // namespace velk::win32
