#include <gtest/gtest.h>

#include "layout/message_codes.h"
#include "platform/text.h"

namespace vxr::dialogs {

using namespace layout;
namespace {

// Trailing fill of a text: ASCII spaces and full-width fill characters.
struct Fill {
    int spaces = 0;
    int fullWidth = 0;
};

Fill trailingFill(std::string text) {
    Fill fill;
    const std::string wide(platform::kFullWidthFillUtf8);
    for (;;) {
        if (!text.empty() && text.back() == ' ') {
            ++fill.spaces;
            text.pop_back();
        } else if (text.size() >= wide.size() && text.compare(text.size() - wide.size(), wide.size(), wide) == 0) {
            ++fill.fullWidth;
            text.resize(text.size() - wide.size());
        } else {
            return fill;
        }
    }
}

TEST(MessageCodes, TrailingFillIsPartOfTheTexts) {
    EXPECT_EQ(trailingFill(messageCode(4).title).spaces, 18);
    EXPECT_EQ(trailingFill(messageCode(4).line1).fullWidth, 7);
    EXPECT_EQ(trailingFill(messageCode(8).line1).fullWidth, 10);
    EXPECT_EQ(trailingFill(messageCode(9).line1).spaces, 25);
    EXPECT_EQ(trailingFill(messageCode(106).line1).spaces, 32);
    EXPECT_EQ(trailingFill(messageCode(119).title).spaces, 4);
    EXPECT_EQ(trailingFill(messageCode(122).title).spaces, 12);
    EXPECT_EQ(trailingFill(messageCode(11).line1).spaces, 0);
    // Counted as code page 936 counts them: two bytes per fill character.
    EXPECT_EQ(platform::cp936ByteCount(messageCode(7).line1), std::string("Password do not match").size() + 2 * 14);
}

TEST(MessageCodes, SharedTitlesAndTwoLineCodes) {
    EXPECT_EQ(messageCode(107).title, messageCode(108).title);
    EXPECT_EQ(messageCode(4).title, messageCode(7).title);
    for (int code : {9, 10, 11, 101, 120}) EXPECT_EQ(messageCode(code).title, messageCode(9).title) << code;
    for (int code : {3, 113, 119}) EXPECT_FALSE(messageCode(code).line2.empty()) << code;
    int twoLines = 0;
    for (int code = 0; code <= 462; ++code) twoLines += !messageCode(code).line2.empty();
    EXPECT_EQ(twoLines, 3);
    EXPECT_TRUE(messageCode(1).title.empty());
    EXPECT_TRUE(messageCode(0).line1.empty());
    EXPECT_TRUE(messageCode(300).title.empty());
}

TEST(MessageCodes, TokensAndFileNamesAreFilledIn) {
    EXPECT_EQ(fillMarks(messageCode(102).line1, "ZZ", ""), "Invalid switch: ZZ" + spaces(20));
    EXPECT_EQ(fillMarks(messageCode(113).line1, "C:\\X.VXI", ""), "Cannot open image file C:\\X.VXI");
    EXPECT_EQ(fillMarks(messageCode(3).line1, "", "D:\\BACKUP\\NOPE"), "D:\\BACKUP\\NOPE is not a valid image file.");
    EXPECT_EQ(fillMarks("{token}{token}", "ab{token}", ""), "ab{token}ab{token}");
}

TEST(MessageCodes, KindsAndButtonGroups) {
    EXPECT_EQ(messageKind(1), 1);
    EXPECT_EQ(messageKind(2), 2);
    EXPECT_EQ(messageKind(3), 3);
    for (int code : {5, 8, 118, 461}) EXPECT_EQ(messageKind(code), 2) << code;
    for (int code : {0, 4, 6, 102, 121, 462, 999}) EXPECT_EQ(messageKind(code), 3) << code;
    for (int code : {2, 5, 8, 118, 461}) EXPECT_FALSE(isOneButtonCode(code)) << code;
    for (int code : {1, 3, 4, 6, 7, 9, 10, 11, 101, 117, 119, 123, 199, 462})
        EXPECT_TRUE(isOneButtonCode(code)) << code;
}

}  // namespace
}  // namespace vxr::dialogs
