// The real SDL window on a private X server: pointer moves, clicks and keys
// sent by xdotool reach the right controls; a screenshot taken by ImageMagick
// shows the composed frame; the frame scales by a whole factor with the
// pointer mapped back; the message box is a window of its own.
//
// The test program starts its own Xvfb (-displayfd picks a free display)
// before the first test and stops it after the last.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/application.h"
#include "platform/edit.h"
#include "platform/image_control.h"
#include "platform/png.h"
#include "platform/sdl_backend.h"
#include "support/temp_dir.h"
#include "x_session.h"

extern char** environ;

namespace vxr::platform {
namespace {

using test::exitStatus;
using test::runProgram;
using test::startProgram;

constexpr Color kBack{30, 60, 90};
constexpr Color kTarget{200, 40, 40};

Picture solid(int width, int height, Color color) { return std::make_shared<const Bitmap>(width, height, color); }

class SdlWindowTest : public ::testing::Test {
protected:
    void open(int scale, int width, int height) {
        auto made = std::make_unique<SdlBackend>(scale);
        backend = made.get();
        app = std::make_unique<Application>(std::move(made));
        app->setTitle("E2E box title");
        form = std::make_unique<Form>("E2E window", width, height);
        back = std::make_unique<Image>(*form, "Back");
        back->setBounds(0, 0, width, height);
        back->setPicture(solid(width, height, kBack));
        target = std::make_unique<Image>(*form, "Target");
        target->onMouseMove = [this](Control&, ShiftState, int x, int y) { moves.push_back({x, y}); };
        target->onClick = [this](Control&) { ++clicks; };
        app->showMainForm(*form);
        window = std::to_string(backend->nativeWindowId(app->mainWindow()));
        ASSERT_NE(window, "0");
        pumpFor(std::chrono::milliseconds(200));
    }

    void TearDown() override {
        edit.reset();
        target.reset();
        back.reset();
        form.reset();
        app.reset();
    }

    bool pumpUntil(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            app->processMessages();
            if (condition()) return true;
            app->waitMessage(50);
        }
        return condition();
    }

    void pumpFor(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        pumpUntil([end] { return std::chrono::steady_clock::now() >= end; });
    }

    Bitmap screenshot() {
        pumpFor(std::chrono::milliseconds(100));
        const auto file = temp.path() / "window.png";
        EXPECT_EQ(runProgram({"import", "-window", window, "png24:" + file.string()}), 0);
        return decodePng(test::readAll(file)).value_or(Bitmap());
    }

    test::TempDir temp;
    SdlBackend* backend = nullptr;
    std::unique_ptr<Application> app;
    std::unique_ptr<Form> form;
    std::unique_ptr<Image> back;
    std::unique_ptr<Image> target;
    std::unique_ptr<Edit> edit;
    std::string window;
    std::vector<Point> moves;
    int clicks = 0;
};

TEST_F(SdlWindowTest, PointerAndKeysReachTheRightControls) {
    open(1, 320, 240);
    target->setBounds(100, 80, 60, 40);
    target->setPicture(solid(60, 40, kTarget));
    edit = std::make_unique<Edit>(*form, "Edit1");
    edit->setBounds(10, 10, 100, 20);
    std::vector<int> keys;
    edit->onKeyDown = [&keys](Control&, int& key, ShiftState) { keys.push_back(key); };
    edit->setFocus();

    ASSERT_EQ(runProgram({"xdotool", "mousemove", "--sync", "--window", window, "110", "95"}), 0);
    ASSERT_TRUE(pumpUntil([this] { return !moves.empty(); }));
    EXPECT_EQ(moves.back(), (Point{10, 15}));

    ASSERT_EQ(runProgram({"xdotool", "click", "1"}), 0);
    EXPECT_TRUE(pumpUntil([this] { return clicks == 1; }));

    ASSERT_EQ(runProgram({"xdotool", "windowfocus", "--sync", window}), 0);
    ASSERT_EQ(runProgram({"xdotool", "key", "Down", "Tab"}), 0);
    ASSERT_EQ(runProgram({"xdotool", "type", "ok"}), 0);
    EXPECT_TRUE(pumpUntil([&] { return edit->text() == "ok"; }));
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[0], vk::Down);
    EXPECT_EQ(keys[1], vk::Tab);
    EXPECT_EQ(form->focusedControl(), edit.get());

    const Bitmap shot = screenshot();
    ASSERT_EQ(shot.width(), 320);
    EXPECT_EQ(shot.pixel(120, 100), kTarget);
    EXPECT_EQ(shot.pixel(300, 220), kBack);
}

TEST_F(SdlWindowTest, ScaledWindowMapsThePointerBackToClientPixels) {
    open(2, 160, 120);
    target->setBounds(40, 30, 20, 20);
    target->setPicture(solid(20, 20, kTarget));
    EXPECT_EQ(backend->scale(app->mainWindow()), 2);
    ASSERT_EQ(runProgram({"xdotool", "mousemove", "--sync", "--window", window, "100", "70"}), 0);
    ASSERT_TRUE(pumpUntil([this] { return !moves.empty(); }));
    EXPECT_EQ(moves.back(), (Point{10, 5}));
    const Bitmap shot = screenshot();
    ASSERT_EQ(shot.width(), 320);
    EXPECT_EQ(shot.pixel(100, 70), kTarget);
    EXPECT_EQ(shot.pixel(70, 50), kBack);
}

TEST_F(SdlWindowTest, CloseButtonArrivesAsACloseRequest) {
    open(1, 120, 90);
    ASSERT_EQ(runProgram({"xdotool", "mousemove", "--sync", "--window", window, "5", "5"}), 0);
    ASSERT_TRUE(pumpUntil([] { return SDL_GetMouseFocus() != nullptr; }));
    int requests = 0;
    form->onCloseRequest = [&requests] { ++requests; };
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(SDL_GetMouseFocus());
    SDL_PushEvent(&close);
    EXPECT_TRUE(pumpUntil([&requests] { return requests == 1; }));
    EXPECT_FALSE(app->terminated());
}

TEST_F(SdlWindowTest, MessageBoxIsAWindowOfItsOwnAnsweredByEnter) {
    open(1, 200, 150);
    // Finds the box by its title once it is mapped, focuses it, presses Enter.
    const pid_t answerer =
        startProgram({"timeout", "20", "sh", "-c",
                      "xdotool search --sync --name '^E2E box title$' windowfocus --sync && xdotool key Return"});
    alarm(30);  // a box nobody answers would wait for ever
    app->messageBox("Press Enter");
    alarm(0);
    EXPECT_EQ(exitStatus(answerer), 0);
    EXPECT_EQ(app->messageBoxTexts(), std::vector<std::string>{"Press Enter"});
    EXPECT_FALSE(app->messageBoxOpen());
}

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A spinning wait loop would use the processor for the whole second; an idle
// one uses a few milliseconds, more on a loaded machine under the sanitizers,
// so the bound sits well between the two.
TEST_F(SdlWindowTest, WaitingForInputLeavesTheProcessorIdle) {
    open(1, 120, 90);
    const double before = processorSeconds();
    pumpFor(std::chrono::milliseconds(1000));
    EXPECT_LT(processorSeconds() - before, 0.3);
}

TEST(SdlKeyTest, KeyCodesBecomeWindowsVirtualKeys) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_7), '7');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RETURN), vk::Enter);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_KP_ENTER), vk::Enter);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_PAGEDOWN), vk::PageDown);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RSHIFT), vk::Shift);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_F12), vk::F1 + 11);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_BACKSLASH), vk::Backslash);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_KP_0), 96);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_APPLICATION), 0);
}

}  // namespace
}  // namespace vxr::platform

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new vxr::test::XvfbEnvironment);
    return RUN_ALL_TESTS();
}
