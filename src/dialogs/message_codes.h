#pragma once
// The tool's numbered message boxes: for each dialog code its title and up to
// two text lines, trailing fill included (the fill widens a label's band so
// that it hides the picture's own text). "{token}" stands for the text in
// error, "{file}" for the directory path and name of a rejected image.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"

namespace vxr::dialogs {

struct MessageCode {
    int code = 0;
    std::string title;  // empty: the picture's own title stays visible
    std::string line1;  // empty: no label
    std::string line2;
};

inline constexpr const char* kTokenMark = "{token}";
inline constexpr const char* kFileMark = "{file}";

// Trailing fill: n ASCII spaces, or n full-width fill characters.
inline std::string spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

inline std::string fullWidthFill(int n) {
    std::string fill;
    for (int i = 0; i < n; ++i) fill += platform::kFullWidthFillUtf8;
    return fill;
}

namespace detail {

inline std::vector<MessageCode> buildTable() {
    const std::string error = "Error" + spaces(18);
    const std::string dialog = "DIALOG" + spaces(18);
    return {
        {1, "", "", ""},
        {2, "", "", ""},
        {3, "", std::string(kFileMark) + " is not a valid image file.", "Task can not be completed."},
        {4, dialog, "Destination drive too small (40011)." + fullWidthFill(7), ""},
        {5, "Invalid Password (1947)", "Password invalid, enter another?" + fullWidthFill(9), ""},
        {6, "Usage Error 30003", "Password not provided for protected file" + fullWidthFill(5), ""},
        {7, dialog, "Password do not match" + fullWidthFill(14), ""},
        {8, "Quit Korvanta Vexor (1953)", "Are you sure you want to quit?" + fullWidthFill(10), ""},
        {9, error, "Connection canceled (625)" + spaces(25), ""},
        {10, error, "Invalid IP Address to Connect to. (1634)" + spaces(10), ""},
        {11, error, "Could not establish connection with Vexor TCP/IP Slave (1633)", ""},
        {101, error, "Arguments must be preceeded with a '-' or a '/'", ""},
        {102, "Usage Error 10100" + spaces(10), "Invalid switch: " + std::string(kTokenMark) + spaces(20), ""},
        {103, "Usage Error 451" + spaces(10), "Expecting ',' after CLONE keyword" + spaces(14), ""},
        {104, "Usage Error 580" + spaces(10), "Unknown keyword: " + std::string(kTokenMark) + spaces(19), ""},
        {105, "Usage Error 448" + spaces(10), "Clone SRC unknown" + spaces(31), ""},
        {106, "Usage Error 447" + spaces(10), "Clone DST unknown" + spaces(32), ""},
        {107, "Usage Error 11030" + spaces(10), "Invalid source drive" + spaces(25), ""},
        {108, "Usage Error 11030" + spaces(10), "Invalid destination drive" + spaces(20), ""},
        {109, "Usage Error 10093" + spaces(10), "Expected ':' in SRC" + spaces(24), ""},
        {110, "Usage Error 10098" + spaces(10), "Expected ':' in DST" + spaces(24), ""},
        {111, "Usage Error 10097" + spaces(10), "Invalid source partition specified" + spaces(11), ""},
        {112, "Usage Error 10099" + spaces(10), "Invalid destination partition specified" + spaces(6), ""},
        {113, "Usage Error 10010" + spaces(10), "Cannot open image file " + std::string(kTokenMark),
         "The system cannot find the file specified"},
        {114, "Usage Error 662" + spaces(10), "Cannot create image file " + std::string(kTokenMark) + spaces(8), ""},
        {115, "Usage Error 11088" + spaces(10), "Invalid image source partition" + spaces(15), ""},
        {116, "Usage Error 11082" + spaces(10), "Target partition invalid" + spaces(21), ""},
        {117, "Usage Error 11080" + spaces(10), "Source partition invalid (Greater than max).", ""},
        {118, "Error (1934)" + spaces(15), "Password incorrect, please try again" + fullWidthFill(9), ""},
        {119, "Incorrect Password (1943)" + spaces(4), "The Password you have tried are incorrect." + spaces(3),
         "Vexor will now exit."},
        {120, error, "Not enough space" + spaces(29), ""},
        {121, "Error (1929)" + spaces(17), "Invalid drive specification or non-existing directory!", ""},
        {122, "Usage Error 427" + spaces(12), "Image file is on partition being imaged" + spaces(15), ""},
        {123, "Usage Error 470" + spaces(12), "Image file is on drive being imaged" + spaces(15), ""},
        {461, "Question: (1838)" + spaces(12), "Proceed with saving the current settings ?" + spaces(4), ""},
        {462, "Saving File (1975)" + spaces(10), "Current settings successfully saved to file" + spaces(3), ""},
    };
}

inline void replaceAll(std::string& text, const std::string& mark, const std::string& value) {
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size())) {
        text.replace(at, mark.size(), value);
    }
}

}  // namespace detail

// The code's texts; an unknown code has none.
inline const MessageCode& messageCode(int code) {
    static const std::vector<MessageCode> table = detail::buildTable();
    static const MessageCode unknown;
    auto it = std::find_if(table.begin(), table.end(), [code](const MessageCode& m) { return m.code == code; });
    return it == table.end() ? unknown : *it;
}

// Picture kind 1 (error with its own text), 2 (question) or 3 (empty error).
inline int messageKind(int code) {
    if (code == 1 || code == 2) return code;
    if (code == 5 || code == 8 || code == 118 || code == 461) return 2;
    return 3;
}

// The questions are the two-button dialogs; every other box, an unknown code
// included (it shows the OK-only picture), is answered with OK.
inline bool isOneButtonCode(int code) { return messageKind(code) != 2; }

// `text` with the token and file marks replaced.
inline std::string fillMarks(std::string text, const std::string& token, const std::string& file) {
    detail::replaceAll(text, kTokenMark, token);
    detail::replaceAll(text, kFileMark, file);
    return text;
}

}  // namespace vxr::dialogs
