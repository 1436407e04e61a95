#include "support/fake_mapi.h"

#include "support/documents.h"

#include <gtest/gtest.h>

namespace velk::testing {

bool FakeMapi::load() {
    calls.push_back("load");
    loaded_ = loaded_ || loadable;
    return loaded_;
}

void FakeMapi::unload() {
    calls.push_back("unload");
    loaded_ = false;
}

std::optional<std::uint32_t> FakeMapi::logon(const std::string& profile,
                                             const std::string& password, std::uint32_t flags) {
    calls.push_back("logon [" + profile + "] [" + password + "] " + std::to_string(flags));
    return hasLogon ? std::optional(session) : std::nullopt;
}

std::optional<std::uint32_t> FakeMapi::sendMail(std::uint32_t used, const MapiMessage& message,
                                                std::uint32_t flags) {
    calls.push_back("send " + std::to_string(used));
    if (!hasSend) {
        return std::nullopt;
    }
    sent.push_back(message);
    sentFlags = flags;
    for (const MapiAttachment& file : message.files) {
        attached.push_back(files_.bytes(file.pathName));
    }
    return sendResult;
}

void FakeMapi::logoff(std::uint32_t used) {
    calls.push_back("logoff " + std::to_string(used));
}

MailingRun::MailingRun(const std::function<void(vlkw::DocumentDescription&)>& change) {
    auto description = ThreePageReport();
    change(description);
    original = vlkw::WriteDocument(description);
    files.add(kMailedDocument, original);
    EXPECT_TRUE(document.open(files, kMailedDocument, 0));
    EXPECT_TRUE(document.readHeader());
    document.readOptionRecords();
}

} // namespace velk::testing
