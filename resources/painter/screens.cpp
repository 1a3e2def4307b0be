// The main screen, the progress screen and the switches help window.

#include <string>

#include "look.h"
#include "operations/help_layout.h"
#include "operations/progress_layout.h"
#include "registry.h"

namespace vxr::painter {

namespace {

constexpr Color kDesktop{16, 72, 104};
constexpr Color kDesktopFleck{24, 84, 118};

// The maker's mark: a bevelled square holding a stylised V over a platter.
void logo(Canvas& canvas, int x, int y, int size) {
    canvas.bitmap().fill({x, y, x + size, y + size}, pal(2));
    bevel(canvas, {x, y, x + size, y + size}, true);
    const int mid = x + size / 2;
    for (int row = 0; row < size - 8; ++row) {
        const int half = (size - 8 - row) * 3 / 8;
        canvas.bitmap().fill({mid - half - 2, y + 4 + row, mid - half + 1, y + 5 + row}, kWhite);
        canvas.bitmap().fill({mid + half - 1, y + 4 + row, mid + half + 2, y + 5 + row}, kWhite);
    }
    canvas.bitmap().fill({x + 3, y + size - 5, x + size - 3, y + size - 3}, pal(9));
}

Bitmap mainScreen() {
    Bitmap picture = blank(640, 480, kDesktop);
    for (int y = 0; y < 480; ++y) {
        for (int x = (y * 3) % 5; x < 640; x += 5) picture.setPixel(x, y, kDesktopFleck);
    }
    Canvas canvas(picture);
    const Rect work{8, 8, 632, 448};
    canvas.bitmap().fill(work, pal(7));
    bevel(canvas, work, true);
    canvas.bitmap().fill({10, 10, 630, 30}, pal(2));
    logo(canvas, 14, 11, 18);
    text(canvas, 40, 11, "Korvanta", "Garamond", 11, pal(9), true);
    text(canvas, 120, 11, "Vexor 8.0", "Garamond", 11, kWhite, true);
    logo(canvas, 560, 380, 56);
    text(canvas, 430, 420, "Korvanta Vexor", "Garamond", 11, pal(9), true);
    const Rect status{8, 452, 632, 472};
    sunkenField(canvas, status, pal(4));
    text(canvas, 14, 456, "Vexor 8.0", kSans, 7, kBlack);
    text(canvas, 500, 456, "Korvanta", kSans, 7, kBlack);
    return picture;
}

Bitmap progressScreen() {
    const int width = pictureWidth("F412B"), height = pictureHeight("F412B");
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    titleBar(canvas, width, "Vexor 8.0 - Progress Indicator");
    using namespace operations;
    const Rect bar{kProgressBarAt.x, kProgressBarAt.y, kProgressBarAt.x + kProgressBarSteps,
                   kProgressBarAt.y + kProgressBarHeight};
    frame(canvas, {bar.left - 6, bar.top - 6, bar.right + 6, bar.bottom + 22}, kShadow);
    sunkenField(canvas, bar, pal(7));
    const char* marks[] = {"0%", "25%", "50%", "75%", "100%"};
    for (int i = 0; i <= 4; ++i) {
        const int x = bar.left + i * (kProgressBarSteps - 1) / 4;
        canvas.bitmap().fill({x, bar.bottom + 1, x + 1, bar.bottom + 4}, kBlack);
        const int w = textWidth(canvas, marks[i], kSans, 7);
        text(canvas, std::clamp(x - w / 2, bar.left, bar.right - w), bar.bottom + 5, marks[i], kSans, 7, kBlack);
    }
    groupBox(canvas, {5, 86, 300, 196}, "Statistics");
    const char* rows[] = {"Percent complete", "Speed (MB/min)", "MB copied", "MB remaining", "Time elapsed",
                          "Time remaining"};
    for (int i = 0; i < 6; ++i) {
        const int y = kPercentBoxAt.y + 15 * i;
        text(canvas, 12, y, rows[i], kSans, 7, kBlack);
        sunkenField(canvas, {kPercentBoxAt.x, y, kPercentBoxAt.x + kPercentBoxWidth, y + kPercentBoxHeight}, pal(1));
    }
    groupBox(canvas, {2, kDetailsTop - 8, width - 3, height - 4}, "Details");
    canvas.bitmap().fill({3, kDetailsTop - 2, width - 4, height - 5}, pal(8));
    // The mascot: a small robot at work beside the statistics.
    const int mx = 380, my = 96;
    canvas.bitmap().fill({mx, my, mx + 60, my + 44}, pal(4));
    bevel(canvas, {mx, my, mx + 60, my + 44}, true);
    canvas.bitmap().fill({mx + 12, my + 12, mx + 22, my + 22}, pal(3));
    canvas.bitmap().fill({mx + 38, my + 12, mx + 48, my + 22}, pal(3));
    canvas.bitmap().fill({mx + 16, my + 32, mx + 44, my + 35}, kShadow);
    canvas.bitmap().fill({mx + 28, my - 10, mx + 32, my}, kShadow);
    canvas.bitmap().fill({mx + 10, my + 46, mx + 50, my + 84}, pal(2));
    canvas.bitmap().fill({mx - 8, my + 50, mx + 8, my + 56}, pal(2));
    canvas.bitmap().fill({mx + 52, my + 50, mx + 68, my + 56}, pal(2));
    return picture;
}

Bitmap helpWindow(int focused) {
    const int width = pictureWidth(operations::kHelpWindowPicture);
    const int height = pictureHeight(operations::kHelpWindowPicture);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    titleBar(canvas, width, "Vexor 8.0 Switches");
    const int inset = operations::kHelpScrollInsetX;
    canvas.bitmap().fill({inset, operations::kHelpScrollInsetTop, width - inset,
                          operations::kHelpScrollInsetTop + operations::kHelpScrollHeight},
                         kWhite);
    logo(canvas, 12, 312, 30);
    text(canvas, 50, 322, "Korvanta Vexor 8.0", "Garamond", 9, pal(9), true);
    const Rect ok{515, 316, 515 + 58, 316 + 26};
    button(canvas, ok, "OK", focused ? ButtonLook::Focused : ButtonLook::Plain);
    return picture;
}

Bitmap helpPage() {
    const int width = pictureWidth(operations::kHelpPagePicture);
    const int height = pictureHeight(operations::kHelpPagePicture);
    Bitmap picture = blank(width, height, kWhite);
    Canvas canvas(picture);
    text(canvas, 10, 8, "Vexor 8.0 command-line switches", kSans, 9, kBlack, true);
    const char* lines[] = {
        "VXR -CLONE,MODE=mode,SRC=source,DST=destination [switches]",
        "  MODE=COPY, LOAD, DUMP, PCOPY, PLOAD, PDUMP, CHECK",
        "-PWD        ask for a password for the new image",
        "-PWD=text   the image password",
        "-Z, -Z1..-Z9  compress the new image",
        "-SURE       no questions asked",
        "-F32        convert FAT16 partitions to FAT32",
        "-H, -?      this help",
    };
    int y = 32;
    for (const char* line : lines) {
        text(canvas, 10, y, line, kSans, 8, kBlack);
        y += 16;
    }
    return picture;
}

}  // namespace

void addScreenPictures(Registry& registry) {
    registry["F0"] = mainScreen;
    registry["F412B"] = progressScreen;
    registry[operations::kHelpWindowPicture] = [] { return helpWindow(0); };
    registry["F250"] = [] { return crop(helpWindow(0), 515, 316, pictureWidth("F250"), pictureHeight("F250")); };
    registry["F251"] = [] { return crop(helpWindow(1), 515, 316, pictureWidth("F251"), pictureHeight("F251")); };
    registry[operations::kHelpPagePicture] = helpPage;
}

}  // namespace vxr::painter
