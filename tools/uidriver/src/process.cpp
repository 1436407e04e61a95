#include "uidriver/process.h"

#include <vector>

namespace uidriver {

std::optional<Process> Process::Start(const std::string& commandLine,
                                      const std::string& currentDirectory) {
    // CreateProcessA may write into the command line, so it gets a private copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const char* directory = currentDirectory.empty() ? nullptr : currentDirectory.c_str();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                        &startup, &info)) {
        return std::nullopt;
    }
    UniqueHandle thread(info.hThread);
    return Process(UniqueHandle(info.hProcess), info.dwProcessId);
}

std::optional<Process> Process::Attach(DWORD processId) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE |
                                         PROCESS_VM_OPERATION | PROCESS_VM_READ,
                                     FALSE, processId));
    if (!process) {
        return std::nullopt;
    }
    return Process(std::move(process), processId);
}

Process::~Process() {
    kill();
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        process_ = std::move(other.process_);
        id_ = other.id_;
    }
    return *this;
}

bool Process::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::waitForExit(DWORD timeoutMs) const {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) {
        return std::nullopt;
    }
    return code;
}

void Process::kill() {
    if (running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::string CommandLine(const std::string& program, const std::string& arguments) {
    std::string line = "\"" + program + "\"";
    if (!arguments.empty()) {
        line += " " + arguments;
    }
    return line;
}

} // namespace uidriver
