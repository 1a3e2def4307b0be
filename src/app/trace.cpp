#include "app/trace.h"

#include <cstdlib>

namespace vxr::app {

Trace::Trace(const std::string& path) {
    if (!path.empty()) file_.reset(std::fopen(path.c_str(), "a"));
}

Trace Trace::fromEnvironment() {
    const char* path = std::getenv("VXR_TRACE");
    return Trace(path ? path : "");
}

void Trace::write(const std::string& event, nlohmann::json fields) {
    if (!file_) return;
    nlohmann::json line = {{"event", event}};
    line.update(fields);
    // Texts may carry code-page bytes that are not UTF-8; they are replaced
    // rather than lost with the whole line.
    const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    std::fwrite(text.data(), 1, text.size(), file_.get());
    std::fflush(file_.get());
}

}  // namespace vxr::app
