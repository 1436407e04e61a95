#pragma once

#include "exit_codes.h"

#include <optional>
#include <string>

namespace velk {
class FileSystem;
class InterfaceTexts;
struct Document;
} // namespace velk

namespace velk::cli {

struct OpenOutcome {
    ExitCode code = ExitCode::Rendered;
    std::string message; // what went wrong, in the viewer's words where it has them
};

// Opens `name` as velk.exe does: a plain document or a self-extracting viewer, the same
// existence, open and header checks with the same messages, the document's interface texts,
// and for a protected document the same password check. Rendered means ready to draw.
OpenOutcome OpenForRendering(FileSystem& files, const std::string& name,
                             const std::optional<std::string>& password, Document& document,
                             InterfaceTexts& texts);

// A message box text as a terminal line: carriage returns become line breaks.
std::string TerminalText(std::string text);

} // namespace velk::cli
