#pragma once

namespace velk {

class FaxDialogRunner;
struct MailServices;

// Faxes the open document, unchanged, through the mail client to "FAX:" recipients: those of
// the document's fax record, or those the reader lists in the fax dialog when the record asks
// for it, names none or is missing.
void FaxDocument(MailServices& services, FaxDialogRunner& dialog);

} // namespace velk
