#pragma once
// The data file's scrambling of the two computer blocks (bytes 0..23951).
// Keys K0, K1, K2 are the record's own key bytes; K3 is stored but unused.
// Both functions work in place on the whole record.

#include <array>

#include "model/record.h"
#include "platform/random.h"

namespace vxr::model {

// Plain to stored: S[0] = P[0] ^ K0; S[i] = (P[i] + K1) ^ (S[i-1] + K2).
void scramble(MachineRecord::Bytes& bytes);

// Fresh keys for a save: the source is reseeded from the clock and each key
// lies in 0x80..0xFF.
std::array<std::uint8_t, bytes::kKeyCount> drawKeys(platform::Random& random);

// Stored to plain, the exact inverse of scramble().
void descramble(MachineRecord::Bytes& bytes);

}  // namespace vxr::model
