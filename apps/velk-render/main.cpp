// velk-render: renders a velk document's pages to PNG files (as the viewer shows them) or to
// one PDF (as the printer prints them). The rules live in render_run and the files it uses;
// this file only connects them to the command line, the console and the file system.
#include "platform_targets.h"
#include "platform/file_system.h"
#include "render_options.h"
#include "render_run.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// A C stream rather than a file stream: the first file stream of a run costs a third of a
// millisecond to set up, a fiftieth of a page.
class StreamFile : public velk::cli::OutputFile {
  public:
    explicit StreamFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~StreamFile() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    StreamFile(const StreamFile&) = delete;
    StreamFile& operator=(const StreamFile&) = delete;

    bool opened() const { return file_ != nullptr; }
    void write(std::span<const std::uint8_t> bytes) override {
        if (file_ != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            failed_ = true;
        }
    }
    bool close() override {
        if (file_ == nullptr) {
            return false;
        }
        const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
        return closed && !failed_;
    }

  private:
    std::FILE* file_;
    bool failed_ = false;
};

class ConsoleOutput : public velk::cli::RunOutput {
  public:
    std::unique_ptr<velk::cli::OutputFile> createFile(const std::string& path) override {
        auto file = std::make_unique<StreamFile>(path);
        if (!file->opened()) {
            return nullptr;
        }
        return file;
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
