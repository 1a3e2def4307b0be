#pragma once
// The program's own resources: files embedded in the executable at build
// time (see cmake/VxrResources.cmake), found by type and name. Names are
// stored upper-case and looked up without regard to case.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"

namespace vxr::platform {

class JpegDecoder;

// The numbers Windows gives these resource types.
enum class ResourceType : std::uintptr_t { Bitmap = 2, RcData = 10 };

// One row of the embedded table. The generated assembler file lays out
// exactly these four address-sized fields; a row with type 0 ends the table.
struct ResourceEntry {
    std::uintptr_t type;
    const char* name;
    const std::uint8_t* data;
    std::uintptr_t size;
};

class ResourceTable {
public:
    // `rows` ends with a row of type 0; nullptr is an empty table.
    explicit ResourceTable(const ResourceEntry* rows);
    // The table embedded in this executable (empty when it has none).
    static ResourceTable embedded();

    std::optional<std::span<const std::uint8_t>> find(ResourceType type, std::string_view name) const;
    std::vector<std::string> names(ResourceType type) const;
    std::size_t size() const { return rows_.size(); }

    // A BITMAP resource decoded from its DIB, an RCDATA resource decoded as
    // JPEG. Both throw std::runtime_error naming a resource that is absent
    // or cannot be decoded.
    Bitmap loadBitmap(std::string_view name) const;
    Bitmap loadJpeg(std::string_view name, JpegDecoder& decoder) const;

private:
    std::span<const std::uint8_t> require(ResourceType type, std::string_view name) const;

    std::span<const ResourceEntry> rows_;
};

}  // namespace vxr::platform
