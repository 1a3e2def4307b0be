#include "model/scramble.h"

namespace vxr::model {

using bytes::kKeys;
using bytes::kScrambledSize;

void scramble(MachineRecord::Bytes& bytes) {
    const std::uint8_t k0 = bytes[kKeys], k1 = bytes[kKeys + 1], k2 = bytes[kKeys + 2];
    bytes[0] ^= k0;
    for (std::size_t i = 1; i < kScrambledSize; ++i) {
        bytes[i] = static_cast<std::uint8_t>((bytes[i] + k1) ^ (bytes[i - 1] + k2));
    }
}

std::array<std::uint8_t, bytes::kKeyCount> drawKeys(platform::Random& random) {
    random.reseedFromClock();
    std::array<std::uint8_t, bytes::kKeyCount> keys{};
    for (auto& key : keys) key = static_cast<std::uint8_t>(128 + random.below(128));
    return keys;
}

void descramble(MachineRecord::Bytes& bytes) {
    const std::uint8_t k0 = bytes[kKeys], k1 = bytes[kKeys + 1], k2 = bytes[kKeys + 2];
    // Descending, so that S[i-1] is still the stored byte when P[i] is made.
    for (std::size_t i = kScrambledSize - 1; i >= 1; --i) {
        bytes[i] = static_cast<std::uint8_t>((bytes[i] ^ static_cast<std::uint8_t>(bytes[i - 1] + k2)) - k1);
    }
    bytes[0] ^= k0;
}

}  // namespace vxr::model
