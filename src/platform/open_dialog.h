#pragma once

#include <optional>
#include <string>

namespace velk {

// What the system's open-file dialog is asked for.
struct OpenDialogRequest {
    std::string caption;
    std::string initialName;
    std::string filter; // one entry: the description and the pattern are the same text
    std::string defaultExtension;
    std::string initialDirectory; // empty: the current directory
    unsigned bufferSize = 256;
    unsigned flags = 0;
};

class OpenDialog {
  public:
    virtual ~OpenDialog() = default;
    // The chosen name, or nothing when the user cancelled.
    virtual std::optional<std::string> run(const OpenDialogRequest& request) = 0;
};

} // namespace velk
