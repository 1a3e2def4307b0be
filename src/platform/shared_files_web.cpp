// The record files shared by the tabs of the web page through the page's tab
// table (web/tabs.js); a program without the table (the record tool) keeps
// its files to itself.

#include "platform/shared_files.h"

#include <emscripten.h>

EM_JS(void, vxr_take_shared_version, (const char* path), {
    if (Module.vxrTabs) Module.vxrTabs.pull(FS, UTF8ToString(path));
});

EM_JS(void, vxr_offer_shared_version, (const char* path), {
    if (Module.vxrTabs) Module.vxrTabs.push(FS, UTF8ToString(path));
});

namespace vxr::platform {

void takeSharedVersion(const std::filesystem::path& file)
{
    vxr_take_shared_version(std::filesystem::absolute(file).lexically_normal().c_str());
}

void offerSharedVersion(const std::filesystem::path& file)
{
    vxr_offer_shared_version(std::filesystem::absolute(file).lexically_normal().c_str());
}

}  // namespace vxr::platform
