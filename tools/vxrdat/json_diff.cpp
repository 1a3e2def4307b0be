#include "json_diff.h"

#include <algorithm>
#include <map>
#include <set>

namespace vxr::vxrdat {

using nlohmann::json;

namespace {

bool isSlotList(const json& node) {
    if (!node.is_array()) return false;
    for (const auto& entry : node) {
        if (!entry.is_object() || !entry.contains("slot")) return false;
    }
    return true;
}

// Lists of plain values (restriction names, option words) read best whole.
bool isValueList(const json& node) {
    return node.is_array() &&
           std::all_of(node.begin(), node.end(), [](const json& entry) { return entry.is_primitive(); });
}

std::map<json, json> bySlot(const json& list) {
    std::map<json, json> entries;
    for (const auto& entry : list) entries[entry["slot"]] = entry;
    return entries;
}

void compare(const json& a, const json& b, const std::string& path, std::vector<std::string>& out);

void compareSlotLists(const json& a, const json& b, const std::string& path, std::vector<std::string>& out) {
    const auto left = bySlot(a), right = bySlot(b);
    std::set<json> slots;
    for (const auto& [slot, entry] : left) slots.insert(slot);
    for (const auto& [slot, entry] : right) slots.insert(slot);
    for (const auto& slot : slots) {
        const std::string where = path + "[slot " + slot.dump() + "]";
        auto l = left.find(slot), r = right.find(slot);
        if (l == left.end()) {
            out.push_back(where + ": added " + r->second.dump());
        } else if (r == right.end()) {
            out.push_back(where + ": removed " + l->second.dump());
        } else {
            compare(l->second, r->second, where, out);
        }
    }
}

void compareLists(const json& a, const json& b, const std::string& path, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string where = path + "[" + std::to_string(i) + "]";
        if (i >= a.size()) {
            out.push_back(where + ": added " + b[i].dump());
        } else if (i >= b.size()) {
            out.push_back(where + ": removed " + a[i].dump());
        } else {
            compare(a[i], b[i], where, out);
        }
    }
}

void compareObjects(const json& a, const json& b, const std::string& path, std::vector<std::string>& out) {
    std::set<std::string> keys;
    for (const auto& [key, value] : a.items()) keys.insert(key);
    for (const auto& [key, value] : b.items()) keys.insert(key);
    for (const auto& key : keys) {
        const std::string where = path.empty() ? key : path + "." + key;
        if (!a.contains(key)) {
            out.push_back(where + ": added " + b[key].dump());
        } else if (!b.contains(key)) {
            out.push_back(where + ": removed " + a[key].dump());
        } else {
            compare(a[key], b[key], where, out);
        }
    }
}

void compare(const json& a, const json& b, const std::string& path, std::vector<std::string>& out) {
    if (a == b) return;
    if (a.is_object() && b.is_object()) return compareObjects(a, b, path, out);
    if (isSlotList(a) && isSlotList(b)) return compareSlotLists(a, b, path, out);
    if (a.is_array() && b.is_array() && !(isValueList(a) && isValueList(b))) return compareLists(a, b, path, out);
    out.push_back(path + ": " + a.dump() + " -> " + b.dump());
}

}  // namespace

std::vector<std::string> jsonDifferences(const json& before, const json& after) {
    std::vector<std::string> out;
    compare(before, after, "", out);
    return out;
}

}  // namespace vxr::vxrdat
