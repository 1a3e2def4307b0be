// Controls on their own: pictures by reference and copy on write, label
// sizing and bands, edit keys and limits, scroll box range and clamping, and
// the form's composition.

#include <gtest/gtest.h>

#include <limits>

#include "platform/canvas.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/scroll_box.h"
#include "platform/test_pictures.h"
#include "platform/utf8.h"

namespace vxr::platform {
namespace {

constexpr Color kRed{200, 0, 0};
constexpr Color kGreen{0, 180, 0};
constexpr Color kBlue{0, 0, 190};
constexpr Color kGrey{132, 130, 132};

Picture solidPicture(int width, int height, Color color) {
    return std::make_shared<const Bitmap>(width, height, color);
}

const Font kSmallFont{"Microsoft Sans Serif", 7, false, colors::black};

int textWidth(const Font& font, std::string_view text) {
    Bitmap scratch;
    Canvas canvas(scratch);
    canvas.font() = font;
    return canvas.textWidth(text);
}

class ControlsTest : public ::testing::Test {
protected:
    Form form{"test", 200, 150};

    Color pixelAt(int x, int y) {
        form.composeIfChanged();
        return form.frame().pixel(x, y);
    }
};

TEST_F(ControlsTest, ImageShowsASharedPictureByReference) {
    const Picture picture = solidPicture(30, 20, kRed);
    Image image(form, "Image1");
    image.setBounds(10, 10, 30, 20);
    image.setPicture(picture);
    EXPECT_TRUE(image.shows(picture));
    EXPECT_EQ(image.bitmap(), picture.get());
    EXPECT_FALSE(image.shows(solidPicture(30, 20, kRed)));
    EXPECT_EQ(pixelAt(15, 15), kRed);
    EXPECT_EQ(pixelAt(45, 15), kButtonFace);
}

TEST_F(ControlsTest, DrawingCopiesTheSharedPictureAndLeavesItAlone) {
    const Picture picture = solidPicture(30, 20, kRed);
    Image image(form, "Image1");
    image.setBounds(0, 0, 30, 20);
    image.setPicture(picture);
    image.canvas().brush().color = kBlue;
    image.canvas().fillRect({0, 0, 5, 5});
    EXPECT_TRUE(image.ownsBitmap());
    EXPECT_EQ(image.picture(), nullptr);
    EXPECT_EQ(picture->pixel(2, 2), kRed);
    EXPECT_EQ(pixelAt(2, 2), kBlue);
    EXPECT_EQ(pixelAt(10, 10), kRed);
    image.setPicture(picture);
    EXPECT_FALSE(image.ownsBitmap());
    EXPECT_EQ(pixelAt(2, 2), kRed);
}

TEST_F(ControlsTest, ResizingKeepsWhatWasDrawn) {
    Image image(form, "Table");
    image.setBounds(0, 0, 20, 10);
    image.canvas().brush().color = kGreen;
    image.canvas().fillRect({0, 0, 20, 10});
    image.setHeight(40);
    ASSERT_EQ(image.bitmap()->height(), 40);
    EXPECT_EQ(image.bitmap()->pixel(5, 5), kGreen);
    EXPECT_EQ(image.bitmap()->pixel(5, 30), colors::white);
    image.setHeight(5);
    image.setHeight(10);
    EXPECT_EQ(image.bitmap()->pixel(5, 7), colors::white);
}

TEST_F(ControlsTest, PictureSmallerThanTheControlLetsTheBackShow) {
    Image back(form, "Back");
    back.setBounds(0, 0, 100, 100);
    back.setPicture(solidPicture(100, 100, kGrey));
    Image front(form, "Front");
    front.setBounds(0, 0, 50, 50);
    front.setPicture(solidPicture(10, 10, kRed));
    EXPECT_EQ(pixelAt(5, 5), kRed);
    EXPECT_EQ(pixelAt(30, 30), kGrey);
    front.fitToPicture();
    EXPECT_EQ(front.width(), 10);
    EXPECT_EQ(front.height(), 10);
}

TEST_F(ControlsTest, LabelSizesItselfToItsText) {
    Label label(form, "Label1");
    label.setFont(kSmallFont);
    label.setCaption("Proceed with disk clone?");
    EXPECT_EQ(label.width(), textWidth(kSmallFont, "Proceed with disk clone?"));
    EXPECT_EQ(label.height(), FontLibrary::instance().face(kSmallFont).height());
    const int plainWidth = label.width();
    label.setCaption("Proceed with disk clone?    ");
    EXPECT_GT(label.width(), plainWidth);
    label.setAutoSize(false);
    label.setCaption("x");
    EXPECT_GT(label.width(), plainWidth);
}

TEST_F(ControlsTest, OpaqueLabelPaintsItsBandAndTransparentOneDoesNot) {
    Image back(form, "Back");
    back.setBounds(0, 0, 200, 150);
    back.setPicture(solidPicture(200, 150, kGrey));
    Label label(form, "Label1");
    label.setFont(kSmallFont);
    label.setColor(kBlue);
    label.setPosition(10, 10);
    label.setCaption("AB    ");
    const int blankX = 10 + label.width() - 2;
    EXPECT_EQ(pixelAt(blankX, 12), kBlue);
    label.setTransparent(true);
    EXPECT_EQ(pixelAt(blankX, 12), kGrey);
    int ink = 0;
    for (int y = 10; y < 10 + label.height(); ++y) {
        for (int x = 10; x < 10 + label.width(); ++x) ink += pixelAt(x, y) == colors::black ? 1 : 0;
    }
    EXPECT_GT(ink, 10);
}

// Each character as the keyboard delivers it: a key down carrying the text.
void typeInto(Form& form, std::u32string_view text) {
    for (char32_t c : text) {
        const auto stroke = keyForCharacter(c);
        const int key = stroke ? stroke->key : 0;
        form.dispatch(InputEvent::keyDown(key, encodeUtf8(c)));
        if (key != 0) form.dispatch(InputEvent::keyUp(key));
    }
}

void pressKey(Form& form, int key) {
    form.dispatch(InputEvent::keyDown(key, textForKey(key, {})));
    form.dispatch(InputEvent::keyUp(key));
}

class EditTest : public ControlsTest {
protected:
    Edit edit{form, "Edit1"};

    void SetUp() override {
        edit.setBounds(10, 10, 120, 15);
        edit.setFont(kSmallFont);
        edit.setFocus();
    }
};

TEST_F(EditTest, TypingStopsAtTheMaximumLength) {
    edit.setMaxLength(4);
    typeInto(form, U"abcdef");
    EXPECT_EQ(edit.text(), "abcd");
    edit.setText("");
    typeInto(form, U"a封b封");  // a Chinese character counts two
    EXPECT_EQ(edit.text(), "a封b");
    edit.setText("longer than four");
    EXPECT_EQ(edit.text(), "longer than four");
}

TEST_F(EditTest, PasswordCharacterHidesTheText) {
    edit.setPasswordChar(U'*');
    typeInto(form, U"Se封");
    EXPECT_EQ(edit.text(), "Se封");
    EXPECT_EQ(edit.displayText(), "***");
    edit.setPasswordChar(0);
    EXPECT_EQ(edit.displayText(), "Se封");
}

TEST_F(EditTest, CaretKeysEditInsideTheText) {
    typeInto(form, U"ACD");
    pressKey(form, vk::Left);
    pressKey(form, vk::Left);
    typeInto(form, U"B");
    EXPECT_EQ(edit.text(), "ABCD");
    EXPECT_EQ(edit.caret(), 2);
    pressKey(form, vk::Home);
    pressKey(form, vk::Delete);
    pressKey(form, vk::End);
    pressKey(form, vk::Backspace);
    EXPECT_EQ(edit.text(), "BC");
    pressKey(form, vk::Enter);
    pressKey(form, vk::Tab);
    pressKey(form, vk::Escape);
    EXPECT_EQ(edit.text(), "BC");
}

TEST_F(EditTest, ChangeEventFollowsEveryEdit) {
    std::vector<std::string> seen;
    edit.onChange = [&](Control& sender) { seen.push_back(static_cast<Edit&>(sender).text()); };
    typeInto(form, U"ab");
    pressKey(form, vk::Backspace);
    edit.setText("xyz");
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "ab", "a", "xyz"}));
}

TEST_F(EditTest, DrawsBackgroundBorderAndTextColour) {
    edit.setColor(kGreen);
    Font font = kSmallFont;
    font.color = kRed;
    edit.setFont(font);
    edit.setText("WWWW");
    form.setFocus(nullptr);
    EXPECT_EQ(pixelAt(10, 10), kEdgeShadow);
    EXPECT_EQ(pixelAt(125, 20), kGreen);
    int red = 0;
    for (int x = 12; x < 60; ++x) {
        for (int y = 12; y < 23; ++y) red += pixelAt(x, y) == kRed ? 1 : 0;
    }
    EXPECT_GT(red, 10);
    edit.setBordered(false);
    EXPECT_EQ(pixelAt(10, 10), kGreen);
}

class ScrollBoxTest : public ControlsTest {
protected:
    ScrollBox box{form, "ScrollBox1"};
    Image page{box, "IMAGEH"};
    Image list{box, "Image5DA"};

    void SetUp() override {
        box.setBounds(20, 10, 100, 100);
        box.setScrollBarColor(kBlue);
        page.setBounds(0, 0, 84, 400);
        page.setPicture(solidPicture(84, 400, kRed));
        page.canvas().brush().color = kGreen;
        page.canvas().fillRect({0, 120, 84, 130});
        list.setBounds(0, 0, 84, 60);
        list.hide();
    }
};

TEST_F(ScrollBoxTest, VisibleChildSetsTheRangeAndPositionIsClamped) {
    EXPECT_EQ(box.range(), 400);
    EXPECT_EQ(box.maxScroll(), 300);
    box.setScrollTop(-5);
    EXPECT_EQ(box.scrollTop(), 0);
    box.setScrollTop(1000);
    EXPECT_EQ(box.scrollTop(), 300);
    page.hide();
    list.show();
    EXPECT_EQ(box.range(), 60);
    EXPECT_EQ(box.scrollTop(), 0);
    EXPECT_FALSE(box.scrollBarShown());
}

TEST_F(ScrollBoxTest, ScrollingMovesTheChildUnderTheBox) {
    EXPECT_EQ(pixelAt(30, 10 + 125), kButtonFace);  // below the box
    box.setScrollTop(100);
    EXPECT_EQ(pixelAt(30, 10 + 25), kGreen);
    EXPECT_EQ(pixelAt(30, 10 + 5), kRed);
    EXPECT_EQ(pixelAt(20 + 100 - 8, 10 + 75), kBlue);  // the scroll bar's track
}

TEST_F(ScrollBoxTest, WheelAndArrowsScrollWithinTheRange) {
    form.dispatch(InputEvent::mouseWheel({40, 40}, -2));
    EXPECT_EQ(box.scrollTop(), 2 * ScrollBox::kWheelStep);
    form.dispatch(InputEvent::mouseWheel({40, 40}, 10));
    EXPECT_EQ(box.scrollTop(), 0);
    const Point downArrow{20 + 100 - 8, 10 + 100 - 4};
    form.dispatch(InputEvent::mouseDown(downArrow));
    form.dispatch(InputEvent::mouseUp(downArrow));
    EXPECT_EQ(box.scrollTop(), ScrollBox::kLineStep);
    form.dispatch(InputEvent::mouseWheel({150, 40}, -1));  // outside the box
    EXPECT_EQ(box.scrollTop(), ScrollBox::kLineStep);
}

TEST_F(ScrollBoxTest, DraggingTheThumbScrollsInProportion) {
    const Point thumb{20 + 100 - 8, 10 + 16 + 2};
    form.dispatch(InputEvent::mouseDown(thumb));
    form.dispatch(InputEvent::mouseMove({thumb.x + 50, thumb.y + 1000}));
    form.dispatch(InputEvent::mouseUp({thumb.x + 50, thumb.y + 1000}));
    EXPECT_EQ(box.scrollTop(), box.maxScroll());
}

// Extreme wheel turns and drags far off the screen end at a scroll limit
// (the sanitizers of the debug build catch any wrap on the way).
TEST_F(ScrollBoxTest, ExtremeWheelTurnsAndDragsStopAtTheEnds) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case {
        int wheel;
        int dragToY;
        int expectedTop;
    };
    const Point thumb{20 + 100 - 8, 10 + 16 + 2};
    for (const Case& c : {Case{kMin, 0, 300}, Case{kMax, 0, 0}, Case{0, kMax, 300}, Case{0, kMin, 0}}) {
        box.setScrollTop(150);
        if (c.wheel != 0) {
            form.dispatch(InputEvent::mouseWheel({40, 40}, c.wheel));
        } else {
            box.setScrollTop(0);
            form.dispatch(InputEvent::mouseDown(thumb));
            form.dispatch(InputEvent::mouseMove({kMin, c.dragToY}));
            form.dispatch(InputEvent::mouseUp({kMax, c.dragToY}));
        }
        EXPECT_EQ(box.scrollTop(), c.expectedTop) << "wheel " << c.wheel << " drag to " << c.dragToY;
    }
}

TEST_F(ControlsTest, LaterControlsPaintOverEarlierOnesUntilBroughtToFront) {
    Image first(form, "First");
    first.setBounds(0, 0, 50, 50);
    first.setPicture(solidPicture(50, 50, kRed));
    Image second(form, "Second");
    second.setBounds(25, 25, 50, 50);
    second.setPicture(solidPicture(50, 50, kGreen));
    EXPECT_EQ(pixelAt(30, 30), kGreen);
    first.bringToFront();
    EXPECT_EQ(pixelAt(30, 30), kRed);
    first.sendToBack();
    EXPECT_EQ(pixelAt(30, 30), kGreen);
    second.hide();
    EXPECT_EQ(pixelAt(30, 30), kRed);
}

TEST_F(ControlsTest, FrameIsComposedOnlyAfterAChange) {
    Image image(form, "Image1");
    image.setBounds(0, 0, 10, 10);
    EXPECT_TRUE(form.composeIfChanged());
    EXPECT_FALSE(form.composeIfChanged());
    Image hidden(form, "Hidden");
    hidden.hide();
    form.composeIfChanged();
    hidden.setBounds(5, 5, 20, 20);
    hidden.setPicture(solidPicture(20, 20, kRed));
    EXPECT_FALSE(form.composeIfChanged());
    image.setPicture(solidPicture(10, 10, kRed));
    EXPECT_TRUE(form.composeIfChanged());
    image.canvas();
    EXPECT_TRUE(form.composeIfChanged());
    {
        Image temporary(form, "Temporary");
        form.composeIfChanged();
    }
    EXPECT_TRUE(form.composeIfChanged());
}

TEST_F(ControlsTest, ChildrenOfAFreedScrollBoxAreNoLongerShown) {
    auto box = std::make_unique<ScrollBox>(form, "Box");
    box->setBounds(0, 0, 50, 50);
    Image child(*box, "Child");
    child.setBounds(0, 0, 40, 40);
    child.setPicture(solidPicture(40, 40, kRed));
    EXPECT_TRUE(child.showing());
    EXPECT_EQ(pixelAt(5, 5), kRed);
    box.reset();
    EXPECT_FALSE(child.showing());
    EXPECT_EQ(child.parent(), nullptr);
    EXPECT_EQ(pixelAt(5, 5), kButtonFace);
}

}  // namespace
}  // namespace vxr::platform
