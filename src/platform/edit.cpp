#include "platform/edit.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/paint_helpers.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace vxr::platform {
namespace {

constexpr int kTextMargin = 1;

}  // namespace

Edit::Edit(Container& parent, std::string name) : Control(parent, std::move(name)) {}

int Edit::length() const { return static_cast<int>(decodeUtf8(text_).size()); }

void Edit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    caret_ = length();
    changed();
}

void Edit::setCaret(int position) {
    caret_ = std::clamp(position, 0, length());
    stale_ = true;
    invalidate();
}

void Edit::setFont(const Font& font) {
    font_ = font;
    stale_ = true;
    invalidate();
}

void Edit::setColor(Color color) {
    color_ = color;
    stale_ = true;
    invalidate();
}

void Edit::setPasswordChar(char32_t character) {
    passwordChar_ = character;
    stale_ = true;
    invalidate();
}

void Edit::setBordered(bool bordered) {
    bordered_ = bordered;
    stale_ = true;
    invalidate();
}

std::string Edit::displayText() const {
    if (passwordChar_ == 0) return text_;
    return encodeUtf8(std::u32string(static_cast<std::size_t>(length()), passwordChar_));
}

void Edit::boundsChanged(Rect) { stale_ = true; }

void Edit::focusChanged() {
    stale_ = true;
    invalidate();
}

void Edit::replaceText(std::u32string characters, int caret) {
    text_ = encodeUtf8(characters);
    caret_ = caret;
    changed();
}

// The change handler runs last: it may free this field.
void Edit::changed() {
    stale_ = true;
    invalidate();
    const NotifyHandler handler = onChange;
    if (handler) handler(*this);
}

void Edit::keyDefault(int key, ShiftState) {
    std::u32string characters = decodeUtf8(text_);
    const int end = static_cast<int>(characters.size());
    switch (key) {
        case vk::Left: setCaret(caret_ - 1); break;
        case vk::Right: setCaret(caret_ + 1); break;
        case vk::Home: setCaret(0); break;
        case vk::End: setCaret(end); break;
        case vk::Delete:
            if (caret_ < end) {
                characters.erase(static_cast<std::size_t>(caret_), 1);
                replaceText(std::move(characters), caret_);
            }
            break;
        default: break;
    }
}

void Edit::characterDefault(char32_t character) {
    std::u32string characters = decodeUtf8(text_);
    if (character == U'\b') {
        if (caret_ == 0) return;
        characters.erase(static_cast<std::size_t>(caret_ - 1), 1);
        replaceText(std::move(characters), caret_ - 1);
        return;
    }
    if (character < U' ' || character == U'\x7f') return;
    const std::size_t bytes = cp936ByteCount(text_) + cp936ByteCount(encodeUtf8(character));
    if (maxLength_ > 0 && bytes > static_cast<std::size_t>(maxLength_)) return;
    characters.insert(static_cast<std::size_t>(caret_), 1, character);
    replaceText(std::move(characters), caret_ + 1);
}

// Draws the field into its own bitmap: background, border, the text shifted
// so that the caret stays inside, and the caret while focused.
void Edit::render() {
    rendered_ = Bitmap(width(), height(), color_);
    const int inset = bordered_ ? 2 : 0;
    const Rect inside{inset, inset, width() - inset, height() - inset};
    Bitmap text(std::max(0, inside.width()), std::max(0, inside.height()), color_);
    Canvas canvas(text);
    canvas.font() = font_;
    canvas.brush().style = BrushStyle::Clear;
    const std::string shown = displayText();
    const std::u32string shownCharacters = decodeUtf8(shown);
    const int caretX =
        kTextMargin + canvas.textWidth(encodeUtf8(shownCharacters.substr(0, static_cast<std::size_t>(caret_))));
    const int room = std::max(1, inside.width() - 2 * kTextMargin);
    if (caretX - scroll_ > room) scroll_ = caretX - room;
    if (caretX - scroll_ < kTextMargin) scroll_ = std::max(0, caretX - kTextMargin);
    canvas.textOut(kTextMargin - scroll_, 0, shown);
    if (focused()) text.fill({caretX - scroll_, 0, caretX - scroll_ + 1, canvas.textHeight(shown)}, font_.color);
    blit(rendered_, {inside.left, inside.top}, text, inside);
    if (bordered_) drawSunkenEdge(rendered_, rendered_.bounds());
    stale_ = false;
}

void Edit::paint(const PaintTarget& target) {
    if (stale_) render();
    blit(target.frame, target.origin, rendered_, target.clip);
}

}  // namespace vxr::platform
