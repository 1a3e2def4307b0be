// The trainer in its real window on a private X server, driven by keys and
// clicks from xdotool: the menus, the help and the quit question, to a clean
// exit; and a disk image made by pointer and typed name, read back with
// vxrdat.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "layout/dialog_areas.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/message_dialog_layout.h"
#include "layout/palette.h"
#include "layout/step_layout.h"
#include "platform/png.h"
#include "support/temp_dir.h"
#include "x_session.h"

namespace vxr::test {
namespace {

class TrainerWindow : public ::testing::Test {
protected:
    void SetUp() override { start(VXR_EXAMPLE_DATA); }

    void start(const std::string& dataFile) {
        std::filesystem::create_directories(dir.path() / "c" / "DATAS");
        std::filesystem::copy_file(dataFile, dir.path() / "c" / "DATAS" / "VXR.DAT");
        setenv("VXR_DRIVE_C", (dir.path() / "c").c_str(), 1);
        setenv("VXR_TRACE", trace().c_str(), 1);
        // The program's libraries keep a few one-time allocations to the end.
        setenv("LSAN_OPTIONS", "suppressions=" VXR_LSAN_SUPPRESSIONS ":print_suppressions=0", 0);
        unsetenv("VXR_SCRIPT");
        unsetenv("VXR_HEADLESS");
        trainer = startProgram({VXR_PROGRAM});
        ASSERT_GT(trainer, 0);
        // Wait for the window, then give it the keyboard.
        ASSERT_EQ(runProgram({"xdotool", "search", "--sync", "--name", "Vexor 8.0", "windowfocus", "--sync"}), 0);
        settle();
    }

    void TearDown() override {
        if (trainer > 0 && waitpid(trainer, nullptr, WNOHANG) == 0) {
            kill(trainer, SIGKILL);
            waitpid(trainer, nullptr, 0);
        }
    }

    // The trainer's exit status, waiting at most five seconds.
    int awaitExit() {
        int status = -1;
        for (int i = 0; i < 50 && status < 0; ++i) {
            int raw = 0;
            if (waitpid(trainer, &raw, WNOHANG) == trainer) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
            if (status < 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (status >= 0) trainer = -1;
        return status;
    }

    // xdotool commands run against the trainer's window ($W).
    void xdotool(const std::string& commands) {
        ASSERT_EQ(runProgram({"sh", "-c", "W=$(xdotool search --name 'Vexor 8.0' | head -1); " + commands}), 0)
            << commands;
        settle();
    }

    // The answers to message box `code` in the trace.
    std::vector<int> answersTo(int code) const {
        std::vector<int> answers;
        for (const auto& line : traceLines()) {
            if (line["event"] == "answer" && line["code"] == code) answers.push_back(line["answer"].get<int>());
        }
        return answers;
    }

    std::filesystem::path trace() const { return dir.path() / "trace.jsonl"; }

    static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }

    void keys(std::vector<std::string> names) {
        std::vector<std::string> command{"xdotool", "key", "--delay", "120"};
        command.insert(command.end(), names.begin(), names.end());
        ASSERT_EQ(runProgram(command), 0);
        settle();
    }

    // The colour the screen shows at a point of the trainer's window.
    platform::Color screenAt(int x, int y) {
        const auto file = dir.path() / "screen.png";
        EXPECT_EQ(
            runProgram({"sh", "-c",
                        "import -window \"$(xdotool search --name 'Vexor 8.0' | head -1)\" png24:" + file.string()}),
            0);
        const auto picture = platform::decodePng(readAll(file));
        if (!picture || !picture->contains(x, y)) return {};
        return picture->pixel(x, y);
    }

    static bool isHighlightBlue(platform::Color c) {
        const platform::Color blue = layout::palette(2);
        return std::abs(c.r - blue.r) < 30 && std::abs(c.g - blue.g) < 30 && std::abs(c.b - blue.b) < 30;
    }

    // A click at (x, y) of the window's client area; the pointer moves
    // there first, as a hand would.
    void clickAt(int x, int y) {
        ASSERT_EQ(runProgram({"sh", "-c",
                              "xdotool mousemove --window \"$(xdotool search --name 'Vexor 8.0' | head -1)\" " +
                                  std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 click 1"}),
                  0);
        settle();
    }

    void typeText(const std::string& text) {
        ASSERT_EQ(runProgram({"xdotool", "type", "--delay", "60", text}), 0);
        settle();
    }

    // Waits until the trace shows step `step`, at most `seconds`.
    bool awaitStep(int step, int seconds) {
        for (int i = 0; i < seconds * 10; ++i) {
            for (const auto& line : traceLines()) {
                if (line["event"] == "step" && line["step"] == step) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    std::vector<nlohmann::json> traceLines() const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(trace());
        for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
        return lines;
    }

    TempDir dir;
    pid_t trainer = -1;
};

TEST_F(TrainerWindow, KeysWalkTheMenusTheHelpAndQuit) {
    // Local > Disk > To Image.
    keys({"Return", "Return", "Down"});
    const auto& disk = layout::thirdMenu(1, 1);
    const auto toImage = layout::menuItem(disk, 2).offset;
    EXPECT_TRUE(isHighlightBlue(screenAt(disk.at.x + toImage.x + 30, disk.at.y + toImage.y + 17)));
    // Back out: third level, submenu, then nothing more.
    keys({"Escape", "Escape", "Escape"});
    EXPECT_FALSE(isHighlightBlue(screenAt(disk.at.x + toImage.x + 30, disk.at.y + toImage.y + 17)));
    // Up twice from Local reaches Help; open it, scroll, close it.
    keys({"Up", "Up", "Return"});
    keys({"Next", "Next", "Down", "Prior"});
    keys({"Escape"});
    // Quit: Down from Help, Enter, Yes with Enter, then any key ends the notice.
    keys({"Down", "Return"});
    keys({"Return"});
    keys({"a"});
    EXPECT_EQ(awaitExit(), 0);

    std::vector<std::string> events;
    for (const auto& line : traceLines()) {
        std::string event = line["event"];
        if (line.contains("shown")) event += line["shown"].get<bool>() ? ":shown" : ":closed";
        if (line.contains("code")) event += ":" + std::to_string(line["code"].get<int>());
        events.push_back(event);
    }
    const std::vector<std::string> expected{"start",    "help:shown",    "help:closed", "dialog:8",
                                            "answer:8", "closingNotice", "end"};
    EXPECT_EQ(events, expected);
}

// A click inside the button rectangle `n` of operation dialog `step`.
platform::Point buttonOf(int step, int n) {
    const auto& rect = layout::dialogRects(step).buttons[static_cast<std::size_t>(n - 1)];
    const auto at = layout::stepPicture(step).at;
    return {at.x + rect.left + 8, at.y + rect.top + 6};
}

TEST_F(TrainerWindow, ADiskImageByPointerIsSavedInTheDataFile) {
    // Local > Disk > To Image.
    keys({"Return", "Return", "Down", "Return"});
    // Disk 2 (disk 1 holds C: and D:, where no image of it may go), then OK.
    const auto table = layout::stepPicture(1).at;
    const auto area = layout::selectionDialog(1).area;
    clickAt(table.x + area.left + 5, table.y + area.top + 13 + 5);
    clickAt(buttonOf(1, 1).x, buttonOf(1, 1).y);
    // The file dialog looks in C:\; type the name, Save.
    const auto file = layout::stepPicture(8).at;
    clickAt(file.x + layout::kFileNameEditAt.x + 5, file.y + layout::kFileNameEditAt.y + 5);
    typeText("newimg");
    clickAt(buttonOf(8, 1).x, buttonOf(8, 1).y);
    // No compression, Yes, and after the progress Continue.
    clickAt(buttonOf(10, 1).x, buttonOf(10, 1).y);
    clickAt(buttonOf(12, 1).x, buttonOf(12, 1).y);
    ASSERT_TRUE(awaitStep(20, 30));  // after the progress bar's run
    settle();
    clickAt(buttonOf(20, 1).x, buttonOf(20, 1).y);

    std::vector<int> steps;
    bool saved = false;
    for (const auto& line : traceLines()) {
        if (line["event"] == "stepAnswer") steps.push_back(line["step"].get<int>());
        if (line["event"] == "save") saved = line["result"] == 0;
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 8, 10, 12, 20}));
    EXPECT_TRUE(saved);

    const auto dump = dir.path() / "dump.json";
    ASSERT_EQ(runProgram({"sh", "-c",
                          std::string(VXRDAT_PROGRAM) + " dump --json " +
                              (dir.path() / "c" / "DATAS" / "VXR.DAT").string() + " > " + dump.string()}),
              0);
    std::ifstream in(dump);
    const auto record = nlohmann::json::parse(in);
    bool found = false;
    for (const auto& image : record["computers"]["local"]["images"]) {
        if (image["name"] == "NEWIMG") found = image["path"] == "C:\\NEWIMG.VXI" && image["size"] == 1;
    }
    EXPECT_TRUE(found) << record["computers"]["local"]["images"].dump();
}

// The quit question's No under the pointer, the highlight moved to Yes by a
// key: a click with no move answers No. Then the keyboard focus goes to the
// root window, and the first click into the trainer answers at once.
TEST_F(TrainerWindow, AClickActsOnWhatIsUnderThePointer) {
    const auto box = layout::kQuitQuestionPosition;
    const auto no = layout::kMessageKinds[2].button2;
    const auto yes = layout::kMessageKinds[2].button1;
    keys({"Up", "Return"});  // Quit: the question opens on Yes
    xdotool("xdotool mousemove --window $W " + std::to_string(box.x + no.left + 10) + " " +
            std::to_string(box.y + no.top + 8));
    keys({"Left"});  // the highlight goes back to Yes
    xdotool("xdotool click 1");
    EXPECT_EQ(answersTo(8), std::vector<int>{2});
    // The question again, the pointer on its Yes; the focus elsewhere.
    xdotool("xdotool mousemove --window $W " + std::to_string(box.x + yes.left + 10) + " " +
            std::to_string(box.y + yes.top + 8));
    keys({"Up", "Return"});
    xdotool("xdotool windowfocus --sync $(xwininfo -root | awk '/Window id/ {print $4}')");
    xdotool("xdotool click 1");
    EXPECT_EQ(answersTo(8), (std::vector<int>{2, 1}));
    xdotool("xdotool mousemove_relative 30 30 click 1");  // ends the closing notice
    EXPECT_EQ(awaitExit(), 0);
}

// Partition to partition by keys alone, into the free space of empty disk 3:
// the free-space row's size box takes Enter and chooses the row. The task's
// expect list grades the result.
class PartitionCopyTask : public TrainerWindow {
protected:
    void SetUp() override { start(VXR_EXAMPLES "/practice-partition-copy/VXR.DAT"); }
};

TEST_F(PartitionCopyTask, IntoFreeSpaceByKeysAlone) {
    keys({"Return", "Down", "Return", "Return"});       // Local > Partition > To Partition
    keys({"Tab", "Return"});                            // disk 1
    keys({"Down", "Down", "Return", "Tab", "Return"});  // its Linux partition
    keys({"Down", "Down", "Return", "Tab", "Return"});  // disk 3
    keys({"Down", "Return", "Tab", "Return"});          // the free space
    keys({"Left", "Return"});                           // Yes, proceed
    ASSERT_TRUE(awaitStep(21, 30));                     // the completion
    settle();
    keys({"Left", "Return"});  // Continue
    const int graded = runProgram({VXRDAT_PROGRAM, "check", VXR_SOURCE_EXAMPLES "/practice-partition-copy/task.json",
                                   (dir.path() / "c" / "DATAS" / "VXR.DAT").string()});
    EXPECT_EQ(graded, 0);
}

}  // namespace
}  // namespace vxr::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new vxr::test::XvfbEnvironment);
    return RUN_ALL_TESTS();
}
