#pragma once

#include <optional>
#include <string>

namespace velk {

// What the system's save-file dialog is asked for. The filter's descriptions and patterns
// follow each other, separated by "|".
struct SaveDialogRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension; // at most 9 characters are used
    unsigned flags = 0;
};

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The chosen name, or nothing when the user cancelled.
    virtual std::optional<std::string> run(const SaveDialogRequest& request) = 0;
};

} // namespace velk
