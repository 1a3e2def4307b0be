#pragma once
// The `expect` list of a task: what a result record must show, item by item,
// each worth some points. One JSON object per item: a short "what" for the
// examiner, "points" (default 1) and exactly one condition, named by its
// kind ("image", "disk", "partition", "directory", "unchanged", "options"),
// whose fields carry the names `vxrdat dump --json` uses.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/record.h"

namespace vxr::vxrdat {

// A number, or a range [low, high] with both ends included.
struct Range {
    std::int64_t low = 0;
    std::int64_t high = 0;
    bool contains(std::int64_t value) const { return value >= low && value <= high; }
    bool operator==(const Range&) const = default;
};

// A partition as an item describes it; a field left out matches anything.
struct PartitionSpec {
    std::optional<int> type;
    std::optional<Range> size;
    std::optional<Range> data;
};

// The compression factors an image's size allows: "none", "fast", "high" or
// [low, high] of the factor applied to its data.
struct FactorRange {
    double low = 1.0;
    double high = 1.0;
    bool operator==(const FactorRange&) const = default;
};

// The named compression levels: the factor of each answer, and for "high"
// every factor above "fast" that an image can be made with.
struct CompressionLevel {
    const char* name;
    FactorRange factors;
};
inline constexpr CompressionLevel kCompressionLevels[] = {
    {"none", {1.0, 1.0}}, {"fast", {0.5, 0.5}}, {"high", {0.33, 0.45}}};

// Paths name places (places.h): "D:\EXAM\SYSTEM.VXI" with a letter of the
// start record, or "2:1\EXAM\SYSTEM.VXI" by disk and partition; held in
// upper case in the record's code page.
struct ImageCondition {
    int computer = 0;
    std::string path;
    std::optional<std::vector<PartitionSpec>> partitions;  // exactly these, in order
    std::optional<Range> size;
    std::optional<bool> compressed;          // its size below its partitions' data
    std::optional<FactorRange> compression;  // the factor its size was made with
    std::optional<bool> hasPassword;         // "password": true or false
    std::optional<std::string> password;     // "password": "TEXT" ("" for none)
    int checks = 0;                          // at least this many integrity checks
};

struct DiskCondition {
    int computer = 0;
    int disk = 1;
    std::optional<std::vector<PartitionSpec>> partitions;  // exactly these, in order
    int checks = 0;
};

struct PartitionCondition {
    int computer = 0;
    int disk = 1;
    int partition = 1;
    PartitionSpec is;
};

struct DirectoryCondition {
    int computer = 0;
    std::string path;
};

// Exactly one of: a disk, a partition of a disk, an image by path. A disk
// or partition is unchanged when its entries, the directories on it and the
// images stored there are as they were; check counters do not count, and
// new images (with the data they add) are allowed unless `sameImages`.
struct UnchangedCondition {
    int computer = 0;
    int disk = 0;
    int partition = 0;
    std::string image;
    bool sameImages = false;  // "images": "same"
};

struct OptionsCondition {
    int word = 1;
    std::uint16_t set = 0;    // bits that must be on
    std::uint16_t clear = 0;  // bits that must be off
};

using Condition = std::variant<ImageCondition, DiskCondition, PartitionCondition, DirectoryCondition,
                               UnchangedCondition, OptionsCondition>;

struct Expectation {
    std::string what;
    int points = 1;
    Condition condition;
};

// A task file: the start record and its expectations.
struct Task {
    model::MachineRecord start;
    std::vector<Expectation> expect;
};

// The task's "expect" list (empty when absent); throws SchemaError.
std::vector<Expectation> expectationsFromJson(const nlohmann::json& task);

// One item in the task file's form; expectationsFromJson reads it back.
nlohmann::ordered_json expectationToJson(const Expectation& expectation);

// A whole task from the text of its file; throws SchemaError for anything
// that is not a sound task (the entry point for reading untrusted tasks),
// items that would grade every result alike and places the start record
// cannot have included.
Task readTaskText(std::string_view text);

}  // namespace vxr::vxrdat
