// uidriver-snapshot: starts a program, waits for its first window, saves a picture of it as a
// .bmp file and then either closes the window or waits for the program to end. Its exit code
// is the program's. Used by scripts/open-sample.sh to show what velk.exe showed.
//
//   uidriver-snapshot PROGRAM ARGUMENTS PICTURE.bmp [--close]
//
// Linux paths (starting with "/") are turned into the names Wine gives them; ARGUMENTS is
// passed on as one text.

#include "uidriver/capture.h"
#include "uidriver/controls.h"
#include "uidriver/paths.h"
#include "uidriver/process.h"
#include "uidriver/window_search.h"

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kWindowTimeoutMs = 60000;
constexpr DWORD kCloseTimeoutMs = 20000;
constexpr int kFailed = 125;

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--close")) {
        std::fprintf(stderr, "usage: uidriver-snapshot PROGRAM ARGUMENTS PICTURE.bmp [--close]\n");
        return kFailed;
    }
    const std::string program = uidriver::WindowsPath(argv[1]);
    const std::string picture = uidriver::WindowsPath(argv[3]);
    const bool close = argc == 5;

    auto process = uidriver::Process::Start(uidriver::CommandLine(program, argv[2]));
    if (!process) {
        std::fprintf(stderr, "uidriver-snapshot: cannot start %s\n", program.c_str());
        return kFailed;
    }
    const HWND window = uidriver::WaitForWindow(*process, {}, kWindowTimeoutMs);
    if (window == nullptr) {
        std::fprintf(stderr, "uidriver-snapshot: %s showed no window\n", program.c_str());
    } else {
        // Once the program waits for input it has finished showing the window.
        WaitForInputIdle(process->handle(), kWindowTimeoutMs);
        const auto image = uidriver::CaptureWindow(window);
        if (!image || !uidriver::SaveBmp(*image, picture)) {
            std::fprintf(stderr, "uidriver-snapshot: no picture of \"%s\"\n",
                         uidriver::WindowText(window).c_str());
        } else {
            std::printf("uidriver-snapshot: \"%s\" saved as %s\n",
                        uidriver::WindowText(window).c_str(), picture.c_str());
        }
        if (close) {
            uidriver::PostClose(window);
        }
    }
    const auto exitCode = process->waitForExit(close ? kCloseTimeoutMs : INFINITE);
    return exitCode ? static_cast<int>(*exitCode) : kFailed;
}
