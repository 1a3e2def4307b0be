// The progress screen: the Progress Indicator bar and its scale, the
// Statistics box, the mascot and the Details panel. The bar, the percent box
// and the Details labels are laid over it while an operation runs.

#include <algorithm>
#include <string>

#include "artwork.h"
#include "layout/progress_layout.h"
#include "look.h"
#include "registry.h"

namespace vxr::painter {

namespace {

using namespace layout;

constexpr const char* kProgressPicture = "F412B";

Rect barArea() {
    return {kProgressBarAt.x, kProgressBarAt.y, kProgressBarAt.x + kProgressBarSteps,
            kProgressBarAt.y + kProgressBarHeight};
}

// Ticks every 5 %, longer ones with their figure every 10 %.
void percentScale(Canvas& canvas, const Rect& bar) {
    for (int percent = 0; percent <= 100; percent += 5) {
        const int x = bar.left + percent * (bar.width() - 1) / 100;
        const bool major = percent % 10 == 0;
        canvas.bitmap().fill({x, bar.bottom + 2, x + 1, bar.bottom + (major ? 6 : 4)}, kBlack);
        if (!major) continue;
        const std::string mark = std::to_string(percent) + "%";
        const int w = textWidth(canvas, mark, kSans, 7);
        text(canvas, std::clamp(x - w / 2, bar.left - 2, bar.right + 2 - w), bar.bottom + 7, mark, kSans, 7, kBlack);
    }
}

void progressIndicator(Canvas& canvas) {
    const Rect bar = barArea();
    groupBox(canvas, {bar.left - 6, bar.top - 6, bar.right + 6, bar.bottom + 22}, "");
    sunkenField(canvas, bar, pal(4));
    percentScale(canvas, bar);
}

// The six statistics rows; the first box is where the percent box stands.
void statistics(Canvas& canvas) {
    const char* rows[] = {"Percent complete", "Speed (MB/min)", "MB copied",
                          "MB remaining",     "Time elapsed",   "Time remaining"};
    const int rowStep = 15;
    groupBox(canvas, {5, kPercentBoxAt.y - 14, kPercentBoxAt.x + kPercentBoxWidth + 12, kPercentBoxAt.y + 96},
             "Statistics");
    for (int i = 0; i < 6; ++i) {
        const int y = kPercentBoxAt.y + rowStep * i;
        text(canvas, 12, y + 1, rows[i], kSans, 7, kBlack);
        sunkenField(canvas, {kPercentBoxAt.x, y, kPercentBoxAt.x + kPercentBoxWidth, y + kPercentBoxHeight}, pal(1));
    }
}

void brand(Bitmap& picture, Canvas& canvas) {
    const int left = 330, top = kPercentBoxAt.y - 6;
    groupBox(canvas, {left, top - 8, picture.width() - 6, top + 96}, "");
    makerLogo(picture, left + 14, top + 6, 56);
    text(canvas, left + 82, top + 14, "Vexor 8.0", kSans, 12, kWhite, true);
    makerWordmark(canvas, left + 84, top + 34, 9, pal(9));
    text(canvas, left + 84, top + 56, "Working. Please wait...", kSans, 7, kBlack);
    text(canvas, left + 84, top + 70, "Keep the computer on.", kSans, 7, kBlack);
}

// The Details panel: a caption and the palette 8 field the labels stand on.
void detailsPanel(Canvas& canvas, int width, int height) {
    text(canvas, kDetailsLeftX + 2, kDetailsTop - 15, "Details", kSans, 7, kWhite, true);
    sunkenField(canvas, {3, kDetailsTop - 2, width - 3, height - 4}, pal(8));
}

Bitmap progressScreen() {
    const int width = pictureWidth(kProgressPicture), height = pictureHeight(kProgressPicture);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    titleBar(canvas, width, "Vexor 8.0 - Progress Indicator");
    progressIndicator(canvas);
    statistics(canvas);
    mascot(picture, 200, kPercentBoxAt.y - 18);
    brand(picture, canvas);
    detailsPanel(canvas, width, height);
    return picture;
}

}  // namespace

void addProgressPicture(Registry& registry) { registry[kProgressPicture] = progressScreen; }

}  // namespace vxr::painter
