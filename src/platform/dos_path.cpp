#include "platform/dos_path.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace vxr::platform {

namespace fs = std::filesystem;

std::optional<std::string> processEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

bool isDriveLetter(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) != 0; }

// The entry of `folder` named `component`, matched exactly first and then
// without regard to case; the plain join when neither exists.
fs::path findComponent(const fs::path& folder, const std::string& component) {
    fs::path exact = folder / component;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = lower(component);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) == wanted) return it->path();
    }
    return exact;
}

}  // namespace

fs::path driveFolder(char letter, const EnvLookup& env) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    const char lowerLetter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (auto folder = env(std::string("VXR_DRIVE_") + upper); folder && !folder->empty()) {
        return fs::path(*folder);
    }
    fs::path dataHome;
    if (auto xdg = env("XDG_DATA_HOME"); xdg && !xdg->empty()) {
        dataHome = *xdg;
    } else {
        dataHome = fs::path(env("HOME").value_or(".")) / ".local" / "share";
    }
    return dataHome / "vxr" / (std::string("drive_") + lowerLetter);
}

fs::path hostPath(std::string_view dosPath, const EnvLookup& env) {
    std::string rest(dosPath);
    std::replace(rest.begin(), rest.end(), '\\', '/');

    fs::path path;
    if (rest.size() >= 2 && rest[1] == ':' && isDriveLetter(rest[0])) {
        path = driveFolder(rest[0], env);
        rest.erase(0, 2);
    } else if (!rest.empty() && rest[0] == '/') {
        path = "/";
    } else {
        path = ".";
    }

    size_t start = 0;
    while (start <= rest.size()) {
        size_t slash = rest.find('/', start);
        if (slash == std::string::npos) slash = rest.size();
        std::string component = rest.substr(start, slash - start);
        if (!component.empty() && component != ".") path = findComponent(path, component);
        start = slash + 1;
    }
    return path.lexically_normal();
}

}  // namespace vxr::platform
