#pragma once
// Paths in expect items name places, not letters: a disk, a partition, the
// directories below that partition's root and, for an image, its name. A
// path "X:\..." takes drive letter X from the start record, the machine as
// the candidate first sees it; "D:P\..." names disk D, partition P directly,
// for a partition that only the result has or that has no letter. A result
// is searched at the place whatever letters its own partitions got.

#include <optional>
#include <string>
#include <vector>

#include "model/computer.h"

namespace vxr::vxrdat {

struct Place {
    int disk = 0;
    int partition = 0;
    std::vector<std::string> directories;  // below the root, upper case
    std::string image;                     // an image's name without ".VXI"; empty for a directory
    bool operator==(const Place&) const = default;
};

// Whether `path` (upper case) has one of the two forms, "X:\" or "D:P\"
// with D and P from 1 to 4.
bool isPlacePath(const std::string& path);
// The letter of an "X:\" path, 0 for a "D:P\" path.
char letterOf(const std::string& path);

// The place a path names; nullopt when its letter is no drive of `start`.
std::optional<Place> placeOf(const model::TCOMPUTER& start, int computer, const std::string& path, bool image);

// The directory (for an image, the directory holding it) or the image at a
// place; 0 when there is none.
int directoryAt(const model::TCOMPUTER& machine, int computer, const Place& place);
int imageAt(const model::TCOMPUTER& machine, int computer, const Place& place);

// The place of a directory or an image a machine holds.
Place placeOfDirectory(const model::TCOMPUTER& machine, int computer, int directory);
Place placeOfImage(const model::TCOMPUTER& machine, int computer, int image);

// A place as an item writes it: with the start record's letter of its
// partition, or as "D:P\..." when the start gives that partition no letter.
std::string pathText(const model::TCOMPUTER& start, int computer, const Place& place);
// Always the "D:P\..." form: a name for a place that no letter changes.
std::string placeKey(const Place& place);

}  // namespace vxr::vxrdat
