#pragma once
// The tool's numbered message boxes: for each dialog code its title and up to
// two text lines, trailing fill included (the fill widens a label's band so
// that it hides the picture's own text). "{token}" stands for the text in
// error, "{file}" for the directory path and name of a rejected image.

#include <string>

namespace vxr::dialogs {

struct MessageCode {
    int code = 0;
    std::string title;  // empty: the picture's own title stays visible
    std::string line1;  // empty: no label
    std::string line2;
};

inline constexpr const char* kTokenMark = "{token}";
inline constexpr const char* kFileMark = "{file}";

// The code's texts; an unknown code has none.
const MessageCode& messageCode(int code);

// Picture kind 1 (error with its own text), 2 (question) or 3 (empty error).
int messageKind(int code);

// True for codes answered with a single OK button: all but the questions.
bool isOneButtonCode(int code);

// `text` with the marks replaced.
std::string fillMarks(std::string text, const std::string& token, const std::string& file);

// Trailing fill: n ASCII spaces, or n full-width fill characters.
std::string spaces(int n);
std::string fullWidthFill(int n);

}  // namespace vxr::dialogs
