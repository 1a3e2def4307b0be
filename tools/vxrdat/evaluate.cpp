#include "evaluate.h"

#include <algorithm>
#include <cstdio>

#include "json_diff.h"
#include "places.h"
#include "platform/indexing.h"
#include "platform/text.h"
#include "task_json.h"

namespace vxr::vxrdat {

using model::PartitionEntry;
using model::TCOMPUTER;
namespace bytes = model::bytes;

namespace {

constexpr std::size_t kDifferencesShown = 3;

std::string join(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string where(int computer) { return computer == 0 ? "" : std::string(computerName(computer)) + " "; }

std::string diskName(int computer, int disk) { return where(computer) + "disk " + std::to_string(disk); }

std::string partitionText(const PartitionEntry& p) {
    const std::string name = TCOMPUTER::PartitionTypeName(p.type);
    return (name.empty() ? "type " + std::to_string(p.type) : name + " (type " + std::to_string(p.type) + ")") + " " +
           std::to_string(p.size) + " MB, data " + std::to_string(p.dataSize) + " MB";
}

std::string partitionsText(const std::vector<PartitionEntry>& partitions) {
    if (partitions.empty()) return "no partitions";
    std::vector<std::string> parts;
    for (const auto& p : partitions) parts.push_back(partitionText(p));
    return std::to_string(partitions.size()) + (partitions.size() == 1 ? " partition: " : " partitions: ") +
           join(parts, "; ");
}

bool matches(const PartitionSpec& spec, const PartitionEntry& p) {
    return (!spec.type || *spec.type == p.type) && (!spec.size || spec.size->contains(p.size)) &&
           (!spec.data || spec.data->contains(p.dataSize));
}

bool allMatch(const std::vector<PartitionSpec>& specs, const std::vector<PartitionEntry>& partitions) {
    if (specs.size() != partitions.size()) return false;
    for (std::size_t k = 0; k < specs.size(); ++k) {
        if (!matches(specs[k], partitions[k])) return false;
    }
    return true;
}

std::vector<PartitionEntry> diskPartitions(const TCOMPUTER& m, int c, int d) {
    std::vector<PartitionEntry> list;
    for (int p = 1; p <= m.record().partitionsInUse(c, d); ++p) list.push_back(m.record().partition(c, d, p));
    return list;
}

std::vector<PartitionEntry> imagePartitions(const TCOMPUTER& m, int c, int i) {
    const model::ImageEntry image = m.record().image(c, i);
    return {image.partitions.begin(), image.partitions.begin() + m.record().imagePartitionsInUse(c, i)};
}

// ---- places ------------------------------------------------------------------

// What a directory holds, for a message about a missing entry in it.
std::string contentsOf(const TCOMPUTER& m, int c, const Place& place, const std::string& text, bool images) {
    const int v = directoryAt(m, c, place);
    if (v == 0) return "no directory " + text;
    std::vector<std::string> names;
    if (images) {
        for (int i = 1; i <= bytes::kImages; ++i) {
            const model::ImageEntry image = m.record().image(c, i);
            if (image.directory == v) names.push_back(platform::asciiUpper(image.name) + ".VXI");
        }
    } else {
        for (int k = 1; k <= bytes::kDirectories; ++k) {
            const model::DirectoryEntry entry = m.record().directory(c, k);
            if (!entry.isFree() && entry.parent == v && k != v) names.push_back(entry.name);
        }
    }
    const char* kind = images ? "images" : "directories";
    if (names.empty()) return text + " holds no " + kind;
    return std::string(kind) + " in " + text + ": " + join(names, ", ");
}

Place parentOf(Place place) {
    if (!place.image.empty()) {
        place.image.clear();
    } else if (!place.directories.empty()) {
        place.directories.pop_back();
    }
    return place;
}

Outcome failed(std::string found) { return {false, std::move(found)}; }

std::string noDrive(const std::string& name) { return name + " names no drive of the start record"; }

// ---- the conditions ----------------------------------------------------------

std::string factorsText(const FactorRange& factors) {
    for (const auto& level : kCompressionLevels) {
        if (level.factors == factors) return std::string(level.name) + " compression";
    }
    char text[64];
    std::snprintf(text, sizeof text, "a compression factor from %g to %g", factors.low, factors.high);
    return text;
}

Outcome check(const ImageCondition& c, const TCOMPUTER& start, const TCOMPUTER& m) {
    const std::string name = where(c.computer) + "image " + c.path;
    const auto place = placeOf(start, c.computer, c.path, true);
    if (!place) return failed(noDrive(name));
    const int i = imageAt(m, c.computer, *place);
    if (i == 0) {
        const Place folder = parentOf(*place);
        return failed(name + " not found; " +
                      contentsOf(m, c.computer, folder, pathText(start, c.computer, folder), true));
    }
    const model::ImageEntry image = m.record().image(c.computer, i);
    const auto partitions = imagePartitions(m, c.computer, i);
    std::vector<std::string> wrong;
    if (c.partitions && !allMatch(*c.partitions, partitions)) wrong.push_back("holds " + partitionsText(partitions));
    if (c.size && !c.size->contains(image.size)) wrong.push_back("is " + std::to_string(image.size) + " MB");
    const std::int64_t data = m.SumImageDataSize(c.computer, i);
    const std::string sizes = " (" + std::to_string(image.size) + " MB for " + std::to_string(data) + " MB of data)";
    if (c.compressed && (image.size <= data) != *c.compressed) {
        wrong.push_back(std::string(*c.compressed ? "is not compressed" : "is compressed") + sizes);
    }
    if (c.compression && !imageFitsFactors(m, c.computer, i, *c.compression)) {
        wrong.push_back("was not made with " + factorsText(*c.compression) + sizes);
    }
    const bool hasPassword = !image.password.empty();
    if ((c.hasPassword && *c.hasPassword != hasPassword) || (c.password && *c.password != image.password)) {
        wrong.push_back(hasPassword ? "has the password \"" + image.password + "\"" : "has no password");
    }
    if (image.checkCount < c.checks) {
        wrong.push_back("was checked " + std::to_string(image.checkCount) + " times, at least " +
                        std::to_string(c.checks) + " expected");
    }
    if (wrong.empty()) return {true, ""};
    return failed(name + " " + join(wrong, "; "));
}

Outcome check(const DiskCondition& c, const TCOMPUTER&, const TCOMPUTER& m) {
    const std::string name = diskName(c.computer, c.disk);
    if (c.disk > m.record().disksInUse(c.computer)) {
        return failed(name + " not found; the computer has " + std::to_string(m.record().disksInUse(c.computer)) +
                      " disks");
    }
    std::vector<std::string> wrong;
    const auto partitions = diskPartitions(m, c.computer, c.disk);
    if (c.partitions && !allMatch(*c.partitions, partitions)) wrong.push_back("holds " + partitionsText(partitions));
    const int checks = m.record().disk(c.computer, c.disk).checkCount;
    if (checks < c.checks) {
        wrong.push_back("was checked " + std::to_string(checks) + " times, at least " + std::to_string(c.checks) +
                        " expected");
    }
    if (wrong.empty()) return {true, ""};
    return failed(name + " " + join(wrong, "; "));
}

Outcome check(const PartitionCondition& c, const TCOMPUTER&, const TCOMPUTER& m) {
    const std::string name = diskName(c.computer, c.disk) + " partition " + std::to_string(c.partition);
    const auto partitions = diskPartitions(m, c.computer, c.disk);
    if (c.partition > static_cast<int>(partitions.size())) {
        return failed(name + " not found; " + diskName(c.computer, c.disk) + " holds " + partitionsText(partitions));
    }
    const PartitionEntry& p = at(partitions, c.partition);
    if (matches(c.is, p)) return {true, ""};
    return failed(name + " is " + partitionText(p));
}

Outcome check(const DirectoryCondition& c, const TCOMPUTER& start, const TCOMPUTER& m) {
    const std::string name = where(c.computer) + "directory " + c.path;
    const auto place = placeOf(start, c.computer, c.path, false);
    if (!place) return failed(noDrive(name));
    if (directoryAt(m, c.computer, *place) != 0) return {true, ""};
    if (place->directories.empty()) return failed(name + " not found; the partition has no root directory");
    const Place folder = parentOf(*place);
    return failed(name + " not found; " +
                  contentsOf(m, c.computer, folder, pathText(start, c.computer, folder), false));
}

// ---- unchanged -----------------------------------------------------------------
// A part is compared as JSON whose keys are places, so that letters that
// moved change nothing and a difference reads as the place that changed.

nlohmann::json imageSnapshot(const TCOMPUTER& m, int c, int i) {
    nlohmann::json image = imageToJson(m, c, i);
    // The slot, the directory's slot and the path's letter may move; check
    // counters grow by harmless image checks.
    for (const char* key : {"slot", "directory", "path", "checks"}) image.erase(key);
    return image;
}

nlohmann::json partitionSnapshot(const TCOMPUTER& m, int c, int d, int p) {
    nlohmann::json directories = nlohmann::json::array(), images = nlohmann::json::object();
    for (int v = 1; v <= bytes::kDirectories; ++v) {
        const model::DirectoryEntry entry = m.record().directory(c, v);
        if (entry.disk == d && entry.partition == p) directories.push_back(placeKey(placeOfDirectory(m, c, v)));
    }
    for (int i = 1; i <= bytes::kImages; ++i) {
        const model::ImageEntry image = m.record().image(c, i);
        if (image.isFree()) continue;
        const model::DirectoryEntry folder = m.record().directory(c, image.directory);
        if (folder.disk == d && folder.partition == p) images[placeKey(placeOfImage(m, c, i))] = imageSnapshot(m, c, i);
    }
    std::sort(directories.begin(), directories.end());
    return {{"partition", partitionToJson(m.record().partition(c, d, p))},
            {"directories", directories},
            {"images", images}};
}

// What the result may add to a partition it leaves unchanged: directories,
// and unless the item says "images": "same", images with the data they take.
void dropAdditions(const nlohmann::json& before, nlohmann::json& after, bool sameImages) {
    nlohmann::json kept = nlohmann::json::array();
    for (const auto& path : after["directories"]) {
        if (std::find(before["directories"].begin(), before["directories"].end(), path) !=
            before["directories"].end()) {
            kept.push_back(path);
        }
    }
    after["directories"] = kept;
    if (sameImages) return;
    for (auto it = after["images"].begin(); it != after["images"].end();) {
        if (before["images"].contains(it.key())) {
            ++it;
            continue;
        }
        after["partition"]["data"] = after["partition"]["data"].get<std::int64_t>() - (*it)["size"].get<std::int64_t>();
        it = after["images"].erase(it);
    }
}

nlohmann::json diskSnapshot(const TCOMPUTER& m, int c, int d) {
    nlohmann::json disk = diskToJson(m.record().disk(c, d));
    disk.erase("checks");
    disk["partitions"] = nlohmann::json::array();
    for (int p = 1; p <= m.record().partitionsInUse(c, d); ++p)
        disk["partitions"].push_back(partitionSnapshot(m, c, d, p));
    return disk;
}

// The part an "unchanged" condition names, as JSON; null when it is absent.
nlohmann::json partOf(const UnchangedCondition& c, const TCOMPUTER& start, const TCOMPUTER& m) {
    if (!c.image.empty()) {
        const auto place = placeOf(start, c.computer, c.image, true);
        const int i = place ? imageAt(m, c.computer, *place) : 0;
        return i == 0 ? nlohmann::json() : imageSnapshot(m, c.computer, i);
    }
    if (c.disk > m.record().disksInUse(c.computer)) return nullptr;
    if (c.partition == 0) return diskSnapshot(m, c.computer, c.disk);
    if (c.partition > m.record().partitionsInUse(c.computer, c.disk)) return nullptr;
    return partitionSnapshot(m, c.computer, c.disk, c.partition);
}

void dropAdditions(const UnchangedCondition& c, const nlohmann::json& before, nlohmann::json& after) {
    if (!c.image.empty() || before.is_null() || after.is_null()) return;
    if (c.partition != 0) return dropAdditions(before, after, c.sameImages);
    const std::size_t shared = std::min(before["partitions"].size(), after["partitions"].size());
    for (std::size_t p = 0; p < shared; ++p)
        dropAdditions(before["partitions"][p], after["partitions"][p], c.sameImages);
}

std::string nameOf(const UnchangedCondition& c) {
    if (!c.image.empty()) return where(c.computer) + "image " + c.image;
    return diskName(c.computer, c.disk) + (c.partition ? " partition " + std::to_string(c.partition) : "");
}

Outcome check(const UnchangedCondition& c, const TCOMPUTER& start, const TCOMPUTER& m) {
    const std::string name = nameOf(c);
    const nlohmann::json before = partOf(c, start, start);
    nlohmann::json after = partOf(c, start, m);
    dropAdditions(c, before, after);
    if (before == after) return {true, ""};
    if (before.is_null()) return failed(name + " is not in the start record but is in the result");
    if (after.is_null()) return failed(name + " is gone");
    auto lines = jsonDifferences(before, after);
    const std::size_t more = lines.size() > kDifferencesShown ? lines.size() - kDifferencesShown : 0;
    lines.resize(std::min(lines.size(), kDifferencesShown));
    return failed(name + " changed: " + join(lines, "; ") + (more ? "; and " + std::to_string(more) + " more" : ""));
}

std::string hex(std::uint16_t word) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", word);
    return text;
}

Outcome check(const OptionsCondition& c, const TCOMPUTER&, const TCOMPUTER& m) {
    const std::uint16_t word = m.record().optionWord(c.word);
    if ((word & c.set) == c.set && (word & c.clear) == 0) return {true, ""};
    std::vector<std::string> expected;
    if (c.set) expected.push_back(hex(c.set) + " on");
    if (c.clear) expected.push_back(hex(c.clear) + " off");
    return failed("options word " + std::to_string(c.word) + " is " + hex(word) + "; expected bits " +
                  join(expected, " and "));
}

std::string describeCondition(const ImageCondition& c) { return where(c.computer) + "image " + c.path; }
std::string describeCondition(const DiskCondition& c) { return diskName(c.computer, c.disk); }
std::string describeCondition(const PartitionCondition& c) {
    return diskName(c.computer, c.disk) + " partition " + std::to_string(c.partition);
}
std::string describeCondition(const DirectoryCondition& c) { return where(c.computer) + "directory " + c.path; }
std::string describeCondition(const UnchangedCondition& c) { return nameOf(c) + " unchanged"; }
std::string describeCondition(const OptionsCondition& c) { return "options word " + std::to_string(c.word); }

}  // namespace

Outcome evaluate(const Expectation& expectation, const TCOMPUTER& start, const TCOMPUTER& result) {
    return std::visit([&](const auto& c) { return check(c, start, result); }, expectation.condition);
}

std::string describe(const Expectation& expectation) {
    if (!expectation.what.empty()) return expectation.what;
    return std::visit([](const auto& c) { return describeCondition(c); }, expectation.condition);
}

std::string imagePathOf(const TCOMPUTER& m, int c, int i) { return platform::asciiUpper(m.ImagePath(c, i)) + ".VXI"; }

int findImageByPath(const TCOMPUTER& m, int c, const std::string& path) {
    for (int i = 1; i <= bytes::kImages; ++i) {
        if (!m.record().image(c, i).isFree() && imagePathOf(m, c, i) == path) return i;
    }
    return 0;
}

bool imageFitsFactors(const TCOMPUTER& m, int c, int i, const FactorRange& factors) {
    const double data = static_cast<double>(m.SumImageDataSize(c, i));
    const double stored = static_cast<double>(m.record().image(c, i).size) - 1;
    // Each partition's share was rounded on its own: half a MB each way apiece.
    const double slack = 0.5 * std::max(1, m.record().imagePartitionsInUse(c, i));
    return stored >= factors.low * data - slack && stored <= factors.high * data + slack;
}

TCOMPUTER machineOf(const model::MachineRecord& record) {
    TCOMPUTER machine;
    machine.record() = record;
    machine.BuildDriveLetters();
    return machine;
}

bool namesWhatTheStartHolds(const Expectation& expectation, const model::TCOMPUTER& start) {
    const auto* unchanged = std::get_if<UnchangedCondition>(&expectation.condition);
    return unchanged == nullptr || !partOf(*unchanged, start, start).is_null();
}

}  // namespace vxr::vxrdat
