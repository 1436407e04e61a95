#pragma once

#include "document/header.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// The digits a group of key characters contributes: the product of (i + code of character i),
// plus the data length, in decimal, without its first three digits when it has more.
std::string digitsOf(std::string_view text, std::int64_t n);

// Turns a stored password back with the typed text as key (and, applied to a plain password
// with itself as key, makes the stored form). Key bytes depend only on the key and the data
// length; the last set is kept, so repeated attempts with the same text do not rebuild them.
class Unscrambler {
  public:
    std::string unscramble(std::string_view data, std::string_view key);

    // How many times key bytes were made (not taken from the kept set).
    int keyBuilds() const { return keyBuilds_; }

  private:
    bool cached_ = false;
    std::string lastKey_;
    std::size_t lastLength_ = 0;
    std::vector<std::uint8_t> keyBytes_;
    int keyBuilds_ = 0;
};

// Characters of the typed text that reach the check. Every password a producer can store (up
// to 20 characters) must be typable in full.
constexpr std::size_t kTypedPasswordLimit = 20;

// Whether `typed` (as read from the entry field) opens a document with this header: blanks after
// it are ignored, blanks in front of it make it wrong.
bool PasswordMatches(const DocumentHeader& header, std::string_view typed,
                     Unscrambler& unscrambler);

} // namespace velk
