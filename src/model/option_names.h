#pragma once
// The names of the options: each option word's tab, and for each box the
// text listed under "Active Switches" when it is on. The options dialog, the
// picture painter and the record tool all read these from here.

#include <array>

#include "model/record_layout.h"
#include "platform/indexing.h"

namespace vxr::model {

inline constexpr int kBoxesPerOptionWord = 9;

inline constexpr std::array<const char*, bytes::kOptionWords> kOptionWordNames{
    {"Span/CRC", "FAT32/64", "Misc", "Image/Tape", "Security"}};

// nullptr: a box that is never listed (the default choice of a radio group,
// or no box at all).
inline constexpr std::array<std::array<const char*, kBoxesPerOptionWord>, bytes::kOptionWords> kOptionSummaries{{
    {{"Spanning", "AutoName", "Compatible Naming", "CRC Ignore", "Create CRC32"}},
    {{"FAT32 Conversion", "64K FAT Clusters", "FAT Limit"}},
    {{"Sure", "Force Cloning", "Reboot", "Exit to DOS"}},
    {{nullptr, "Image All", "Image Boot", "Image Disk", nullptr, "Tape Buffered", "Tape Unbuffered", "Tape Eject"}},
    {{"Encrypt all created images with a password,\"-pwd\".", nullptr, "-locktype=M (Manufacturer)",
      "-locktype=P (Product Name)", "-locktype=V (Version)", "-locktype=S (Serial Number)", "-locktype=U (UUID)",
      "-locktype=C (Manufacturer + Product Name", "ProductName=I (PIII ID)"}},
}};

// The summary of box n (1..9) of option word t (1..5); nullptr outside.
constexpr const char* optionSummary(int word, int box) {
    if (word < 1 || word > bytes::kOptionWords || box < 1 || box > kBoxesPerOptionWord) return nullptr;
    return at(at(kOptionSummaries, word), box);
}

}  // namespace vxr::model
