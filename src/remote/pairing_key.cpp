#include "remote/pairing_key.h"

#include "common/errors.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace caici {
namespace {

const char* const noRandomText = "无法从系统取得安全的随机数，手机遥控没有打开。";

// getrandom() may return fewer bytes than asked for when a signal arrives.
bool fillFromGetrandom(std::uint8_t* out, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = getrandom(out + filled, size - filled, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

// For kernels older than getrandom() (3.17) or a seccomp filter that blocks it.
bool fillFromUrandom(std::uint8_t* out, std::size_t size) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> device(std::fopen("/dev/urandom", "rbe"), &std::fclose);
    return device && std::fread(out, 1, size, device.get()) == size;
}

}  // namespace

PairingKey PairingKey::fresh() {
    std::array<std::uint8_t, bytes> value{};
    if (!fillFromGetrandom(value.data(), value.size()) && !fillFromUrandom(value.data(), value.size())) {
        throw Error(noRandomText);
    }
    return PairingKey(value);
}

PairingKey::PairingKey(const std::array<std::uint8_t, bytes>& value) {
    static constexpr char digits[] = "0123456789abcdef";
    text_.reserve(2 * bytes);
    for (const std::uint8_t byte : value) {
        text_.push_back(digits[byte >> 4]);
        text_.push_back(digits[byte & 0x0f]);
    }
}

bool PairingKey::matches(std::string_view candidate) const {
    // Every character of the key is looked at whatever the candidate holds;
    // the only branch depends on the candidate's length, which is no secret.
    unsigned difference = candidate.size() == text_.size() ? 0u : 1u;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const unsigned char offered = i < candidate.size() ? static_cast<unsigned char>(candidate[i]) : 0u;
        difference |= offered ^ static_cast<unsigned char>(text_[i]);
    }
    return difference == 0;
}

}  // namespace caici
