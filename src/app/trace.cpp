#include "app/trace.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "platform/text.h"

namespace vxr::app {

// A trace that cannot be opened is no reason to stop a candidate's run, but
// whoever set VXR_TRACE must learn that nothing will be written.
Trace::Trace(const std::string& path) {
    if (path.empty()) return;
    file_.reset(std::fopen(path.c_str(), "a"));
    if (!file_)
        std::cerr << "vxr: cannot write the trace " << platform::escapeControls(path) << ": " << std::strerror(errno)
                  << "; running without it" << std::endl;
}

Trace Trace::fromEnvironment() {
    const char* path = std::getenv("VXR_TRACE");
    return Trace(path ? path : "");
}

void Trace::write(const std::string& event, nlohmann::json fields) {
    if (!file_ || ended_) return;
    ended_ = event == "end";
    nlohmann::json line = {{"event", event}};
    line.update(fields);
    // Texts may carry code-page bytes that are not UTF-8; they are replaced
    // rather than lost with the whole line.
    const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    std::fwrite(text.data(), 1, text.size(), file_.get());
    std::fflush(file_.get());
}

}  // namespace vxr::app
