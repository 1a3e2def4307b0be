#include "json_reading.h"

#include <limits>
#include <set>

namespace vxr::vxrdat {

using nlohmann::json;

std::string child(const std::string& path, const std::string& key) { return path.empty() ? key : path + "." + key; }
std::string item(const std::string& path, std::size_t index) { return path + "[" + std::to_string(index) + "]"; }

void expectObject(const json& node, const std::string& path, std::initializer_list<const char*> keys) {
    if (!node.is_object()) throw SchemaError(path.empty() ? "(top)" : path, "expected an object");
    const std::set<std::string> allowed(keys.begin(), keys.end());
    for (const auto& [key, value] : node.items()) {
        if (!allowed.count(key)) throw SchemaError(child(path, key), "unknown field");
    }
}

const json* field(const json& node, const char* key) {
    auto it = node.find(key);
    return it == node.end() || it->is_null() ? nullptr : &*it;
}

std::int64_t integerValue(const json& value, const std::string& where, std::int64_t lowest, std::int64_t highest) {
    if (!value.is_number_integer()) throw SchemaError(where, "expected an integer");
    const bool tooLarge =
        value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(highest);
    if (tooLarge || value.get<std::int64_t>() < lowest || value.get<std::int64_t>() > highest) {
        throw SchemaError(where, "value out of range " + std::to_string(lowest) + ".." + std::to_string(highest));
    }
    return value.get<std::int64_t>();
}

std::int64_t readInteger(const json& node, const char* key, const std::string& path, std::int64_t lowest,
                         std::int64_t highest) {
    const json* value = field(node, key);
    return value ? integerValue(*value, child(path, key), lowest, highest) : 0;
}

std::uint16_t readU16(const json& node, const char* key, const std::string& path) {
    return static_cast<std::uint16_t>(readInteger(node, key, path, 0, 0xFFFF));
}

std::int32_t readI32(const json& node, const char* key, const std::string& path) {
    return static_cast<std::int32_t>(readInteger(node, key, path, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

const json& readArray(const json& node, const char* key, const std::string& path) {
    static const json empty = json::array();
    const json* value = field(node, key);
    if (!value) return empty;
    if (!value->is_array()) throw SchemaError(child(path, key), "expected a list");
    return *value;
}

std::int64_t integerOr(const json& node, const char* key, const std::string& path, std::int64_t fallback,
                       std::int64_t lowest, std::int64_t highest) {
    return field(node, key) ? readInteger(node, key, path, lowest, highest) : fallback;
}

}  // namespace vxr::vxrdat
