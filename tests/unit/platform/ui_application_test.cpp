// The application: event scripts (format, playing, shots, waits, running
// out), the message box, presenting only what changed, and window scaling.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/application.h"
#include "platform/edit.h"
#include "platform/headless_backend.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/message_box.h"
#include "platform/png.h"
#include "platform/sdl_backend.h"
#include "platform/test_pictures.h"
#include "support/temp_dir.h"

namespace vxr::platform {
namespace {

using Kind = ScriptCommand::Kind;

constexpr Color kRed{200, 0, 0};

class StopRequest : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string parseError(std::string_view text) {
    try {
        EventScript::parse(text, "t.vxs");
    } catch (const ScriptError& error) {
        return error.what();
    }
    return "no error";
}

TEST(EventScriptTest, ReadsEveryCommand) {
    const EventScript script = EventScript::parse(
        "# a comment\n"
        "key Down ctrl+a\r\n"
        "\n"
        "KEYDOWN Shift\n"
        "keyup shift\n"
        "type C:\\My Files \n"
        "move 60 230\n"
        "click 1 -2\n"
        "press 3 4\n"
        "release 5 6\n"
        "wheel 7 8 -3\n"
        "close\n"
        "shot  out dir/step 3.png \n"
        "waitfor Image4B 2.5\n"
        "waitbox\n"
        "sleep 40",
        "t.vxs");
    const auto& c = script.commands();
    ASSERT_EQ(c.size(), 14u);
    EXPECT_EQ(c[0].kind, Kind::Key);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[0].chords, (std::vector<std::vector<int>>{{vk::Down}, {vk::Ctrl, 'A'}}));
    EXPECT_EQ(c[1].kind, Kind::KeyDown);
    EXPECT_EQ(c[1].chords.front().front(), vk::Shift);
    EXPECT_EQ(c[3].text, "C:\\My Files ");
    EXPECT_EQ(c[4].point, (Point{60, 230}));
    EXPECT_EQ(c[5].point, (Point{1, -2}));
    EXPECT_EQ(c[8].kind, Kind::Wheel);
    EXPECT_EQ(c[8].amount, -3);
    EXPECT_EQ(c[9].kind, Kind::Close);
    EXPECT_EQ(c[10].text, "out dir/step 3.png");
    EXPECT_EQ(c[11].text, "Image4B");
    EXPECT_EQ(c[11].amount, 2500);
    EXPECT_EQ(c[12].amount, EventScript::kDefaultWaitMs);
    EXPECT_EQ(c[13].amount, 40);
    EXPECT_EQ(c[13].line, 16);
}

TEST(EventScriptTest, NamesTheLineOfTheFirstMistake) {
    EXPECT_EQ(parseError("key Down\njump 1 2\n"), "t.vxs:2: unknown command 'jump'");
    EXPECT_EQ(parseError("\n\nkey Dwon"), "t.vxs:3: unknown key 'Dwon'");
    EXPECT_EQ(parseError("click 10"), "t.vxs:1: 'click' takes 2 argument(s)");
    EXPECT_EQ(parseError("move 1 x"), "t.vxs:1: not a whole number: 'x'");
    EXPECT_EQ(parseError("type"), "t.vxs:1: 'type' needs text");
    EXPECT_THROW(EventScript::load("/nonexistent/script.vxs"), ScriptError);
}

// Numbers that would wrap, never end or end at once are refused with their
// line; a script's text in a message cannot steer the terminal.
TEST(EventScriptTest, RefusesBadWaitNumbersAndEscapesControlCharacters) {
    const std::string seconds = "not a number of seconds from 0 to 86400: ";
    const std::string millis = "not a number of milliseconds from 0 to 86400000: ";
    const std::pair<std::string_view, std::string> cases[] = {
        {"waitfor A -1", "t.vxs:1: " + seconds + "'-1'"},
        {"key A\nwaitfor X 3000000", "t.vxs:2: " + seconds + "'3000000'"},
        {"waitbox nan", "t.vxs:1: " + seconds + "'nan'"},
        {"waitbox inf", "t.vxs:1: " + seconds + "'inf'"},
        {"waitbox 1e999", "t.vxs:1: " + seconds + "'1e999'"},
        {"sleep -5", "t.vxs:1: " + millis + "'-5'"},
        {"sleep 86400001", "t.vxs:1: " + millis + "'86400001'"},
        {"sleep 99999999999", "t.vxs:1: not a whole number: '99999999999'"},
        {"move 2147483648 0", "t.vxs:1: not a whole number: '2147483648'"},
        {"\x1b]0;owned\x07 1", "t.vxs:1: unknown command '\\x1B]0;owned\\x07'"},
        {"key \xc2\x9b"
         "31m",
         "t.vxs:1: unknown key '\\xC2\\x9B31m'"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(parseError(text), message) << text;
    EXPECT_EQ(EventScript::parse("sleep 86400000\nwaitbox 86400").commands()[1].amount, 86400000);
}

TEST(EventScriptTest, SkipsAByteOrderMarkAndRefusesADirectory) {
    const EventScript script = EventScript::parse("\xEF\xBB\xBFkey Enter\n");
    ASSERT_EQ(script.commands().size(), 1u);
    EXPECT_EQ(script.commands()[0].chords.front().front(), vk::Enter);
    const test::TempDir temp;
    try {
        EventScript::load(temp.path());
        ADD_FAILURE() << "a directory was read as a script";
    } catch (const ScriptError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("it is a directory"));
    }
}

TEST(KeyNamesTest, NamesAndCharactersMapToWindowsKeyNumbers) {
    EXPECT_EQ(keyFromName("pgdn"), vk::PageDown);
    EXPECT_EQ(keyFromName("Esc"), 27);
    EXPECT_EQ(keyFromName("#13"), 13);
    EXPECT_EQ(keyFromName("F5"), 116);
    EXPECT_EQ(keyFromName("a"), 'A');
    EXPECT_EQ(keyFromName("7"), '7');
    EXPECT_EQ(keyFromName("F13"), std::nullopt);
    EXPECT_EQ(keyName(vk::Down), "Down");
    EXPECT_EQ(keyName(200), "#200");
    EXPECT_EQ(keyForCharacter(U':')->key, vk::Semicolon);
    EXPECT_TRUE(keyForCharacter(U':')->shift);
    EXPECT_EQ(keyForCharacter(U'\\')->key, vk::Backslash);
    EXPECT_FALSE(keyForCharacter(U'封'));
    EXPECT_EQ(textForKey('A', {}), "a");
    EXPECT_EQ(textForKey('A', {.shift = true}), "A");
    EXPECT_EQ(textForKey('1', {.shift = true}), "!");
    EXPECT_EQ(textForKey(vk::Enter, {}), "\r");
    EXPECT_EQ(textForKey('A', {.ctrl = true}), "");
}

TEST(WindowScaleTest, WholeFactorThatFitsTheScreen) {
    EXPECT_EQ(chooseWindowScale(640, 480, 1024, 768), 1);
    EXPECT_EQ(chooseWindowScale(640, 480, 1920, 1080), 2);
    EXPECT_EQ(chooseWindowScale(640, 480, 3840, 2160), 4);
    EXPECT_EQ(chooseWindowScale(640, 480, 800, 500), 1);
    EXPECT_EQ(windowToClient({1279, 959}, 2), (Point{639, 479}));
    EXPECT_EQ(windowToClient({5, 4}, 3), (Point{1, 1}));
    EXPECT_EQ(windowToClient({-1, -4}, 2), (Point{-1, -2}));
}

// A small window: a red button that shows a hidden "Done" label when
// clicked, and a focused edit.
class ScriptedRunTest : public ::testing::Test {
protected:
    ScriptedRunTest() {
        auto made = std::make_unique<HeadlessBackend>();
        backend = made.get();
        app = std::make_unique<Application>(std::move(made));
        app->setTitle("Trainer title");
        app->setStopHandler([](const std::string& reason) { throw StopRequest(reason); });
        button.setBounds(100, 0, 40, 20);
        button.setPicture(std::make_shared<const Bitmap>(40, 20, kRed));
        button.onClick = [this](Control&) { done.show(); };
        done.setCaption("Done");
        done.hide();
        edit.setBounds(0, 0, 90, 15);
    }

    void runScript(std::string_view text) {
        app->setScript(EventScript::parse(text, "run.vxs"));
        app->showMainForm(form);
        edit.setFocus();
        app->run(form);
    }

    std::string stopReason(std::string_view text) {
        try {
            runScript(text);
        } catch (const StopRequest& stop) {
            return stop.what();
        }
        return "not stopped";
    }

    test::TempDir temp;
    Form form{"Scripted", 200, 150};
    Image button{form, "Button"};
    Label done{form, "Done"};
    Edit edit{form, "Edit1"};
    HeadlessBackend* backend = nullptr;
    std::unique_ptr<Application> app;
};

TEST_F(ScriptedRunTest, PlaysKeysTextAndClicksThenSavesAShot) {
    const auto shot = temp.path() / "after click.png";
    runScript(
        "type C:\\IMG\n"
        "key Left Backspace\n"
        "click 105 5\n"
        "waitfor Done 1\n"
        "shot " +
        shot.string() +
        "\n"
        "close\n");
    EXPECT_EQ(edit.text(), "C:\\IG");
    EXPECT_TRUE(done.showing());
    EXPECT_TRUE(app->terminated());
    const auto bytes = test::readAll(shot);
    const auto picture = decodePng(bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 200);
    EXPECT_EQ(picture->pixel(120, 10), kRed);
}

TEST_F(ScriptedRunTest, RunningOutWhileWaitingStopsTheRun) {
    const std::string reason = stopReason("key A\n");
    EXPECT_EQ(reason, "the event script run.vxs (end) ran out while the program waits for input");
    EXPECT_EQ(edit.text(), "a");
}

TEST_F(ScriptedRunTest, WaitForGivesUpAfterItsTime) {
    const auto start = std::chrono::steady_clock::now();
    const std::string reason = stopReason("key A\nwaitfor Done 0.05\nkey B\n");
    EXPECT_EQ(reason, "run.vxs line 2: gave up waiting for the control Done to show after 50 ms");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(edit.text(), "a");
}

TEST_F(ScriptedRunTest, SleepLetsTimePassWithoutInput) {
    const auto start = std::chrono::steady_clock::now();
    runScript("sleep 60\nclose\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
    EXPECT_TRUE(app->terminated());
}

TEST_F(ScriptedRunTest, DefaultStopPrintsTheReasonAndExitsWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    app->setStopHandler(nullptr);
    EXPECT_EXIT(runScript("key A\n"), ::testing::ExitedWithCode(Application::kStopExitStatus),
                "vxr: the event script run.vxs \\(end\\) ran out while the program waits for input");
}

TEST_F(ScriptedRunTest, MessageBoxIsAnsweredByTheScript) {
    std::vector<std::string> answered;
    button.onClick = [&](Control&) {
        app->messageBox("Disk not found\r\n第二行");
        answered.push_back("first");
        app->messageBox("Again");
        answered.push_back("second");
    };
    const auto shot = temp.path() / "box.png";
    runScript(
        "click 105 5\n"
        "waitbox\n"
        "shot " +
        shot.string() +
        "\n"
        "click 105 5\n"
        "key Enter\n"
        "waitbox\n"
        "key Esc\n"
        "close\n");
    EXPECT_EQ(answered, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(app->messageBoxTexts(), (std::vector<std::string>{"Disk not found\r\n第二行", "Again"}));
    EXPECT_FALSE(app->messageBoxOpen());
    // Only the main window is left; the box's window was closed.
    EXPECT_EQ(backend->windows().size(), 1u);
    const auto picture = decodePng(test::readAll(shot));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(100, 75), kButtonFace);  // the box's face over the main window's centre
    EXPECT_EQ(picture->pixel(120, 10), kRed);
}

TEST_F(ScriptedRunTest, MessageBoxAnswersAClickOnOkAndIgnoresOtherKeys) {
    MessageBoxWindow probe("Click me");
    const Rect ok = probe.button().bounds();
    bool returned = false;
    button.onClick = [&](Control&) {
        app->messageBox("Click me");
        returned = true;
    };
    const std::string clickOk = "click " + std::to_string(ok.left + 5) + " " + std::to_string(ok.top + 5) + "\n";
    runScript("click 105 5\nkey A Tab Down\nwaitbox 0.01\n" + clickOk + "close\n");
    EXPECT_TRUE(returned);
    EXPECT_EQ(edit.text(), "");
}

TEST(MessageBoxWindowTest, SizesItselfToItsLinesAndAnswersEnterSpaceEscAndClose) {
    MessageBoxWindow box("A short line\nA much longer second line of the message");
    ASSERT_EQ(box.lines().size(), 2u);
    EXPECT_EQ(box.lines()[1]->caption(), "A much longer second line of the message");
    EXPECT_EQ(box.form().clientWidth(), box.lines()[1]->width() + 2 * MessageBoxWindow::kMargin);
    EXPECT_GT(box.button().top(), box.lines()[1]->top() + box.lines()[1]->height());
    for (const InputEvent& event : {InputEvent::keyDown(vk::Enter), InputEvent::keyDown(vk::Space),
                                    InputEvent::keyDown(vk::Escape), InputEvent::closeRequest()}) {
        MessageBoxWindow other("x");
        other.form().dispatch(InputEvent::keyDown('X', "x"));
        EXPECT_FALSE(other.answered());
        other.form().dispatch(event);
        EXPECT_TRUE(other.answered());
    }
}

TEST(MessageBoxWindowTest, AQuestionSetsItsButtonsInARowAndEachWayOfAnsweringChoosesOne) {
    struct Way {
        const char* name;
        std::vector<InputEvent> events;
        std::size_t choice;
    };
    MessageBoxWindow probe("Copy it?", {"Copy", "Cancel"});
    const Rect second = probe.button(1).bounds();
    const Point onSecond{second.left + 5, second.top + 5};
    EXPECT_EQ(probe.button(0).top(), second.top);
    EXPECT_GE(second.left, probe.button(0).bounds().right + MessageBoxWindow::kButtonGap);
    EXPECT_LE(second.right + MessageBoxWindow::kMargin, probe.form().clientWidth());
    const Way ways[] = {
        {"Enter", {InputEvent::keyDown(vk::Enter)}, 0},
        {"Space", {InputEvent::keyDown(vk::Space)}, 0},
        {"Esc", {InputEvent::keyDown(vk::Escape)}, 1},
        {"close", {InputEvent::closeRequest()}, 1},
        {"click on Cancel", {InputEvent::mouseDown(onSecond), InputEvent::mouseUp(onSecond)}, 1},
        {"Tab, Enter", {InputEvent::keyDown(vk::Tab), InputEvent::keyDown(vk::Enter)}, 1},
        {"Right, Left, Enter",
         {InputEvent::keyDown(vk::Right), InputEvent::keyDown(vk::Left), InputEvent::keyDown(vk::Enter)},
         0},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        MessageBoxWindow box("Copy it?", {"Copy", "Cancel"});
        EXPECT_EQ(box.choice(), 1u);  // unanswered counts as cancelled
        for (const InputEvent& event : way.events) box.form().dispatch(event);
        EXPECT_TRUE(box.answered());
        EXPECT_EQ(box.choice(), way.choice);
    }
}

TEST(ApplicationTest, PresentsOnlyWhatChangedAndFollowsCaptionAndSize) {
    auto made = std::make_unique<HeadlessBackend>();
    HeadlessBackend& backend = *made;
    Application app(std::move(made));
    Form form("First caption", 120, 80);
    Image image(form, "Image");
    image.setBounds(0, 0, 10, 10);
    app.showMainForm(form);
    ASSERT_EQ(backend.windows().size(), 1u);
    const HeadlessBackend::Window& window = backend.windows().begin()->second;
    EXPECT_EQ(window.presents, 1);
    app.processMessages();
    app.repaint();
    EXPECT_EQ(window.presents, 1);
    image.setPicture(std::make_shared<const Bitmap>(10, 10, kRed));
    app.repaint();
    EXPECT_EQ(window.presents, 2);
    EXPECT_EQ(window.frame.pixel(5, 5), kRed);
    form.setCaption("Second caption");
    form.setClientSize(640, 480);
    app.processMessages();
    EXPECT_EQ(window.caption, "Second caption");
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.frame.width(), 640);
}

TEST(ApplicationTest, CloseRequestGoesToTheFormOrEndsTheApplication) {
    auto made = std::make_unique<HeadlessBackend>();
    HeadlessBackend& backend = *made;
    Application app(std::move(made));
    Form form("Closing", 50, 50);
    app.showMainForm(form);
    int requests = 0;
    form.onCloseRequest = [&] { ++requests; };
    backend.push(InputEvent::closeRequest());
    app.processMessages();
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(app.terminated());
    form.onCloseRequest = nullptr;
    backend.push(InputEvent::closeRequest());
    backend.push(InputEvent::keyDown('A', "a"));
    app.processMessages();
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(backend.hasQueuedEvents());  // nothing is dispatched after the end
}

}  // namespace
}  // namespace vxr::platform
