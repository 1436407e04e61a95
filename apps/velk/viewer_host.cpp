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
#include "fax_dialog_win32.h"
#include "mail/fax_document.h"
#include "mail/mail_document.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_mapi.h"

#include <algorithm>
#include <cstring>

namespace velk::win32 {

namespace {

// The main window's commands hand over to printing, mail, fax and save.
class DocumentActions : public ViewerActions {
  public:
    DocumentActions(PrintJobs& jobs, SaveServices saving, MailServices& mailing,
                    FaxDialogRunner& faxDialog)
        : jobs_(jobs), saving_(saving), mailing_(mailing), faxDialog_(faxDialog) {}
    void print(PrintWindow& window) override { jobs_.PrintDocument(false, &window); }
    void email() override { MailDocument(mailing_); }
    void fax() override { FaxDocument(mailing_, faxDialog_); }
    void save() override { SaveDocumentAs(saving_); }

  private:
    PrintJobs& jobs_;
    SaveServices saving_;
    MailServices& mailing_;
    FaxDialogRunner& faxDialog_;
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
    Win32MapiLibrary mapi;
    Win32Clock clock;
    MailServices mailing{document, files_, messages_, mapi, clock};
    UniqueFont dialogFont = CreateDialogFont(settings.screenDpiY);
    Win32FaxDialogRunner faxDialog(instance_, messages_, dialogFont.get(), document.header.title);

    switch (ChooseBatchAction(request)) {
    case BatchAction::Print:
        return PrintedOutcome(printJobs.PrintDocument(request.printAllRequested, nullptr));
    case BatchAction::EMail:
        MailDocument(mailing);
        return StartupOutcome::Viewed;
    case BatchAction::Fax:
        FaxDocument(mailing, faxDialog);
        return StartupOutcome::Viewed;
    case BatchAction::None:
        break;
    }

    MainWindowResources resources;
    resources.dialogFont = std::move(dialogFont);
    // Not shared, so that it can be destroyed when the viewer ends.
    resources.magnifier.reset(
        static_cast<HCURSOR>(LoadImageA(instance_, "MAGNIFY", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    resources.menu.reset(LoadMenuA(instance_, "MAINMENU"));

    Win32SaveDialog saveDialog(messages_);
    DocumentActions actions(printJobs, {document, files_, messages_, saveDialog}, mailing,
                            faxDialog);
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
