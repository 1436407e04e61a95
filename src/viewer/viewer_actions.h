#pragma once

namespace velk {

class PrintWindow;

// The four things the main window hands over to other subsystems: the print job, e-mail,
// fax and save. Each runs to completion on the open document.
class ViewerActions {
  public:
    virtual ~ViewerActions() = default;
    // Prints from the main window, which shows the job's progress.
    virtual void print(PrintWindow& window) = 0;
    virtual void email() = 0;
    virtual void fax() = 0;
    virtual void save() = 0;
};

} // namespace velk
