// vxr-practice: what the desktop menu entry starts. When the user's drive
// C: has no C:\DATAS\VXR.DAT, it offers in a message box to copy the bundled
// practice task there; then it starts the trainer in its place.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "platform/application.h"
#include "platform/font.h"
#include "practice.h"

namespace {

namespace fs = std::filesystem;

// The name the desktop menu shows, as the question box's title.
constexpr const char* kTitle = "Vexor 8.0 trainer";

// This program's folder, where the trainer is installed too.
fs::path ownFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

// Returns only when the trainer cannot be started.
int startTrainer(const fs::path& folder) {
    const fs::path beside = folder / "vxr";
    char name[] = "vxr";
    char* argv[] = {name, nullptr};
    if (!folder.empty() && fs::exists(beside)) {
        ::execv(beside.c_str(), argv);
    } else {
        ::execvp(name, argv);
    }
    std::cerr << "vxr-practice: cannot start the trainer: " << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace

int main() {
    using namespace vxr;
    const fs::path folder = ownFolder();
    try {
        platform::FontLibrary::instance().requireAliasedFonts();
        auto app = platform::Application::fromEnvironment();
        app->setTitle(kTitle);
        const auto ask = [&](const std::string& question) { return app->ask(question, {"Copy", "Cancel"}) == 0; };
        const practice::Preparation done = practice::preparePracticeFile(folder / VXR_PRACTICE_TASK, ask);
        if (done.outcome == practice::Outcome::Declined) return 0;
        if (done.outcome == practice::Outcome::Failed) {
            app->messageBox(done.message);
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "vxr-practice: " << error.what() << "\n";
        return 1;
    }
    return startTrainer(folder);
}
