// The password check against a scrambled key: the header's stored length and bytes come from
// the input's first 22 bytes, the typed text from the rest. Key bytes kept from an earlier
// attempt must give the same answer as fresh ones, and a password stored the way a producer
// stores it must open with itself, with blanks after it, and not with a character more.

#include "fuzz_check.h"
#include "document/header.h"
#include "document/password.h"

#include "base/ansi_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kStoredBytes = 2 + velk::kPasswordSize;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kStoredBytes) {
        return 0;
    }
    velk::DocumentHeader header;
    header.passwordLength = static_cast<std::int16_t>(data[0] | (data[1] << 8));
    std::memcpy(header.password.data(), data + 2, velk::kPasswordSize);
    const std::string typed(reinterpret_cast<const char*>(data) + kStoredBytes,
                            size - kStoredBytes);

    velk::Unscrambler kept;
    const bool first = velk::PasswordMatches(header, typed, kept);
    velk::PasswordMatches(header, typed + "x", kept);
    Check(velk::PasswordMatches(header, typed, kept) == first);
    velk::Unscrambler fresh;
    Check(velk::PasswordMatches(header, typed, fresh) == first);

    const std::string plain = velk::TrimBlanks(typed.substr(0, velk::kTypedPasswordLimit));
    if (plain.empty()) {
        return 0;
    }
    const std::string stored = velk::Unscrambler{}.unscramble(plain, plain);
    velk::DocumentHeader made;
    made.passwordLength = static_cast<std::int16_t>(plain.size());
    std::copy(stored.begin(), stored.end(), made.password.begin());
    velk::Unscrambler unscrambler;
    Check(velk::PasswordMatches(made, plain, unscrambler));
    Check(velk::PasswordMatches(made, plain + "   ", unscrambler));
    if (plain.size() < velk::kTypedPasswordLimit) {
        Check(!velk::PasswordMatches(made, plain + "x", unscrambler));
    }
    return 0;
}
