#pragma once
// A single-line text field: text, caret, maximum length, password
// character, text and background colours, an optional sunken border. It
// takes the keyboard focus (from the program, or from a click into it) and
// edits its text with the keys its key-down and key-press handlers leave
// alone: Left, Right, Home, End and Delete move or delete at the caret,
// Backspace deletes before it, printable characters are inserted.

#include <string>

#include "platform/bitmap.h"
#include "platform/control.h"
#include "platform/font.h"

namespace vxr::platform {

class Edit : public Control {
public:
    Edit(Container& parent, std::string name);

    // UTF-8. Setting the text puts the caret at its end.
    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Caret position in characters from the start.
    int caret() const { return caret_; }
    void setCaret(int position);

    const Font& font() const { return font_; }
    void setFont(const Font& font);
    Color color() const { return color_; }
    void setColor(Color color);
    // In bytes as code page 936 counts them (two for a Chinese character);
    // 0 means no limit. Typing stops at the limit; text the program sets is
    // not cut.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; }
    // Shown instead of every character; 0 shows the text itself.
    char32_t passwordChar() const { return passwordChar_; }
    void setPasswordChar(char32_t character);
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered);

    // What the field shows: the text, or the password character repeated.
    std::string displayText() const;

    bool canFocus() const override { return true; }

    // After every change of the text by typing or by setText.
    NotifyHandler onChange;

protected:
    void paint(const PaintTarget& target) override;
    void boundsChanged(Rect old) override;
    void keyDefault(int key, ShiftState shift) override;
    void characterDefault(char32_t character) override;
    void focusChanged() override;

private:
    int length() const;
    void replaceText(std::u32string characters, int caret);
    void changed();
    void render();

    std::string text_;
    int caret_ = 0;
    Font font_;
    Color color_ = colors::white;
    int maxLength_ = 0;
    char32_t passwordChar_ = 0;
    bool bordered_ = true;
    // Pixels the text is shifted left to keep the caret in view.
    int scroll_ = 0;
    Bitmap rendered_;
    bool stale_ = true;
};

}  // namespace vxr::platform
