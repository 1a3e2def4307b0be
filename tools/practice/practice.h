#pragma once
// The practice launcher's decisions: which bundled tasks there are and what
// each asks, placing a task's start record on the user's drive C: (asking
// before it replaces a data file there), and the feedback after a run,
// graded by the task's expect list as `vxrdat check` grades it. The trainer
// itself never creates a data file; this is the only place one is made for it.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "check_report.h"
#include "platform/dos_path.h"

namespace vxr::practice {

enum class Outcome {
    Copied,    // the task's start record is the data file now
    Declined,  // the person would not replace their data file; nothing changed
    Failed,    // the bundled task is missing or the copy failed (see message)
};

struct Preparation {
    Outcome outcome;
    std::filesystem::path dataFile;  // the host path of C:\DATAS\VXR.DAT
    std::string message;             // why it failed
};

// Returns true when the person agrees to what the text describes.
using Ask = std::function<bool(const std::string& question)>;

// Copies `bundled` to C:\DATAS\VXR.DAT; a data file already there is
// replaced only when `ask` agrees (a null `ask` replaces without asking:
// the person asked to start the task again).
Preparation placeTaskStart(const std::filesystem::path& bundled, const Ask& ask,
                           const platform::EnvLookup& env = platform::processEnv);

// C:\DATAS\VXR.DAT exists and is marked as an assessment copy: no practice
// run, and no feedback, may touch it.
bool assessmentCopyOnDriveC(const platform::EnvLookup& env = platform::processEnv);

struct PracticeTask {
    std::string name;              // the folder's name, e.g. practice-disk-image
    std::filesystem::path folder;  // holds task.json and the built VXR.DAT
    std::string instructions;      // the task's comment
};

// The bundled tasks of an examples folder: each folder with a task.json and
// a built VXR.DAT; the lab first, then the practice pack, then the rest.
std::vector<PracticeTask> findPracticeTasks(const std::filesystem::path& examples);

// The examples folder for a launcher in `launcherFolder`: installed beside
// the trainer (../share/vxr/examples) or in a build tree (../../examples).
std::filesystem::path findExamples(const std::filesystem::path& launcherFolder, const std::string& installedRelative);

// The text shown before the trainer opens: the task and its instructions,
// wrapped for the message box.
std::string instructionsText(const PracticeTask& task, std::size_t number, std::size_t count);

// Grades `result` with the task's expect list.
vxrdat::ClassResult gradePractice(const PracticeTask& task, const std::filesystem::path& result);

// Each item passed or not, what was found instead, and the score.
std::string feedbackText(const PracticeTask& task, const vxrdat::ClassResult& graded);

// Breaks text into lines of at most `width` characters at spaces.
std::string wrapText(const std::string& text, std::size_t width);

}  // namespace vxr::practice

namespace vxr::platform {
class Application;
}

namespace vxr::practice {

// Runs the trainer on drive C: to its end.
using RunTrainer = std::function<void()>;

// The practice loop from task `first`: its instructions (Start, Next task,
// Close); Start places its start record and runs the trainer; afterwards
// the feedback (Try again puts the start record back and runs it again,
// Next task, Close). Returns the exit status: 0, or 1 when a task could not
// be placed.
int practise(platform::Application& app, const std::vector<PracticeTask>& tasks, std::size_t first,
             const RunTrainer& runTrainer, const platform::EnvLookup& env = platform::processEnv);

}  // namespace vxr::practice
