#pragma once

// How the driver and its probe, a hook DLL running inside the driven process, talk. The driver
// writes a request into a shared memory block named after the two parameters of the probe
// message and sends that message to the window; the probe, called in the window's own thread,
// replaces the request with its reply.
//
//   "menu"                    reply "menu" and the menu bar's entries, or "none"
//   "tooltip <id> <from>"     reply "text" and the text in hexadecimal, or "none"

#include <windows.h>

#include <cstdio>
#include <string>

namespace uidriver::probe {

inline constexpr const char* kMessageName = "uidriver.probe";
inline constexpr const char* kHookProcedure = "UidriverProbe";
inline constexpr DWORD kBlockSize = 64 * 1024;

inline constexpr const char* kMenuRequest = "menu";
inline constexpr const char* kToolTipRequest = "tooltip";
inline constexpr const char* kMenuReply = "menu";
inline constexpr const char* kTextReply = "text";
inline constexpr const char* kNothing = "none";

inline std::string BlockName(WPARAM requester, LPARAM request) {
    char name[96] = {};
    std::snprintf(name, sizeof name, "uidriver.probe.%lu.%lu",
                  static_cast<unsigned long>(requester), static_cast<unsigned long>(request));
    return name;
}

inline std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string FromHex(const std::string& hex) {
    const auto value = [](char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; };
    std::string text;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        text += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    }
    return text;
}

} // namespace uidriver::probe
