#include "derive.h"

#include "evaluate.h"
#include "places.h"
#include "platform/indexing.h"
#include "platform/text.h"
#include "task_json.h"

namespace vxr::vxrdat {

using model::PartitionEntry;
using model::TCOMPUTER;
namespace bytes = model::bytes;

namespace {

std::string prefix(int computer) { return computer == 0 ? "" : std::string(computerName(computer)) + " "; }

PartitionSpec exactly(const PartitionEntry& p) {
    return {p.type, Range{p.size, p.size}, Range{p.dataSize, p.dataSize}};
}

std::vector<PartitionSpec> exactly(const std::vector<PartitionEntry>& partitions) {
    std::vector<PartitionSpec> specs;
    for (const auto& p : partitions) specs.push_back(exactly(p));
    return specs;
}

std::vector<PartitionEntry> listed(const model::PartitionTable& table, int count) {
    return {table.begin(), table.begin() + count};
}

// The named level whose factors fit the image's size, when exactly one does.
std::optional<FactorRange> compressionLevel(const TCOMPUTER& m, int c, int i) {
    std::optional<FactorRange> found;
    for (const auto& level : kCompressionLevels) {
        if (!imageFitsFactors(m, c, i, level.factors)) continue;
        if (found) return std::nullopt;
        found = level.factors;
    }
    return found;
}

void deriveImages(const TCOMPUTER& start, const TCOMPUTER& result, int c, std::vector<Expectation>& out) {
    for (int i = 1; i <= bytes::kImages; ++i) {
        model::ImageEntry image = result.record().image(c, i);
        if (image.isFree()) continue;
        const Place place = placeOfImage(result, c, i);
        const std::string path = pathText(start, c, place);
        const int before = imageAt(start, c, place);
        ImageCondition condition;
        condition.computer = c;
        condition.path = path;
        model::ImageEntry old = start.record().image(c, before);
        if (before != 0) {
            old.checkCount = image.checkCount;
            old.directory = image.directory;  // the slot of the same directory may differ
            if (old == image) {
                if (start.record().image(c, before).checkCount == image.checkCount) continue;
                condition.checks = image.checkCount;
                out.push_back({prefix(c) + "image " + path + " checked", 1, condition});
                continue;
            }
        }
        condition.partitions = exactly(listed(image.partitions, result.record().imagePartitionsInUse(c, i)));
        const std::int64_t data = result.SumImageDataSize(c, i);
        condition.compression = compressionLevel(result, c, i);
        if (data > 0 && !condition.compression) condition.compressed = image.size <= data;
        if (image.password.empty()) {
            condition.hasPassword = false;
        } else {
            condition.password = image.password;
        }
        condition.checks = image.checkCount;
        out.push_back({prefix(c) + "image " + path + (before == 0 ? " made" : " rewritten"), 1, condition});
    }
}

// The MB that images made during the task added to a partition's data.
std::int64_t newImageData(const TCOMPUTER& start, const TCOMPUTER& result, int c, int d, int p) {
    std::int64_t sum = 0;
    for (int i = 1; i <= bytes::kImages; ++i) {
        const model::ImageEntry image = result.record().image(c, i);
        if (image.isFree() || imageAt(start, c, placeOfImage(result, c, i)) != 0) continue;
        const model::DirectoryEntry folder = result.record().directory(c, image.directory);
        if (folder.disk == d && folder.partition == p) sum += image.size;
    }
    return sum;
}

// A partition changed when its type or size did, or its data by more than
// the images stored on it account for.
bool changed(const PartitionEntry& before, const PartitionEntry& after, std::int64_t imageData) {
    return before.type != after.type || before.size != after.size ||
           std::int64_t{after.dataSize} - before.dataSize != imageData;
}

void deriveDisk(const TCOMPUTER& start, const TCOMPUTER& result, int c, int d, std::vector<Expectation>& out) {
    const auto& s = start.record();
    const auto& r = result.record();
    const std::string disk = prefix(c) + "disk " + std::to_string(d);
    const auto before = listed(s.disk(c, d).partitions, d <= s.disksInUse(c) ? s.partitionsInUse(c, d) : 0);
    const auto after = listed(r.disk(c, d).partitions, r.partitionsInUse(c, d));
    std::vector<int> differing;
    for (std::size_t p = 0; p < after.size() && after.size() == before.size(); ++p) {
        const int number = static_cast<int>(p + 1);
        if (changed(before[p], after[p], newImageData(start, result, c, d, number))) differing.push_back(number);
    }
    if (before.size() != after.size() || differing.size() > 2) {
        out.push_back({disk + " partitions", 1, DiskCondition{c, d, exactly(after), 0}});
    } else {
        for (int p : differing) {
            const PartitionEntry& entry = at(after, p);
            out.push_back({disk + " partition " + std::to_string(p), 1, PartitionCondition{c, d, p, exactly(entry)}});
        }
    }
    const int checks = r.disk(c, d).checkCount;
    if (checks > s.disk(c, d).checkCount) {
        out.push_back({disk + " checked", 1, DiskCondition{c, d, std::nullopt, checks}});
    }
}

void deriveDirectories(const TCOMPUTER& start, const TCOMPUTER& result, int c, std::vector<Expectation>& out) {
    for (int v = 1; v <= bytes::kDirectories; ++v) {
        const model::DirectoryEntry entry = result.record().directory(c, v);
        if (entry.isFree() || entry.parent == 0) continue;  // roots come with their partitions
        const Place place = placeOfDirectory(result, c, v);
        if (directoryAt(start, c, place) != 0) continue;  // there before, perhaps under another letter
        const std::string path = pathText(start, c, place);
        out.push_back({prefix(c) + "directory " + path + " made", 1, DirectoryCondition{c, path}});
    }
}

void deriveOptions(const model::MachineRecord& s, const model::MachineRecord& r, std::vector<Expectation>& out) {
    for (int t = 1; t <= bytes::kOptionWords; ++t) {
        const std::uint16_t before = s.optionWord(t), after = r.optionWord(t);
        if (before == after) continue;
        const OptionsCondition condition{t, static_cast<std::uint16_t>(after & ~before),
                                         static_cast<std::uint16_t>(before & ~after)};
        out.push_back({"options word " + std::to_string(t), 1, condition});
    }
}

UnchangedCondition unchangedPart(int computer, int disk, int partition, std::string image = "") {
    UnchangedCondition condition;
    condition.computer = computer;
    condition.disk = disk;
    condition.partition = partition;
    condition.image = std::move(image);
    return condition;
}

bool passes(const UnchangedCondition& condition, const TCOMPUTER& start, const TCOMPUTER& result) {
    return evaluate({"", 1, condition}, start, result).passed;
}

// Guards: the disks, partitions and images the job left alone, which an
// examiner keeps to catch a destructive job and trims where a job may differ.
void deriveGuards(const TCOMPUTER& start, const TCOMPUTER& result, int c, std::vector<Expectation>& out) {
    const std::string guard = std::string(kGuardMark) + prefix(c);
    for (int d = 1; d <= start.record().disksInUse(c); ++d) {
        const std::string disk = "disk " + std::to_string(d);
        if (passes(unchangedPart(c, d, 0), start, result)) {
            out.push_back({guard + disk + " left alone", 1, unchangedPart(c, d, 0)});
            continue;
        }
        for (int p = 1; p <= start.record().partitionsInUse(c, d); ++p) {
            const UnchangedCondition partition = unchangedPart(c, d, p);
            if (passes(partition, start, result)) {
                out.push_back({guard + disk + " partition " + std::to_string(p) + " left alone", 1, partition});
                continue;
            }
            for (int i = 1; i <= bytes::kImages; ++i) {
                const model::ImageEntry image = start.record().image(c, i);
                const model::DirectoryEntry folder = start.record().directory(c, image.directory);
                if (image.isFree() || folder.disk != d || folder.partition != p) continue;
                const UnchangedCondition kept = unchangedPart(c, 0, 0, pathText(start, c, placeOfImage(start, c, i)));
                if (passes(kept, start, result))
                    out.push_back({guard + "image " + kept.image + " left alone", 1, kept});
            }
        }
    }
}

}  // namespace

std::vector<Expectation> deriveExpectations(const model::MachineRecord& startRecord,
                                            const model::MachineRecord& resultRecord) {
    const TCOMPUTER start = machineOf(startRecord), result = machineOf(resultRecord);
    std::vector<Expectation> out;
    for (int c = 0; c < bytes::kComputers; ++c) {
        deriveImages(start, result, c, out);
        for (int d = 1; d <= resultRecord.disksInUse(c); ++d) deriveDisk(start, result, c, d, out);
        deriveDirectories(start, result, c, out);
    }
    deriveOptions(startRecord, resultRecord, out);
    for (int c = 0; c < bytes::kComputers; ++c) deriveGuards(start, result, c, out);
    return out;
}

}  // namespace vxr::vxrdat
