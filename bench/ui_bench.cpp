// Median time to compose a 640 x 480 frame of a screen-like form: a
// full-window picture, menus with highlights, a dialog with a drawn table,
// labels, an edit, a scroll box with a file list and the focus-frame bars
// (25 controls). Also the time from one pointer move that moves a highlight
// to the composed frame.
//
//   vxr_ui_bench [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "median_time.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/scroll_box.h"

namespace {

using namespace vxr::platform;
using vxr::bench::medianMicroseconds;

Picture gradient(int width, int height, int seed) {
    auto picture = std::make_shared<Bitmap>(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture->setPixel(
                x, y,
                Color{static_cast<std::uint8_t>((x + seed) & 0xFF), static_cast<std::uint8_t>((y * 2 + seed) & 0xFF),
                      static_cast<std::uint8_t>((x ^ y) & 0x7F)});
        }
    }
    return picture;
}

Picture solid(int width, int height, Color color) { return std::make_shared<const Bitmap>(width, height, color); }

// The controls of a dialog screen, owned here as the window class owns its
// named controls.
struct Screen {
    Form form{"bench", 640, 480};
    std::vector<std::unique_ptr<Control>> controls;

    template <typename T>
    T& add(std::string name, Rect bounds, Container* parent = nullptr) {
        auto control = std::make_unique<T>(parent != nullptr ? *parent : form, std::move(name));
        control->setBounds(bounds.left, bounds.top, bounds.width(), bounds.height());
        T& made = *control;
        controls.push_back(std::move(control));
        return made;
    }

    Image& picture(std::string name, Rect bounds, Picture shown) {
        Image& image = add<Image>(std::move(name), bounds);
        image.setPicture(std::move(shown));
        return image;
    }

    Label& label(std::string name, Point at, std::string text) {
        Label& made = add<Label>(std::move(name), {at.x, at.y, at.x, at.y});
        made.setFont({"Microsoft Sans Serif", 7, false, colors::black});
        made.setColor(Color{132, 130, 132});
        made.setCaption(std::move(text));
        return made;
    }
};

void drawTable(Image& table) {
    Canvas& canvas = table.canvas();
    canvas.brush().color = Color{156, 154, 156};
    canvas.fillRect({0, 0, table.width(), table.height()});
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::black};
    for (int row = 0; row < 4; ++row) canvas.textOut(4, 13 * row, "1  Primary  07  NTFS  SYSTEM   4,096   1,234");
}

void buildScreen(Screen& s) {
    s.picture("Image0", {0, 0, 640, 480}, gradient(640, 480, 0));
    s.picture("Image1B", {30, 217, 149, 377}, gradient(119, 160, 40));
    s.picture("Image1A", {52, 220, 125, 240}, solid(73, 20, Color{0, 48, 206})).setPassesMouseMoves(true);
    s.picture("Image2B", {124, 220, 226, 306}, gradient(102, 86, 80));
    s.picture("Image2A", {146, 223, 202, 243}, solid(56, 20, Color{0, 48, 206})).setPassesMouseMoves(true);
    s.picture("Image3B", {201, 223, 319, 309}, gradient(118, 86, 120));
    s.picture("Image3A", {223, 226, 295, 246}, solid(72, 20, Color{0, 48, 206})).setPassesMouseMoves(true);
    s.picture("Image4B", {60, 100, 593, 318}, gradient(533, 218, 160));
    drawTable(s.add<Image>("Table", {80, 140, 560, 210}));
    s.picture("Image4A", {164, 233, 250, 253}, solid(86, 20, Color{198, 195, 198}));
    const char* texts[] = {"Destination Drive Details",    "Part",   "Type",    "Size", "Data Size",
                           "Proceed with disk clone?    ", "Disk 1", "1,234 MB"};
    for (int i = 0; i < 8; ++i)
        s.label("Label" + std::to_string(i + 1), {70 + 60 * (i % 4), 110 + 16 * (i / 4)}, texts[i]);
    Edit& edit = s.add<Edit>("Edit1", {181, 255, 362, 268});
    edit.setFont({"Microsoft Sans Serif", 7, false, colors::black});
    edit.setText("C:\\IMAGES\\SYSTEM");
    ScrollBox& box = s.add<ScrollBox>("ScrollBox1", {420, 300, 600, 460});
    Image& list = s.add<Image>("Image5DA", {0, 0, 180, 1573}, &box);
    list.canvas().brush().color = Color{156, 154, 156};
    list.canvas().fillRect({0, 0, 180, 1573});
    box.setScrollTop(200);
    const Rect bars[] = {{78, 138, 80, 212}, {78, 138, 562, 140}, {560, 138, 562, 212}, {78, 210, 562, 212}};
    for (int i = 0; i < 4; ++i)
        s.picture("BAR" + std::to_string(i + 1), bars[i], solid(bars[i].width(), bars[i].height(), colors::white));
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    Screen screen;
    buildScreen(screen);
    screen.form.compose();  // glyphs rendered and labels cached before timing

    const double composeMicros = medianMicroseconds(rounds, [&] {
        screen.form.markChanged();
        screen.form.composeIfChanged();
    });

    // A pointer move over the main menu moves its highlight, as hovering does.
    Image& menu = *screen.form.findAs<Image>("Image1B");
    Image& highlight = *screen.form.findAs<Image>("Image1A");
    menu.onMouseMove = [&highlight](Control&, ShiftState, int, int y) { highlight.setTop(217 + 3 + (y / 22) * 22); };
    int step = 0;
    const double eventMicros = medianMicroseconds(rounds, [&] {
        screen.form.dispatch(InputEvent::mouseMove({40, 222 + 22 * (step++ % 6)}));
        screen.form.composeIfChanged();
    });

    std::printf("compose 640 x 480 frame (%zu controls): %.1f us median\n", screen.controls.size(), composeMicros);
    std::printf("pointer move to composed frame: %.1f us median\n", eventMicros);
    return 0;
}
