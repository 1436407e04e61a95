// velk-render: renders a velk document's pages to PNG files (as the viewer shows them) or to
// one PDF (as the printer prints them). The rules live in render_run and the files it uses;
// this file only connects them to the command line, the console and the file system.
#include "output_file.h"
#include "platform_targets.h"
#include "platform/file_system.h"
#include "render_options.h"
#include "render_run.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

class ConsoleOutput : public velk::cli::RunOutput {
  public:
    std::unique_ptr<velk::cli::OutputFile> createFile(const std::string& path) override {
        return velk::cli::CreateOutputFile(path);
    }

    void error(const std::string& text) override {
        endProgressLine();
        std::fprintf(stderr, "%s\n", text.c_str());
    }

    void progress(std::uint64_t done, std::uint64_t total, std::int32_t page) override {
        const std::string line = "\rvelk-render: " + std::to_string(done) + " of " +
                                 std::to_string(total) + " pages (page " + std::to_string(page) +
                                 ")";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        progressShown_ = true;
    }

    void progressEnd() override { endProgressLine(); }

  private:
    void endProgressLine() {
        if (progressShown_) {
            std::fputc('\n', stderr);
            progressShown_ = false;
        }
    }

    bool progressShown_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const velk::cli::ParsedOptions parsed = velk::cli::ParseOptions(arguments);
    if (parsed.options.help) {
        std::fputs(velk::cli::UsageText().c_str(), stdout);
        return static_cast<int>(velk::cli::ExitCode::Rendered);
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "velk-render: %s\nTry velk-render --help.\n", parsed.error.c_str());
        return static_cast<int>(velk::cli::ExitCode::Usage);
    }
    velk::cli::Platform platform = velk::cli::MakePlatform();
    ConsoleOutput output;
    velk::cli::RunPorts ports{*platform.files, *platform.targets, output,
                              platform.stderrIsTerminal};
    return static_cast<int>(velk::cli::RunRender(parsed.options, ports));
}
