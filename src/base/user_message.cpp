#include "base/user_message.h"

#include "base/ansi_text.h"

namespace velk {

std::string MessageCaption(std::string_view title) {
    if (TrimBlanks(CutAtNul(title)).empty()) {
        return std::string(kProgramCaption);
    }
    return CutTo(TrimBlanks(title), kMessageTextLimit);
}

void ShowMessage(MessageBoxPort& box, std::string_view title, std::string_view text) {
    box.show(CutTo(TrimBlanks(text), kMessageTextLimit), MessageCaption(title),
             kMessageIconInformation);
}

} // namespace velk
