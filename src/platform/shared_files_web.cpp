// The record files shared by the tabs of the web page through the page's tab
// table (web/tabs.js); a program without the table (the record tool) keeps
// its files to itself.

#include "platform/shared_files.h"

#include <emscripten.h>
#include <sys/stat.h>

// clang-format off
EM_JS(void, vxr_take_shared_version, (const char* path), {
    if (Module.vxrTabs) Module.vxrTabs.pull(FS, UTF8ToString(path));
});

EM_JS(void, vxr_offer_shared_version, (const char* path), {
    if (Module.vxrTabs) Module.vxrTabs.push(FS, UTF8ToString(path));
});
// clang-format on

namespace vxr::platform {

namespace {

// The web C library starts with a file mode mask that takes every right
// away, so a file the trainer made (the A: copy, a new data file) could not
// even be read back by the page. Files are made as on a desktop instead.
struct UsualFileModeMask {
    UsualFileModeMask() { ::umask(022); }
} usualFileModeMask;

}  // namespace

void takeSharedVersion(const std::filesystem::path& file) {
    vxr_take_shared_version(std::filesystem::absolute(file).lexically_normal().c_str());
}

void offerSharedVersion(const std::filesystem::path& file) {
    vxr_offer_shared_version(std::filesystem::absolute(file).lexically_normal().c_str());
}

}  // namespace vxr::platform
