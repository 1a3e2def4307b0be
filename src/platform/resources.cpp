#include "platform/resources.h"

#include <algorithm>
#include <stdexcept>

#include "platform/dib.h"
#include "platform/jpeg.h"

// Defined by the assembler file that embeds the resources; weak, so that an
// executable without resources links and finds none.
extern "C" const vxr::platform::ResourceEntry vxr_resource_table[] __attribute__((weak));

namespace vxr::platform {

namespace {

bool sameNameIgnoringCase(std::string_view stored, std::string_view wanted) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return stored.size() == wanted.size() &&
           std::equal(stored.begin(), stored.end(), wanted.begin(), [&](char a, char b) { return a == upper(b); });
}

std::span<const ResourceEntry> rowsUntilEnd(const ResourceEntry* rows) {
    std::size_t count = 0;
    if (rows != nullptr) {
        while (rows[count].type != 0) ++count;
    }
    return {rows, count};
}

const char* typeName(ResourceType type) { return type == ResourceType::Bitmap ? "BITMAP" : "RCDATA"; }

}  // namespace

ResourceTable::ResourceTable(const ResourceEntry* rows) : rows_(rowsUntilEnd(rows)) {}

ResourceTable ResourceTable::embedded() { return ResourceTable(vxr_resource_table); }

std::optional<std::span<const std::uint8_t>> ResourceTable::find(ResourceType type, std::string_view name) const {
    for (const ResourceEntry& row : rows_) {
        if (row.type == static_cast<std::uintptr_t>(type) && sameNameIgnoringCase(row.name, name)) {
            return std::span<const std::uint8_t>(row.data, row.size);
        }
    }
    return std::nullopt;
}

std::vector<std::string> ResourceTable::names(ResourceType type) const {
    std::vector<std::string> result;
    for (const ResourceEntry& row : rows_) {
        if (row.type == static_cast<std::uintptr_t>(type)) result.emplace_back(row.name);
    }
    return result;
}

std::span<const std::uint8_t> ResourceTable::require(ResourceType type, std::string_view name) const {
    const auto data = find(type, name);
    if (!data) throw std::runtime_error(std::string("resource missing: ") + typeName(type) + " " + std::string(name));
    return *data;
}

Bitmap ResourceTable::loadBitmap(std::string_view name) const {
    try {
        return decodeDib(require(ResourceType::Bitmap, name));
    } catch (const DibError& error) {
        throw std::runtime_error("BITMAP " + std::string(name) + ": " + error.what());
    }
}

Bitmap ResourceTable::loadJpeg(std::string_view name, JpegDecoder& decoder) const {
    try {
        return decoder.decode(require(ResourceType::RcData, name));
    } catch (const JpegError& error) {
        throw std::runtime_error("RCDATA " + std::string(name) + ": " + error.what());
    }
}

}  // namespace vxr::platform
