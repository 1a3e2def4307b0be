#include "option_texts.h"

#include "layout/option_boxes.h"

namespace vxr::painter {

namespace {

constexpr int kBeside = 150;  // the image modes' explanations stand in a column

// clang-format off
constexpr OptionText kTexts[layout::kOptionTabs][layout::kBoxesPerTab] = {
    {{"Spanning", "Split an image file over several volumes when one is full"},
     {"AutoName", "Name the further volumes of a split image without asking"},
     {"Compatible Naming", "Give the volumes short names that every system can read"},
     {"CRC Ignore", "Go on when a checksum does not match; report it at the end"},
     {"Create CRC32", "Keep a checksum of every file for later checks"}},
    {{"FAT32 Conversion", "Turn FAT16 partitions over 256 MB into FAT32 when they are",
      "restored or copied (the -F32 switch)"},
     {"64K FAT Clusters", "Allow 64 KB clusters, so that a FAT16 partition can hold 4 GB;",
      "not every system reads such partitions"},
     {"FAT Limit", "Keep FAT16 partitions within 2 GB when they are resized"}},
    {{"Sure", "Do not ask \"Proceed?\" and do not show the last message",
      "(the -SURE switch)"},
     {"Force Cloning", "Go on past sectors that cannot be read"},
     {"Reboot", "Restart the computer when the task is done"},
     {"Exit to DOS", "Return to the command prompt when the task is done"}},
    {{"Default", "Copy the used parts of known file systems", "", kBeside},
     {"Image All", "Copy every sector of every partition", "", kBeside},
     {"Image Boot", "Copy the boot sectors exactly as they are", "", kBeside},
     {"Image Disk", "Copy the whole disk sector by sector", "", kBeside},
     {"Default"}, {"Tape Buffered"}, {"Tape Unbuffered"}, {"Tape Eject"}},
    {{"Encrypt all created images with a password",
      "Ask for a password whenever an image file is created (the -PWD switch)"},
     {"None"}, {"Manufacturer"}, {"Product Name"}, {"Version"},
     {"Serial Number"}, {"UUID"}, {"Manufacturer + Product Name"}, {"PIII ID"}},
};

constexpr PageNote kSpanNotes[] = {
    {true, 370, 40, 578, 110, "Spanning and checksums",
     {"An image file too large for one volume",
      "can be split over several, such as",
      "removable disks. Checksums let Vexor find",
      "damaged image files when it checks them."}},
};
constexpr PageNote kFatNotes[] = {
    {true, 370, 40, 578, 110, "FAT partitions",
     {"FAT16 partitions are limited in size.",
      "Vexor can convert them to FAT32, or give",
      "them larger clusters, when it restores or",
      "copies them; only one of the two at a time."}},
};
constexpr PageNote kMiscNotes[] = {
    {true, 370, 40, 578, 110, "When the task is done",
     {"Sure suits tasks that run while nobody",
      "watches. Reboot and Exit to DOS choose",
      "what follows the last message; only one",
      "of the two can be on."}},
};
constexpr PageNote kImageNotes[] = {
    {true, 24, 31, 360, 155, "Image mode", {}},
    {true, 24, 163, 578, 240, "Tape",
     {nullptr}},
    {false, 36, 217, 0, 0, "", {"These settings apply when an image file is written to or read from a tape drive."}},
};
constexpr PageNote kSecurityNotes[] = {
    {false, 110, 100, 0, 0, "",
     {"A locked image file can be restored only onto computers that report the same",
      "value as the computer it was made on:"}},
    {true, 110, 130, 470, 232, "Lock type", {}},
};
constexpr PageNote kSaveNotes[] = {
    {false, 49, 205, 0, 0, "",
     {"Save Settings keeps the switches above as the defaults",
      "for every later start of Vexor."}},
};
// clang-format on

}  // namespace

const OptionText& optionText(int tab, int box) {
    static constexpr OptionText none{};
    if (tab < 1 || tab > layout::kOptionTabs || box < 1 || box > layout::kBoxesPerTab) return none;
    return kTexts[tab - 1][box - 1];
}

std::span<const PageNote> pageNotesOf(int tab) {
    switch (tab) {
        case 1: return kSpanNotes;
        case 2: return kFatNotes;
        case 3: return kMiscNotes;
        case 4: return kImageNotes;
        case 5: return kSecurityNotes;
        case 6: return kSaveNotes;
        default: return {};
    }
}

}  // namespace vxr::painter
