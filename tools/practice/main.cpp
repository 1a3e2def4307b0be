// vxr-practice: what the desktop menu entry starts. It offers the bundled
// practice tasks one by one with their instructions; the chosen task's start
// record goes on drive C: (asking before it replaces a data file there), the
// trainer runs, and when it closes the result is graded by the task's expect
// list and shown. An assessment copy on drive C: is only ever opened in the
// trainer, without practice or feedback.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "platform/application.h"
#include "platform/font.h"
#include "practice.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The name the desktop menu shows, as the boxes' title.
constexpr const char* kTitle = "Vexor 8.0 trainer";

constexpr const char* kUsage =
    "usage: vxr-practice [TASK]\n"
    "Offers the bundled practice tasks (starting with TASK, a folder name such\n"
    "as practice-disk-image), shows the chosen task's instructions, puts its\n"
    "start record on drive C: and starts the trainer; when the trainer closes\n"
    "it grades the result and shows each item passed or not.\n";

// This program's folder, where the trainer is installed too.
fs::path ownFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

// Installed beside this program, in a build tree at src/app, else on PATH.
std::string trainerProgram(const fs::path& folder) {
    std::error_code error;
    for (const fs::path& candidate : {folder / "vxr", folder / ".." / ".." / "src" / "app" / "vxr"}) {
        if (!folder.empty() && fs::is_regular_file(candidate, error)) return candidate.string();
    }
    return "vxr";
}

// Returns only when the trainer cannot be started.
int execTrainer(const std::string& program) {
    char name[] = "vxr";
    char* argv[] = {name, nullptr};
    ::execvp(program.c_str(), argv);
    std::cerr << "vxr-practice: cannot start the trainer: " << std::strerror(errno) << "\n";
    return 1;
}

void runTrainer(const std::string& program) {
    char name[] = "vxr";
    char* argv[] = {name, nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        std::cerr << "vxr-practice: cannot start the trainer " << program << "\n";
        return;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
}

std::size_t taskIndex(const std::vector<vxr::practice::PracticeTask>& tasks, std::string_view name) {
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        if (tasks[i].name == name) return i;
    }
    return tasks.size();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vxr;
    const std::string_view argument = argc > 1 ? argv[1] : "";
    if (argument == "--help" || argument == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (argc > 2 || (!argument.empty() && argument[0] == '-')) {
        std::cerr << kUsage;
        return 2;
    }
    const fs::path folder = ownFolder();
    const std::string trainer = trainerProgram(folder);
    if (practice::assessmentCopyOnDriveC()) return execTrainer(trainer);
    const fs::path examples = practice::findExamples(folder, VXR_EXAMPLES_RELATIVE);
    const auto tasks = practice::findPracticeTasks(examples);
    const std::size_t first = argument.empty() ? 0 : taskIndex(tasks, argument);
    if (first >= tasks.size() && !tasks.empty()) {
        std::cerr << "vxr-practice: no practice task " << argument << "; the tasks are:";
        for (const auto& task : tasks) std::cerr << " " << task.name;
        std::cerr << "\n";
        return 2;
    }
    try {
        platform::FontLibrary::instance().requireAliasedFonts();
        auto app = platform::Application::fromEnvironment();
        app->setTitle(kTitle);
        if (tasks.empty()) {
            app->messageBox("No practice tasks are installed (looked in " + examples.string() + ").");
            return 1;
        }
        return practice::practise(*app, tasks, first, [&] { runTrainer(trainer); });
    } catch (const std::exception& error) {
        std::cerr << "vxr-practice: " << error.what() << "\n";
        return 1;
    }
}
