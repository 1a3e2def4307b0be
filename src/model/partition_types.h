#pragma once
// What the simulated machine knows of each partition type id: its name in
// the tables, whether it is a primary partition, the file system the Look-in
// line names, its size limit and how it gets a drive letter. Every check of a
// type id reads this one table; an id it lacks has no name, no limit and no
// letter and counts as logical.

#include <array>
#include <cstdint>

namespace vxr::model {

enum class SizeLimit { None, Fat16, Fat32 };  // Fat16: Fat32 once conversion is on
enum class LetterRule { None, WhenFormatted, Extended };

struct PartitionType {
    int id = 0;
    const char* name = "";
    bool primary = false;
    const char* fileSystem = "";  // as the file dialog's Look-in line shows it
    SizeLimit limit = SizeLimit::None;
    LetterRule letter = LetterRule::None;
};

inline constexpr std::array kPartitionTypes{
    PartitionType{1, "Fat16", true, "", SizeLimit::Fat16, LetterRule::None},
    PartitionType{4, "Fat16 extd", false, "FAT", SizeLimit::Fat16, LetterRule::WhenFormatted},
    PartitionType{5, "Fat32 extd", false, "FAT", SizeLimit::None, LetterRule::Extended},
    PartitionType{15, "Fat32 extd", false, "FAT", SizeLimit::None, LetterRule::Extended},
    PartitionType{6, "Fat32", true, "FAT", SizeLimit::Fat32, LetterRule::WhenFormatted},
    PartitionType{11, "Fat32", true, "FAT", SizeLimit::Fat32, LetterRule::WhenFormatted},
    PartitionType{12, "Fat32", true, "FAT", SizeLimit::Fat32, LetterRule::WhenFormatted},
    PartitionType{7, "NTFS", true, "NTFS", SizeLimit::None, LetterRule::WhenFormatted},
    PartitionType{131, "Linux", true, "", SizeLimit::None, LetterRule::None},
    PartitionType{999, "NTFS extd", false, "", SizeLimit::None, LetterRule::None},
};

// The type a FAT16 partition becomes when FAT32 conversion applies.
inline constexpr int kFat32Type = 11;

inline constexpr PartitionType partitionType(int id) {
    for (const PartitionType& type : kPartitionTypes) {
        if (type.id == id) return type;
    }
    return {};
}

}  // namespace vxr::model
