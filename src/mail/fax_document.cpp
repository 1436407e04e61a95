#include "mail/fax_document.h"

#include "base/ansi_text.h"
#include "base/user_message.h"
#include "document/document.h"
#include "mail/fax_dialog.h"
#include "mail/mail_document.h"
#include "mail/mapi_session.h"

namespace velk {

void FaxDocument(MailServices& services, FaxDialogRunner& dialog) {
    Document& document = services.document;
    FaxOptions& options = document.faxOptions;
    // Without a fax record the recipients are blank.
    const bool showDialog = TrimBlanks(options.recipients).empty() || options.showDialog != 0;
    const MailAttachment attachment{document.fileName,
                                    AttachmentName(document.header.title, ".vlk")};
    WithMapiSession(
        services, options.logonProfile, options.logonPassword, [&](std::uint32_t session) {
            options.recipients = NormaliseFaxRecipients(options.recipients);
            if (showDialog && !dialog.run(options)) {
                return;
            }
            const MailContent content{options.subject,    options.note, options.recipients,
                                      options.recipients, {attachment}, false};
            const std::string failure = MapiFailureText(
                "Unable to fax document. Mapi failure error =",
                MapiSendMessage(services.mapi, services.files, services.clock, session, content));
            if (!failure.empty()) {
                ShowMessage(services.messages, document.header.title, failure);
            }
        });
}

} // namespace velk
