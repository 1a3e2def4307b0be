#include "places.h"

#include "platform/text.h"

namespace vxr::vxrdat {

using model::TCOMPUTER;
namespace bytes = model::bytes;

namespace {

bool isDigitIn(char ch, int highest) { return ch >= '1' && ch <= '0' + highest; }

bool isNumberedForm(const std::string& path) {
    return path.size() >= 4 && isDigitIn(path[0], bytes::kDisks) && path[1] == ':' &&
           isDigitIn(path[2], bytes::kPartitions) && path[3] == '\\';
}

bool isLetterForm(const std::string& path) {
    return path.size() >= 3 && path[0] >= 'A' && path[0] <= 'Z' && path[1] == ':' && path[2] == '\\';
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t slash = std::min(text.find('\\', from), text.size());
        if (slash > from) parts.push_back(text.substr(from, slash - from));
        from = slash + 1;
    }
    return parts;
}

int rootOf(const TCOMPUTER& m, int c, int disk, int partition) {
    for (int v = 1; v <= bytes::kDirectories; ++v) {
        const model::DirectoryEntry entry = m.record().directory(c, v);
        if (!entry.isFree() && entry.disk == disk && entry.partition == partition && entry.parent == 0) return v;
    }
    return 0;
}

int childNamed(const TCOMPUTER& m, int c, int parent, const std::string& name) {
    for (int v = 1; v <= bytes::kDirectories; ++v) {
        const model::DirectoryEntry entry = m.record().directory(c, v);
        if (!entry.isFree() && entry.parent == parent && v != parent && platform::asciiUpper(entry.name) == name) {
            return v;
        }
    }
    return 0;
}

std::string tail(const Place& place) {
    std::string text;
    for (const auto& name : place.directories) text += "\\" + name;
    if (!place.image.empty()) text += "\\" + place.image + ".VXI";
    return text.empty() ? "\\" : text;
}

}  // namespace

bool isPlacePath(const std::string& path) { return isLetterForm(path) || isNumberedForm(path); }

char letterOf(const std::string& path) { return isNumberedForm(path) ? 0 : path[0]; }

std::optional<Place> placeOf(const TCOMPUTER& start, int c, const std::string& path, bool image) {
    Place place;
    std::size_t rest = 0;
    if (isNumberedForm(path)) {
        place.disk = path[0] - '0';
        place.partition = path[2] - '0';
        rest = 4;
    } else {
        const int entry = path[0] - 'C' + 1;
        const model::DriveLetterEntry letter = start.driveLetter(c, entry);
        if (entry < 1 || letter.disk == 0 || letter.partition == 0) return std::nullopt;
        place.disk = letter.disk;
        place.partition = letter.partition;
        rest = 3;
    }
    place.directories = split(path.substr(rest));
    if (image && !place.directories.empty()) {
        std::string name = place.directories.back();
        place.directories.pop_back();
        if (name.size() >= 4 && name.substr(name.size() - 4) == ".VXI") name.resize(name.size() - 4);
        place.image = name;
    }
    return place;
}

int directoryAt(const TCOMPUTER& m, int c, const Place& place) {
    int v = rootOf(m, c, place.disk, place.partition);
    for (const auto& name : place.directories) {
        if (v == 0) break;
        v = childNamed(m, c, v, name);
    }
    return v;
}

int imageAt(const TCOMPUTER& m, int c, const Place& place) {
    const int v = directoryAt(m, c, place);
    if (v == 0 || place.image.empty()) return 0;
    for (int i = 1; i <= bytes::kImages; ++i) {
        const model::ImageEntry entry = m.record().image(c, i);
        if (entry.directory == v && platform::asciiUpper(entry.name) == place.image) return i;
    }
    return 0;
}

Place placeOfDirectory(const TCOMPUTER& m, int c, int v) {
    Place place;
    // The chain of parents, bounded: a record whose parents loop ends here.
    for (int steps = 0; v != 0 && steps < bytes::kDirectories; ++steps) {
        const model::DirectoryEntry entry = m.record().directory(c, v);
        place.disk = entry.disk;
        place.partition = entry.partition;
        if (entry.parent == 0) break;
        place.directories.insert(place.directories.begin(), platform::asciiUpper(entry.name));
        v = entry.parent;
    }
    return place;
}

Place placeOfImage(const TCOMPUTER& m, int c, int i) {
    const model::ImageEntry entry = m.record().image(c, i);
    Place place = placeOfDirectory(m, c, entry.directory);
    place.image = platform::asciiUpper(entry.name);
    return place;
}

std::string pathText(const TCOMPUTER& start, int c, const Place& place) {
    for (int n = 1; n <= bytes::kDriveLetters; ++n) {
        const model::DriveLetterEntry letter = start.driveLetter(c, n);
        if (letter.disk == place.disk && letter.partition == place.partition) {
            return std::string(1, model::driveLetterOf(n)) + ":" + tail(place);
        }
    }
    return placeKey(place);
}

std::string placeKey(const Place& place) {
    return std::to_string(place.disk) + ":" + std::to_string(place.partition) + tail(place);
}

}  // namespace vxr::vxrdat
