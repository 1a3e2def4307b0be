#include "platform/event_scope.h"

#include <cstdint>
#include <cstdio>

namespace vxr::platform {

std::string eventScopeOf(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::weakly_canonical(std::filesystem::absolute(file, ec), ec);
    if (ec) real = file;
    // FNV-1a: short, the same in every run and build, and only characters
    // an event name keeps.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char byte : real.string()) hash = (hash ^ byte) * 0x100000001b3ULL;
    char text[24];
    std::snprintf(text, sizeof text, "f%016llx.", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace vxr::platform
