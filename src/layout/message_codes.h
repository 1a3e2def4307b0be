#pragma once
// The tool's numbered message boxes: for each dialog code its box (picture
// and buttons), its title and up to two text lines, trailing fill included
// (the fill widens a label's band so that it hides the picture's own text).
// "{token}" stands for the text in error, "{file}" for the directory path and
// name of a rejected image.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"

namespace vxr::layout {

// The message boxes by name; the values are the dialog codes the trace and
// DialogCode hold.
enum class Msg : int {
    None = 0,
    DataFileError = 1,
    OverwriteQuestion = 2,
    NotAnImage = 3,
    DestinationTooSmall = 4,
    InvalidPassword = 5,
    NoPassword = 6,
    PasswordsDiffer = 7,
    QuitQuestion = 8,
    ConnectionCanceled = 9,
    InvalidAddress = 10,
    NoSlave = 11,
    NotASwitch = 101,
    InvalidSwitch = 102,
    ExpectedComma = 103,
    UnknownKeyword = 104,
    SourceUnknown = 105,
    DestinationUnknown = 106,
    InvalidSourceDrive = 107,
    InvalidDestinationDrive = 108,
    ExpectedColonInSource = 109,
    ExpectedColonInDestination = 110,
    InvalidSourcePartition = 111,
    InvalidDestinationPartition = 112,
    CannotOpenImage = 113,
    CannotCreateImage = 114,
    InvalidImageSourcePartition = 115,
    TargetPartitionInvalid = 116,
    SourcePartitionAboveMax = 117,
    WrongPassword = 118,
    WrongSwitchPassword = 119,
    NotEnoughSpace = 120,
    NoSuchDirectory = 121,
    OnImagedPartition = 122,
    OnImagedDrive = 123,
    SaveQuestion = 461,
    SettingsSaved = 462,
};

constexpr int code(Msg msg) { return static_cast<int>(msg); }

// The box a message shows, by its picture kind (1 to 3): an error that keeps
// the picture's own text, a question answered Yes or No, a plain error. Only
// the question has two buttons; the errors are answered with OK.
enum class Box : int { OwnTextOk = 1, YesNo = 2, Ok = 3 };

struct MessageCode {
    Msg msg = Msg::None;
    Box box = Box::Ok;  // an unknown code shows the plain error
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
    // clang-format off
    return {
        {Msg::DataFileError, Box::OwnTextOk, "", "", ""},
        {Msg::OverwriteQuestion, Box::YesNo, "", "", ""},
        {Msg::NotAnImage, Box::Ok, "", std::string(kFileMark) + " is not a valid image file.", "Task can not be completed."},
        {Msg::DestinationTooSmall, Box::Ok, dialog, "Destination drive too small (40011)." + fullWidthFill(7), ""},
        {Msg::InvalidPassword, Box::YesNo, "Invalid Password (1947)", "Password invalid, enter another?" + fullWidthFill(9), ""},
        {Msg::NoPassword, Box::Ok, "Usage Error 30003", "Password not provided for protected file" + fullWidthFill(5), ""},
        {Msg::PasswordsDiffer, Box::Ok, dialog, "Password do not match" + fullWidthFill(14), ""},
        {Msg::QuitQuestion, Box::YesNo, "Quit Korvanta Vexor (1953)", "Are you sure you want to quit?" + fullWidthFill(10), ""},
        {Msg::ConnectionCanceled, Box::Ok, error, "Connection canceled (625)" + spaces(25), ""},
        {Msg::InvalidAddress, Box::Ok, error, "Invalid IP Address to Connect to. (1634)" + spaces(10), ""},
        {Msg::NoSlave, Box::Ok, error, "Could not establish connection with Vexor TCP/IP Slave (1633)", ""},
        {Msg::NotASwitch, Box::Ok, error, "Arguments must be preceeded with a '-' or a '/'", ""},
        {Msg::InvalidSwitch, Box::Ok, "Usage Error 10100" + spaces(10), "Invalid switch: " + std::string(kTokenMark) + spaces(20), ""},
        {Msg::ExpectedComma, Box::Ok, "Usage Error 451" + spaces(10), "Expecting ',' after CLONE keyword" + spaces(14), ""},
        {Msg::UnknownKeyword, Box::Ok, "Usage Error 580" + spaces(10), "Unknown keyword: " + std::string(kTokenMark) + spaces(19), ""},
        {Msg::SourceUnknown, Box::Ok, "Usage Error 448" + spaces(10), "Clone SRC unknown" + spaces(31), ""},
        {Msg::DestinationUnknown, Box::Ok, "Usage Error 447" + spaces(10), "Clone DST unknown" + spaces(32), ""},
        {Msg::InvalidSourceDrive, Box::Ok, "Usage Error 11030" + spaces(10), "Invalid source drive" + spaces(25), ""},
        {Msg::InvalidDestinationDrive, Box::Ok, "Usage Error 11030" + spaces(10), "Invalid destination drive" + spaces(20), ""},
        {Msg::ExpectedColonInSource, Box::Ok, "Usage Error 10093" + spaces(10), "Expected ':' in SRC" + spaces(24), ""},
        {Msg::ExpectedColonInDestination, Box::Ok, "Usage Error 10098" + spaces(10), "Expected ':' in DST" + spaces(24), ""},
        {Msg::InvalidSourcePartition, Box::Ok, "Usage Error 10097" + spaces(10), "Invalid source partition specified" + spaces(11), ""},
        {Msg::InvalidDestinationPartition, Box::Ok, "Usage Error 10099" + spaces(10), "Invalid destination partition specified" + spaces(6), ""},
        {Msg::CannotOpenImage, Box::Ok, "Usage Error 10010" + spaces(10), "Cannot open image file " + std::string(kTokenMark),
         "The system cannot find the file specified"},
        {Msg::CannotCreateImage, Box::Ok, "Usage Error 662" + spaces(10), "Cannot create image file " + std::string(kTokenMark) + spaces(8), ""},
        {Msg::InvalidImageSourcePartition, Box::Ok, "Usage Error 11088" + spaces(10), "Invalid image source partition" + spaces(15), ""},
        {Msg::TargetPartitionInvalid, Box::Ok, "Usage Error 11082" + spaces(10), "Target partition invalid" + spaces(21), ""},
        {Msg::SourcePartitionAboveMax, Box::Ok, "Usage Error 11080" + spaces(10), "Source partition invalid (Greater than max).", ""},
        {Msg::WrongPassword, Box::YesNo, "Error (1934)" + spaces(15), "Password incorrect, please try again" + fullWidthFill(9), ""},
        {Msg::WrongSwitchPassword, Box::Ok, "Incorrect Password (1943)" + spaces(4), "The Password you have tried are incorrect." + spaces(3),
         "Vexor will now exit."},
        {Msg::NotEnoughSpace, Box::Ok, error, "Not enough space" + spaces(29), ""},
        {Msg::NoSuchDirectory, Box::Ok, "Error (1929)" + spaces(17), "Invalid drive specification or non-existing directory!", ""},
        {Msg::OnImagedPartition, Box::Ok, "Usage Error 427" + spaces(12), "Image file is on partition being imaged" + spaces(15), ""},
        {Msg::OnImagedDrive, Box::Ok, "Usage Error 470" + spaces(12), "Image file is on drive being imaged" + spaces(15), ""},
        {Msg::SaveQuestion, Box::YesNo, "Question: (1838)" + spaces(12), "Proceed with saving the current settings ?" + spaces(4), ""},
        {Msg::SettingsSaved, Box::Ok, "Saving File (1975)" + spaces(10), "Current settings successfully saved to file" + spaces(3), ""},
    };
    // clang-format on
}

inline void replaceAll(std::string& text, const std::string& mark, const std::string& value) {
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size())) {
        text.replace(at, mark.size(), value);
    }
}

}  // namespace detail

// The code's row; an unknown code has no texts and shows the plain error.
inline const MessageCode& messageCode(int code) {
    static const std::vector<MessageCode> table = detail::buildTable();
    static const MessageCode unknown;
    auto it =
        std::find_if(table.begin(), table.end(), [code](const MessageCode& m) { return layout::code(m.msg) == code; });
    return it == table.end() ? unknown : *it;
}
inline const MessageCode& messageCode(Msg msg) { return messageCode(code(msg)); }

// Picture kind 1 (error with its own text), 2 (question) or 3 (empty error).
inline int messageKind(int code) { return static_cast<int>(messageCode(code).box); }

// The questions are the two-button dialogs; every other box is answered with OK.
inline bool isOneButtonCode(int code) { return messageCode(code).box != Box::YesNo; }

// `text` with the token and file marks replaced.
inline std::string fillMarks(std::string text, const std::string& token, const std::string& file) {
    detail::replaceAll(text, kTokenMark, token);
    detail::replaceAll(text, kFileMark, file);
    return text;
}

}  // namespace vxr::layout
