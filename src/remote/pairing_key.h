#pragma once
// The secret a phone must show to use the remote: 128 bits from the
// operating system's secure random source, written as 32 lower-case hex
// digits in the address the QR code carries. Anyone on the same Wi-Fi can
// reach the server, so the key is not drawn from the game's own generator
// (its seed could be guessed from the play order) and a candidate is
// compared in constant time, so the time a refusal takes tells nothing about
// how much of a guess was right.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace caici {

class PairingKey {
public:
    static constexpr std::size_t bytes = 16;

    // A fresh key. Throws Error when the system has no secure random source.
    static PairingKey fresh();
    // A key of the given bytes, for tests that need to know it in advance.
    explicit PairingKey(const std::array<std::uint8_t, bytes>& value);

    const std::string& text() const { return text_; }
    // Whether candidate is this key's text; the time taken depends only on
    // the candidate's length.
    bool matches(std::string_view candidate) const;

private:
    std::string text_;
};

}  // namespace caici
