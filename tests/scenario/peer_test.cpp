#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "app/peer_events.h"
#include "dialog_probe.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/palette.h"
#include "layout/peer_layout.h"
#include "operation_driver.h"
#include "operations/peer_connection.h"
#include "platform/named_event.h"
#include "trainer_harness.h"

// One copy of the trainer in the test; the other copy is played by the test
// through handles of its own on the same named events.
namespace vxr::test {
namespace {

using namespace std::chrono_literals;
using platform::NamedEvent;

constexpr int kTab = 9, kEnter = 13, kUp = 38, kDown = 40;

// Points inside the boxes' buttons, in window coordinates.
platform::Point peerButton(int box, int button) {
    const auto& rect =
        layout::kPeerBoxRects[static_cast<std::size_t>(box)].buttons[static_cast<std::size_t>(button - 1)];
    return {layout::kMasterAddressAt.x + rect.left + 3, layout::kMasterAddressAt.y + rect.top + 3};
}

class Peer : public ::testing::Test {
protected:
    Peer() : trainer(sampleMachine()) {}
    void SetUp() override {
        ASSERT_TRUE(trainer.start());
        slaveFlag = NamedEvent::create(trainer.eventScope() + app::kSlaveFlag, false);
        masterFlag = NamedEvent::create(trainer.eventScope() + app::kMasterFlag, false);
        ASSERT_TRUE(slaveFlag && masterFlag);
    }

    app::TForm1& w() { return trainer.window(); }
    input::UiState& ui() { return trainer.ui(); }
    bool shows(platform::Image* image, const char* picture) {
        return image->showing() && image->shows(w().catalogue.byName(picture));
    }
    void queueKeys(std::initializer_list<int> keys) {
        for (int key : keys) trainer.queueKey(key);
    }
    // Peer to peer > TCP/IP > Slave (1) or Master (2), by keys.
    void queueRole(int role) {
        queueKeys({kDown, kEnter, kEnter});
        if (role == 2) queueKeys({kDown});
        queueKeys({kEnter});
    }
    // Characters as an input method delivers them, without key codes.
    void queueText(const std::string& text) {
        for (char c : text) trainer.backendPush(platform::InputEvent::keyDown(0, std::string(1, c)));
    }
    std::vector<int> tracedDialogs() const {
        std::vector<int> codes;
        for (const auto& line : trainer.trace()) {
            if (line["event"] == "dialog") codes.push_back(line["code"]);
        }
        return codes;
    }
    bool tracedPeer(const std::string& state) const {
        for (const auto& line : trainer.trace()) {
            if (line["event"] == "peer" && line["state"] == state) return true;
        }
        return false;
    }
    // Safe while the trainer writes the trace in another thread.
    bool traceMentions(const std::string& text) const {
        std::ifstream in(trainer.folder() / "trace.jsonl");
        const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return all.find(text) != std::string::npos;
    }
    // Answers every message dialog and plain box with Enter.
    void answerBoxesWithEnter() {
        trainer.onIdle([this] {
            if (ui().DialogCode == 0 && !trainer.app().messageBoxOpen()) return false;
            trainer.queueKey(kEnter);
            return true;
        });
    }
    void expectBackOnTheMainScreen() {
        EXPECT_EQ(ui().MainItem, 1);
        EXPECT_EQ(ui().PeerMode, 0);
        EXPECT_TRUE(shows(w().Image1B, "F1B"));
        EXPECT_FALSE(w().Image4B->visible());
        EXPECT_FALSE(masterFlag->wait(0ms));
    }

    TrainerHarness trainer;
    std::optional<NamedEvent> slaveFlag, masterFlag;
};

// ---- master ------------------------------------------------------------------------

TEST_F(Peer, MasterBoxWalksEditCancelEditAndConnectsToAWaitingSlave) {
    slaveFlag->set();
    int idles = 0;
    const platform::Point ok = peerButton(2, 1);
    trainer.onIdle([&] {
        ++idles;
        if (idles == 1) {
            EXPECT_TRUE(shows(w().Image4B, "FP22"));
            EXPECT_EQ(w().Image4B->left(), 132);
            platform::Edit& edit = *w().Edit[1];
            EXPECT_TRUE(edit.showing());
            EXPECT_TRUE(edit.focused());
            EXPECT_EQ(edit.bounds(), (platform::Rect{132 + 54, 100 + 78, 132 + 54 + 226, 100 + 78 + 15}));
            EXPECT_EQ(edit.color(), layout::palette(4));
            EXPECT_EQ(edit.text(), "");
            trainer.queueMove(ok.x, ok.y);  // OK stays dark while the address is empty
            trainer.queueKey(kTab);         // and the keyboard passes on to Cancel
        } else if (idles == 2) {
            EXPECT_EQ(ui().ButtonSel, 2);
            EXPECT_TRUE(shows(w().Image4A, "F462"));
            EXPECT_EQ(w().Image4A->left(), 132 + 214);
            trainer.queueKey(kTab);
        } else if (idles == 3) {
            EXPECT_EQ(ui().ButtonSel, 0);
            EXPECT_FALSE(w().Image4A->visible());
            EXPECT_TRUE(w().Edit[1]->focused());
            queueText(" 192.168.18.2 ");
            trainer.queueKey(kEnter);
        } else {
            return false;
        }
        return true;
    });
    queueRole(2);
    trainer.run();
    ASSERT_EQ(idles, 3);
    EXPECT_EQ(ui().PeerMode, 1);
    EXPECT_EQ(ui().MainItem, input::kPeerMenu);
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_TRUE(shows(w().Image2B, "FP24"));
    EXPECT_EQ(w().Image2B->left(), 30);
    EXPECT_EQ(w().Image2B->top(), 231);
    EXPECT_TRUE(shows(w().Image2A, "F211"));
    EXPECT_FALSE(w().Image1B->visible());
    EXPECT_FALSE(w().Edit[1]->visible());
    EXPECT_TRUE(masterFlag->wait(0ms));
    EXPECT_TRUE(tracedDialogs().empty());

    trainer.key(kUp);  // Back, the peer menu's last item
    trainer.key(kEnter);
    expectBackOnTheMainScreen();
    EXPECT_TRUE(slaveFlag->wait(0ms));  // the slave's own flag is the slave's to clear
}

struct MasterCase {
    const char* name;
    bool slaveWaits;
    const char* address;
    bool byPointer;  // OK or Cancel clicked, else Enter in the edit
    bool cancel;
    std::vector<int> dialogs;
    bool connects;
};

void PrintTo(const MasterCase& c, std::ostream* out) { *out << c.name; }

class MasterOutcome : public Peer, public ::testing::WithParamInterface<MasterCase> {};

TEST_P(MasterOutcome, EndsAsTheAddressAndTheSlaveSay) {
    const MasterCase& c = GetParam();
    if (c.slaveWaits) slaveFlag->set();
    // Another copy saved a job after this one started: a master works on it.
    model::MachineRecord saved = sampleMachine();
    saved.setDiskCount(1, 3);
    TrainerHarness::writeRecord(saved, trainer.folder() / "c" / "DATAS" / "VXR.DAT");
    bool typed = false;
    trainer.onIdle([&] {
        if (ui().DialogCode != 0) {
            trainer.queueKey(kEnter);
            return true;
        }
        if (typed) return false;
        typed = true;
        queueText(c.address);
        if (!c.byPointer) {
            trainer.queueKey(kEnter);
        } else {
            const platform::Point button = peerButton(2, c.cancel ? 2 : 1);
            trainer.queueClick(button.x, button.y);
        }
        return true;
    });
    queueRole(2);
    trainer.run();
    EXPECT_EQ(tracedDialogs(), c.dialogs);
    EXPECT_EQ(ui().PeerMode, c.connects ? 1 : 0);
    EXPECT_EQ(masterFlag->wait(0ms), c.connects);
    EXPECT_EQ(w().computer.record().diskCount(1), c.connects ? 3 : 0);
    if (!c.connects) expectBackOnTheMainScreen();
}

INSTANTIATE_TEST_SUITE_P(Peer, MasterOutcome,
                         ::testing::Values(MasterCase{"OkClicked", true, "192.168.18.2", true, false, {}, true},
                                           MasterCase{"NoSlave", false, "192.168.18.2", false, false, {11}, false},
                                           MasterCase{"WrongAddress", true, "192.168.18.20", false, false, {10}, false},
                                           MasterCase{"EmptyAddressEnter", true, "", false, false, {10}, false},
                                           MasterCase{"Cancelled", true, "192.168.18.2", true, true, {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- slave -------------------------------------------------------------------------

TEST_F(Peer, SecondSlaveGetsTheConflictBoxAndLeavesTheFirstWaiting) {
    slaveFlag->set();
    answerBoxesWithEnter();
    queueRole(1);
    trainer.run();
    ASSERT_EQ(trainer.app().messageBoxTexts().size(), 1u);
    EXPECT_EQ(trainer.app().messageBoxTexts()[0], operations::kAddressConflictMessage);
    EXPECT_TRUE(slaveFlag->wait(0ms));
    EXPECT_FALSE(w().peerEvents.HoldsSlaveFlag);
    expectBackOnTheMainScreen();
}

TEST_F(Peer, SlaveWaitsWithItsFlagUpUntilCancelled) {
    for (const bool byPointer : {true, false}) {
        SCOPED_TRACE(byPointer ? "Cancel clicked" : "Enter");
        bool flagWasUp = false;
        trainer.onIdle([&] {
            if (ui().DialogCode != layout::code(layout::Msg::ConnectionCanceled)) return false;
            flagWasUp = slaveFlag->wait(0ms) && w().peerEvents.HoldsSlaveFlag;
            trainer.queueKey(kEnter);
            return true;
        });
        queueRole(1);
        if (byPointer) {
            const platform::Point cancel = peerButton(1, 1);
            trainer.queueClick(cancel.x, cancel.y);
        } else {
            trainer.queueKey(kEnter);
        }
        trainer.run();
        EXPECT_TRUE(flagWasUp);
        EXPECT_TRUE(tracedPeer("cancelled"));
        EXPECT_FALSE(slaveFlag->wait(0ms));
        EXPECT_FALSE(w().peerEvents.HoldsSlaveFlag);
        expectBackOnTheMainScreen();
    }
}

// The master's part in another thread: once the slave shows "Connected",
// it writes the data file (whole, or cut short) and lowers its flag.
struct SlaveCase {
    const char* name;
    bool truncate;
};

void PrintTo(const SlaveCase& c, std::ostream* out) { *out << c.name; }

class SlaveReload : public Peer, public ::testing::WithParamInterface<SlaveCase> {};

TEST_P(SlaveReload, SlaveReloadsOnlyAWholeRecordWhenTheMasterIsDone) {
    const bool truncate = GetParam().truncate;
    const auto dataFile = trainer.folder() / "c" / "DATAS" / "VXR.DAT";
    model::MachineRecord written = sampleMachine();
    written.setDiskCount(1, 2);  // the master's work on the peer computer
    masterFlag->set();
    auto master = std::async(std::launch::async, [&] {
        for (int i = 0; i < 500 && !traceMentions("\"connected\""); ++i) std::this_thread::sleep_for(10ms);
        if (truncate) {
            std::filesystem::resize_file(dataFile, 1000);
        } else {
            TrainerHarness::writeRecord(written, dataFile);
        }
        masterFlag->reset();
    });
    answerBoxesWithEnter();
    queueRole(1);
    trainer.run();
    master.get();
    EXPECT_TRUE(tracedPeer("connected"));
    EXPECT_EQ(tracedPeer("reloaded"), !truncate);
    EXPECT_EQ(w().computer.record().diskCount(1), truncate ? 0 : 2);
    EXPECT_EQ(trainer.app().messageBoxTexts().size(), truncate ? 1u : 0u);
    EXPECT_FALSE(slaveFlag->wait(0ms));
    expectBackOnTheMainScreen();
}

INSTANTIATE_TEST_SUITE_P(Peer, SlaveReload,
                         ::testing::Values(SlaveCase{"WholeRecord", false}, SlaveCase{"ShortFile", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the master's jobs -------------------------------------------------------------

// Characters as an input method delivers them, without key codes.
Action typeText(std::string text) {
    return [text](TrainerHarness& t) {
        for (char c : text) t.backendPush(platform::InputEvent::keyDown(0, std::string(1, c)));
    };
}

// A disk image made from the peer menu lands in a directory of the peer
// computer, in its image table, and the end of the job ends the link.
model::MachineRecord roomyPeer() {
    model::MachineRecord record = dialogMachine();
    model::DiskEntry disk = record.disk(1, 1);
    disk.partitions[0].size = disk.capacity;  // room for the image
    record.setDisk(1, 1, disk);
    return record;
}

TEST(PeerJobs, DiskToImageFromThePeerMenuWritesThePeersFiles) {
    const model::MachineRecord before = roomyPeer();
    OperationRun run(before);
    auto slaveFlag = NamedEvent::create(run.trainer.eventScope() + app::kSlaveFlag, true);
    auto masterFlag = NamedEvent::create(run.trainer.eventScope() + app::kMasterFlag, false);
    ASSERT_TRUE(slaveFlag && masterFlag);
    run.run(presses({kDown, kEnter, kEnter, kDown, kEnter}) +
            std::vector<Action>{typeText("192.168.18.2"), press(kEnter)} +
            presses({kEnter, kDown, kEnter}) +  // peer menu: Disk > To Image; disk 1 comes chosen
            std::vector<Action>{clickButton(1), clickNameEdit(), typeText("remote1"), clickButton(1), clickButton(1),
                                clickButton(1), clickButton(1), endRun()});
    EXPECT_EQ(run.steps(), (std::vector<int>{1, 8, 10, 12, 20}));
    ASSERT_TRUE(run.savedOperation());
    const model::MachineRecord saved = run.saved();
    const model::TCOMPUTER& machine = run.w().computer;
    const int image = machine.FindImage(1, 1, "REMOTE1");
    ASSERT_NE(image, 0);
    EXPECT_EQ(saved.image(1, image).name, "REMOTE1");
    EXPECT_GT(saved.image(1, image).size, 0);
    EXPECT_EQ(machine.FindImage(0, 1, "REMOTE1"), 0);
    for (int i = 1; i <= model::bytes::kImages; ++i) EXPECT_EQ(saved.image(0, i), before.image(0, i)) << i;
    EXPECT_EQ(run.trainer.ui().PeerMode, 0);
    EXPECT_FALSE(masterFlag->wait(0ms));
}

}  // namespace
}  // namespace vxr::test
