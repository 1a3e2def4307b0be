// Input routing: hit testing and z-order, moves that pass through, click
// semantics, key order with key preview and the handled-key rule, focus,
// and re-entrant dispatch with controls freed inside nested loops.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/headless_backend.h"
#include "platform/image_control.h"
#include "platform/scroll_box.h"
#include "platform/utf8.h"

namespace vxr::platform {
namespace {

using Log = std::vector<std::string>;

std::string describe(const std::string& what, Point p) {
    return what + " " + std::to_string(p.x) + "," + std::to_string(p.y);
}

// Records the pointer events a control receives.
void logPointer(Control& control, Log& log) {
    control.onMouseMove = [&log](Control& sender, ShiftState, int x, int y) {
        log.push_back(describe(sender.name() + " move", {x, y}));
    };
    control.onClick = [&log](Control& sender) { log.push_back(sender.name() + " click"); };
}

// Records every key event of a control, and of the form as "Form".
void logKeys(Control& control, Log& log) {
    control.onKeyDown = [&log](Control& sender, int& key, ShiftState) {
        log.push_back(sender.name() + " down " + std::to_string(key));
    };
    control.onKeyPress = [&log](Control& sender, char32_t& c) {
        log.push_back(sender.name() + " press " + std::to_string(static_cast<int>(c)));
    };
    control.onKeyUp = [&log](Control& sender, int& key, ShiftState) {
        log.push_back(sender.name() + " up " + std::to_string(key));
    };
}

void logFormKeys(Form& form, Log& log) {
    form.onKeyDown = [&log](int& key, ShiftState) { log.push_back("Form down " + std::to_string(key)); };
    form.onKeyPress = [&log](char32_t& c) { log.push_back("Form press " + std::to_string(static_cast<int>(c))); };
    form.onKeyUp = [&log](int& key, ShiftState) { log.push_back("Form up " + std::to_string(key)); };
}

void click(Form& form, Point p) {
    form.dispatch(InputEvent::mouseMove(p));
    form.dispatch(InputEvent::mouseDown(p));
    form.dispatch(InputEvent::mouseUp(p));
}

void pressKey(Form& form, int key) {
    form.dispatch(InputEvent::keyDown(key, textForKey(key, {})));
    form.dispatch(InputEvent::keyUp(key));
}

class RoutingTest : public ::testing::Test {
protected:
    Form form{"routing", 200, 150};
    Log log;
};

TEST_F(RoutingTest, MoveReachesTheTopmostShowingControlInItsCoordinates) {
    Image back(form, "Back");
    back.setBounds(0, 0, 100, 100);
    Image front(form, "Front");
    front.setBounds(20, 20, 30, 30);
    logPointer(back, log);
    logPointer(front, log);
    form.dispatch(InputEvent::mouseMove({25, 27}));
    form.dispatch(InputEvent::mouseMove({60, 60}));
    front.hide();
    form.dispatch(InputEvent::mouseMove({25, 27}));
    front.show();
    back.bringToFront();
    form.dispatch(InputEvent::mouseMove({25, 27}));
    form.dispatch(InputEvent::mouseMove({150, 120}));
    EXPECT_EQ(log, (Log{"Front move 5,7", "Back move 60,60", "Back move 25,27", "Back move 25,27"}));
    EXPECT_EQ(form.controlAt({49, 49}, true).control, &back);
}

TEST_F(RoutingTest, HighlightPassesMovesToTheMenuButTakesClicks) {
    Image menu(form, "Menu");
    menu.setBounds(30, 30, 100, 100);
    Image highlight(form, "Highlight");
    highlight.setBounds(40, 40, 20, 20);
    highlight.setPassesMouseMoves(true);
    logPointer(menu, log);
    logPointer(highlight, log);
    click(form, {45, 45});
    EXPECT_EQ(log, (Log{"Menu move 15,15", "Highlight click"}));
}

TEST_F(RoutingTest, ClickNeedsPressAndReleaseOnTheSameControl) {
    Image a(form, "A");
    a.setBounds(0, 0, 50, 50);
    Image b(form, "B");
    b.setBounds(50, 0, 50, 50);
    a.onClick = [this](Control&) { log.push_back("A click"); };
    b.onClick = [this](Control&) { log.push_back("B click"); };
    form.dispatch(InputEvent::mouseDown({10, 10}));
    form.dispatch(InputEvent::mouseUp({60, 10}));
    EXPECT_TRUE(log.empty());
    form.dispatch(InputEvent::mouseDown({10, 10}));
    a.hide();
    form.dispatch(InputEvent::mouseUp({10, 10}));
    EXPECT_TRUE(log.empty());
    form.dispatch(InputEvent::mouseDown({60, 10}, MouseButton::Right));
    form.dispatch(InputEvent::mouseUp({60, 10}, MouseButton::Right));
    EXPECT_TRUE(log.empty());
    click(form, {60, 10});
    EXPECT_EQ(log, (Log{"B click"}));
}

// A press acts on what is under the pointer: the hover handlers hear a move
// there first unless they already saw it with the controls as they stand,
// and no key came since. The second press of a double click is no click.
TEST_F(RoutingTest, PressesFollowThePointerAndDoubleClicksAreNoClicks) {
    Image button(form, "Button");
    button.setBounds(0, 0, 50, 50);
    logPointer(button, log);
    button.onDoubleClick = [this](Control&) { log.push_back("Button double"); };
    Image popup(form, "Popup");
    popup.setBounds(0, 0, 50, 50);
    popup.hide();
    logPointer(popup, log);
    const auto press = [&](InputEvent down) {
        const Point at = down.position;
        form.dispatch(down);
        form.dispatch(InputEvent::mouseUp(at));
    };
    press(InputEvent::mouseDown({10, 10}));          // no move before it
    press(InputEvent::mouseDown({10, 10}));          // the pointer rests
    form.dispatch(InputEvent::keyDown(vk::Escape));  // a key since
    press(InputEvent::mouseDown({10, 10}));
    press(InputEvent::doubleClickPress({10, 10}));
    popup.show();  // opens under the pointer
    press(InputEvent::mouseDown({10, 10}));
    EXPECT_EQ(log, (Log{"Button move 10,10", "Button click", "Button click", "Button move 10,10", "Button click",
                        "Button double", "Popup move 10,10", "Popup click"}));
}

TEST_F(RoutingTest, ReleaseOnAFreedControlIsDropped) {
    auto doomed = std::make_unique<Image>(form, "Doomed");
    doomed->setBounds(0, 0, 50, 50);
    doomed->onClick = [this](Control&) { log.push_back("Doomed click"); };
    Image below(form, "Below");
    below.setBounds(0, 0, 50, 50);
    below.sendToBack();
    below.onClick = [this](Control&) { log.push_back("Below click"); };
    form.dispatch(InputEvent::mouseDown({10, 10}));
    doomed.reset();
    form.dispatch(InputEvent::mouseUp({10, 10}));
    EXPECT_TRUE(log.empty());
}

TEST_F(RoutingTest, ScrollBoxChildrenSeeThePointerInTheirOwnCoordinates) {
    ScrollBox box(form, "Box");
    box.setBounds(10, 10, 100, 100);
    Image page(box, "Page");
    page.setBounds(0, 0, 84, 500);
    box.setScrollTop(50);
    logPointer(box, log);
    logPointer(page, log);
    form.dispatch(InputEvent::mouseMove({20, 20}));
    form.dispatch(InputEvent::mouseMove({105, 20}));  // over the scroll bar
    EXPECT_EQ(log, (Log{"Page move 10,60", "Box move 95,10"}));
}

class KeyRoutingTest : public RoutingTest {
protected:
    Edit edit{form, "Edit1"};

    void SetUp() override {
        edit.setBounds(0, 0, 80, 15);
        edit.setFocus();
    }
};

TEST_F(KeyRoutingTest, FormWithKeyPreviewSeesEveryKeyFirst) {
    form.keyPreview = true;
    logFormKeys(form, log);
    logKeys(edit, log);
    form.dispatch(InputEvent::keyDown('A', "a"));
    form.dispatch(InputEvent::keyUp('A'));
    EXPECT_EQ(log,
              (Log{"Form down 65", "Edit1 down 65", "Form press 97", "Edit1 press 97", "Form up 65", "Edit1 up 65"}));
    EXPECT_EQ(edit.text(), "a");
}

TEST_F(KeyRoutingTest, WithoutPreviewOnlyTheFocusedControlHearsKeys) {
    logFormKeys(form, log);
    logKeys(edit, log);
    pressKey(form, vk::Down);
    EXPECT_EQ(log, (Log{"Edit1 down 40", "Edit1 up 40"}));
}

// The off-screen key edit passes every key on and marks it handled; a text
// edit passes only Tab, Up and Down. Either way one Enter is one action.
TEST_F(KeyRoutingTest, HandledKeyProducesNoKeyPress) {
    Edit keyEdit(form, "Edit5");
    keyEdit.setBounds(640, 56, 20, 21);
    int actions = 0;
    form.keyPreview = true;
    form.onKeyPress = [&](char32_t& c) {
        if (c == U'\r') ++actions;
    };
    keyEdit.onKeyDown = [&](Control&, int& key, ShiftState) {
        if (key == vk::Enter) ++actions;
        key = 0;
    };
    edit.onKeyDown = [&](Control&, int& key, ShiftState) {
        if (key == vk::Tab || key == vk::Up || key == vk::Down) key = 0;
    };
    keyEdit.setFocus();
    pressKey(form, vk::Enter);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(keyEdit.text(), "");
    edit.setFocus();
    pressKey(form, vk::Enter);
    EXPECT_EQ(actions, 2);
    EXPECT_EQ(edit.text(), "");
}

TEST_F(KeyRoutingTest, FormCanHandleAKeyBeforeTheControl) {
    form.keyPreview = true;
    form.onKeyDown = [](int& key, ShiftState) {
        if (key == 'X') key = 0;
    };
    logKeys(edit, log);
    form.dispatch(InputEvent::keyDown('X', "x"));
    form.dispatch(InputEvent::keyDown('Y', "y"));
    EXPECT_EQ(log, (Log{"Edit1 down 89", "Edit1 press 121"}));
    EXPECT_EQ(edit.text(), "y");
}

TEST_F(KeyRoutingTest, TabAndArrowsAreKeysAndNeverMoveTheFocus) {
    Edit other(form, "Edit2");
    other.setBounds(0, 20, 80, 15);
    logKeys(edit, log);
    for (int key : {vk::Tab, vk::Down, vk::Up, vk::Right, vk::Left}) pressKey(form, key);
    EXPECT_EQ(form.focusedControl(), &edit);
    EXPECT_EQ(log.front(), "Edit1 down 9");
    EXPECT_EQ(log.at(1), "Edit1 press 9");
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& s) { return s.find(" down ") != std::string::npos; }),
              5);
}

TEST_F(KeyRoutingTest, FocusMovesByProgramOrClickAndTheLoserGetsItsExit) {
    Edit other(form, "Edit2");
    other.setBounds(0, 20, 80, 15);
    Image picture(form, "Picture");
    picture.setBounds(100, 0, 50, 50);
    edit.onExit = [this](Control& sender) { log.push_back(sender.name() + " exit"); };
    other.onExit = [this](Control& sender) { log.push_back(sender.name() + " exit"); };
    click(form, {100 + 5, 5});
    EXPECT_EQ(form.focusedControl(), &edit);
    click(form, {5, 25});
    EXPECT_EQ(form.focusedControl(), &other);
    edit.setFocus();
    EXPECT_EQ(log, (Log{"Edit1 exit", "Edit2 exit"}));
    EXPECT_THROW(picture.setFocus(), std::logic_error);
    other.hide();
    EXPECT_THROW(other.setFocus(), std::logic_error);
}

TEST_F(KeyRoutingTest, HidingOrFreeingTheFocusedControlLeavesKeysToTheForm) {
    logFormKeys(form, log);
    edit.hide();
    EXPECT_EQ(form.focusedControl(), nullptr);
    pressKey(form, vk::Enter);
    EXPECT_EQ(log, (Log{"Form down 13", "Form press 13", "Form up 13"}));
    edit.show();
    auto temporary = std::make_unique<Edit>(form, "Temporary");
    temporary->setFocus();
    temporary.reset();
    EXPECT_EQ(form.focusedControl(), nullptr);
}

// A click handler that waits in a nested loop, as a dialog does.
class NestedDispatchTest : public ::testing::Test {
protected:
    NestedDispatchTest() {
        auto backend = std::make_unique<HeadlessBackend>();
        queue = backend.get();
        app = std::make_unique<Application>(std::move(backend));
        app->setStopHandler([](const std::string& reason) { throw std::runtime_error(reason); });
        app->showMainForm(form);
    }

    void waitUntil(const bool& flag) {
        while (!flag) {
            app->processMessages();
            if (!flag) app->waitMessage();
        }
    }

    void queueClick(Point p) {
        queue->push(InputEvent::mouseMove(p));
        queue->push(InputEvent::mouseDown(p));
        queue->push(InputEvent::mouseUp(p));
    }

    Form form{"nested", 200, 150};
    HeadlessBackend* queue = nullptr;
    std::unique_ptr<Application> app;
    Log log;
};

TEST_F(NestedDispatchTest, ControlFreedInsideANestedLoopGetsNoMoreEvents) {
    Image back(form, "Back");
    back.setBounds(0, 0, 200, 150);
    logPointer(back, log);
    Image opener(form, "Opener");
    opener.setBounds(0, 0, 20, 20);
    auto table = std::make_unique<Image>(form, "Table");
    table->setBounds(50, 50, 50, 50);
    logPointer(*table, log);
    Image answer(form, "Answer");
    answer.setBounds(150, 0, 20, 20);
    bool answered = false;
    answer.onClick = [&](Control&) { answered = true; };
    opener.onClick = [&](Control&) {
        log.push_back("open");
        waitUntil(answered);
        log.push_back("closed");
    };
    form.keyPreview = true;
    form.onKeyDown = [&](int& key, ShiftState) {
        if (key == vk::Escape) table.reset();
    };

    queue->push(InputEvent::mouseDown({5, 5}));
    queue->push(InputEvent::mouseUp({5, 5}));
    queue->push(InputEvent::mouseDown({60, 60}));
    queue->push(InputEvent::keyDown(vk::Escape));
    queue->push(InputEvent::mouseUp({60, 60}));
    queue->push(InputEvent::mouseMove({60, 60}));
    queueClick({155, 5});
    app->processMessages();

    // The press on the table, with no move there before it, is preceded by
    // one; once freed the table hears nothing more.
    EXPECT_EQ(log, (Log{"open", "Table move 10,10", "Back move 60,60", "closed"}));
    EXPECT_EQ(table, nullptr);
    EXPECT_FALSE(queue->hasQueuedEvents());
}

TEST_F(NestedDispatchTest, HandlerMayFreeItsOwnControl) {
    auto self = std::make_unique<Image>(form, "Self");
    self->setBounds(0, 0, 50, 50);
    self->onClick = [&](Control& sender) {
        log.push_back(sender.name() + " click");
        self.reset();
        log.push_back("freed");
    };
    queueClick({10, 10});
    queueClick({10, 10});
    app->processMessages();
    EXPECT_EQ(log, (Log{"Self click", "freed"}));
}

TEST_F(NestedDispatchTest, LoopsNestManyLevelsDeepAndUnwindInOrder) {
    constexpr int kLevels = 25;
    std::vector<std::unique_ptr<bool>> closed;
    int depth = 0;
    int deepest = 0;
    Image deeper(form, "Deeper");
    deeper.setBounds(0, 0, 20, 20);
    Image back(form, "Back");
    back.setBounds(50, 0, 20, 20);
    deeper.onClick = [&](Control&) {
        closed.push_back(std::make_unique<bool>(false));
        bool& mine = *closed.back();
        deepest = std::max(deepest, ++depth);
        waitUntil(mine);
        log.push_back("left level " + std::to_string(depth--));
    };
    back.onClick = [&](Control&) {
        for (auto it = closed.rbegin(); it != closed.rend(); ++it) {
            if (!**it) {
                **it = true;
                break;
            }
        }
    };
    for (int i = 0; i < kLevels; ++i) queueClick({5, 5});
    for (int i = 0; i < kLevels; ++i) queueClick({55, 5});
    app->processMessages();
    EXPECT_EQ(deepest, kLevels);
    EXPECT_EQ(depth, 0);
    ASSERT_EQ(log.size(), static_cast<std::size_t>(kLevels));
    EXPECT_EQ(log.front(), "left level " + std::to_string(kLevels));
    EXPECT_EQ(log.back(), "left level 1");
}

TEST_F(NestedDispatchTest, WaitingWithNoInputLeftStopsTheRun) {
    bool never = false;
    queueClick({5, 5});
    EXPECT_THROW(waitUntil(never), std::runtime_error);
}

}  // namespace
}  // namespace vxr::platform
