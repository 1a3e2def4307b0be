#include <gtest/gtest.h>

#include "app/peer_events.h"
#include "platform/keys.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

constexpr int kEnter = 13;

bool traced(const TrainerHarness& trainer, const std::string& event, const std::string& field,
            const nlohmann::json& value) {
    for (const auto& line : trainer.trace()) {
        if (line["event"] == event && line.value(field, nlohmann::json()) == value) return true;
    }
    return false;
}

TEST(Startup, NoDataFileAnywhereStopsWithAMessage) {
    TrainerHarness trainer(sampleMachine());
    std::filesystem::remove(trainer.folder() / "c" / "DATAS" / "VXR.DAT");
    trainer.queueKey(kEnter);  // answers the message box
    EXPECT_FALSE(trainer.start());
    EXPECT_EQ(trainer.window().end.status, app::kExitNoData);
    ASSERT_EQ(trainer.app().messageBoxTexts().size(), 1u);
    EXPECT_EQ(trainer.app().messageBoxTexts()[0], app::kNoDataMessage);
    EXPECT_TRUE(traced(trainer, "messageBox", "text", app::kNoDataMessage));
    EXPECT_TRUE(traced(trainer, "end", "status", 1));
}

TEST(Startup, TheFallbackFileInTheCurrentFolderIsUsed) {
    TrainerHarness trainer(sampleMachine(), {}, false);
    ASSERT_TRUE(trainer.start());
    EXPECT_EQ(trainer.window().computer.FileName, "VXR.DAT");
    EXPECT_TRUE(traced(trainer, "start", "dataFile", "VXR.DAT"));
    EXPECT_EQ(trainer.ui().MainItem, 1);
}

TEST(Startup, AnAssessmentCopyMustComeFromDatas) {
    TrainerHarness trainer(sampleMachine(model::kAssessmentCopy), {}, false);
    trainer.queueKey(kEnter);
    EXPECT_FALSE(trainer.start());
    EXPECT_EQ(trainer.window().end.status, app::kExitNoData);
    EXPECT_EQ(trainer.app().messageBoxTexts().at(0), app::kNotFromDatasMessage);
}

TEST(Startup, MouseAndKeyboardLockedWithoutParametersIsRefused) {
    TrainerHarness trainer(sampleMachine(model::kMouseLocked | model::kKeyboardLocked));
    trainer.queueKey(kEnter);
    ASSERT_TRUE(trainer.start());
    EXPECT_EQ(trainer.app().messageBoxTexts().at(0), app::kCommandLineOnlyMessage);
    EXPECT_TRUE(trainer.window().end.requested);
    EXPECT_EQ(trainer.window().end.status, app::kExitRefused);
    EXPECT_FALSE(trainer.window().Label[1]->visible());  // no closing notice
}

TEST(Startup, ParametersCloseWithoutTheNotice) {
    TrainerHarness trainer(sampleMachine(), {"-SURE"});  // sets an option and starts nothing
    ASSERT_TRUE(trainer.start());
    EXPECT_TRUE(trainer.window().CommandLineRun);
    EXPECT_TRUE(trainer.window().end.requested);
    EXPECT_EQ(trainer.window().end.status, 0);
    EXPECT_FALSE(trainer.window().Label[1]->visible());
    EXPECT_TRUE(trainer.app().messageBoxTexts().empty());
}

TEST(Startup, RestrictionNoticeEndsAtX616) {
    TrainerHarness trainer(sampleMachine(model::kMouseLocked | model::kCommandLineLocked));
    ASSERT_TRUE(trainer.start());
    platform::Edit& notice = *trainer.window().Edit[6];
    EXPECT_TRUE(notice.showing());
    EXPECT_EQ(notice.text(), "封锁鼠标命令行");
    EXPECT_EQ(notice.width(), 6 * 14);
    EXPECT_EQ(notice.left() + notice.width(), 616);
    EXPECT_EQ(notice.top(), 35);
    EXPECT_GE(notice.height(), 12);  // 9 points are 12 pixels: none is clipped
}

TEST(Startup, NoRestrictionsNoNotice) {
    TrainerHarness trainer(sampleMachine());
    ASSERT_TRUE(trainer.start());
    EXPECT_FALSE(trainer.window().Edit[6]->visible());
    EXPECT_EQ(app::Screens::restrictionNotice(model::kKeyboardLocked), "封锁键盘");
    EXPECT_EQ(app::Screens::restrictionNotice(model::kAssessmentCopy), "");
}

TEST(Startup, TheMouseLockIgnoresRealPointerEvents) {
    TrainerHarness trainer(sampleMachine(model::kMouseLocked));
    ASSERT_TRUE(trainer.start());
    EXPECT_EQ(trainer.ui().MainItem, 1);  // the start-up highlight still happens
    trainer.move(30 + 22 + 5, 217 + 34 + 5);
    trainer.click(30 + 22 + 5, 217 + 3 + 5);
    EXPECT_EQ(trainer.ui().MainItem, 1);
    EXPECT_FALSE(trainer.window().Image2B->visible());
}

TEST(Startup, ANewCopyResetsTheMastersSignal) {
    TrainerHarness trainer(sampleMachine());
    app::PeerEvents otherCopy;  // on the same data file
    otherCopy.setScope(trainer.eventScope());
    otherCopy.PeerEvent(app::PeerEventOp::Set, app::kMasterSlot, app::kMasterFlag);
    ASSERT_TRUE(otherCopy.PeerEvent(app::PeerEventOp::Test, app::kMasterSlot, app::kMasterFlag));
    ASSERT_TRUE(trainer.start());
    EXPECT_FALSE(otherCopy.PeerEvent(app::PeerEventOp::Test, app::kMasterSlot, app::kMasterFlag));
}

}  // namespace
}  // namespace vxr::test
