// The practice launcher: a task's start record placed on drive C: (asking
// before it replaces a data file, copying only on yes, reporting failures),
// and the loop of instructions, trainer run and feedback, headless.

#include "practice.h"

#include <gtest/gtest.h>

#include "model/computer.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/headless_backend.h"
#include "platform/random.h"
#include "support/temp_dir.h"

namespace vxr::practice {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;
    const char* existing;  // a data file already on drive C:, relative to it, or null
    bool bundledExists;
    bool driveIsAFile;  // drive C:'s folder is a plain file: nothing can be made in it
    bool answer;
    Outcome outcome;
    bool asked;
};

const Case kCases[] = {
    {"present, yes", "DATAS/VXR.DAT", true, false, true, Outcome::Copied, true},
    {"present in other case, no", "datas/vxr.dat", true, false, false, Outcome::Declined, true},
    {"missing", nullptr, true, false, false, Outcome::Copied, false},
    {"not installed", nullptr, false, false, true, Outcome::Failed, false},
    {"cannot copy", nullptr, true, true, true, Outcome::Failed, false},
};

TEST(PracticeFileTest, AsksOnlyBeforeReplacingAndReplacesOnlyOnYes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        test::TempDir temp;
        const fs::path drive = temp.path() / "c", bundled = temp.path() / "share" / "VXR.DAT";
        const std::vector<unsigned char> task{1, 2, 3, 4}, theirs{9, 9};
        if (c.bundledExists) test::writeAll(bundled, task);
        if (c.existing) test::writeAll(drive / c.existing, theirs);
        if (c.driveIsAFile) test::writeAll(drive, theirs);
        const platform::EnvLookup env = [&](const std::string& name) -> std::optional<std::string> {
            if (name == "VXR_DRIVE_C") return drive.string();
            return std::nullopt;
        };
        std::string asked;
        const auto ask = [&](const std::string& question) {
            asked = question;
            return c.answer;
        };

        const Preparation done = placeTaskStart(bundled, ask, env);

        EXPECT_EQ(done.outcome, c.outcome);
        EXPECT_EQ(!asked.empty(), c.asked);
        if (c.asked) {
            EXPECT_NE(asked.find(done.dataFile.string()), std::string::npos) << asked;
        }
        const fs::path dataFile = drive / (c.existing ? c.existing : "DATAS/VXR.DAT");
        if (c.existing && c.outcome != Outcome::Copied) {
            EXPECT_EQ(test::readAll(dataFile), theirs);
        }
        EXPECT_EQ(fs::exists(dataFile), c.outcome == Outcome::Copied || c.existing != nullptr);
        if (c.outcome == Outcome::Copied) {
            EXPECT_EQ(test::readAll(done.dataFile), task);
        }
        EXPECT_EQ(done.message.empty(), c.outcome != Outcome::Failed) << done.message;
    }
}

// The disk check task in the loop: the instructions come first; a run that
// changed nothing fails its items; Try again puts the start record back; a
// run that checks disk 2 passes; Close ends it. Keys choose the buttons.
TEST(PractiseTest, GradesEveryRunAndTryAgainStartsAfresh) {
    test::TempDir temp;
    const platform::EnvLookup env = [&](const std::string& name) -> std::optional<std::string> {
        if (name == "VXR_DRIVE_C") return (temp.path() / "c").string();
        return std::nullopt;
    };
    const std::vector<PracticeTask> tasks = findPracticeTasks(VXR_BUILT_EXAMPLES);
    ASSERT_GE(tasks.size(), 11u);
    EXPECT_EQ(tasks.front().name, "lab");
    std::size_t first = 0;
    while (first < tasks.size() && tasks[first].name != "practice-disk-check") ++first;
    ASSERT_LT(first, tasks.size());
    const fs::path start = tasks[first].folder / "VXR.DAT";
    const fs::path dataFile = temp.path() / "c" / "DATAS" / "VXR.DAT";

    auto backend = std::make_unique<platform::HeadlessBackend>();
    platform::HeadlessBackend& input = *backend;
    platform::Application app(std::move(backend));
    // Start; then Try again; then Tab, Tab to Close.
    const std::vector<std::vector<int>> answers{{13}, {13}, {9, 9, 13}};
    std::size_t box = 0;
    input.setIdleHandler([&] {
        if (!app.messageBoxOpen() || box == answers.size()) return false;
        for (int key : answers[box]) {
            input.push(platform::InputEvent::keyDown(key));
            input.push(platform::InputEvent::keyUp(key));
        }
        ++box;
        return true;
    });
    int runs = 0;
    const auto trainer = [&] {
        EXPECT_EQ(test::readAll(dataFile), test::readAll(start)) << "run " << runs;
        if (++runs == 1) return;
        model::TCOMPUTER computer(platform::systemClock(), platform::systemRandom(), env);
        ASSERT_EQ(computer.LoadRecord(), 0);
        model::DiskEntry disk = computer.record().disk(0, 2);
        ++disk.checkCount;
        computer.record().setDisk(0, 2, disk);
        ASSERT_EQ(computer.SaveRecord(), 0);
    };

    EXPECT_EQ(practise(app, tasks, first, trainer, env), 0);

    EXPECT_EQ(runs, 2);
    const std::vector<std::string>& texts = app.messageBoxTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[0].find("practice-disk-check"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find(wrapText(tasks[first].instructions, 64).substr(0, 20)), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("FAILED:"), std::string::npos) << texts[1];
    EXPECT_NE(texts[1].find("found: "), std::string::npos) << texts[1];
    EXPECT_NE(texts[1].find("Score: 2 of 4"), std::string::npos) << texts[1];
    EXPECT_NE(texts[2].find("every item passed"), std::string::npos) << texts[2];
    EXPECT_NE(texts[2].find("Score: 4 of 4"), std::string::npos) << texts[2];
}

}  // namespace
}  // namespace vxr::practice
