// The trainer in its real window on a private X server, driven by keys and
// clicks from xdotool: the menus, the help and the quit question, to a clean
// exit; and a disk image made by pointer and typed name, read back with
// vxrdat.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "dialogs/dialog_areas.h"
#include "dialogs/palette.h"
#include "input/dialog_rects.h"
#include "operations/step_layout.h"
#include "input/menu_geometry.h"
#include "platform/png.h"
#include "support/temp_dir.h"
#include "x_session.h"

namespace vxr::test {
namespace {

class TrainerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "c" / "DATAS");
        std::filesystem::copy_file(VXR_EXAMPLE_DATA, dir.path() / "c" / "DATAS" / "VXR.DAT");
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
        EXPECT_EQ(runProgram({"sh", "-c",
                              "import -window \"$(xdotool search --name 'Vexor 8.0' | head -1)\" png24:" + file.string()}),
                  0);
        const auto picture = platform::decodePng(readAll(file));
        if (!picture || !picture->contains(x, y)) return {};
        return picture->pixel(x, y);
    }

    static bool isHighlightBlue(platform::Color c) {
        const platform::Color blue = dialogs::palette(2);
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
    const auto& disk = input::thirdMenu(1, 1);
    const auto toImage = input::menuItem(disk, 2).offset;
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
    int status = -1;
    for (int i = 0; i < 50 && status < 0; ++i) {
        int raw = 0;
        if (waitpid(trainer, &raw, WNOHANG) == trainer) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        if (status < 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    trainer = -1;
    EXPECT_EQ(status, 0);

    std::vector<std::string> events;
    for (const auto& line : traceLines()) {
        std::string event = line["event"];
        if (line.contains("shown")) event += line["shown"].get<bool>() ? ":shown" : ":closed";
        if (line.contains("code")) event += ":" + std::to_string(line["code"].get<int>());
        events.push_back(event);
    }
    const std::vector<std::string> expected{"start", "help:shown", "help:closed", "dialog:8", "answer:8",
                                            "closingNotice", "end"};
    EXPECT_EQ(events, expected);
}

// A click inside the button rectangle `n` of operation dialog `step`.
platform::Point buttonOf(int step, int n) {
    const auto& rect = input::dialogRects(step).buttons[static_cast<std::size_t>(n - 1)];
    const auto at = operations::stepPicture(step).at;
    return {at.x + rect.left + 8, at.y + rect.top + 6};
}

TEST_F(TrainerWindow, ADiskImageByPointerIsSavedInTheDataFile) {
    // Local > Disk > To Image.
    keys({"Return", "Return", "Down", "Return"});
    // Disk 2 (disk 1 holds C: and D:, where no image of it may go), then OK.
    const auto table = operations::stepPicture(1).at;
    const auto area = dialogs::selectionDialog(1).area;
    clickAt(table.x + area.left + 5, table.y + area.top + 13 + 5);
    clickAt(buttonOf(1, 1).x, buttonOf(1, 1).y);
    // The file dialog looks in C:\; type the name, Save.
    const auto file = operations::stepPicture(8).at;
    clickAt(file.x + dialogs::kFileNameEditAt.x + 5, file.y + dialogs::kFileNameEditAt.y + 5);
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
                          std::string(VXRDAT_PROGRAM) + " dump --json " + (dir.path() / "c" / "DATAS" / "VXR.DAT").string() +
                              " > " + dump.string()}),
              0);
    std::ifstream in(dump);
    const auto record = nlohmann::json::parse(in);
    bool found = false;
    for (const auto& image : record["computers"]["local"]["images"]) {
        if (image["name"] == "NEWIMG") found = image["path"] == "C:\\NEWIMG.VXI" && image["size"] == 1;
    }
    EXPECT_TRUE(found) << record["computers"]["local"]["images"].dump();
}

}  // namespace
}  // namespace vxr::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new vxr::test::XvfbEnvironment);
    return RUN_ALL_TESTS();
}
