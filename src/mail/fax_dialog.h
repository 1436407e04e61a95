#pragma once

#include "resource.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

class MessageBoxPort;
struct FaxOptions;

// The boxes are read with these lengths.
inline constexpr std::size_t kFaxFieldLimit = 198;
inline constexpr std::size_t kFaxItemLimit = 399;
// A recipient of the fax record is listed with at most this many characters.
inline constexpr std::size_t kFaxRecordItemLimit = 199;

enum class FaxField { Name, FaxNumber };

// What the fax dialog's logic asks of its window: the name and number boxes, the recipient
// list, the subject and note boxes.
class FaxDialogView {
  public:
    virtual ~FaxDialogView() = default;
    virtual std::string name() = 0;
    virtual std::string faxNumber() = 0;
    virtual std::vector<std::string> recipients() = 0;
    virtual void addRecipient(const std::string& item) = 0;
    // The selected list item (from 0), if any.
    virtual std::optional<int> selectedRecipient() = 0;
    virtual void removeRecipient(int item) = 0;
    virtual void setSubject(const std::string& text) = 0;
    virtual void setNote(const std::string& text) = 0;
    virtual std::string subject() = 0;
    virtual std::string note() = 0;
    virtual void focus(FaxField field) = 0;
    // WM_CLOSE sent to the dialog; it comes back as onClose.
    virtual void requestClose() = 0;
    virtual void endDialog(int result) = 0;
};

// The recipients "FAX:" name "@" number, ";"-separated: every item that does not start with
// "FAX:" in any case gets it. An empty list becomes "FAX:".
std::string NormaliseFaxRecipients(std::string_view recipients);

// DLG_FAX: the reader edits the fax record's recipients, subject and note. Send Fax writes
// them back into the record and ends with 1; Cancel, Escape and the close box end with 0.
class FaxDialog {
  public:
    FaxDialog(FaxOptions& options, MessageBoxPort& messages, std::string_view title)
        : options_(options), messages_(messages), title_(title) {}

    void onInitDialog(FaxDialogView& view);
    void onCommand(int id, FaxDialogView& view);
    void onClose(FaxDialogView& view);

    int result() const { return result_; }

  private:
    void add(FaxDialogView& view);
    void sendFax(FaxDialogView& view);
    void tell(const char* text);

    FaxOptions& options_;
    MessageBoxPort& messages_;
    std::string title_;
    int result_ = 0;
};

// Shows the fax dialog over the record; true when the reader chose Send Fax.
class FaxDialogRunner {
  public:
    virtual ~FaxDialogRunner() = default;
    virtual bool run(FaxOptions& options) = 0;
};

} // namespace velk
