#pragma once

#include "document/document.h"
#include "mail/mail_document.h"
#include "platform/clock.h"
#include "platform/mapi.h"
#include "support/memory_file_system.h"
#include "support/recording_services.h"
#include "writer/document_writer.h"

#include <functional>
#include <string>
#include <vector>

namespace velk::testing {

// A mail library that records every call, in order, and keeps what it was asked to send with a
// copy of each attached file as it was at that moment.
class FakeMapi : public MapiLibrary {
  public:
    explicit FakeMapi(MemoryFileSystem& files) : files_(files) {}

    bool loadable = true;
    bool hasLogon = true;
    bool hasSend = true;
    std::uint32_t session = 7;
    std::uint32_t sendResult = kMapiSuccess;

    std::vector<std::string> calls;
    std::vector<MapiMessage> sent;
    std::uint32_t sentFlags = 0;
    std::vector<std::vector<std::uint8_t>> attached;

    bool load() override;
    void unload() override;
    std::optional<std::uint32_t> logon(const std::string& profile, const std::string& password,
                                       std::uint32_t flags) override;
    std::optional<std::uint32_t> sendMail(std::uint32_t session, const MapiMessage& message,
                                          std::uint32_t flags) override;
    void logoff(std::uint32_t session) override;

  private:
    MemoryFileSystem& files_;
    bool loaded_ = false;
};

class FixedClock : public Clock {
  public:
    LocalTime time{1998, 6, 15, 14, 5, 9};
    LocalTime now() override { return time; }
};

// The reader's open document, the three-page report as `change` leaves it, written as
// kMailedDocument; with the services mail and fax run on.
struct MailingRun {
    static constexpr const char* kMailedDocument = "C:\\docs\\report.vlk";

    MemoryFileSystem files;
    FakeMapi mapi{files};
    FixedClock clock;
    RecordingMessageBox messages;
    Document document;
    MailServices services{document, files, messages, mapi, clock};
    std::vector<std::uint8_t> original;

    explicit MailingRun(const std::function<void(vlkw::DocumentDescription&)>& change);
};

} // namespace velk::testing
