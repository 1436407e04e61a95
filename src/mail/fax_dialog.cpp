#include "mail/fax_dialog.h"

#include "base/ansi_text.h"
#include "base/user_message.h"
#include "document/document.h"

namespace velk {

namespace {

constexpr std::string_view kFaxPrefix = "FAX:";
constexpr int kEscape = 2; // IDCANCEL, sent for the Escape key

bool HasFaxPrefix(std::string_view item) {
    return UpperCase(item.substr(0, kFaxPrefix.size())) == kFaxPrefix;
}

// A recipient as the list shows it: without the prefix when it has it in capitals.
std::string ListedItem(std::string_view item) {
    const std::string cut = CutTo(item, kFaxRecordItemLimit);
    return cut.starts_with(kFaxPrefix) ? cut.substr(kFaxPrefix.size()) : cut;
}

// The items, each with the prefix unless it has it in any case, joined with ";".
std::string FaxRecipientText(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += text.empty() ? "" : ";";
        text += HasFaxPrefix(item) ? item : std::string(kFaxPrefix) + item;
    }
    return text;
}

} // namespace

std::string NormaliseFaxRecipients(std::string_view recipients) {
    return FaxRecipientText(SplitList(recipients, ';'));
}

void FaxDialog::onInitDialog(FaxDialogView& view) {
    result_ = 0;
    if (!TrimBlanks(options_.recipients).empty()) {
        for (const std::string& item : SplitList(options_.recipients, ';')) {
            const std::string listed = ListedItem(item);
            if (!TrimBlanks(listed).empty()) {
                view.addRecipient(listed);
            }
        }
    }
    if (!TrimBlanks(options_.subject).empty()) {
        view.setSubject(options_.subject);
    }
    if (!TrimBlanks(options_.note).empty()) {
        view.setNote(options_.note);
    }
}

void FaxDialog::onCommand(int id, FaxDialogView& view) {
    switch (id) {
    case IDC_FAX_CANCEL:
    case kEscape:
        result_ = 0;
        view.requestClose();
        break;
    case IDC_FAX_ADD:
        add(view);
        break;
    case IDC_FAX_REMOVE:
        if (const auto selected = view.selectedRecipient()) {
            view.removeRecipient(*selected);
        }
        break;
    case IDC_FAX_SEND:
        sendFax(view);
        break;
    default: // Enter (IDOK) included: the dialog has no default button
        break;
    }
}

void FaxDialog::onClose(FaxDialogView& view) {
    view.endDialog(result_);
}

void FaxDialog::add(FaxDialogView& view) {
    const std::string name = TrimBlanks(view.name());
    const std::string number = TrimBlanks(view.faxNumber());
    if (name.empty() || number.empty()) {
        tell("You must provide both a name and a fax number");
        view.focus(name.empty() ? FaxField::Name : FaxField::FaxNumber);
        return;
    }
    view.addRecipient(CutTo(name + "@" + number, kFaxItemLimit));
}

void FaxDialog::sendFax(FaxDialogView& view) {
    const std::vector<std::string> items = view.recipients();
    if (items.empty()) {
        tell("You must provide at least one fax recipient in order to continue.");
        view.focus(FaxField::Name);
        return;
    }
    options_.recipients = FaxRecipientText(items);
    // What the dialog shows is what is sent.
    options_.subject = view.subject();
    options_.note = view.note();
    result_ = 1;
    view.requestClose();
}

void FaxDialog::tell(const char* text) {
    ShowMessage(messages_, title_, text);
}

} // namespace velk
