#include <gtest/gtest.h>

#include <algorithm>

#include "platform/jpeg.h"
#include "platform/resources.h"
#include "platform/test_pictures.h"

namespace vxr::platform {
namespace {

// The folder embedded in this test program is made at build time by
// make_test_resources: gradient.jpg, swatch.bmp and Greeting.txt.
TEST(ResourceTableTest, FindsEmbeddedFilesByTypeAndName) {
    const ResourceTable table = ResourceTable::embedded();
    EXPECT_EQ(table.size(), 3u);
    const auto greeting = table.find(ResourceType::RcData, "GREETING");
    ASSERT_TRUE(greeting.has_value());
    EXPECT_EQ(std::string(greeting->begin(), greeting->end()), testing::kGreeting);
    EXPECT_EQ(table.names(ResourceType::Bitmap), std::vector<std::string>{"SWATCH"});
}

TEST(ResourceTableTest, NamesAreMatchedWithoutRegardToCase) {
    const ResourceTable table = ResourceTable::embedded();
    EXPECT_TRUE(table.find(ResourceType::RcData, "greeting").has_value());
    EXPECT_TRUE(table.find(ResourceType::RcData, "Gradient").has_value());
}

TEST(ResourceTableTest, TypeAndNameMustBothMatch) {
    const ResourceTable table = ResourceTable::embedded();
    EXPECT_FALSE(table.find(ResourceType::Bitmap, "GREETING").has_value());
    EXPECT_FALSE(table.find(ResourceType::RcData, "SWATCH").has_value());
    EXPECT_FALSE(table.find(ResourceType::RcData, "GREETIN").has_value());
    EXPECT_THROW(table.loadBitmap("NOSUCHPICTURE"), std::runtime_error);
}

TEST(ResourceTableTest, DecodesEmbeddedPictures) {
    const ResourceTable table = ResourceTable::embedded();
    EXPECT_EQ(table.loadBitmap("swatch"), testing::swatchPicture());
    JpegDecoder decoder;
    const Bitmap gradient = table.loadJpeg("GRADIENT", decoder);
    const Bitmap expected = testing::gradientPicture(testing::kGradientWidth, testing::kGradientHeight);
    ASSERT_EQ(gradient.width(), expected.width());
    ASSERT_EQ(gradient.height(), expected.height());
    // A lossy copy: check a sample away from the block edges.
    const Color got = gradient.pixel(40, 8);
    const Color want = expected.pixel(40, 8);
    EXPECT_NEAR(got.r, want.r, 6);
    EXPECT_NEAR(got.g, want.g, 6);
    EXPECT_NEAR(got.b, want.b, 6);
    EXPECT_THROW(table.loadJpeg("GREETING", decoder), std::runtime_error);
}

TEST(ResourceTableTest, ATableEndsAtItsTerminatingRow) {
    static const std::uint8_t bytes[] = {1, 2, 3};
    const ResourceEntry rows[] = {{10, "ONE", bytes, 3}, {2, "TWO", bytes, 2}, {0, nullptr, nullptr, 0}};
    const ResourceTable table(rows);
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.find(ResourceType::Bitmap, "two")->size(), 2u);
    EXPECT_EQ(ResourceTable(nullptr).size(), 0u);
}

}  // namespace
}  // namespace vxr::platform
