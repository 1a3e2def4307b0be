#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "catalogue_fixture.h"
#include "layout/picture_list.h"
#include "platform/jpeg.h"
#include "platform/resources.h"

namespace vxr::app {

using layout::findPicture;
using layout::kPictures;
using layout::PictureSpec;
namespace {

using test::loadedCatalogue;

// A position holds the named picture at its listed size.
void expectPicture(const Picture& picture, const char* name) {
    const PictureSpec* spec = findPicture(name);
    ASSERT_NE(spec, nullptr) << name;
    ASSERT_NE(picture, nullptr) << name << " is missing";
    EXPECT_EQ(picture->width(), spec->width) << name;
    EXPECT_EQ(picture->height(), spec->height) << name;
    EXPECT_EQ(picture, loadedCatalogue().byName(name)) << name << " stands at the wrong position";
}

template <typename Row>
int filled(const Row& row) {
    int count = 0;
    for (const auto& picture : row) count += picture != nullptr;
    return count;
}

TEST(ScreenCatalogue, EveryListedPositionHoldsItsPicture) {
    const ScreenCatalogue& c = loadedCatalogue();
    const char* mainHighlights[] = {"F10", "F11", "F12", "F13", "F14", "F15", "F16"};
    for (int n = 0; n <= 6; ++n) expectPicture(c.MainMenuHighlights[n], mainHighlights[n]);
    // clang-format off
    const std::pair<const Picture*, const char*> positions[] = {
        {&c.MainScreenPicture, "F0"}, {&c.MainMenuPicture, "F1B"},
        {&c.SubmenuPictures[1], "F21B"}, {&c.SubmenuPictures[2], "F22B"}, {&c.SubmenuPictures[3], "F23B"},
        {&c.SubmenuPictures[5], "F25B"},
        {&c.SubmenuHighlights[1][3], "F213"}, {&c.SubmenuHighlights[2][1], "F221"},
        {&c.SubmenuHighlights[3][3], "F233"}, {&c.SubmenuHighlights[4][0], "F240"},
        {&c.SubmenuHighlights[4][2], "F242"}, {&c.SubmenuHighlights[5][1], "F251"},
        {&c.SubmenuHighlights[7][4], "FP25"},
        {&c.ThirdMenuPictures[1][3], "F313B"}, {&c.ThirdMenuPictures[2][1], "F321B"},
        {&c.ThirdMenuPictures[3][1], "F331B"}, {&c.ThirdMenuPictures[5][1], "F351B"},
        {&c.ThirdMenuHighlights[1][2][3], "F3123"}, {&c.ThirdMenuHighlights[1][3][2], "F3132"},
        {&c.ThirdMenuHighlights[2][1][0], "F3210"},
        {&c.DialogPictures[9], "F409B"}, {&c.DialogPictures[10], "F410B"}, {&c.DialogPictures[12], "F4112B"},
        {&c.DialogPictures[19], "F412B"}, {&c.DialogPictures[21], "F4132B"}, {&c.DialogPictures[22], "F4133B"},
        {&c.DialogPictures[24], "F414B"}, {&c.DialogPictures[29], "F419B"},
        {&c.ButtonHighlights[3][0], "F430"}, {&c.ButtonHighlights[4][3], "F443"},
        {&c.ButtonHighlights[7][3], "F473"}, {&c.ButtonHighlights[9][1], "F491"},
        {&c.ButtonHighlights[10][2], "F4A2"},
        {&c.OptionsPictures[0], "F240B"}, {&c.OptionsPictures[7], "F247B"}, {&c.OptionsPictures[8], "F244"},
        {&c.OptionsPictures[11], "F247"}, {&c.OptionsPictures[12], "F248"},
        {&c.PeerPictures[4], "FP24"}, {&c.DriveIconBitmaps[3], "FDF3"},
    };
    // clang-format on
    for (const auto& [picture, name] : positions) expectPicture(*picture, name);
}

TEST(ScreenCatalogue, UnlistedPositionsStayEmpty) {
    const ScreenCatalogue& c = loadedCatalogue();
    EXPECT_EQ(c.SubmenuPictures[0], nullptr);
    EXPECT_EQ(c.SubmenuPictures[4], nullptr);
    EXPECT_EQ(filled(c.SubmenuHighlights[6]), 0);
    EXPECT_EQ(filled(c.SubmenuHighlights[2]), 2);
    EXPECT_EQ(filled(c.SubmenuHighlights[5]), 2);
    EXPECT_EQ(c.ThirdMenuHighlights[1][3][3], nullptr);
    EXPECT_EQ(filled(c.ThirdMenuHighlights[2][2]), 0);
    EXPECT_EQ(c.ThirdMenuPictures[4][1], nullptr);
    for (int p : {0, 11, 13, 14, 15, 16, 17, 18, 20, 23}) EXPECT_EQ(c.DialogPictures[p], nullptr) << p;
    EXPECT_EQ(filled(c.DialogPictures), 20);
    EXPECT_EQ(c.ButtonHighlights[1][0], nullptr);
    EXPECT_EQ(c.ButtonHighlights[1][3], nullptr);
    EXPECT_EQ(filled(c.ButtonHighlights[8]), 1);
    EXPECT_EQ(filled(c.ButtonHighlights[0]), 0);
    EXPECT_EQ(c.PeerPictures[0], nullptr);
}

TEST(ScreenCatalogue, PeerMenuRowSharesTheLocalRowsObjects) {
    const ScreenCatalogue& c = loadedCatalogue();
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(c.SubmenuHighlights[7][i], c.SubmenuHighlights[1][i]) << i;
}

TEST(ScreenCatalogue, LoadsEachResourceOnceAndAllOfThem) {
    const ScreenCatalogue& c = loadedCatalogue();
    std::set<std::string> names;
    for (const auto& [name, picture] : c.loaded) EXPECT_TRUE(names.insert(name).second) << name << " decoded twice";
    EXPECT_EQ(names.size(), kPictures.size());
    for (const auto& picture : kPictures) EXPECT_TRUE(names.count(picture.name)) << picture.name;
}

// The resources with one picture's data replaced by bytes no decoder takes.
class ResourcesWithABrokenPicture {
public:
    explicit ResourcesWithABrokenPicture(std::string_view broken) {
        const platform::ResourceTable embedded = platform::ResourceTable::embedded();
        for (const platform::ResourceType type : {platform::ResourceType::RcData, platform::ResourceType::Bitmap}) {
            for (const std::string& name : embedded.names(type)) names_.push_back(name);
            for (std::size_t i = rows_.size(); i < names_.size(); ++i) {
                const auto data = *embedded.find(type, names_[i]);
                const bool isBroken = names_[i] == broken;
                rows_.push_back({static_cast<std::uintptr_t>(type), names_[i].c_str(),
                                 isBroken ? garbage_.data() : data.data(), isBroken ? garbage_.size() : data.size()});
            }
        }
        rows_.push_back({0, nullptr, nullptr, 0});
    }
    platform::ResourceTable table() const { return platform::ResourceTable(rows_.data()); }

private:
    std::deque<std::string> names_;  // stable: the rows point into them
    std::vector<platform::ResourceEntry> rows_;
    std::array<std::uint8_t, 16> garbage_{0xFF, 0xD8, 0x00, 0x13};
};

// The first frame needs only its own pictures; a broken picture among the
// others still stops the start, naming the picture, when loading finishes.
TEST(ScreenCatalogue, ABrokenPictureDecodedAfterTheFirstFrameStillStopsTheStart) {
    const ResourcesWithABrokenPicture resources("F401B");
    ScreenCatalogue catalogue;
    platform::JpegDecoder decoder;
    LoadFirstScreenPictures(catalogue, resources.table(), decoder);
    EXPECT_NE(catalogue.MainScreenPicture, nullptr);
    EXPECT_NE(catalogue.MainMenuHighlights[6], nullptr);
    EXPECT_EQ(catalogue.DialogPictures[1], nullptr);
    PictureLoading loading(catalogue, resources.table());
    try {
        loading.finish();
        ADD_FAILURE() << "the broken picture went unnoticed";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("F401B"));
    }
    EXPECT_NO_THROW(loading.finish());  // reported once
}

}  // namespace
}  // namespace vxr::app
