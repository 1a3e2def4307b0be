#include "platform/message_box.h"
#include "platform/indexing.h"

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

std::vector<std::string> splitLines(std::string_view text) {
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
void dottedFrame(Bitmap& target, const Rect& r) {
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

MessageBoxWindow::MessageBoxWindow(std::string_view text, std::vector<std::string> buttons)
    : form_({}, kMinimumWidth, 80) {
    for (std::string& line : splitLines(text)) {
        auto label = std::make_unique<Label>(form_, "Line" + std::to_string(lines_.size() + 1));
        label->setFont(kTextFont);
        label->setCaption(std::move(line));
        lines_.push_back(std::move(label));
    }
    if (buttons.empty()) buttons.emplace_back("OK");
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons_.push_back(std::make_unique<Image>(form_, "Button" + std::to_string(i + 1)));
        buttons_.back()->onClick = [this, i](Control&) { answer(i); };
    }
    layOut();
    captions_ = std::move(buttons);
    for (std::size_t i = 0; i < captions_.size(); ++i) drawButton(*buttons_[i], captions_[i], i == 0);
    const std::size_t last = buttons_.size() - 1;
    form_.onKeyDown = [this, last](int& key, ShiftState) {
        if (key == vk::Enter || key == vk::Space || key == vk::Escape) {
            answer(key == vk::Escape ? last : default_);
            key = 0;
        } else if (key == vk::Tab || key == vk::Right || key == vk::Left) {
            moveDefault(key == vk::Left ? -1 : 1);
            key = 0;
        }
    };
    form_.onCloseRequest = [this, last] { answer(last); };
}

void MessageBoxWindow::moveDefault(int step) {
    const std::size_t count = buttons_.size();
    drawButton(*buttons_[default_], captions_[default_], false);
    default_ = (default_ + count + static_cast<std::size_t>(step + 1) - 1) % count;
    drawButton(*buttons_[default_], captions_[default_], true);
}

void MessageBoxWindow::layOut() {
    const int count = static_cast<int>(buttons_.size());
    const int row = count * kButtonWidth + (count - 1) * kButtonGap;
    int width = std::max(kMinimumWidth, row + 2 * kMargin);
    for (const auto& line : lines_) width = std::max(width, line->width() + 2 * kMargin);
    int y = kMargin;
    for (const auto& line : lines_) {
        line->setPosition(kMargin, y);
        y += line->height() + kLineGap;
    }
    y += kMargin;
    for (int i = 0; i < count; ++i) {
        cell(buttons_, i)
            ->setBounds((width - row) / 2 + i * (kButtonWidth + kButtonGap), y, kButtonWidth, kButtonHeight);
    }
    form_.setClientSize(width, y + kButtonHeight + kMargin);
}

// A raised face with its caption; the default button also has a black
// outline and a dotted focus frame.
void MessageBoxWindow::drawButton(Image& button, std::string_view caption, bool isDefault) {
    Canvas& canvas = button.canvas();
    Bitmap& face = canvas.bitmap();
    face.fill(face.bounds(), kButtonFace);
    if (isDefault) {
        canvas.pen() = {colors::black, 1};
        canvas.brush().style = BrushStyle::Clear;
        canvas.rectangle(face.bounds());
        drawRaisedEdge(face, {1, 1, face.width() - 1, face.height() - 1});
        dottedFrame(face, {4, 4, face.width() - 4, face.height() - 4});
    } else {
        drawRaisedEdge(face, face.bounds());
    }
    canvas.font() = kTextFont;
    canvas.brush().style = BrushStyle::Clear;
    const int textWidth = canvas.textWidth(caption);
    canvas.textOut((face.width() - textWidth) / 2, (face.height() - canvas.textHeight(caption)) / 2, caption);
}

Bitmap framedWindow(const Bitmap& client, std::string_view title) {
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
