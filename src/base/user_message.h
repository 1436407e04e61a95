#pragma once

#include "platform/message_box.h"

#include <string>
#include <string_view>

namespace velk {

constexpr std::string_view kProgramCaption = "velk Print and Preview";

// The information message box through which every part of the viewer reports to the user.
// `title` is the document's title field as stored (space-padded, possibly holding zeros); the
// caption falls back to the program's own when it is empty.
void ShowMessage(MessageBoxPort& box, std::string_view title, std::string_view text);

// The caption ShowMessage uses for a title field.
std::string MessageCaption(std::string_view title);

} // namespace velk
