#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "model/computer.h"
#include "model/partition_types.h"
#include "platform/indexing.h"
#include "platform/text.h"

namespace vxr::model {

using bytes::kDirectories;
using bytes::kDriveLetters;
using bytes::kImages;

namespace {

bool isBlankOrControl(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

// A parent walk never takes more steps than there are directories, so a
// damaged file whose parents form a loop cannot hang it.
constexpr int kMaxParentSteps = kDirectories;

}  // namespace

std::string TCOMPUTER::PartitionTypeName(int typeId) { return partitionType(typeId).name; }

bool TCOMPUTER::IsPrimaryType(int typeId) { return partitionType(typeId).primary; }

std::string TCOMPUTER::NormaliseName(const std::string& name) {
    auto first = std::find_if_not(name.begin(), name.end(), isBlankOrControl);
    auto last = std::find_if_not(name.rbegin(), name.rend(), isBlankOrControl).base();
    std::string text = first < last ? std::string(first, last) : std::string();
    text = platform::asciiUpper(text);
    if (auto dot = text.find('.'); dot != std::string::npos) text.erase(dot);
    return text;
}

int TCOMPUTER::FindImage(int computer, int directory, const std::string& name) const {
    if (directory == 0) return 0;  // free entries have directory 0: they are not files
    const std::string wanted = NormaliseName(name);
    for (int i = 1; i <= kImages; ++i) {
        const ImageEntry image = record_.image(computer, i);
        if (image.directory == directory && image.name == wanted) return i;
    }
    return 0;
}

int TCOMPUTER::RootDirectory(int computer, int disk, int partition) const {
    if (disk == 0) return 0;
    for (int v = 1; v <= kDirectories; ++v) {
        const DirectoryEntry dir = record_.directory(computer, v);
        if (dir.disk == disk && dir.partition == partition && dir.parent == 0) return v;
    }
    return 0;
}

int TCOMPUTER::childDirectory(int computer, int parent, const std::string& name) const {
    for (int v = 1; v <= kDirectories; ++v) {
        const DirectoryEntry dir = record_.directory(computer, v);
        // A freed entry keeps its parent and name; it must not be found again.
        if (!dir.isFree() && dir.parent == parent && dir.name == name) return v;
    }
    return 0;
}

int TCOMPUTER::ResolvePath(int computer, const std::string& path) const {
    bool directory = false;
    return resolve(computer, path, directory);
}

int TCOMPUTER::ResolveImagePath(int computer, const std::string& path) const {
    bool directory = false;
    const int found = resolve(computer, path, directory);
    return directory ? 0 : found;
}

int TCOMPUTER::resolve(int computer, const std::string& path, bool& directory) const {
    std::string text = path;
    static constexpr std::string_view kExtension = ".VXI";
    if (text.size() > 3) {
        const auto at = text.find(kExtension);
        if (at != std::string::npos && at + kExtension.size() == text.size()) text.erase(at);
    }
    if (text.find(":\\") != 1) return 0;
    const char letter = text[0];
    if (letter < 'C' || letter >= 'C' + kDriveLetters) return 0;
    const DriveLetterEntry drive = driveLetter(computer, letter - 'C' + 1);
    if (drive.disk == 0 || drive.partition == 0) return 0;

    text.erase(0, 3);
    int current = RootDirectory(computer, drive.disk, drive.partition);
    if (current == 0) return 0;
    for (auto slash = text.find('\\'); slash != std::string::npos; slash = text.find('\\')) {
        current = childDirectory(computer, current, text.substr(0, slash));
        if (current == 0) return 0;
        text.erase(0, slash + 1);
    }
    directory = text.empty();
    if (directory) return current;
    for (int i = 1; i <= kImages; ++i) {
        const ImageEntry image = record_.image(computer, i);
        if (image.directory == current && image.name == text) return i;
    }
    return 0;
}

std::string TCOMPUTER::DirectoryPath(int computer, int directory) const {
    DirectoryEntry current = record_.directory(computer, directory);
    std::string text = current.name;
    for (int steps = 0; current.parent != 0 && steps < kMaxParentSteps; ++steps) {
        current = record_.directory(computer, current.parent);
        // Parent name and backslash together are cut to 9 characters, so a
        // 9-character parent name loses its backslash (stored paths rely on it).
        text = (current.name + "\\").substr(0, 9) + text;
    }
    char letter = 'S';
    for (int n = 1; n <= kDriveLetters; ++n) {
        const DriveLetterEntry drive = driveLetter(computer, n);
        if (drive.disk != 0 && drive.disk == current.disk && drive.partition == current.partition) {
            letter = driveLetterOf(n);
            break;
        }
    }
    return std::string(1, letter) + ":" + text;
}

std::string TCOMPUTER::ImagePath(int computer, int image) const {
    const ImageEntry entry = record_.image(computer, image);
    return DirectoryPath(computer, entry.directory) + "\\" + entry.name;
}

std::int64_t TCOMPUTER::SumDataSize(int computer, int disk) const {
    std::int64_t sum = 0;
    for (int p = 1; p <= record_.partitionsInUse(computer, disk); ++p)
        sum += record_.partition(computer, disk, p).dataSize;
    return sum;
}

std::int64_t TCOMPUTER::SumPartitionSize(int computer, int disk) const {
    std::int64_t sum = 0;
    for (int p = 1; p <= record_.partitionsInUse(computer, disk); ++p) sum += record_.partition(computer, disk, p).size;
    return sum;
}

std::int64_t TCOMPUTER::SumImagePartitionSize(int computer, int image) const {
    const ImageEntry entry = record_.image(computer, image);
    std::int64_t sum = 0;
    for (int p = 1; p <= record_.imagePartitionsInUse(computer, image); ++p) sum += at(entry.partitions, p).size;
    return sum;
}

std::int64_t TCOMPUTER::SumImageDataSize(int computer, int image) const {
    const ImageEntry entry = record_.image(computer, image);
    std::int64_t sum = 0;
    for (int p = 1; p <= record_.imagePartitionsInUse(computer, image); ++p) sum += at(entry.partitions, p).dataSize;
    return sum;
}

int TCOMPUTER::AddImage(int computer, int directory, const std::string& name) {
    if (!MachineRecord::validDirectory(directory)) return 0;  // an entry in directory 0 would count as free
    for (int i = 1; i <= kImages; ++i) {
        ImageEntry image = record_.image(computer, i);
        if (!image.isFree()) continue;
        image.directory = static_cast<std::uint16_t>(directory);
        image.size = 0;
        image.name = platform::cp936Prefix(NormaliseName(name), bytes::kImageNameCapacity);
        image.created = clock_.now();
        record_.setImage(computer, i, image);
        return i;
    }
    return 0;
}

void TCOMPUTER::RemoveDirectories(int computer, int disk, int partition) {
    if (disk == 0) return;  // disk 0 marks free entries, nothing to remove
    for (int v = 1; v <= kDirectories; ++v) {
        const DirectoryEntry dir = record_.directory(computer, v);
        if (dir.disk != disk || (partition != 0 && dir.partition != partition)) continue;
        record_.setDirectoryDisk(computer, v, 0);
        for (int i = 1; i <= kImages; ++i) {
            if (record_.image(computer, i).directory == v) record_.setImageDirectory(computer, i, 0);
        }
    }
}

}  // namespace vxr::model
