#include "expectations.h"

#include <array>
#include <limits>

#include "evaluate.h"
#include "json_reading.h"
#include "model/computer.h"
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

bool isDosPath(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

// A DOS path of code page 936 text, upper case; a directory's without a
// trailing backslash except a root's ("D:\"), an image's with ".VXI".
std::string readPath(const json& node, const char* key, const std::string& path, bool image) {
    const json* value = field(node, key);
    const std::string where = child(path, key);
    if (!value) throw SchemaError(where, "missing");
    if (!value->is_string() || !platform::isCp936Text(value->get<std::string>())) {
        throw SchemaError(where, "expected a DOS path as text");
    }
    std::string text = platform::asciiUpper(value->get<std::string>());
    if (!isDosPath(text)) throw SchemaError(where, "expected a DOS path such as D:\\EXAM");
    if (!image && text.size() > 3 && text.back() == '\\') text.pop_back();
    if (image && (text.size() < 4 || text.substr(text.size() - 4) != ".VXI")) text += ".VXI";
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
    if (field(node, "type")) spec.type = readU16(node, "type", path);
    spec.size = readRange(node, "size", path);
    spec.data = readRange(node, "data", path);
    return spec;
}

std::optional<std::vector<PartitionSpec>> readPartitionList(const json& node, const std::string& path) {
    if (!field(node, "partitions")) return std::nullopt;
    const json& list = readArray(node, "partitions", path);
    if (list.size() > model::layout::kPartitions) throw SchemaError(child(path, "partitions"), "at most 4 partitions");
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

ImageCondition readImage(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "path", "partitions", "size", "compressed", "password", "checks"});
    ImageCondition c;
    c.computer = readComputer(node, path);
    c.path = readPath(node, "path", path, true);
    c.partitions = readPartitionList(node, path);
    c.size = readRange(node, "size", path);
    c.compressed = readFlag(node, "compressed", path);
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
    return {readComputer(node, path), readNumberIn(node, "disk", path, 1, model::layout::kDisks),
            readPartitionList(node, path), static_cast<int>(readInteger(node, "checks", path, 0, 0xFFFF))};
}

PartitionCondition readPartition(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "disk", "partition", "type", "size", "data"});
    return {readComputer(node, path), readNumberIn(node, "disk", path, 1, model::layout::kDisks),
            readNumberIn(node, "partition", path, 1, model::layout::kPartitions), readPartitionSpec(node, path)};
}

DirectoryCondition readDirectory(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "path"});
    return {readComputer(node, path), readPath(node, "path", path, false)};
}

UnchangedCondition readUnchanged(const json& node, const std::string& path) {
    expectObject(node, path, {"computer", "disk", "partition", "image"});
    UnchangedCondition c;
    c.computer = readComputer(node, path);
    if (field(node, "image")) {
        if (field(node, "disk") || field(node, "partition")) throw SchemaError(path, "either an image or a disk, not both");
        c.image = readPath(node, "image", path, true);
        return c;
    }
    c.disk = readNumberIn(node, "disk", path, 1, model::layout::kDisks);
    c.partition = static_cast<int>(readInteger(node, "partition", path, 0, model::layout::kPartitions));
    return c;
}

OptionsCondition readOptions(const json& node, const std::string& path) {
    expectObject(node, path, {"word", "set", "clear"});
    return {readNumberIn(node, "word", path, 1, model::layout::kOptionWords), readU16(node, "set", path),
            readU16(node, "clear", path)};
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
        if (kind) throw SchemaError(path, std::string("holds both \"") + kind + "\" and \"" + k + "\"; one condition per item");
        kind = k;
    }
    if (!kind) throw SchemaError(path, "needs one condition: image, disk, partition, directory, unchanged or options");
    Expectation e;
    e.condition = readCondition(node, kind, path);
    e.points = static_cast<int>(integerOr(node, "points", path, 1, 0, kMostPoints));
    const json* what = field(node, "what");
    if (what && !what->is_string()) throw SchemaError(child(path, "what"), "expected text");
    e.what = what ? what->get<std::string>() : "";
    return e;
}

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

ordered conditionToJson(const ImageCondition& c) {
    ordered j = located(c.computer);
    j["path"] = textToJson(c.path);
    if (c.partitions) j["partitions"] = specsToJson(*c.partitions);
    if (c.size) j["size"] = rangeToJson(*c.size);
    if (c.compressed) j["compressed"] = *c.compressed;
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
    j[kKinds[expectation.condition.index()]] = std::visit([](const auto& c) { return conditionToJson(c); }, expectation.condition);
    return j;
}

Task readTaskText(std::string_view text) {
    const json task = parseTaskText(text);
    Task result{recordFromJson(task), expectationsFromJson(task)};
    const model::TCOMPUTER start = machineOf(result.start);
    for (std::size_t k = 0; k < result.expect.size(); ++k) {
        if (!namesWhatTheStartHolds(result.expect[k], start)) {
            throw SchemaError(child(item("expect", k), "unchanged"), "not in the start record, so nothing could change it");
        }
    }
    return result;
}

}  // namespace vxr::vxrdat
