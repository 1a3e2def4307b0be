#include <gtest/gtest.h>

#include "dialogs/message_dialogs.h"
#include "input/keyboard.h"
#include "layout/menu_geometry.h"
#include "operations/help_screen.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using namespace input;

using namespace layout;

class Keyboard : public ::testing::Test {
protected:
    explicit Keyboard(std::uint16_t restrictions = 0) : trainer(sampleMachine(restrictions)) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    app::TForm1& w() { return trainer.window(); }
    UiState& ui() { return trainer.ui(); }
    void press(std::initializer_list<int> keys) {
        for (int key : keys) trainer.key(key);
    }
    bool shows(platform::Image* image, const std::string& picture) {
        return image->showing() && image->shows(w().catalogue.byName(picture));
    }

    TrainerHarness trainer;
};

TEST_F(Keyboard, UpAndDownWrapInTheMainMenu) {
    press({kDown});
    EXPECT_EQ(ui().MainItem, kPeerToPeer);
    EXPECT_TRUE(shows(w().Image1A, "F12"));
    press({kUp, kUp});
    EXPECT_EQ(ui().MainItem, kQuit);
    press({kDown});
    EXPECT_EQ(ui().MainItem, kLocal);
    press({kTab, kTab});
    EXPECT_EQ(ui().MainItem, kVexorCast);
}

TEST_F(Keyboard, SubmenuAndThirdLevelWalkAndWrap) {
    press({kRight});
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_TRUE(w().Image2B->visible());
    press({kUp});
    EXPECT_EQ(ui().SubItem, 3);
    EXPECT_TRUE(shows(w().Image2A, "F213"));
    press({kTab});
    EXPECT_EQ(ui().SubItem, 1);
    press({kDown, kDown, kDown});
    EXPECT_EQ(ui().SubItem, 1);
    press({kEnter});
    EXPECT_EQ(ui().LeafItem, 1);
    EXPECT_TRUE(shows(w().Image3B, "F311B"));
    press({kUp});
    EXPECT_EQ(ui().LeafItem, 3);
    press({kDown});
    EXPECT_EQ(ui().LeafItem, 1);
    press({kRight});  // nothing at the third level
    EXPECT_EQ(ui().LeafItem, 1);
    EXPECT_EQ(ui().OpCode, 0);
}

TEST_F(Keyboard, CheckHasTwoThirdLevelItems) {
    press({kEnter, kUp, kEnter});  // Local > Check
    EXPECT_TRUE(shows(w().Image3B, "F313B"));
    press({kDown, kDown});
    EXPECT_EQ(ui().LeafItem, 1);
    press({kUp});
    EXPECT_EQ(ui().LeafItem, 2);
}

TEST_F(Keyboard, EscapeClosesOneLevelAtATime) {
    press({kEnter, kEnter});
    ASSERT_EQ(ui().LeafItem, 1);
    press({kEsc});
    EXPECT_EQ(ui().LeafItem, 0);
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_FALSE(w().Image3B->visible());
    EXPECT_TRUE(shows(w().Image2A, "F211"));
    press({kEsc});
    EXPECT_EQ(ui().SubItem, 0);
    EXPECT_FALSE(w().Image2B->visible());
    EXPECT_EQ(ui().MainItem, kLocal);
    press({kEsc});
    EXPECT_EQ(ui().MainItem, kLocal);
    EXPECT_TRUE(shows(w().Image1A, "F11"));
}

TEST_F(Keyboard, LeftClosesTheLevelItStandsIn) {
    press({kRight, kRight});
    ASSERT_EQ(ui().LeafItem, 1);
    press({kLeft});
    EXPECT_EQ(ui().LeafItem, 0);
    press({kLeft});
    EXPECT_EQ(ui().SubItem, 0);
    press({kLeft});
    EXPECT_EQ(ui().MainItem, kLocal);
}

TEST_F(Keyboard, OneEnterIsOneAction) {
    press({kEnter});
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_EQ(ui().LeafItem, 0);  // not opened further by a second Enter
}

TEST_F(Keyboard, VexorCastItemsLeadNowhere) {
    press({kDown, kDown, kEnter});
    ASSERT_EQ(ui().MainItem, kVexorCast);
    EXPECT_EQ(ui().SubItem, 1);
    press({kEnter, kRight});
    EXPECT_EQ(ui().LeafItem, 0);
    EXPECT_FALSE(w().Image3B->visible());
    press({kTab, kTab, kTab});
    EXPECT_EQ(ui().SubItem, 1);
}

TEST_F(Keyboard, OptionsMerelyHighlighted) {
    press({kUp, kUp, kUp});
    ASSERT_EQ(ui().MainItem, kOptions);
    press({kLeft});
    EXPECT_EQ(ui().MainItem, kOptions);
    EXPECT_EQ(ui().SubItem, 0);
    press({kTab});
    EXPECT_EQ(ui().MainItem, kHelp);
}

TEST_F(Keyboard, QuitQuestionByKeys) {
    trainer.queueKey(kUp);
    trainer.queueKey(kEnter);
    int idles = 0;
    trainer.onIdle([&] {
        ++idles;
        if (idles == 1) {
            EXPECT_EQ(ui().DialogCode, 8);
            EXPECT_EQ(ui().ButtonSel, 1);
            trainer.queueKey(kRight);
        } else if (idles == 2) {
            EXPECT_EQ(ui().ButtonSel, 2);
            EXPECT_TRUE(shows(w().Image4A, "F442"));
            trainer.queueKey(kLeft);
        } else if (idles == 3) {
            EXPECT_EQ(ui().ButtonSel, 1);
            trainer.queueKey(kRight);
            trainer.queueKey(kDown);  // nothing in a message box
            trainer.queueKey(kEnter);
        } else {
            return false;
        }
        return true;
    });
    trainer.run();
    EXPECT_EQ(idles, 3);
    EXPECT_EQ(ui().MainItem, kLocal);  // No: back at the main screen
    EXPECT_FALSE(w().end.requested);
}

TEST_F(Keyboard, OneButtonBoxesIgnoreLeftAndRight) {
    trainer.queueKey(kRight);
    trainer.queueKey(kLeft);
    bool checked = false;
    trainer.onIdle([&] {
        if (checked) return false;
        checked = true;
        EXPECT_FALSE(w().Image4A->visible());
        EXPECT_EQ(ui().ButtonSel, 1);
        trainer.queueKey(kEnter);
        return true;
    });
    ++ui().KeyDepth;
    EXPECT_EQ(w().messages().ask(layout::Msg::ConnectionCanceled), 1);
    --ui().KeyDepth;
}

TEST_F(Keyboard, AnyKeyEndsTheClosingNotice) {
    trainer.queueClose();
    trainer.onIdle([&] {
        if (ui().MainItem != kClosingNotice) return false;
        trainer.queueKey('A', "a");
        return true;
    });
    trainer.run();
    EXPECT_TRUE(w().end.requested);
    EXPECT_EQ(w().end.status, 0);
}

TEST_F(Keyboard, HelpOpensScrollsAndCloses) {
    press({kUp, kUp, kEnter});
    ASSERT_TRUE(w().help().open());
    EXPECT_TRUE(shows(w().Image2B, "F25B"));
    platform::ScrollBox& box = *w().ScrollBox1;
    EXPECT_EQ(box.left(), 29 + 3);
    EXPECT_EQ(box.top(), 67 + 17);
    EXPECT_EQ(box.height(), 286);
    EXPECT_EQ(box.width(), 583 - 6);
    press({kPageDown});
    EXPECT_EQ(box.scrollTop(), 124);
    press({kUp});
    EXPECT_EQ(box.scrollTop(), 112);
    press({kPageUp, kPageUp, kUp});
    EXPECT_EQ(box.scrollTop(), 0);
    for (int i = 0; i < 30; ++i) press({kPageDown});
    EXPECT_EQ(box.scrollTop(), box.maxScroll());
    EXPECT_EQ(box.maxScroll(), 2313 - 286);
    press({kTab});
    EXPECT_TRUE(shows(w().Image2A, "F251"));
    press({kTab});
    EXPECT_FALSE(w().Image2A->visible());
    press({kTab, kEnter});
    EXPECT_FALSE(w().help().open());
    EXPECT_FALSE(w().ScrollBox1->visible());
    EXPECT_EQ(ui().MainItem, kHelp);
    EXPECT_TRUE(w().Image1B->visible());  // the main menu stayed
    press({kEnter});
    ASSERT_TRUE(w().help().open());
    press({kEsc});
    EXPECT_FALSE(w().help().open());
}

TEST_F(Keyboard, HelpByPointerClosesWithItsOkButton) {
    const auto offset = kMainMenuItems[4].offset;
    trainer.click(kMainMenuAt.x + offset.x + 5, kMainMenuAt.y + offset.y + 5);
    ASSERT_TRUE(w().help().open());
    trainer.move(29 + 300, 67 + 100);  // over the text: the OK highlight goes
    const auto ok = menuItem(submenu(kHelp), 1).offset;
    trainer.click(29 + ok.x + 5, 67 + ok.y + 5);
    EXPECT_FALSE(w().help().open());
    EXPECT_EQ(ui().DialogAnswer, 1);
}

TEST_F(Keyboard, KeysReachTheDispatcherWhateverHasTheFocus) {
    // A click into the restriction notice, or a focused edit hidden by its
    // dialog, must not leave the keyboard dead.
    w().Edit[6]->show();
    w().Edit[6]->setFocus();
    press({kDown});
    EXPECT_EQ(ui().MainItem, kPeerToPeer);
    EXPECT_EQ(w().Edit[6]->text(), "");
    w().Edit[1]->show();
    w().Edit[1]->setFocus();
    w().Edit[1]->hide();
    press({kDown});
    EXPECT_EQ(ui().MainItem, kVexorCast);
    EXPECT_TRUE(w().Edit[5]->focused());
}

class LockedKeyboard : public Keyboard {
protected:
    LockedKeyboard() : Keyboard(model::kKeyboardLocked) {}
};

TEST_F(LockedKeyboard, SwallowsEveryKeyIncludingShiftAndCtrl) {
    press({kDown, kEnter, kRight});
    EXPECT_EQ(ui().MainItem, kLocal);
    EXPECT_EQ(ui().SubItem, 0);
    trainer.backendPush(platform::InputEvent::keyDown(kShift));
    trainer.backendPush(platform::InputEvent::keyDown(kCtrl));
    trainer.run();
    EXPECT_FALSE(ui().ShiftDown);
    EXPECT_FALSE(ui().CtrlDown);
}

class LockedMouse : public Keyboard {
protected:
    LockedMouse() : Keyboard(model::kMouseLocked) {}
};

TEST_F(LockedMouse, KeysStillDriveTheMenus) {
    press({kDown, kRight});
    EXPECT_EQ(ui().MainItem, kPeerToPeer);
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_TRUE(w().Image2B->visible());
}

TEST_F(Keyboard, ShiftAndCtrlAreHeldUntilAKeyGoesUp) {
    trainer.backendPush(platform::InputEvent::keyDown(kShift));
    trainer.backendPush(platform::InputEvent::keyDown(kCtrl));
    trainer.run();
    EXPECT_TRUE(ui().ShiftDown);
    EXPECT_TRUE(ui().CtrlDown);
    trainer.backendPush(platform::InputEvent::keyUp(kCtrl));
    trainer.run();
    EXPECT_FALSE(ui().ShiftDown);
    EXPECT_FALSE(ui().CtrlDown);
}

}  // namespace
}  // namespace vxr::test
