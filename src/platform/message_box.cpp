#include "platform/message_box.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/paint_helpers.h"

namespace vxr::platform {
namespace {

const Font kTextFont{"Microsoft Sans Serif", 8, false, colors::black};
const Font kTitleFont{"Microsoft Sans Serif", 8, true, colors::white};
constexpr Color kTitleBar{0, 0, 128};
constexpr int kTitleHeight = 18;
constexpr int kLineGap = 2;

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (true) {
        const std::size_t end = text.find('\n', pos);
        std::string line(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) return lines;
        pos = end + 1;
    }
}

// Every other pixel of a rectangle's outline, as a focused button shows it.
void dottedFrame(Bitmap& target, const Rect& r)
{
    for (int x = r.left; x < r.right; x += 2) {
        target.setPixel(x, r.top, colors::black);
        target.setPixel(x, r.bottom - 1, colors::black);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        target.setPixel(r.left, y, colors::black);
        target.setPixel(r.right - 1, y, colors::black);
    }
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(std::string_view text) : form_({}, kMinimumWidth, 80), button_(form_, "OK")
{
    for (std::string& line : splitLines(text)) {
        auto label = std::make_unique<Label>(form_, "Line" + std::to_string(lines_.size() + 1));
        label->setFont(kTextFont);
        label->setCaption(std::move(line));
        lines_.push_back(std::move(label));
    }
    layOut();
    drawButton();
    button_.onClick = [this](Control&) { answer(); };
    form_.onKeyDown = [this](int& key, ShiftState) {
        if (key == vk::Enter || key == vk::Space || key == vk::Escape) {
            answer();
            key = 0;
        }
    };
    form_.onCloseRequest = [this] { answer(); };
}

void MessageBoxWindow::layOut()
{
    int width = kMinimumWidth;
    for (const auto& line : lines_) width = std::max(width, line->width() + 2 * kMargin);
    int y = kMargin;
    for (const auto& line : lines_) {
        line->setPosition(kMargin, y);
        y += line->height() + kLineGap;
    }
    y += kMargin;
    button_.setBounds((width - kButtonWidth) / 2, y, kButtonWidth, kButtonHeight);
    form_.setClientSize(width, y + kButtonHeight + kMargin);
}

// The default button: black outline, raised face, dotted focus frame.
void MessageBoxWindow::drawButton()
{
    Canvas& canvas = button_.canvas();
    Bitmap& face = canvas.bitmap();
    face.fill(face.bounds(), kButtonFace);
    canvas.pen() = {colors::black, 1};
    canvas.brush().style = BrushStyle::Clear;
    canvas.rectangle(face.bounds());
    drawRaisedEdge(face, {1, 1, face.width() - 1, face.height() - 1});
    dottedFrame(face, {4, 4, face.width() - 4, face.height() - 4});
    canvas.font() = kTextFont;
    const int textWidth = canvas.textWidth("OK");
    canvas.textOut((face.width() - textWidth) / 2, (face.height() - canvas.textHeight("OK")) / 2, "OK");
}

Bitmap framedWindow(const Bitmap& client, std::string_view title)
{
    Bitmap framed(client.width() + 2, client.height() + kTitleHeight + 2, colors::black);
    framed.fill({1, 1, framed.width() - 1, kTitleHeight + 1}, kTitleBar);
    Canvas canvas(framed);
    canvas.font() = kTitleFont;
    canvas.brush().style = BrushStyle::Clear;
    canvas.textOut(4, 1 + (kTitleHeight - canvas.textHeight(title)) / 2, title);
    canvas.draw(1, kTitleHeight + 1, client);
    return framed;
}

}  // namespace vxr::platform
