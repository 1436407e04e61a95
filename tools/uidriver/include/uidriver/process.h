#pragma once

#include "uidriver/unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace uidriver {

// A program started by the test. Still running when the object goes, it is killed, so a
// failed assertion never leaves a process behind to hold files or windows.
class Process {
  public:
    // commandLine is the whole line, program first (see CommandLine). An empty directory
    // starts the program in the test's own current directory.
    static std::optional<Process> Start(const std::string& commandLine,
                                        const std::string& currentDirectory = {});
    // A process someone else started (a program the test's program started in turn), from
    // then on held, waited for and killed like one started here.
    static std::optional<Process> Attach(DWORD processId);

    ~Process();
    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;

    // The exit code once the process has ended, or nothing when it still runs after timeoutMs.
    std::optional<DWORD> waitForExit(DWORD timeoutMs) const;

    void kill();

  private:
    Process(UniqueHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

    UniqueHandle process_;
    DWORD id_ = 0;
};

// "program" arguments: the program's path in quotes, so that the program sees exactly
// `arguments` as the text after its name. No arguments: the quoted path alone.
std::string CommandLine(const std::string& program, const std::string& arguments);

} // namespace uidriver
