#pragma once
// The five option words as the program holds them in memory: copied from the
// record at start-up, changed by the command-line switches and the options
// dialog, written back to the record only by Save Settings. Word t holds the
// boxes of options tab t, box n in bit n-1.

#include <array>
#include <cstdint>

#include "model/record_layout.h"
#include "platform/indexing.h"

namespace vxr::model {

class OptionWords {
public:
    std::uint16_t word(int t) const { return valid(t) ? at(words_, t) : 0; }
    void setWord(int t, std::uint16_t value) {
        if (valid(t)) at(words_, t) = value;
    }
    bool box(int t, int n) const { return validBox(n) && (word(t) >> (n - 1) & 1) != 0; }
    void setBox(int t, int n, bool on) {
        if (!validBox(n)) return;
        const auto bit = static_cast<std::uint16_t>(1u << (n - 1));
        setWord(t, static_cast<std::uint16_t>(on ? word(t) | bit : word(t) & ~bit));
    }

    // The three options that change what operations do.
    bool fat32Conversion() const { return box(2, 1); }
    bool sure() const { return box(3, 1); }
    bool imagePassword() const { return box(5, 1); }

    bool operator==(const OptionWords&) const = default;

private:
    static bool valid(int t) { return t >= 1 && t <= bytes::kOptionWords; }
    static bool validBox(int n) { return n >= 1 && n <= 16; }
    std::array<std::uint16_t, bytes::kOptionWords> words_{};
};

}  // namespace vxr::model
