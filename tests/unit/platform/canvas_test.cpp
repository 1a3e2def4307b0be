#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/test_pictures.h"

namespace vxr::platform {
namespace {

constexpr Color kPaper{10, 20, 30};
constexpr Color kInk{250, 240, 0};
constexpr Color kFill{0, 0, 200};

class CanvasTest : public ::testing::Test {
protected:
    Bitmap bitmap{20, 16, kPaper};
    Canvas canvas{bitmap};

    void SetUp() override {
        canvas.pen() = {kInk, 1};
        canvas.brush() = {kFill, BrushStyle::Solid};
    }

    int countPixels(Color color) const {
        int count = 0;
        for (Color c : bitmap.pixels()) count += c == color ? 1 : 0;
        return count;
    }
};

TEST(ColorTest, ConvertsWindowsColorReferences) {
    EXPECT_EQ(Color::fromColorRef(0x9C9A9C), (Color{156, 154, 156}));
    EXPECT_EQ(Color::fromColorRef(0x00FF0000), (Color{0, 0, 255}));
    EXPECT_EQ(Color::fromColorRef(0x000000FF), (Color{255, 0, 0}));
    EXPECT_EQ((Color{0x12, 0x34, 0x56}).toColorRef(), 0x563412u);
}

TEST(BitmapTest, ResizeKeepsTheOverlapAndFillsTheRest) {
    Bitmap bitmap(3, 2, colors::white);
    bitmap.setPixel(2, 1, kInk);
    bitmap.resize(4, 3, kPaper);
    EXPECT_EQ(bitmap.pixel(2, 1), kInk);
    EXPECT_EQ(bitmap.pixel(0, 0), colors::white);
    EXPECT_EQ(bitmap.pixel(3, 0), kPaper);
    EXPECT_EQ(bitmap.pixel(0, 2), kPaper);
    bitmap.resize(2, 2);
    EXPECT_EQ(bitmap.width(), 2);
    EXPECT_EQ(bitmap.pixel(1, 1), colors::white);
}

TEST_F(CanvasTest, LineLeavesOutItsLastPoint) {
    canvas.moveTo(2, 5);
    canvas.lineTo(8, 5);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(bitmap.pixel(x, 5), kInk) << x;
    EXPECT_EQ(bitmap.pixel(8, 5), kPaper);
    EXPECT_EQ(bitmap.pixel(1, 5), kPaper);
    EXPECT_EQ(canvas.penPosition(), (Point{8, 5}));

    canvas.lineTo(8, 1);  // continues from the pen position, upwards
    for (int y = 2; y <= 5; ++y) EXPECT_EQ(bitmap.pixel(8, y), kInk) << y;
    EXPECT_EQ(bitmap.pixel(8, 1), kPaper);
}

TEST_F(CanvasTest, DiagonalLineStepsOnePixelPerRow) {
    canvas.moveTo(0, 0);
    canvas.lineTo(4, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bitmap.pixel(i, i), kInk) << i;
    EXPECT_EQ(bitmap.pixel(4, 4), kPaper);
    EXPECT_EQ(countPixels(kInk), 4);
}

TEST_F(CanvasTest, PolylineDrawsEveryCornerButTheLastPoint) {
    // A frame closed one pixel above its start, as table rows draw it.
    const Point frame[] = {{1, 3}, {10, 3}, {10, 8}, {1, 8}, {1, 2}};
    canvas.polyline(frame);
    EXPECT_EQ(bitmap.pixel(1, 3), kInk);
    EXPECT_EQ(bitmap.pixel(10, 3), kInk);
    EXPECT_EQ(bitmap.pixel(10, 8), kInk);
    EXPECT_EQ(bitmap.pixel(1, 8), kInk);
    EXPECT_EQ(bitmap.pixel(1, 2), kPaper);
    EXPECT_EQ(bitmap.pixel(5, 5), kPaper);
    // The closing segment crosses the start point again.
    EXPECT_EQ(countPixels(kInk), 9 + 5 + 9 + 6 - 1);
}

TEST_F(CanvasTest, WidePenIsCentredAndDrawsTheEndPoint) {
    canvas.pen().width = 2;
    canvas.moveTo(3, 6);
    canvas.lineTo(9, 6);
    for (int x = 2; x <= 9; ++x) {
        EXPECT_EQ(bitmap.pixel(x, 5), kInk) << x;
        EXPECT_EQ(bitmap.pixel(x, 6), kInk) << x;
    }
    EXPECT_EQ(bitmap.pixel(5, 4), kPaper);
    EXPECT_EQ(bitmap.pixel(5, 7), kPaper);
    EXPECT_EQ(bitmap.pixel(10, 6), kPaper);
}

TEST_F(CanvasTest, FillRectCoversLeftTopButNotRightBottom) {
    canvas.fillRect({2, 3, 6, 5});
    EXPECT_EQ(bitmap.pixel(2, 3), kFill);
    EXPECT_EQ(bitmap.pixel(5, 4), kFill);
    EXPECT_EQ(bitmap.pixel(6, 4), kPaper);
    EXPECT_EQ(bitmap.pixel(5, 5), kPaper);
    EXPECT_EQ(countPixels(kFill), 4 * 2);
}

TEST_F(CanvasTest, FillRectIsClippedAtEveryEdge) {
    canvas.fillRect({-5, -5, 2, 3});
    canvas.fillRect({18, 14, 40, 40});
    EXPECT_EQ(bitmap.pixel(0, 0), kFill);
    EXPECT_EQ(bitmap.pixel(1, 2), kFill);
    EXPECT_EQ(bitmap.pixel(19, 15), kFill);
    EXPECT_EQ(bitmap.pixel(17, 15), kPaper);
    EXPECT_EQ(countPixels(kFill), 2 * 3 + 2 * 2);
    canvas.fillRect({30, 30, 40, 40});  // wholly outside
    canvas.fillRect({5, 5, 5, 9});      // empty
    EXPECT_EQ(countPixels(kFill), 2 * 3 + 2 * 2);
}

TEST_F(CanvasTest, ClearBrushFillsNothing) {
    canvas.brush().style = BrushStyle::Clear;
    canvas.fillRect({0, 0, 20, 16});
    EXPECT_EQ(countPixels(kPaper), 20 * 16);
}

TEST_F(CanvasTest, RectangleOutlinesWithPenAndFillsWithBrush) {
    canvas.rectangle({2, 2, 7, 6});
    EXPECT_EQ(bitmap.pixel(2, 2), kInk);
    EXPECT_EQ(bitmap.pixel(6, 5), kInk);
    EXPECT_EQ(bitmap.pixel(2, 5), kInk);
    EXPECT_EQ(bitmap.pixel(7, 5), kPaper);
    EXPECT_EQ(bitmap.pixel(6, 6), kPaper);
    EXPECT_EQ(bitmap.pixel(3, 3), kFill);
    EXPECT_EQ(countPixels(kInk), 5 + 5 + 2 + 2);
    EXPECT_EQ(countPixels(kFill), 3 * 2);
}

TEST_F(CanvasTest, LinesOutsideTheBitmapAreClipped) {
    canvas.moveTo(-10, 4);
    canvas.lineTo(40, 4);
    canvas.pen().width = 3;
    canvas.moveTo(19, -5);
    canvas.lineTo(19, 30);
    EXPECT_EQ(bitmap.pixel(0, 4), kInk);
    EXPECT_EQ(bitmap.pixel(17, 4), kInk);
    EXPECT_EQ(bitmap.pixel(19, 15), kInk);
    EXPECT_EQ(bitmap.pixel(18, 0), kInk);
}

TEST_F(CanvasTest, DrawCopiesAPictureClippedToTheBitmap) {
    const Bitmap picture = testing::swatchPicture();  // 5 x 3
    canvas.draw(-2, -1, picture);
    EXPECT_EQ(bitmap.pixel(0, 0), picture.pixel(2, 1));
    EXPECT_EQ(bitmap.pixel(2, 1), picture.pixel(4, 2));
    EXPECT_EQ(bitmap.pixel(3, 0), kPaper);
    EXPECT_EQ(bitmap.pixel(0, 2), kPaper);

    canvas.draw(17, 14, picture);
    EXPECT_EQ(bitmap.pixel(17, 14), picture.pixel(0, 0));
    EXPECT_EQ(bitmap.pixel(19, 15), picture.pixel(2, 1));
    canvas.draw(100, 100, picture);  // wholly outside: nothing, no fault
}

TEST_F(CanvasTest, OpaqueTextPaintsItsBandInTheBrushColour) {
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::black};
    const int width = canvas.textWidth("Hi");
    const int height = canvas.textHeight("Hi");
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    canvas.textOut(3, 2, "Hi");
    int ink = 0;
    for (int y = 2; y < 2 + height; ++y) {
        for (int x = 3; x < 3 + width; ++x) {
            const Color c = bitmap.pixel(x, y);
            EXPECT_TRUE(c == kFill || c == colors::black) << x << "," << y;
            ink += c == colors::black ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 5);
    EXPECT_EQ(bitmap.pixel(3 + width, 2), kPaper);
    EXPECT_EQ(bitmap.pixel(3, 2 + height), kPaper);
    EXPECT_EQ(bitmap.pixel(2, 2), kPaper);
    EXPECT_EQ(canvas.penPosition(), (Point{3 + width, 2}));
}

TEST_F(CanvasTest, TransparentTextLeavesTheBackground) {
    canvas.brush().style = BrushStyle::Clear;
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::white};
    canvas.textOut(3, 2, "Hi");
    EXPECT_EQ(countPixels(kFill), 0);
    EXPECT_GT(countPixels(colors::white), 5);
    EXPECT_EQ(countPixels(colors::white) + countPixels(kPaper), 20 * 16);
}

TEST_F(CanvasTest, TextRunningOffTheBitmapIsClipped) {
    canvas.font() = {"Microsoft Sans Serif", 11, true, colors::black};
    canvas.textOut(-4, -3, "WWWWWWWW");
    canvas.textOut(12, 10, "MMMMMMMM");
    EXPECT_GT(countPixels(colors::black), 10);
    EXPECT_NE(bitmap.pixel(19, 15), kPaper);  // the second band reaches the corner
}

}  // namespace
}  // namespace vxr::platform
