#include "expectations.h"

#include <array>
#include <limits>

#include "evaluate.h"
#include "json_reading.h"
#include "model/computer.h"
#include "places.h"
#include "platform/text.h"
#include "task_json.h"

namespace vxr::vxrdat {

using nlohmann::json;

namespace {

constexpr std::array<const char*, 6> kKinds{"image", "disk", "partition", "directory", "unchanged", "options"};
constexpr std::int64_t kMostPoints = 1000;
constexpr std::int64_t kSizeLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kSizeHighest = std::numeric_limits<std::int32_t>::max();

// ---- reading ---------------------------------------------------------------

int readComputer(const json& node, const std::string& path) {
    const json* value = field(node, "computer");
    if (!value) return 0;
    const int computer = value->is_string() ? computerIndex(value->get<std::string>()) : -1;
    if (computer < 0) throw SchemaError(child(path, "computer"), "expected \"local\" or \"peer\"");
    return computer;
}

int readNumberIn(const json& node, const char* key, const std::string& path, int lowest, int highest) {
    if (!field(node, key)) throw SchemaError(child(path, key), "missing");
    return static_cast<int>(readInteger(node, key, path, lowest, highest));
}

// A path of code page 936 text naming a place, upper case; a directory's
// without a trailing backslash except a root's ("D:\", "3:1\"), an image's
// with ".VXI".
std::string readPath(const json& node, const char* key, const std::string& path, bool image) {
    const json* value = field(node, key);
    const std::string where = child(path, key);
    if (!value) throw SchemaError(where, "missing");
    if (!value->is_string() || !platform::isCp936Text(value->get<std::string>())) {
        throw SchemaError(where, "expected a DOS path as text");
    }
    std::string text = platform::asciiUpper(value->get<std::string>());
    if (!isPlacePath(text))
        throw SchemaError(where, "expected a path such as D:\\EXAM or, by disk and partition, 3:1\\EXAM");
    if (!image && text.back() == '\\' && text.size() > (letterOf(text) ? 3u : 4u)) text.pop_back();
    if (image && (text.size() < 4 || text.substr(text.size() - 4) != ".VXI")) text += ".VXI";
    if (image && text.substr(text.rfind('\\') + 1) == ".VXI") throw SchemaError(where, "names no image file");
    return text;
}

std::optional<Range> readRange(const json& node, const char* key, const std::string& path) {
    const json* value = field(node, key);
    if (!value) return std::nullopt;
    const std::string where = child(path, key);
    if (value->is_number_integer()) {
        const auto number = integerValue(*value, where, kSizeLowest, kSizeHighest);
        return Range{number, number};
    }
    if (!value->is_array() || value->size() != 2) throw SchemaError(where, "expected a number or [lowest, highest]");
    const Range range{integerValue((*value)[0], item(where, 0), kSizeLowest, kSizeHighest),
                      integerValue((*value)[1], item(where, 1), kSizeLowest, kSizeHighest)};
    if (range.low > range.high) throw SchemaError(where, "the lowest value is above the highest");
    return range;
}

PartitionSpec readPartitionSpec(const json& node, const std::string& path) {
    PartitionSpec spec;
    if (field(node, "type")) {
        spec.type = readU16(node, "type", path);
        if (model::TCOMPUTER::PartitionTypeName(*spec.type).empty()) {
            throw SchemaError(child(path, "type"), "unknown partition type id " + std::to_string(*spec.type));
        }
    }
    spec.size = readRange(node, "size", path);
    spec.data = readRange(node, "data", path);
    return spec;
}

std::optional<std::vector<PartitionSpec>> readPartitionList(const json& node, const std::string& path) {
    if (!field(node, "partitions")) return std::nullopt;
    const json& list = readArray(node, "partitions", path);
    if (list.size() > model::bytes::kPartitions) throw SchemaError(child(path, "partitions"), "at most 4 partitions");
    std::vector<PartitionSpec> specs;
    for (std::size_t p = 0; p < list.size(); ++p) {
        const std::string where = item(child(path, "partitions"), p);
        expectObject(list[p], where, {"type", "size", "data"});
        specs.push_back(readPartitionSpec(list[p], where));
    }
    return specs;
}

std::optional<bool> readFlag(const json& node, const char* key, const std::string& path) {
    const json* value = field(node, key);
    if (!value) return std::nullopt;
    if (!value->is_boolean()) throw SchemaError(child(path, key), "expected true or false");
    return value->get<bool>();
}

std::optional<FactorRange> readCompression(const json& node, const std::string& path) {
    const json* value = field(node, "compression");
    if (!value) return std::nullopt;
    const std::string where = child(path, "compression");
    if (value->is_string()) {
        for (const auto& level : kCompressionLevels) {
            if (value->get<std::string>() == level.name) return level.factors;
        }
    } else if (value->is_array() && value->size() == 2 && (*value)[0].is_number() && (*value)[1].is_number()) {
        const FactorRange range{(*value)[0].get<double>(), (*value)[1].get<double>()};
        if (range.low > 0 && range.low <= range.high && range.high <= 1) return range;
        throw SchemaError(where, "expected factors with 0 < lowest <= highest <= 1");
    }
    throw SchemaError(where, "expected \"none\", \"fast\", \"high\" or [lowest, highest] factors");
}

ImageCondition readImage(const json& node, const std::string& path) {
    expectObject(node, path,
                 {"computer", "path", "partitions", "size", "compressed", "compression", "password", "checks"});
    ImageCondition c;
    c.computer = readComputer(node, path);
    c.path = readPath(node, "path", path, true);
    c.partitions = readPartitionList(node, path);
    c.size = readRange(node, "size", path);
    c.compressed = readFlag(node, "compressed", path);
    c.compression = readCompression(node, path);
    if (c.compressed && c.compression) throw SchemaError(path, "give \"compressed\" or \"compression\", not both");
    if (const json* password = field(node, "password")) {
        if (password->is_boolean()) {
            c.hasPassword = password->get<bool>();
        } else {
            const std::string text = password->is_string() ? platform::asciiUpper(password->get<std::string>()) : "";
            if (!password->is_string() || !platform::isCp936Text(text)) {
                throw SchemaError(child(path, "password"), "expected text, true (any) or false (none)");
            }
            c.password = text;
        }
    }
    c.checks = static_cast<int>(readInteger(node, "checks", path, 0, 0xFFFF));
    return c;
}

DiskCondition readDisk(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "disk", "partitions", "checks"});
    DiskCondition c{readComputer(node, path), readNumberIn(node, "disk", path, 1, model::bytes::kDisks),
                    readPartitionList(node, path), static_cast<int>(readInteger(node, "checks", path, 0, 0xFFFF))};
    if (!c.partitions && c.checks == 0) {
        throw SchemaError(path, "compares nothing: give \"partitions\" or \"checks\" of at least 1");
    }
    return c;
}

PartitionCondition readPartition(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "disk", "partition", "type", "size", "data"});
    PartitionCondition c{readComputer(node, path), readNumberIn(node, "disk", path, 1, model::bytes::kDisks),
                         readNumberIn(node, "partition", path, 1, model::bytes::kPartitions),
                         readPartitionSpec(node, path)};
    if (!c.is.type && !c.is.size && !c.is.data) throw SchemaError(path, "compares nothing: give type, size or data");
    return c;
}

DirectoryCondition readDirectory(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "path"});
    return {readComputer(node, path), readPath(node, "path", path, false)};
}

UnchangedCondition readUnchanged(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "disk", "partition", "image", "images"});
    UnchangedCondition c;
    c.computer = readComputer(node, path);
    if (const json* images = field(node, "images")) {
        if (!images->is_string() || (*images != "same" && *images != "kept")) {
            throw SchemaError(child(path, "images"), "expected \"same\" (no new images) or \"kept\"");
        }
        c.sameImages = *images == "same";
    }
    if (field(node, "image")) {
        if (field(node, "disk") || field(node, "partition") || field(node, "images")) {
            throw SchemaError(path, "either an image or a disk, not both");
        }
        c.image = readPath(node, "image", path, true);
        return c;
    }
    c.disk = readNumberIn(node, "disk", path, 1, model::bytes::kDisks);
    c.partition = static_cast<int>(readInteger(node, "partition", path, 0, model::bytes::kPartitions));
    return c;
}

OptionsCondition readOptions(const json& node, const std::string& path) {
    expectObject(node, path, {"word", "set", "clear"});
    const OptionsCondition c{readNumberIn(node, "word", path, 1, model::bytes::kOptionWords),
                             readU16(node, "set", path), readU16(node, "clear", path)};
    if (c.set == 0 && c.clear == 0) throw SchemaError(path, "tests no bit: give \"set\" or \"clear\"");
    if (c.set & c.clear) throw SchemaError(path, "a bit cannot be both in \"set\" and in \"clear\"");
    return c;
}

Condition readCondition(const json& node, const char* kind, const std::string& path) {
    const std::string where = child(path, kind);
    const json& value = node[kind];
    const std::string name = kind;
    if (name == "image") return readImage(value, where);
    if (name == "disk") return readDisk(value, where);
    if (name == "partition") return readPartition(value, where);
    if (name == "directory") return readDirectory(value, where);
    if (name == "unchanged") return readUnchanged(value, where);
    return readOptions(value, where);
}

Expectation readExpectation(const json& node, const std::string& path) {
    expectObject(node, path, {"what", "points", "image", "disk", "partition", "directory", "unchanged", "options"});
    const char* kind = nullptr;
    for (const char* k : kKinds) {
        if (!field(node, k)) continue;
        if (kind)
            throw SchemaError(path,
                              std::string("holds both \"") + kind + "\" and \"" + k + "\"; one condition per item");
        kind = k;
    }
    if (!kind) throw SchemaError(path, "needs one condition: image, disk, partition, directory, unchanged or options");
    Expectation e;
    e.condition = readCondition(node, kind, path);
    // An item worth nothing would show in every report yet change no grade.
    e.points = static_cast<int>(integerOr(node, "points", path, 1, 1, kMostPoints));
    const json* what = field(node, "what");
    if (what && !what->is_string()) throw SchemaError(child(path, "what"), "expected text");
    e.what = what ? what->get<std::string>() : "";
    return e;
}

// ---- against the start record ----------------------------------------------

// Disks are the machine's hardware: no job adds one.
void checkDisk(int computer, int disk, const model::TCOMPUTER& start, const std::string& where) {
    const int disks = start.record().disksInUse(computer);
    if (disk > disks) {
        throw SchemaError(where, "disk " + std::to_string(disk) + " is beyond the " + std::to_string(disks) +
                                     " disks the start record's " + computerName(computer) + " computer has");
    }
}

void checkPath(int computer, const std::string& text, const model::TCOMPUTER& start, const std::string& path) {
    if (letterOf(text) == 0) {
        checkDisk(computer, text[0] - '0', start, path);
        return;
    }
    if (!placeOf(start, computer, text, false)) {
        throw SchemaError(path, std::string("drive ") + letterOf(text) +
                                    ": is not in the start record; name a "
                                    "partition that has no letter there by disk and partition, as 3:1\\...");
    }
}

void checkAgainstStart(const ImageCondition& c, const model::TCOMPUTER& start, const std::string& path) {
    checkPath(c.computer, c.path, start, child(path, "path"));
}
void checkAgainstStart(const DirectoryCondition& c, const model::TCOMPUTER& start, const std::string& path) {
    checkPath(c.computer, c.path, start, child(path, "path"));
}
void checkAgainstStart(const DiskCondition& c, const model::TCOMPUTER& start, const std::string& path) {
    checkDisk(c.computer, c.disk, start, child(path, "disk"));
}
void checkAgainstStart(const PartitionCondition& c, const model::TCOMPUTER& start, const std::string& path) {
    checkDisk(c.computer, c.disk, start, child(path, "disk"));
}
void checkAgainstStart(const UnchangedCondition& c, const model::TCOMPUTER& start, const std::string& path) {
    if (c.image.empty()) return checkDisk(c.computer, c.disk, start, child(path, "disk"));
    checkPath(c.computer, c.image, start, child(path, "image"));
}
void checkAgainstStart(const OptionsCondition&, const model::TCOMPUTER&, const std::string&) {}

// ---- writing ---------------------------------------------------------------

// Written in the order a person reads an item: what, points, then the condition.
using ordered = nlohmann::ordered_json;

ordered rangeToJson(const Range& range) {
    if (range.low == range.high) return range.low;
    return ordered::array({range.low, range.high});
}

void putSpec(ordered& node, const PartitionSpec& spec) {
    if (spec.type) node["type"] = *spec.type;
    if (spec.size) node["size"] = rangeToJson(*spec.size);
    if (spec.data) node["data"] = rangeToJson(*spec.data);
}

ordered specsToJson(const std::vector<PartitionSpec>& specs) {
    ordered list = ordered::array();
    for (const auto& spec : specs) {
        ordered node = ordered::object();
        putSpec(node, spec);
        list.push_back(node);
    }
    return list;
}

ordered located(int computer) { return ordered{{"computer", computerName(computer)}}; }

ordered compressionToJson(const FactorRange& factors) {
    for (const auto& level : kCompressionLevels) {
        if (level.factors == factors) return level.name;
    }
    return ordered::array({factors.low, factors.high});
}

ordered conditionToJson(const ImageCondition& c) {
    ordered j = located(c.computer);
    j["path"] = textToJson(c.path);
    if (c.partitions) j["partitions"] = specsToJson(*c.partitions);
    if (c.size) j["size"] = rangeToJson(*c.size);
    if (c.compressed) j["compressed"] = *c.compressed;
    if (c.compression) j["compression"] = compressionToJson(*c.compression);
    if (c.hasPassword) j["password"] = *c.hasPassword;
    if (c.password) j["password"] = textToJson(*c.password);
    if (c.checks > 0) j["checks"] = c.checks;
    return j;
}

ordered conditionToJson(const DiskCondition& c) {
    ordered j = located(c.computer);
    j["disk"] = c.disk;
    if (c.partitions) j["partitions"] = specsToJson(*c.partitions);
    if (c.checks > 0) j["checks"] = c.checks;
    return j;
}

ordered conditionToJson(const PartitionCondition& c) {
    ordered j = located(c.computer);
    j["disk"] = c.disk;
    j["partition"] = c.partition;
    putSpec(j, c.is);
    return j;
}

ordered conditionToJson(const DirectoryCondition& c) {
    ordered j = located(c.computer);
    j["path"] = textToJson(c.path);
    return j;
}

ordered conditionToJson(const UnchangedCondition& c) {
    ordered j = located(c.computer);
    if (!c.image.empty()) {
        j["image"] = textToJson(c.image);
        return j;
    }
    j["disk"] = c.disk;
    if (c.partition != 0) j["partition"] = c.partition;
    if (c.sameImages) j["images"] = "same";
    return j;
}

ordered conditionToJson(const OptionsCondition& c) {
    ordered j{{"word", c.word}};
    if (c.set) j["set"] = c.set;
    if (c.clear) j["clear"] = c.clear;
    return j;
}

}  // namespace

std::vector<Expectation> expectationsFromJson(const json& task) {
    std::vector<Expectation> list;
    if (!task.is_object()) return list;
    const json& items = readArray(task, "expect", "");
    for (std::size_t k = 0; k < items.size(); ++k) list.push_back(readExpectation(items[k], item("expect", k)));
    return list;
}

nlohmann::ordered_json expectationToJson(const Expectation& expectation) {
    ordered j{{"what", expectation.what}};
    if (expectation.points != 1) j["points"] = expectation.points;
    j[kKinds[expectation.condition.index()]] =
        std::visit([](const auto& c) { return conditionToJson(c); }, expectation.condition);
    return j;
}

Task readTaskText(std::string_view text) {
    const json task = parseTaskText(text);
    Task result{recordFromJson(task), expectationsFromJson(task)};
    const model::TCOMPUTER start = machineOf(result.start);
    for (std::size_t k = 0; k < result.expect.size(); ++k) {
        const Expectation& e = result.expect[k];
        const std::string path = child(item("expect", k), kKinds[e.condition.index()]);
        std::visit([&](const auto& c) { checkAgainstStart(c, start, path); }, e.condition);
        if (!namesWhatTheStartHolds(e, start)) {
            throw SchemaError(path, "not in the start record, so nothing could change it");
        }
    }
    return result;
}

}  // namespace vxr::vxrdat
