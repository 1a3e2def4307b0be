#include <gtest/gtest.h>

#include "app/focus_frame.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

class FocusFrame : public ::testing::Test {
protected:
    FocusFrame() : trainer(sampleMachine()) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    platform::Image& bar(int i) { return *trainer.window().BAR[static_cast<std::size_t>(i)]; }
    bool anyBarVisible() {
        for (int i = 1; i <= 4; ++i) {
            if (bar(i).visible()) return true;
        }
        return false;
    }
    // The colour the form shows at a point of the frame.
    platform::Color frameAt(int x, int y) {
        trainer.window().form().compose();
        return trainer.window().form().frame().pixel(x, y);
    }

    TrainerHarness trainer;
};

TEST_F(FocusFrame, DialogSevenInGrey) {
    trainer.window().focusFrame().DrawFocusFrame(7, app::kFrameGrey);
    EXPECT_EQ(bar(1).bounds(), (platform::Rect{68, 142, 69, 273}));
    EXPECT_EQ(bar(2).bounds(), (platform::Rect{68, 142, 552, 143}));
    EXPECT_EQ(bar(3).bounds(), (platform::Rect{551, 142, 552, 273}));
    EXPECT_EQ(bar(4).bounds(), (platform::Rect{68, 272, 552, 273}));
    for (auto [x, y] : {std::pair{68, 200}, {300, 142}, {551, 143}, {70, 272}, {551, 272}}) {
        EXPECT_EQ(frameAt(x, y), app::kGreyFrame) << x << "," << y;
    }
    trainer.window().focusFrame().DrawFocusFrame(7, app::kFrameWhite);
    EXPECT_EQ(frameAt(300, 272), app::kWhiteFrame);
}

TEST_F(FocusFrame, DialogsWithoutARectangleOnlyHideIt) {
    trainer.window().focusFrame().DrawFocusFrame(1, app::kFrameWhite);
    EXPECT_TRUE(anyBarVisible());
    for (int dialog : {10, 13, 19, 30, 31, 0}) {
        trainer.window().focusFrame().DrawFocusFrame(1, app::kFrameWhite);
        trainer.window().focusFrame().DrawFocusFrame(dialog, app::kFrameWhite);
        EXPECT_FALSE(anyBarVisible()) << dialog;
    }
}

TEST_F(FocusFrame, OptionsFrameFollowsTabAndField) {
    input::UiState& ui = trainer.ui();
    ui.SubItem = 0;
    trainer.window().focusFrame().DrawOptionFocus(true);
    EXPECT_FALSE(anyBarVisible());  // no tab selected: nothing happens
    ui.SubItem = 4;
    ui.FieldPos = 9;
    trainer.window().focusFrame().DrawOptionFocus(true);
    EXPECT_EQ(bar(2).bounds(), (platform::Rect{370, 259, 429, 260}));
    EXPECT_EQ(frameAt(400, 259), app::kOptionsFrame);
    trainer.window().focusFrame().DrawOptionFocus(false);
    EXPECT_FALSE(anyBarVisible());
}

TEST_F(FocusFrame, TheMainScreenHidesIt) {
    trainer.window().focusFrame().DrawFocusFrame(3, app::kFrameWhite);
    trainer.window().screens().ResetMainScreen();
    EXPECT_FALSE(anyBarVisible());
}

}  // namespace
}  // namespace vxr::test
