// producer-sim: plays the producing application of building mode against velk.exe, for the
// end-to-end tests and for a person who wants to watch a document being built.

#include "options.h"
#include "producer.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The arguments after the program's name, as the shell splits them.
std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_ACP, 0, words[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(argument);
    }
    LocalFree(words);
    return arguments;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::string error;
    const auto options = producer_sim::ParseOptions(Arguments(), error);
    if (!options) {
        MessageBoxA(nullptr, error.c_str(), "producer-sim", MB_OK | MB_ICONERROR);
        return static_cast<int>(producer_sim::Outcome::BadOptions);
    }
    return static_cast<int>(producer_sim::RunProducer(instance, *options));
}
