#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue_fixture.h"
#include "layout/dialog_areas.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/message_dialog_layout.h"
#include "layout/palette.h"
#include "layout/peer_layout.h"
#include "layout/progress_layout.h"
#include "layout/step_layout.h"

namespace vxr::app {
namespace {

using layout::palette;
using test::loadedCatalogue;

constexpr int kJpegTolerance = 10;

// Flat areas come back from JPEG within a few levels; small bands next to
// light edges (menu highlights) vary more.
::testing::AssertionResult colourNear(const char* name, int x, int y, platform::Color want,
                                      int tolerance = kJpegTolerance) {
    const Picture picture = loadedCatalogue().byName(name);
    if (!picture) return ::testing::AssertionFailure() << name << " is not loaded";
    if (!picture->contains(x, y))
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is outside " << name;
    const platform::Color got = picture->pixel(x, y);
    const bool near = std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                      std::abs(got.b - want.b) <= tolerance;
    if (near) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " at (" << x << ", " << y << ") is " << int(got.r) << ","
                                         << int(got.g) << "," << int(got.b) << ", wanted " << int(want.r) << ","
                                         << int(want.g) << "," << int(want.b);
}

TEST(PictureColours, TitleBarsAndMessageAreasUnderTheirLabels) {
    // Right of the longest title text, and along the bar's top rows.
    for (const char* name : {"F414B", "F415B", "F416B", "F4112B", "F410B", "F401B", "F402B", "F419B", "F412B"}) {
        const int width = loadedCatalogue().byName(name)->width();
        EXPECT_TRUE(colourNear(name, width - 10, 10, palette(2)));
        EXPECT_TRUE(colourNear(name, width - 40, 3, palette(2)));
    }
    // The empty message area of the kind 3 box, both lines' bands.
    const auto line1 = layout::kLine1At, line2 = layout::kLine2At;
    for (int x : {line1.x + 2, 200, 330}) {
        EXPECT_TRUE(colourNear("F416B", x, line1.y + 6, palette(7)));
        EXPECT_TRUE(colourNear("F416B", x, line2.y + 6, palette(7)));
    }
    EXPECT_TRUE(colourNear("F4112B", 330, layout::kStepLine2At.y + 5, palette(7)));
}

TEST(PictureColours, TablesListsAndEditsUnderTheirOverlays) {
    for (int dialogNo = 1; dialogNo <= 9; ++dialogNo) {
        const auto& area = layout::selectionDialog(dialogNo).area;
        const std::string name = layout::stepPicture(dialogNo).picture;
        EXPECT_TRUE(colourNear(name.c_str(), area.left + 2, area.top + 2, palette(1))) << dialogNo;
        EXPECT_TRUE(colourNear(name.c_str(), area.left + area.width - 3, area.top + area.height - 3, palette(1)))
            << dialogNo;
    }
    for (const char* name : {"F403B", "F405B", "F408B"}) {
        const auto look = layout::kLookInLineAt;
        EXPECT_TRUE(colourNear(name, look.x + 2, look.y + 7, palette(4)));
        EXPECT_TRUE(colourNear(name, look.x + layout::kLookInLineWidth - 3, look.y + 7, palette(4)));
        const auto edit = layout::kFileNameEditAt;
        EXPECT_TRUE(colourNear(name, edit.x + layout::kFileNameEditWidth - 3, edit.y + 6, palette(4)));
    }
    const auto password = layout::kPasswordEditAt;
    EXPECT_TRUE(colourNear("F419B", password.x + 100, password.y + 7, palette(4)));
    const auto address = layout::kAddressEditAt;
    EXPECT_TRUE(colourNear("FP22", address.x + 100, address.y + 7, palette(4)));
}

TEST(PictureColours, ProgressScreenBoxes) {
    const auto box = layout::kPercentBoxAt;
    EXPECT_TRUE(colourNear("F412B", box.x + layout::kPercentBoxWidth - 3, box.y + 6, palette(1)));
    for (int row = 0; row < 6; ++row) {
        EXPECT_TRUE(colourNear("F412B", 300, layout::kDetailsTop + row * layout::kDetailsRowHeight + 6, palette(8)))
            << row;
    }
}

TEST(PictureColours, MainScreenAndOptionsAreasUnderTheirLabels) {
    for (int y : {150, 220, 290}) {
        EXPECT_TRUE(colourNear("F0", 130, y, palette(7)));
        EXPECT_TRUE(colourNear("F0", 400, y, palette(7)));
    }
    // "Active Switches": two columns of labels from page (49, 61), 17 apart.
    for (int row = 0; row < 8; ++row) {
        EXPECT_TRUE(colourNear("F246B", 49 + 2, 61 + 17 * row + 5, palette(7))) << row;
        EXPECT_TRUE(colourNear("F246B", 49 + 128 + 100, 61 + 17 * row + 5, palette(7))) << row;
    }
}

TEST(PictureColours, MenuHighlightsStandOutWhereThePlainBoxIsGrey) {
    const ScreenCatalogue& c = loadedCatalogue();
    for (int item = 1; item <= layout::kMainItems; ++item) {
        const auto& entry = layout::kMainMenuItems[static_cast<std::size_t>(item - 1)];
        EXPECT_TRUE(colourNear(entry.highlight, 36, 16, palette(2), 24));
        EXPECT_TRUE(colourNear("F1B", entry.offset.x + 36, entry.offset.y + 16, palette(7)));
        EXPECT_EQ(c.MainMenuHighlights[static_cast<std::size_t>(item)], c.byName(entry.highlight));
    }
    for (int main : {1, 2, 3, 7}) {
        const auto& box = layout::submenu(main);
        for (int item = 1; item <= 4; ++item) {
            const auto& entry = layout::menuItem(box, item);
            if (!entry.offset.present()) continue;
            EXPECT_TRUE(colourNear(entry.highlight, 24, 16, palette(2), 24));
            EXPECT_TRUE(colourNear(box.picture, entry.offset.x + 24, entry.offset.y + 16, palette(7)));
        }
    }
}

TEST(PictureColours, ButtonHighlightsFitTheirButtons) {
    const ScreenCatalogue& c = loadedCatalogue();
    // Dialogs 24 to 28 are the message boxes, which highlight their own
    // buttons (F491, F441, F442) and never use their table entries.
    for (int dialogNo = 1; dialogNo <= 23; ++dialogNo) {
        const auto& rects = layout::dialogRects(dialogNo);
        for (std::size_t b = 0; b < 3; ++b) {
            const std::string name = rects.highlights[b];
            if (name.empty() || rects.buttons[b].right == layout::kAbsent) continue;
            const Picture picture = c.byName(name);
            ASSERT_NE(picture, nullptr) << name;
            // The table's rectangles and the pictures agree to within a pixel.
            EXPECT_NEAR(picture->width(), rects.buttons[b].width(), 1) << "dialog " << dialogNo << " " << name;
            EXPECT_NEAR(picture->height(), rects.buttons[b].height(), 1) << "dialog " << dialogNo << " " << name;
        }
    }
    const auto fits = [&](const char* name, const layout::InclusiveRect& rect) {
        EXPECT_EQ(c.byName(name)->width(), rect.width()) << name;
        EXPECT_EQ(c.byName(name)->height(), rect.height()) << name;
    };
    fits(layout::kOkFocused, layout::kMessageKinds[1].button1);
    fits(layout::kOkFocused, layout::kMessageKinds[3].button1);
    fits(layout::kYesFocused, layout::kMessageKinds[2].button1);
    fits(layout::kYesPlain, layout::kMessageKinds[2].button1);
    fits(layout::kNoFocused, layout::kMessageKinds[2].button2);
}

}  // namespace
}  // namespace vxr::app
