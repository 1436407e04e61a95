#pragma once

// The dense page loaded as the one page of a document, with services that do nothing, so a
// benchmark measures RenderPage and its surface only.

#include "dense_page.h"

#include "document/document.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "base/device_settings.h"
#include "render/interpreter.h"
#include "document/interface_texts.h"

namespace velk::bench {

class NoFiles : public FileSystem {
  public:
    std::vector<DirectoryEntry> findFiles(const std::string&) override { return {}; }
    std::unique_ptr<File> openExisting(const std::string&, OpenAccess) override { return nullptr; }
    bool createNew(const std::string&) override { return false; }
    bool deleteFile(const std::string&) override { return false; }
    bool replaceFile(const std::string&, const std::string&) override { return false; }
    bool sameFile(const std::string&, const std::string&) override { return false; }
    std::string temporaryDirectory() override { return "/tmp/"; }
    std::string executablePath() override { return "/velk-render"; }
};

class NoMessages : public MessageBoxPort {
  public:
    void show(const std::string&, const std::string&, unsigned) override {}
};

class Screen96 : public ScreenInfo {
  public:
    int logPixelsX() override { return 96; }
    int logPixelsY() override { return 96; }
};

struct DenseDocument {
    Document document;
    ScreenSettings settings;
    Screen96 screen;
    InterfaceTexts texts;
    NoMessages messages;
    NoFiles files;
    RenderServices services{document, settings, screen, texts, messages, files};

    DenseDocument() {
        document.pageCount = 1;
        document.loadedPageNumber = 1;
        document.loadedPage = DensePage();
    }
};

} // namespace velk::bench
