#include "practice.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "model/computer.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/random.h"

namespace vxr::practice {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLineWidth = 64;

std::string replaceQuestion(const fs::path& dataFile) {
    return std::string("Your drive C: already has a data file ") + model::kPrimaryDataFile + "\n(" + dataFile.string() +
           ").\n\nReplace it with the start of this practice task?";
}

Preparation failed(const fs::path& dataFile, std::string message) {
    return {Outcome::Failed, dataFile, std::move(message)};
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

Preparation placeTaskStart(const fs::path& bundled, const Ask& ask, const platform::EnvLookup& env) {
    const fs::path dataFile = platform::hostPath(model::kPrimaryDataFile, env);
    std::error_code error;
    if (!fs::is_regular_file(bundled, error)) {
        return failed(dataFile, "The practice task " + bundled.string() + " is not built or installed.");
    }
    const bool present = fs::exists(dataFile, error);
    if (present && ask && !ask(replaceQuestion(dataFile))) return {Outcome::Declined, dataFile, {}};
    fs::create_directories(dataFile.parent_path(), error);
    if (!error) fs::copy_file(bundled, dataFile, fs::copy_options::overwrite_existing, error);
    if (error)
        return failed(dataFile, "Cannot copy the practice task to " + dataFile.string() + ": " + error.message());
    return {Outcome::Copied, dataFile, {}};
}

bool assessmentCopyOnDriveC(const platform::EnvLookup& env) {
    std::error_code error;
    if (!fs::exists(platform::hostPath(model::kPrimaryDataFile, env), error)) return false;
    model::TCOMPUTER computer(platform::systemClock(), platform::systemRandom(), env);
    return computer.LoadRecord() == 0 && (computer.GetRestrictionFlags() & model::kAssessmentCopy) != 0;
}

std::vector<PracticeTask> findPracticeTasks(const fs::path& examples) {
    std::vector<PracticeTask> tasks;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(examples, error)) {
        const fs::path folder = entry.path();
        if (!fs::is_regular_file(folder / "task.json", error) || !fs::is_regular_file(folder / "VXR.DAT", error))
            continue;
        std::string comment;
        try {
            const nlohmann::json task = nlohmann::json::parse(readText(folder / "task.json"));
            comment = task.value("comment", "");
        } catch (const nlohmann::json::exception&) {
            continue;  // not a task
        }
        tasks.push_back({folder.filename().string(), folder, comment});
    }
    // The lab first, then the practice pack, then any other example.
    const auto rank = [](const PracticeTask& t) {
        return t.name == "lab" ? 0 : t.name.rfind("practice-", 0) == 0 ? 1 : 2;
    };
    std::sort(tasks.begin(), tasks.end(),
              [&](const auto& a, const auto& b) { return std::pair(rank(a), a.name) < std::pair(rank(b), b.name); });
    return tasks;
}

fs::path findExamples(const fs::path& launcherFolder, const std::string& installedRelative) {
    std::error_code error;
    for (const fs::path& candidate : {launcherFolder / installedRelative, launcherFolder / ".." / ".." / "examples"}) {
        if (fs::is_directory(candidate, error)) return candidate.lexically_normal();
    }
    return {};
}

std::string wrapText(const std::string& text, std::size_t width) {
    std::string out, line;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            out += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line;
}

std::string instructionsText(const PracticeTask& task, std::size_t number, std::size_t count) {
    return "Practice task " + std::to_string(number) + " of " + std::to_string(count) + ": " + task.name + "\n\n" +
           wrapText(task.instructions, kLineWidth);
}

vxrdat::ClassResult gradePractice(const PracticeTask& task, const fs::path& result) {
    const vxrdat::Task graded = vxrdat::readTaskText(readText(task.folder / "task.json"));
    return vxrdat::gradeFiles(graded, {result.string()});
}

std::string feedbackText(const PracticeTask& task, const vxrdat::ClassResult& graded) {
    std::string text = task.name + ": " + (graded.passedAll() ? "every item passed." : "not every item passed.") + "\n";
    const vxrdat::FileResult& file = graded.files.front();
    if (!file.error.empty()) return text + "\n" + wrapText("The data file cannot be read: " + file.error, kLineWidth);
    for (std::size_t i = 0; i < graded.items.size() && i < file.outcomes.size(); ++i) {
        const vxrdat::Outcome& outcome = file.outcomes[i];
        text += "\n" + std::string(outcome.passed ? "passed:  " : "FAILED:  ") + graded.items[i].what;
        if (outcome.passed || outcome.found.empty()) continue;
        std::istringstream lines(wrapText("found: " + outcome.found, kLineWidth - 9));
        for (std::string line; std::getline(lines, line);) text += "\n         " + line;
    }
    return text + "\n\nScore: " + std::to_string(file.score) + " of " + std::to_string(graded.maxScore);
}

}  // namespace vxr::practice

namespace vxr::practice {

namespace {

enum InstructionsChoice : std::size_t { kStart, kNextFromInstructions, kCloseInstructions };
enum FeedbackChoice : std::size_t { kTryAgain, kNextTask, kCloseFeedback };

}  // namespace

int practise(platform::Application& app, const std::vector<PracticeTask>& tasks, std::size_t first,
             const RunTrainer& runTrainer, const platform::EnvLookup& env) {
    std::size_t index = first;
    const auto next = [&] { index = (index + 1) % tasks.size(); };
    const auto askReplace = [&](const std::string& question) { return app.ask(question, {"Replace", "Cancel"}) == 0; };
    while (!tasks.empty()) {
        const PracticeTask& task = tasks[index];
        const std::size_t choice =
            app.ask(instructionsText(task, index + 1, tasks.size()), {"Start", "Next task", "Close"});
        if (choice == kCloseInstructions) return 0;
        if (choice == kNextFromInstructions) {
            next();
            continue;
        }
        Preparation placed = placeTaskStart(task.folder / "VXR.DAT", askReplace, env);
        for (std::size_t answer = kTryAgain; answer == kTryAgain;) {
            if (placed.outcome == Outcome::Failed) {
                app.messageBox(placed.message);
                return 1;
            }
            if (placed.outcome == Outcome::Declined) break;
            runTrainer();
            // An assessment copy gets no feedback, whatever the task said.
            if (assessmentCopyOnDriveC(env)) return 0;
            answer =
                app.ask(feedbackText(task, gradePractice(task, placed.dataFile)), {"Try again", "Next task", "Close"});
            if (answer == kCloseFeedback) return 0;
            if (answer == kNextTask) next();
            if (answer == kTryAgain) placed = placeTaskStart(task.folder / "VXR.DAT", nullptr, env);
        }
    }
    return 0;
}

}  // namespace vxr::practice
