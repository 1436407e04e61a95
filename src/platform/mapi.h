#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

// Simple MAPI's flags and the two result codes the viewer keeps quiet about.
inline constexpr std::uint32_t kMapiLogonUi = 0x1;
inline constexpr std::uint32_t kMapiNewSession = 0x2;
inline constexpr std::uint32_t kMapiDialog = 0x8;
inline constexpr std::uint32_t kMapiTo = 1;
inline constexpr std::uint32_t kMapiSuccess = 0;
inline constexpr std::uint32_t kMapiUserAbort = 1;

// A MapiRecipDesc as the viewer fills it: class, name and address.
struct MapiRecipient {
    std::uint32_t recipientClass = kMapiTo;
    std::string name;
    std::string address;
    bool operator==(const MapiRecipient&) const = default;
};

// A MapiFileDesc: where in the note the attachment sits, its file, and the name it is sent as.
struct MapiAttachment {
    std::int32_t position = 0;
    std::string pathName;
    std::string fileName;
    bool operator==(const MapiAttachment&) const = default;
};

// A MapiMessage: every field the viewer sets; the others are 0.
struct MapiMessage {
    std::string subject;
    std::string noteText;
    std::string dateReceived;
    std::vector<MapiRecipient> recipients;
    std::vector<MapiAttachment> files;
    bool operator==(const MapiMessage&) const = default;
};

// The mail library "mapi32.dll", loaded at run time, and its three entry points found by their
// plain names. A missing entry point is an empty result.
class MapiLibrary {
  public:
    virtual ~MapiLibrary() = default;
    // Loads the library unless it is loaded already; false when it cannot be loaded.
    virtual bool load() = 0;
    virtual void unload() = 0;
    // MAPILogon without a parent window; the session it leaves behind (0 for none).
    virtual std::optional<std::uint32_t>
    logon(const std::string& profile, const std::string& password, std::uint32_t flags) = 0;
    // MAPISendMail without a parent window; its result code.
    virtual std::optional<std::uint32_t> sendMail(std::uint32_t session, const MapiMessage& message,
                                                  std::uint32_t flags) = 0;
    // MAPILogoff, when the library is loaded and has it.
    virtual void logoff(std::uint32_t session) = 0;
};

} // namespace velk
