#pragma once
// Reading JSON descriptions field by field, with errors that name the place
// of the fault.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace vxr::vxrdat {

// A JSON description that does not fit the schema; path() names the place,
// for example "computers.local.disks[1].partitions[0].size".
class SchemaError : public std::runtime_error {
public:
    SchemaError(const std::string& path, const std::string& what)
        : std::runtime_error(path + ": " + what), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// "path.key" and "path[index]".
std::string child(const std::string& path, const std::string& key);
std::string item(const std::string& path, std::size_t index);

// Throws unless `node` is an object whose keys are all among `keys`.
void expectObject(const nlohmann::json& node, const std::string& path, std::initializer_list<const char*> keys);

// The value of `key`, or nullptr when it is absent or null.
const nlohmann::json* field(const nlohmann::json& node, const char* key);

// An integer within [lowest, highest]; absent fields read as 0 (or `fallback`).
std::int64_t integerValue(const nlohmann::json& value, const std::string& where, std::int64_t lowest,
                          std::int64_t highest);
std::int64_t readInteger(const nlohmann::json& node, const char* key, const std::string& path, std::int64_t lowest,
                         std::int64_t highest);
std::int64_t integerOr(const nlohmann::json& node, const char* key, const std::string& path, std::int64_t fallback,
                       std::int64_t lowest, std::int64_t highest);
std::uint16_t readU16(const nlohmann::json& node, const char* key, const std::string& path);
std::int32_t readI32(const nlohmann::json& node, const char* key, const std::string& path);

// The list under `key` (an empty list when absent).
const nlohmann::json& readArray(const nlohmann::json& node, const char* key, const std::string& path);

}  // namespace vxr::vxrdat
