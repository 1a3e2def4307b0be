#include "evaluate.h"

#include <algorithm>
#include <cstdio>

#include "json_diff.h"
#include "platform/text.h"
#include "task_json.h"

namespace vxr::vxrdat {

using model::PartitionEntry;
using model::TCOMPUTER;
namespace layout = model::layout;

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

// ---- paths -------------------------------------------------------------------

// A directory's path as conditions hold it: "D:\" for a root.
std::string directoryPath(const TCOMPUTER& m, int c, int v) {
    const std::string path = platform::asciiUpper(m.DirectoryPath(c, v));
    return path.size() == 2 ? path + "\\" : path;
}

int findDirectory(const TCOMPUTER& m, int c, const std::string& path) {
    for (int v = 1; v <= layout::kDirectories; ++v) {
        if (!m.record().directory(c, v).isFree() && directoryPath(m, c, v) == path) return v;
    }
    return 0;
}

// "D:\EXAM" for "D:\EXAM\SYSTEM.VXI", "D:\" for "D:\SYSTEM.VXI".
std::string parentOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash <= 2 ? path.substr(0, 3) : path.substr(0, slash);
}

std::string lastPart(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// What a directory holds, for a message about a missing entry in it.
std::string contentsOf(const TCOMPUTER& m, int c, const std::string& directory, bool images) {
    const int v = findDirectory(m, c, directory);
    if (v == 0) return "no directory " + directory;
    std::vector<std::string> names;
    if (images) {
        for (int i = 1; i <= layout::kImages; ++i) {
            const model::ImageEntry image = m.record().image(c, i);
            if (!image.isFree() && image.directory == v) names.push_back(lastPart(imagePathOf(m, c, i)));
        }
    } else {
        for (int k = 1; k <= layout::kDirectories; ++k) {
            const model::DirectoryEntry entry = m.record().directory(c, k);
            if (!entry.isFree() && entry.parent == v && k != v) names.push_back(entry.name);
        }
    }
    const char* kind = images ? "images" : "directories";
    if (names.empty()) return directory + " holds no " + kind;
    return std::string(kind) + " in " + directory + ": " + join(names, ", ");
}

// ---- the conditions ----------------------------------------------------------

Outcome failed(std::string found) { return {false, std::move(found)}; }

Outcome check(const ImageCondition& c, const TCOMPUTER&, const TCOMPUTER& m) {
    const int i = findImageByPath(m, c.computer, c.path);
    const std::string name = where(c.computer) + "image " + c.path;
    if (i == 0) return failed(name + " not found; " + contentsOf(m, c.computer, parentOf(c.path), true));
    const model::ImageEntry image = m.record().image(c.computer, i);
    const auto partitions = imagePartitions(m, c.computer, i);
    std::vector<std::string> wrong;
    if (c.partitions && !allMatch(*c.partitions, partitions)) wrong.push_back("holds " + partitionsText(partitions));
    if (c.size && !c.size->contains(image.size)) wrong.push_back("is " + std::to_string(image.size) + " MB");
    const std::int64_t data = m.SumImageDataSize(c.computer, i);
    if (c.compressed && (image.size <= data) != *c.compressed) {
        wrong.push_back(std::string(*c.compressed ? "is not compressed" : "is compressed") + " (" +
                        std::to_string(image.size) + " MB for " + std::to_string(data) + " MB of data)");
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
    const PartitionEntry& p = partitions[static_cast<std::size_t>(c.partition - 1)];
    if (matches(c.is, p)) return {true, ""};
    return failed(name + " is " + partitionText(p));
}

Outcome check(const DirectoryCondition& c, const TCOMPUTER&, const TCOMPUTER& m) {
    if (findDirectory(m, c.computer, c.path) != 0) return {true, ""};
    const std::string name = where(c.computer) + "directory " + c.path;
    if (c.path.size() == 3) return failed(name + " not found; the drive has no formatted partition");
    return failed(name + " not found; " + contentsOf(m, c.computer, parentOf(c.path), false));
}

// The part an "unchanged" condition names, as JSON; null when it is absent.
nlohmann::json partOf(const UnchangedCondition& c, const TCOMPUTER& m) {
    if (!c.image.empty()) {
        const int i = findImageByPath(m, c.computer, c.image);
        if (i == 0) return nullptr;
        nlohmann::json image = imageToJson(m, c.computer, i);
        image.erase("slot");  // the same image in another slot is still the same image
        return image;
    }
    if (c.disk > m.record().disksInUse(c.computer)) return nullptr;
    if (c.partition == 0) return diskToJson(m.record().disk(c.computer, c.disk));
    if (c.partition > m.record().partitionsInUse(c.computer, c.disk)) return nullptr;
    return partitionToJson(m.record().partition(c.computer, c.disk, c.partition));
}

Outcome check(const UnchangedCondition& c, const TCOMPUTER& start, const TCOMPUTER& m) {
    const std::string name =
        !c.image.empty() ? where(c.computer) + "image " + c.image
        : c.partition == 0 ? diskName(c.computer, c.disk)
                           : diskName(c.computer, c.disk) + " partition " + std::to_string(c.partition);
    const nlohmann::json before = partOf(c, start), after = partOf(c, m);
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
std::string describeCondition(const UnchangedCondition& c) {
    if (!c.image.empty()) return where(c.computer) + "image " + c.image + " unchanged";
    return diskName(c.computer, c.disk) + (c.partition ? " partition " + std::to_string(c.partition) : "") + " unchanged";
}
std::string describeCondition(const OptionsCondition& c) { return "options word " + std::to_string(c.word); }

}  // namespace

Outcome evaluate(const Expectation& expectation, const TCOMPUTER& start, const TCOMPUTER& result) {
    return std::visit([&](const auto& c) { return check(c, start, result); }, expectation.condition);
}

std::string describe(const Expectation& expectation) {
    if (!expectation.what.empty()) return expectation.what;
    return std::visit([](const auto& c) { return describeCondition(c); }, expectation.condition);
}

std::string imagePathOf(const TCOMPUTER& m, int c, int i) {
    return platform::asciiUpper(m.ImagePath(c, i)) + ".VXI";
}

int findImageByPath(const TCOMPUTER& m, int c, const std::string& path) {
    for (int i = 1; i <= layout::kImages; ++i) {
        if (!m.record().image(c, i).isFree() && imagePathOf(m, c, i) == path) return i;
    }
    return 0;
}

TCOMPUTER machineOf(const model::MachineRecord& record) {
    TCOMPUTER machine;
    machine.record() = record;
    machine.BuildDriveLetters();
    return machine;
}

bool namesWhatTheStartHolds(const Expectation& expectation, const model::TCOMPUTER& start) {
    const auto* unchanged = std::get_if<UnchangedCondition>(&expectation.condition);
    return unchanged == nullptr || !partOf(*unchanged, start).is_null();
}

}  // namespace vxr::vxrdat
