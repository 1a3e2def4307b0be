#include <gtest/gtest.h>

#include "layout/step_texts.h"
#include "platform/text.h"

namespace vxr::operations {

using layout::confirmPasswordText;
using layout::StepTexts;
using layout::stepTexts;
namespace {

std::size_t fillCount(const std::string& text) {
    std::size_t count = 0;
    for (auto at = text.find(platform::kFullWidthFillUtf8); at != std::string::npos;
         at = text.find(platform::kFullWidthFillUtf8, at + 1)) {
        ++count;
    }
    return count;
}

TEST(StepTexts, ProceedQuestionsCarryTheirFill) {
    EXPECT_EQ(stepTexts(11).title, "Question: (1831)  ");
    EXPECT_EQ(fillCount(stepTexts(11).line1), 7u);
    EXPECT_EQ(stepTexts(11).line2, "Destination drive will be overwritten.");
    EXPECT_EQ(fillCount(stepTexts(15).line1), 3u);
    EXPECT_EQ(fillCount(stepTexts(17).line1), 2u);
    EXPECT_TRUE(stepTexts(16).line2.empty());
    EXPECT_EQ(fillCount(confirmPasswordText()), 19u);
    EXPECT_EQ(platform::cp936ByteCount(confirmPasswordText()), std::string("Confirm Password").size() + 38);
}

TEST(StepTexts, RemoteStepsNameTheRemoteSideOnlyOverAPeerLink) {
    EXPECT_TRUE(stepTexts(6).title.empty());
    EXPECT_EQ(stepTexts(6, true).title, "Select remote destination drive by clicking on the drive number");
    EXPECT_TRUE(stepTexts(8).title.empty());
    EXPECT_EQ(fillCount(stepTexts(8, true).title), 3u);
    EXPECT_TRUE(stepTexts(12).title.empty());  // its picture carries its own texts
    EXPECT_EQ(stepTexts(23).line1, "Integrity Check Completed Successfully");
}

}  // namespace
}  // namespace vxr::operations
