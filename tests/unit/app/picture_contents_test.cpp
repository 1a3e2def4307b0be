// The rich pictures keep their overlay areas clear: the option boxes stand on
// plain dialog grey, the Details rows and the contact notice on their palette
// colour, the progress bar stands out from its trough, and the help page
// carries text all the way down.

#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue_fixture.h"
#include "layout/help_layout.h"
#include "layout/option_boxes.h"
#include "layout/palette.h"
#include "layout/progress_layout.h"

namespace vxr::app {
namespace {

using layout::palette;
using test::loadedCatalogue;

constexpr int kJpegTolerance = 10;

bool near(platform::Color a, platform::Color b, int tolerance = kJpegTolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

int darkPixels(const platform::Bitmap& picture, int top, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const platform::Color c = picture.pixel(x, y);
            if (c.r + c.g + c.b < 3 * 100) ++dark;
        }
    }
    return dark;
}

TEST(PictureContents, OptionBoxesStandOnPlainDialogGrey) {
    // The radio bitmaps have grey corners, so the page must be grey under
    // every box; a caption or note drawn there would show through.
    for (int tab = 1; tab <= layout::kOptionTabs; ++tab) {
        const Picture page = loadedCatalogue().OptionsPictures[static_cast<std::size_t>(tab)];
        ASSERT_NE(page, nullptr) << tab;
        for (int n = 1; n <= layout::kBoxesPerTab; ++n) {
            const auto& box = layout::optionBox(tab, n);
            if (!box.present()) continue;
            int off = 0;
            for (int dy = 0; dy < 15; ++dy) {
                for (int dx = 0; dx < 15; ++dx) off += near(page->pixel(box.x + dx, box.y + dy), palette(7)) ? 0 : 1;
            }
            EXPECT_EQ(off, 0) << "tab " << tab << " box " << n << ": pixels not grey under the box";
        }
    }
}

TEST(PictureContents, DetailsRowsAndPercentBoxOnTheirColours) {
    using namespace layout;
    const Picture progress = loadedCatalogue().DialogPictures[19];
    ASSERT_NE(progress, nullptr);
    // Up to seven Details rows (the image check has seven), both columns.
    for (int row = 0; row < 7; ++row) {
        const int y = kDetailsTop + row * kDetailsRowHeight + 6;
        for (int x : {kDetailsLeftX + 1, kDetailsRightX + 1, progress->width() - 10}) {
            EXPECT_TRUE(near(progress->pixel(x, y), palette(8))) << "row " << row << " x " << x;
        }
    }
    EXPECT_TRUE(near(progress->pixel(kPercentBoxAt.x + 2, kPercentBoxAt.y + 2), palette(1)));
}

TEST(PictureContents, ProgressBarStandsOutFromItsTrough) {
    using namespace layout;
    const Picture progress = loadedCatalogue().DialogPictures[19];
    ASSERT_NE(progress, nullptr);
    for (int x :
         {kProgressBarAt.x + 1, kProgressBarAt.x + kProgressBarSteps / 2, kProgressBarAt.x + kProgressBarSteps - 2}) {
        const platform::Color trough = progress->pixel(x, kProgressBarAt.y + kProgressBarHeight / 2);
        EXPECT_FALSE(near(trough, palette(5), 60)) << "x " << x;
    }
}

TEST(PictureContents, ContactNoticeAreaIsPlainGrey) {
    const Picture screen = loadedCatalogue().MainScreenPicture;
    ASSERT_NE(screen, nullptr);
    for (int y = 150; y <= 290; y += 10) {
        for (int x = 130; x <= 610; x += 20) EXPECT_TRUE(near(screen->pixel(x, y), palette(7))) << x << "," << y;
    }
}

TEST(PictureContents, HelpPageHasTextInEveryScreenful) {
    const Picture page = loadedCatalogue().ThirdMenuPictures[5][1];
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(near(page->pixel(page->width() - 2, page->height() - 2), {255, 255, 255}));
    // The page fills most of its height: every scroll box's worth down to
    // the last but one holds lines of text.
    const int screenful = layout::kHelpScrollHeight;
    for (int top = 0; top + 2 * screenful <= page->height(); top += screenful) {
        EXPECT_GT(darkPixels(*page, top, top + screenful), 2000) << "screenful from " << top;
    }
}

}  // namespace
}  // namespace vxr::app
