#include <gtest/gtest.h>

#include "input/menus.h"
#include "layout/menu_geometry.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using layout::kMainMenuAt;

// A point inside main-menu item `item`, in window coordinates.
platform::Point mainItem(int item) {
    const auto offset = layout::kMainMenuItems[static_cast<std::size_t>(item - 1)].offset;
    return {kMainMenuAt.x + offset.x + 5, kMainMenuAt.y + offset.y + 5};
}

platform::Point submenuItem(int main, int item) {
    const auto& box = layout::submenu(main);
    const auto offset = layout::menuItem(box, item).offset;
    return {box.at.x + offset.x + 5, box.at.y + offset.y + 5};
}

platform::Point thirdItem(int main, int sub, int item) {
    const auto& box = layout::thirdMenu(main, sub);
    const auto offset = layout::menuItem(box, item).offset;
    return {box.at.x + offset.x + 5, box.at.y + offset.y + 5};
}

class Menus : public ::testing::Test {
protected:
    Menus() : trainer(sampleMachine()) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    void move(platform::Point p) { trainer.move(p.x, p.y); }
    void click(platform::Point p) { trainer.click(p.x, p.y); }
    bool shows(platform::Image* image, const char* picture) {
        return image->showing() && image->shows(trainer.window().catalogue.byName(picture));
    }

    TrainerHarness trainer;
};

TEST_F(Menus, TheMainScreenStartsWithLocalHighlighted) {
    app::TForm1& w = trainer.window();
    EXPECT_TRUE(shows(w.Image0, "F0"));
    EXPECT_TRUE(shows(w.Image1B, "F1B"));
    EXPECT_EQ(w.Image1B->bounds(), (platform::Rect{30, 217, 30 + 119, 217 + 160}));
    EXPECT_TRUE(shows(w.Image1A, "F11"));
    EXPECT_EQ(w.Image1A->left(), 30 + 22);
    EXPECT_EQ(w.Image1A->top(), 217 + 3);
    EXPECT_EQ(trainer.ui().MainItem, 1);
    EXPECT_FALSE(w.Image2B->visible());
    EXPECT_EQ(w.form().caption().rfind("Vexor 8.0 (模拟 Ver 1.3 )", 0), 0u);
}

TEST_F(Menus, HoveringHighlightsAndClickingOpensAndCloses) {
    app::TForm1& w = trainer.window();
    move(mainItem(2));
    EXPECT_TRUE(shows(w.Image1A, "F12"));
    EXPECT_EQ(trainer.ui().MainItem, 2);
    EXPECT_FALSE(w.Image2B->visible());
    click(mainItem(2));
    EXPECT_TRUE(shows(w.Image2B, "F22B"));
    EXPECT_EQ(w.Image2B->left(), 124);
    EXPECT_EQ(w.Image2B->top(), 251);
    EXPECT_TRUE(shows(w.Image2A, "F221"));
    EXPECT_EQ(trainer.ui().SubItem, 1);
    trainer.clickWithoutMoving(mainItem(2).x, mainItem(2).y);
    EXPECT_FALSE(w.Image2B->visible());
    EXPECT_EQ(trainer.ui().SubItem, 0);
    // A move onto the open item closes its submenu too; the click then opens it.
    click(mainItem(2));
    EXPECT_TRUE(w.Image2B->visible());
    move(mainItem(2));
    EXPECT_FALSE(w.Image2B->visible());
}

TEST_F(Menus, MovingBackUpClosesTheDeeperLevels) {
    app::TForm1& w = trainer.window();
    click(mainItem(1));
    EXPECT_TRUE(shows(w.Image2A, "F211"));
    click(submenuItem(1, 1));
    EXPECT_TRUE(shows(w.Image3B, "F311B"));
    EXPECT_EQ(w.Image3B->left(), 201);
    EXPECT_TRUE(shows(w.Image3A, "F3111"));
    EXPECT_EQ(trainer.ui().LeafItem, 1);
    move(thirdItem(1, 1, 3));
    EXPECT_TRUE(shows(w.Image3A, "F3113"));
    EXPECT_EQ(trainer.ui().LeafItem, 3);

    move(submenuItem(1, 1));  // back onto Disk, over its own highlight
    EXPECT_FALSE(w.Image3B->visible());
    EXPECT_EQ(trainer.ui().LeafItem, 0);
    EXPECT_TRUE(shows(w.Image2A, "F211"));

    click(submenuItem(1, 2));
    EXPECT_TRUE(shows(w.Image3B, "F312B"));
    move(mainItem(1));  // onto Local: both deeper levels close
    EXPECT_FALSE(w.Image3B->visible());
    EXPECT_FALSE(w.Image2B->visible());
    EXPECT_EQ(trainer.ui().SubItem, 0);
    EXPECT_EQ(trainer.ui().MainItem, 1);
}

TEST_F(Menus, GapsBetweenItemsChangeNothing) {
    click(mainItem(1));
    const input::UiState before = trainer.ui();
    trainer.move(kMainMenuAt.x + 30, kMainMenuAt.y + 28);  // between Local and Peer to peer
    trainer.move(kMainMenuAt.x + 5, kMainMenuAt.y + 40);   // on the caption strip
    EXPECT_EQ(trainer.ui().MainItem, before.MainItem);
    EXPECT_EQ(trainer.ui().SubItem, before.SubItem);
    EXPECT_TRUE(trainer.window().Image2B->visible());
}

TEST_F(Menus, VexorCastItemsHighlightButLeadNowhere) {
    app::TForm1& w = trainer.window();
    move(mainItem(3));
    click(mainItem(3));
    move(submenuItem(3, 3));
    EXPECT_TRUE(shows(w.Image2A, "F233"));
    EXPECT_EQ(trainer.ui().SubItem, 3);
    click(submenuItem(3, 3));
    EXPECT_FALSE(w.Image3B->visible());
    EXPECT_EQ(trainer.ui().LeafItem, 0);
    EXPECT_EQ(trainer.ui().SubItem, 3);
}

TEST_F(Menus, SubmenusOnlyReactInTheirItemColumn) {
    click(mainItem(1));
    const auto& box = layout::submenu(1);
    trainer.move(box.at.x + 5, box.at.y + 30);  // left of the items, on the caption strip
    EXPECT_EQ(trainer.ui().SubItem, 1);
}

TEST_F(Menus, PeerModeOpensTheThirdLevelFurtherLeftAndLower) {
    app::TForm1& w = trainer.window();
    input::UiState& ui = trainer.ui();
    ui.PeerMode = 1;
    ui.MainItem = input::kPeerMenu;
    ui.SubItem = 2;
    ui.LeafItem = 0;
    ++ui.KeyDepth;
    w.menus().Image2AClick();
    --ui.KeyDepth;
    EXPECT_EQ(ui.MainItem, input::kLocal);
    EXPECT_TRUE(shows(w.Image3B, "F312B"));
    EXPECT_EQ(w.Image3B->left(), 201 - 92);
    EXPECT_EQ(w.Image3B->top(), 245 + 10);
}

TEST_F(Menus, QuitAnsweredNoReturnsToTheMainScreen) {
    app::TForm1& w = trainer.window();
    move(mainItem(6));
    const platform::Point no{141 + 214 + 3, 104 + 103 + 3};
    trainer.queueClick(mainItem(6).x, mainItem(6).y);
    bool sawQuestion = false;
    trainer.onIdle([&] {
        if (sawQuestion) return false;
        sawQuestion = true;
        EXPECT_TRUE(shows(w.Image4D, "F415B"));
        EXPECT_EQ(w.Image4D->left(), 141);
        EXPECT_EQ(w.Label[24]->caption(), "Quit Korvanta Vexor (1953)");
        // While the question is open the main menu ignores the pointer.
        trainer.queueMove(mainItem(2).x, mainItem(2).y);
        trainer.queueClick(no.x, no.y);
        return true;
    });
    trainer.run();
    EXPECT_TRUE(sawQuestion);
    EXPECT_FALSE(w.Image4D->visible());
    EXPECT_EQ(trainer.ui().MainItem, 1);
    EXPECT_TRUE(shows(w.Image1A, "F11"));
    EXPECT_FALSE(w.end.requested);
}

TEST_F(Menus, QuitAnsweredYesShowsTheClosingNoticeUntilAClick) {
    app::TForm1& w = trainer.window();
    move(mainItem(6));
    trainer.queueClick(mainItem(6).x, mainItem(6).y);
    int idles = 0;
    trainer.onIdle([&] {
        ++idles;
        if (idles == 1) {
            trainer.queueClick(141 + 74 + 3, 104 + 103 + 3);  // Yes
            return true;
        }
        if (idles == 2) {
            EXPECT_EQ(trainer.ui().MainItem, input::kClosingNotice);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_TRUE(w.Label[static_cast<std::size_t>(i)]->showing()) << i;
                EXPECT_EQ(w.Label[static_cast<std::size_t>(i)]->left(), 130);
                EXPECT_EQ(w.Label[static_cast<std::size_t>(i)]->top(), 110 + 40 * i);
            }
            EXPECT_FALSE(w.Image1B->visible());
            trainer.queueClick(w.Label[2]->left() + 3, w.Label[2]->top() + 3);
            return true;
        }
        return false;
    });
    trainer.run();
    EXPECT_TRUE(w.end.requested);
    EXPECT_EQ(w.end.status, 0);
}

TEST_F(Menus, TheCloseButtonAlsoShowsTheNotice) {
    trainer.queueClose();
    trainer.onIdle([&] {
        EXPECT_EQ(trainer.ui().MainItem, input::kClosingNotice);
        trainer.queueClick(20, 20);  // anywhere on the main screen picture
        return !trainer.window().end.requested;
    });
    trainer.run();
    EXPECT_EQ(trainer.window().end.status, 0);
}

}  // namespace
}  // namespace vxr::test
