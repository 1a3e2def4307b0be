#include "task_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <limits>
#include <set>

#include "json_reading.h"
#include "model/computer.h"
#include "platform/clock.h"
#include "platform/indexing.h"
#include "platform/text.h"

namespace vxr::vxrdat {

using nlohmann::json;
using namespace model;
using namespace model::bytes;

namespace {

constexpr const char* kComputerNames[kComputers] = {"local", "peer"};

struct RestrictionName {
    std::uint16_t bit;
    const char* name;
};
constexpr RestrictionName kRestrictionNames[] = {{1, "mouse"}, {2, "keyboard"}, {4, "commandline"}, {16, "assessment"}};

// ---- writing ---------------------------------------------------------------

bool isPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 0x20 && ch <= 0x7E; });
}

std::string toHex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

}  // namespace

// Names go out as text when they are code page 936 text without control
// characters, otherwise as the hex of their record bytes.
json textToJson(const std::string& text) {
    if (isPrintableAscii(text)) return text;
    if (!platform::hasControlCharacter(text) && platform::isCp936Text(text)) return text;
    const std::string bytes = platform::recordBytes(text, std::string::npos);
    return json{{"hex", toHex(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())}};
}

namespace {

std::string timeText(double dayCount) {
    const platform::CivilTime t = platform::civilFromDayCount(dayCount);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

double parseTimeText(const std::string& text, bool& ok);

// A time goes out as readable text when the text gives back the same value;
// JSON has no NaN or infinity, so those go out as null (and the raw runs keep
// their bytes).
json timeToJson(double dayCount) {
    if (!std::isfinite(dayCount)) return nullptr;
    bool ok = false;
    const std::string text = timeText(dayCount);
    if (parseTimeText(text, ok) == dayCount && ok) return text;
    return dayCount;
}

}  // namespace

json partitionToJson(const PartitionEntry& p) {
    json j{{"type", p.type}, {"size", p.size}, {"data", p.dataSize}};
    if (p.typeExtra != 0) j["typeExtra"] = p.typeExtra;
    return j;
}

// Partitions listed: all up to the count, and any filled slot beyond it.
json partitionsToJson(const PartitionTable& table, int count) {
    int last = count;
    for (int p = kPartitions; p > last; --p) {
        if (at(table, p) != PartitionEntry{}) {
            last = p;
            break;
        }
    }
    json list = json::array();
    for (int p = 1; p <= last; ++p) list.push_back(partitionToJson(at(table, p)));
    return list;
}

json diskToJson(const DiskEntry& d) {
    json j{{"capacity", d.capacity},       {"kind", d.kind},        {"cylinders", d.cylinders}, {"heads", d.heads},
           {"sectors", d.sectorsPerTrack}, {"checks", d.checkCount}};
    const int count = std::min<int>(d.partitionCount, kPartitions);
    j["partitions"] = partitionsToJson(d.partitions, count);
    if (d.partitionCount != j["partitions"].size()) j["partitionCount"] = d.partitionCount;
    return j;
}

// Each entry carries its readable "path" for people; `build` ignores it.
json directoryToJson(const TCOMPUTER& machine, int c, int slot) {
    const DirectoryEntry v = machine.record().directory(c, slot);
    return json{{"slot", slot},
                {"disk", v.disk},
                {"partition", v.partition},
                {"parent", v.parent},
                {"name", textToJson(v.name)},
                {"created", timeToJson(v.created)},
                {"path", textToJson(machine.DirectoryPath(c, slot))}};
}

json imageToJson(const TCOMPUTER& machine, int c, int slot) {
    const ImageEntry i = machine.record().image(c, slot);
    json j{{"slot", slot},
           {"path", textToJson(machine.ImagePath(c, slot) + ".VXI")},
           {"directory", i.directory},
           {"name", textToJson(i.name)},
           {"size", i.size},
           {"created", timeToJson(i.created)},
           {"checks", i.checkCount},
           {"password", textToJson(i.password)}};
    j["partitions"] = partitionsToJson(i.partitions, std::min<int>(i.partitionCount, kPartitions));
    if (i.partitionCount != j["partitions"].size()) j["partitionCount"] = i.partitionCount;
    return j;
}

namespace {

json computerToJson(const TCOMPUTER& machine, int c) {
    const MachineRecord& record = machine.record();
    json disks = json::array();
    int lastDisk = std::min<int>(record.diskCount(c), kDisks);
    for (int d = kDisks; d > lastDisk; --d) {
        if (record.disk(c, d) != DiskEntry{}) {
            lastDisk = d;
            break;
        }
    }
    for (int d = 1; d <= lastDisk; ++d) disks.push_back(diskToJson(record.disk(c, d)));
    json j{{"disks", disks}};
    if (record.diskCount(c) != disks.size()) j["diskCount"] = record.diskCount(c);

    json directories = json::array();
    for (int v = 1; v <= kDirectories; ++v) {
        if (record.directory(c, v) != DirectoryEntry{}) directories.push_back(directoryToJson(machine, c, v));
    }
    json images = json::array();
    for (int i = 1; i <= kImages; ++i) {
        if (record.image(c, i) != ImageEntry{}) images.push_back(imageToJson(machine, c, i));
    }
    j["directories"] = directories;
    j["images"] = images;
    return j;
}

json restrictionsToJson(std::uint16_t flags) {
    std::uint16_t known = 0;
    json names = json::array();
    for (const auto& r : kRestrictionNames) {
        known = static_cast<std::uint16_t>(known | r.bit);
        if (flags & r.bit) names.push_back(r.name);
    }
    if (flags & ~known) return flags;  // bits without a name: keep the number
    return names;
}

// Runs of bytes where `actual` differs from `rebuilt`, keys excluded.
json rawRuns(const MachineRecord& actual, const MachineRecord& rebuilt) {
    json runs = json::object();
    std::size_t i = 0;
    while (i < kRecordSize) {
        const bool isKey = i >= kKeys && i < kKeys + kKeyCount;
        if (isKey || actual.bytes()[i] == rebuilt.bytes()[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < kRecordSize && !(end >= kKeys && end < kKeys + kKeyCount) &&
               actual.bytes()[end] != rebuilt.bytes()[end]) {
            ++end;
        }
        runs[std::to_string(i)] = toHex(actual.bytes().data() + i, end - i);
        i = end;
    }
    return runs;
}

// ---- reading ---------------------------------------------------------------

std::vector<std::uint8_t> parseHex(const std::string& hex, const std::string& path) {
    if (hex.size() % 2 != 0) throw SchemaError(path, "hex text must have an even number of digits");
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int value = 0;
        for (std::size_t k = i; k < i + 2; ++k) {
            const char ch = hex[k];
            const int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                              : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                       : -1;
            if (digit < 0) throw SchemaError(path, "not a hex digit: '" + std::string(1, ch) + "'");
            value = value * 16 + digit;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

std::string readText(const json& node, const char* key, const std::string& path, std::size_t capacity) {
    const json* value = field(node, key);
    if (!value) return "";
    const std::string where = child(path, key);
    std::string text;
    if (value->is_string()) {
        // The trainer upper-cases every name and password it is given, so a
        // lower-case one could never be matched: stored as it would type.
        auto bytes = platform::cp936FromUtf8(platform::asciiUpper(value->get<std::string>()));
        if (!bytes) throw SchemaError(where, "not text that code page 936 can hold");
        text = *bytes;
    } else if (value->is_object()) {
        expectObject(*value, where, {"hex"});
        const json* hex = field(*value, "hex");
        if (!hex || !hex->is_string()) throw SchemaError(child(where, "hex"), "expected a hex string");
        const auto bytes = parseHex(hex->get<std::string>(), child(where, "hex"));
        text.assign(bytes.begin(), bytes.end());
    } else {
        throw SchemaError(where, "expected a string");
    }
    // Measured in the record's bytes: one per ASCII character, two for others.
    if (text.size() > capacity) {
        throw SchemaError(where, "longer than " + std::to_string(capacity) + " bytes (" + std::to_string(text.size()) +
                                     " in code page 936)");
    }
    return platform::recordText(text);
}

// Reads 1 to `most` decimal digits at `at` and the separator after them
// (none at the end of the text).
bool readNumber(const std::string& text, std::size_t& at, std::size_t most, char separator, int& value) {
    std::size_t digits = 0;
    value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < most) {
        value = value * 10 + (text[at++] - '0');
        ++digits;
    }
    if (digits == 0) return false;
    if (separator == 0) return at == text.size();
    return at < text.size() && text[at++] == separator;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", years 1 to 9999, a real calendar day.
double parseTimeText(const std::string& text, bool& ok) {
    platform::CivilTime t;
    std::size_t at = 0;
    const bool dateOnly = text.find(' ') == std::string::npos;
    ok = readNumber(text, at, 4, '-', t.year) && readNumber(text, at, 2, '-', t.month) &&
         readNumber(text, at, 2, dateOnly ? 0 : ' ', t.day);
    if (ok && !dateOnly) {
        ok = readNumber(text, at, 2, ':', t.hour) && readNumber(text, at, 2, ':', t.minute) &&
             readNumber(text, at, 2, 0, t.second);
    }
    ok = ok && t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysInMonth(t.year, t.month) &&
         t.hour <= 23 && t.minute <= 59 && t.second <= 59;
    return ok ? platform::dayCountFromCivil(t) : 0.0;
}

double readTime(const json& node, const char* key, const std::string& path) {
    const json* value = field(node, key);
    if (!value) return 0.0;
    const std::string where = child(path, key);
    if (value->is_number()) return value->get<double>();
    if (!value->is_string()) throw SchemaError(where, "expected \"yyyy-mm-dd hh:mm:ss\" or a day count");
    bool ok = false;
    const double dayCount = parseTimeText(value->get<std::string>(), ok);
    if (!ok) throw SchemaError(where, "expected \"yyyy-mm-dd hh:mm:ss\" or a day count");
    return dayCount;
}

PartitionEntry partitionFromJson(const json& node, const std::string& path) {
    expectObject(node, path, {"type", "typeExtra", "size", "data"});
    return {readU16(node, "type", path), readU16(node, "typeExtra", path), readI32(node, "size", path),
            readI32(node, "data", path)};
}

// The partitions list and the count (explicit, or the list's length).
std::uint16_t partitionsFromJson(const json& node, const std::string& path, PartitionTable& table) {
    const json& list = readArray(node, "partitions", path);
    if (list.size() > kPartitions) throw SchemaError(child(path, "partitions"), "at most 4 partitions");
    for (std::size_t p = 0; p < list.size(); ++p)
        table[p] = partitionFromJson(list[p], item(child(path, "partitions"), p));
    return field(node, "partitionCount") ? readU16(node, "partitionCount", path)
                                         : static_cast<std::uint16_t>(list.size());
}

DiskEntry diskFromJson(const json& node, const std::string& path) {
    expectObject(node, path,
                 {"capacity", "kind", "cylinders", "heads", "sectors", "checks", "partitions", "partitionCount"});
    DiskEntry d;
    d.capacity = readI32(node, "capacity", path);
    d.kind = readU16(node, "kind", path);
    d.cylinders = readU16(node, "cylinders", path);
    d.heads = readU16(node, "heads", path);
    d.sectorsPerTrack = readU16(node, "sectors", path);
    d.checkCount = readU16(node, "checks", path);
    d.partitionCount = partitionsFromJson(node, path, d.partitions);
    return d;
}

// Slots are explicit, or follow the previous entry's.
int readSlot(const json& node, const std::string& path, int previous, int most, std::set<int>& used) {
    const int slot = field(node, "slot") ? static_cast<int>(readInteger(node, "slot", path, 1, most)) : previous + 1;
    if (slot > most) throw SchemaError(path, "more than " + std::to_string(most) + " entries");
    if (!used.insert(slot).second)
        throw SchemaError(child(path, "slot"), "slot " + std::to_string(slot) + " given twice");
    return slot;
}

void computerFromJson(const json& node, const std::string& path, int c, MachineRecord& record) {
    expectObject(node, path, {"disks", "diskCount", "directories", "images"});
    const json& disks = readArray(node, "disks", path);
    if (disks.size() > kDisks) throw SchemaError(child(path, "disks"), "at most 4 disks");
    for (std::size_t d = 0; d < disks.size(); ++d) {
        record.setDisk(c, static_cast<int>(d + 1), diskFromJson(disks[d], item(child(path, "disks"), d)));
    }
    record.setDiskCount(
        c, field(node, "diskCount") ? readU16(node, "diskCount", path) : static_cast<std::uint16_t>(disks.size()));

    std::set<int> used;
    int slot = 0;
    const json& directories = readArray(node, "directories", path);
    for (std::size_t k = 0; k < directories.size(); ++k) {
        const std::string where = item(child(path, "directories"), k);
        expectObject(directories[k], where, {"slot", "disk", "partition", "parent", "name", "created", "path"});
        slot = readSlot(directories[k], where, slot, kDirectories, used);
        record.setDirectory(
            c, slot,
            {readU16(directories[k], "disk", where), readU16(directories[k], "partition", where),
             readU16(directories[k], "parent", where), readText(directories[k], "name", where, kDirectoryNameCapacity),
             readTime(directories[k], "created", where)});
    }

    used.clear();
    slot = 0;
    const json& images = readArray(node, "images", path);
    for (std::size_t k = 0; k < images.size(); ++k) {
        const std::string where = item(child(path, "images"), k);
        const json& j = images[k];
        expectObject(j, where,
                     {"slot", "directory", "name", "size", "created", "checks", "password", "partitions",
                      "partitionCount", "path"});
        slot = readSlot(j, where, slot, kImages, used);
        ImageEntry image;
        image.directory = readU16(j, "directory", where);
        image.name = readText(j, "name", where, kImageNameCapacity);
        image.size = readI32(j, "size", where);
        image.created = readTime(j, "created", where);
        image.checkCount = readU16(j, "checks", where);
        image.password = readText(j, "password", where, kImagePasswordCapacity);
        image.partitionCount = partitionsFromJson(j, where, image.partitions);
        record.setImage(c, slot, image);
    }
}

std::uint16_t restrictionsFromJson(const json& node) {
    const json* value = field(node, "restrictions");
    if (!value) return 0;
    if (value->is_number_integer()) return readU16(node, "restrictions", "");
    if (!value->is_array()) throw SchemaError("restrictions", "expected a number or a list of names");
    std::uint16_t flags = 0;
    for (std::size_t k = 0; k < value->size(); ++k) {
        const json& name = (*value)[k];
        auto known = std::find_if(std::begin(kRestrictionNames), std::end(kRestrictionNames),
                                  [&](const auto& r) { return name.is_string() && name.get<std::string>() == r.name; });
        if (known == std::end(kRestrictionNames)) {
            throw SchemaError(item("restrictions", k), "expected one of mouse, keyboard, commandline, assessment");
        }
        flags = static_cast<std::uint16_t>(flags | known->bit);
    }
    return flags;
}

void optionsFromJson(const json& node, MachineRecord& record) {
    const json& words = readArray(node, "options", "");
    if (words.size() > kOptionWords) throw SchemaError("options", "at most 5 option words");
    for (std::size_t t = 0; t < words.size(); ++t) {
        const auto word = integerValue(words[t], item("options", t), 0, 0xFFFF);
        record.setOptionWord(static_cast<int>(t + 1), static_cast<std::uint16_t>(word));
    }
}

// A byte offset into the record: decimal digits only, below the record size.
std::size_t rawOffset(const std::string& key, const std::string& where) {
    const bool digits =
        !key.empty() && std::all_of(key.begin(), key.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (!digits) throw SchemaError(where, "expected a decimal byte offset");
    std::size_t offset = 0;
    for (char ch : key) {
        offset = offset * 10 + static_cast<std::size_t>(ch - '0');
        if (offset >= kRecordSize) throw SchemaError(where, "offset beyond the 23960-byte record");
    }
    return offset;
}

void rawFromJson(const json& node, MachineRecord& record) {
    const json* raw = field(node, "raw");
    if (!raw) return;
    if (!raw->is_object()) throw SchemaError("raw", "expected an object of offset: hex");
    for (const auto& [key, value] : raw->items()) {
        const std::string where = child("raw", key);
        const std::size_t offset = rawOffset(key, where);
        if (!value.is_string()) throw SchemaError(where, "expected a hex string");
        const auto bytes = parseHex(value.get<std::string>(), where);
        if (bytes.size() > kRecordSize - offset) throw SchemaError(where, "reaches beyond the 23960-byte record");
        std::copy(bytes.begin(), bytes.end(), record.bytes().begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

MachineRecord fieldsFromJson(const json& task) {
    expectObject(task, "", {"computers", "options", "restrictions", "raw", "comment", "expect"});
    MachineRecord record;
    if (const json* computers = field(task, "computers")) {
        expectObject(*computers, "computers", {"local", "peer"});
        for (int c = 0; c < kComputers; ++c) {
            if (const json* block = field(*computers, kComputerNames[c])) {
                computerFromJson(*block, child("computers", kComputerNames[c]), c, record);
            }
        }
    }
    optionsFromJson(task, record);
    record.setRestrictionFlags(restrictionsFromJson(task));
    return record;
}

}  // namespace

const char* computerName(int computer) { return kComputerNames[computer == 0 ? 0 : 1]; }

int computerIndex(const std::string& name) {
    for (int c = 0; c < kComputers; ++c) {
        if (name == kComputerNames[c]) return c;
    }
    return -1;
}

json recordToJson(const MachineRecord& record, bool withRaw) {
    TCOMPUTER machine;
    machine.record() = record;
    machine.BuildDriveLetters();
    json task;
    task["computers"] = json{{"local", computerToJson(machine, 0)}, {"peer", computerToJson(machine, 1)}};
    json options = json::array();
    for (int t = 1; t <= kOptionWords; ++t) options.push_back(record.optionWord(t));
    task["options"] = options;
    task["restrictions"] = restrictionsToJson(record.restrictionFlags());
    if (withRaw) {
        json runs = rawRuns(record, fieldsFromJson(task));
        if (!runs.empty()) task["raw"] = runs;
    }
    return task;
}

namespace {

// Follows the parser through nested objects and lists, so that a key given
// twice in one object (which would silently keep only the last value) is
// refused with its place.
class DuplicateKeyGuard {
public:
    bool operator()(int /*depth*/, json::parse_event_t event, json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                frames_.push_back({enter(), event == json::parse_event_t::array_start, 0, "", {}});
                break;
            case json::parse_event_t::key:
                frames_.back().key = parsed.get<std::string>();
                if (!frames_.back().keys.insert(frames_.back().key).second) {
                    throw SchemaError(child(frames_.back().path, frames_.back().key), "given twice in one object");
                }
                break;
            case json::parse_event_t::value:
                if (!frames_.empty() && frames_.back().isList) ++frames_.back().index;
                break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end:
                frames_.pop_back();
                if (!frames_.empty() && frames_.back().isList) ++frames_.back().index;
                break;
        }
        return true;
    }

private:
    struct Frame {
        std::string path;
        bool isList;
        std::size_t index;
        std::string key;
        std::set<std::string> keys;
    };

    std::string enter() const {
        if (frames_.empty()) return "";
        const Frame& parent = frames_.back();
        return parent.isList ? item(parent.path, parent.index) : child(parent.path, parent.key);
    }

    std::vector<Frame> frames_;
};

}  // namespace

json parseTaskText(std::string_view text) {
    try {
        DuplicateKeyGuard guard;
        return json::parse(text, std::ref(guard));
    } catch (const json::exception& error) {
        throw SchemaError("(top)", std::string("not valid JSON: ") + error.what());
    }
}

MachineRecord recordFromJson(const json& task) {
    MachineRecord record = fieldsFromJson(task);
    rawFromJson(task, record);
    return record;
}

}  // namespace vxr::vxrdat
