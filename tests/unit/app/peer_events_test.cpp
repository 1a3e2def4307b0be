#include <gtest/gtest.h>

#include "app/peer_events.h"
#include "platform/event_scope.h"
#include "support/temp_dir.h"

namespace vxr::app {
namespace {

// Each PeerEvents object stands for one running copy of the program.
class PeerEventsTest : public ::testing::Test {
protected:
    void SetUp() override { test::useOwnEventNamespace(); }
};

TEST_F(PeerEventsTest, AFreshEventIsCreatedNotSignalled) {
    PeerEvents copy;
    EXPECT_FALSE(copy.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
    EXPECT_FALSE(copy.PeerEvent(PeerEventOp::Test, kMasterSlot, kMasterFlag));
}

TEST_F(PeerEventsTest, TheSlavesSetThroughAFilledSlotSignalsTheSlaveFlag) {
    PeerEvents slave, secondSlave;
    ASSERT_FALSE(slave.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
    // The set names "TASKFLAG", but the slot already holds TASKFLAG1.
    EXPECT_TRUE(slave.PeerEvent(PeerEventOp::Set, kSlaveSlot, "TASKFLAG"));
    EXPECT_TRUE(secondSlave.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
    EXPECT_TRUE(slave.PeerEvent(PeerEventOp::Reset, kSlaveSlot, kSlaveFlag));
    EXPECT_FALSE(secondSlave.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
}

TEST_F(PeerEventsTest, ANewCopysResetEndsTheMastersSignal) {
    PeerEvents master, slave;
    master.PeerEvent(PeerEventOp::Set, kMasterSlot, kMasterFlag);
    EXPECT_TRUE(slave.PeerEvent(PeerEventOp::Test, kMasterSlot, kMasterFlag));
    PeerEvents newcomer;
    newcomer.PeerEvent(PeerEventOp::Reset, kMasterSlot, kMasterFlag);
    EXPECT_FALSE(slave.PeerEvent(PeerEventOp::Test, kMasterSlot, kMasterFlag));
}

// Only copies on one data file meet, however its path is spelled.
TEST_F(PeerEventsTest, CopiesMeetOnlyOnTheSameDataFile) {
    const test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "one");
    std::filesystem::create_directory_symlink(dir.path() / "one", dir.path() / "link");
    PeerEvents slave, sameFile, otherFile;
    slave.setScope(platform::eventScopeOf(dir.path() / "one" / "VXR.DAT"));
    sameFile.setScope(platform::eventScopeOf(dir.path() / "link" / ".." / "one" / "VXR.DAT"));
    otherFile.setScope(platform::eventScopeOf(dir.path() / "two" / "VXR.DAT"));
    ASSERT_FALSE(slave.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
    ASSERT_TRUE(slave.PeerEvent(PeerEventOp::Set, kSlaveSlot, kSlaveSetName));
    EXPECT_TRUE(sameFile.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
    EXPECT_FALSE(otherFile.PeerEvent(PeerEventOp::Test, kSlaveSlot, kSlaveFlag));
}

}  // namespace
}  // namespace vxr::app
