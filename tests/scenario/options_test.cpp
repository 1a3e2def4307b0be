#include <gtest/gtest.h>

#include <functional>

#include "input/keyboard.h"
#include "layout/menu_geometry.h"
#include "layout/option_boxes.h"
#include "layout/options_layout.h"
#include "operations/options_dialog.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using namespace input;

using namespace layout;

class OptionsDialog : public ::testing::Test {
protected:
    explicit OptionsDialog(std::uint16_t restrictions = 0) : trainer(record(restrictions)) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    static model::MachineRecord record(std::uint16_t restrictions) {
        model::MachineRecord r = sampleMachine(restrictions);
        r.setOptionWord(4, 0x0001);  // image mode Default
        return r;
    }

    app::TForm1& w() { return trainer.window(); }
    UiState& ui() { return trainer.ui(); }
    void press(std::initializer_list<int> keys) {
        for (int key : keys) trainer.key(key);
    }
    void openByPointer() {
        const auto at = kMainMenuItems[kOptions - 1].offset;
        trainer.click(kMainMenuAt.x + at.x + 5, kMainMenuAt.y + at.y + 5);
    }
    platform::Point page(int x, int y) { return {w().IMAGE2BP->left() + x, w().IMAGE2BP->top() + y}; }
    void clickTab(int tab) {
        const auto& r = kOptionTabRects[static_cast<std::size_t>(tab - 1)];
        const auto p = page(r.left + 5, r.top + 5);
        trainer.click(p.x, p.y);
    }
    void clickBox(int line) {
        const auto& box = layout::optionBox(ui().SubItem, line);
        const auto p = page(box.x + 4, box.y + 4);
        trainer.click(p.x, p.y);
    }
    void clickBar(int item) {
        const auto at = menuItem(submenu(kOptions), item).offset;
        trainer.click(w().Image2B->left() + at.x + 5, w().Image2B->top() + at.y + 5);
    }
    bool boxShows(int line, const char* picture) {
        platform::Image& box = *w().Image24x[static_cast<std::size_t>(line)];
        return box.showing() && box.shows(w().catalogue.byName(picture));
    }

    // Runs `click` on Save Settings and answers each box with Enter; the
    // codes of the boxes shown.
    std::vector<int> answerSaveSettings(const std::function<void()>& click) {
        std::vector<int> codes;
        trainer.onIdle([&] {
            if (ui().DialogCode == 0 || codes.size() == 2) return false;
            codes.push_back(ui().DialogCode);
            trainer.queueKey(kEnter);
            return true;
        });
        click();
        return codes;
    }
    // A reader of the trainer's data file.
    model::TCOMPUTER savedFile() {
        return model::TCOMPUTER(platform::systemClock(), platform::systemRandom(), [this](const std::string& name) {
            return name == "VXR_DRIVE_C" ? std::optional<std::string>((trainer.folder() / "c").string()) : std::nullopt;
        });
    }

    TrainerHarness trainer;
};

TEST_F(OptionsDialog, OpensOnTabOneWithItsBoxesInPlace) {
    openByPointer();
    ASSERT_TRUE(w().optionsDialog().open());
    EXPECT_EQ(ui().SubItem, 1);
    EXPECT_EQ(ui().FieldPos, 1);
    EXPECT_EQ(w().IMAGE2BT->left(), layout::kOptionsTitleAt.x);
    EXPECT_EQ(w().IMAGE2BP->top(), layout::kOptionsTitleAt.y + w().IMAGE2BT->height());
    EXPECT_EQ(w().Image2B->top(), layout::kOptionsBarTop);
    EXPECT_FALSE(w().Image1B->visible());
    for (int line = 1; line <= 5; ++line) EXPECT_TRUE(boxShows(line, "F244")) << line;
    EXPECT_FALSE(w().Image24x[6]->visible());
    const auto& first = layout::optionBox(1, 1);
    EXPECT_EQ(w().Image24x[1]->left(), w().IMAGE2BP->left() + first.x);
    EXPECT_TRUE(w().BAR[1]->visible());  // the focus frame on the tab strip
}

TEST_F(OptionsDialog, CheckBoxesToggleAloneOnTabOne) {
    openByPointer();
    clickBox(2);
    clickBox(4);
    EXPECT_EQ(w().options.word(1), 0b1010);
    EXPECT_TRUE(boxShows(2, "F245"));
    clickBox(2);
    EXPECT_EQ(w().options.word(1), 0b1000);
}

TEST_F(OptionsDialog, FatBoxesExcludeEachOther) {
    openByPointer();
    clickTab(2);
    ASSERT_EQ(ui().SubItem, 2);
    clickBox(1);
    clickBox(3);
    EXPECT_EQ(w().options.word(2), 0b101);
    clickBox(2);  // 64K clusters: both others go
    EXPECT_EQ(w().options.word(2), 0b010);
    EXPECT_TRUE(boxShows(1, "F244"));
    clickBox(3);
    EXPECT_EQ(w().options.word(2), 0b100);
}

TEST_F(OptionsDialog, RadioGroupsLeaveNoneOnWhenTheChosenIsClickedAgain) {
    openByPointer();
    clickTab(4);
    EXPECT_TRUE(boxShows(1, "F247"));  // Default is on
    clickBox(2);                       // Image All
    EXPECT_EQ(w().options.word(4) & 0xF, 0b0010);
    EXPECT_TRUE(boxShows(2, "F247"));
    EXPECT_TRUE(boxShows(1, "F246"));
    clickBox(2);
    EXPECT_EQ(w().options.word(4) & 0xF, 0);
    clickBox(6);  // Tape Buffered, in the other group
    clickBox(8);  // Tape Eject, a check box
    EXPECT_EQ(w().options.word(4), 0b10100000);
}

TEST_F(OptionsDialog, CancelRestoresAndAcceptKeeps) {
    openByPointer();
    clickBox(1);
    clickBar(2);  // Cancel
    EXPECT_FALSE(w().optionsDialog().open());
    EXPECT_EQ(w().options.word(1), 0);
    EXPECT_TRUE(w().Image1B->visible());
    EXPECT_FALSE(w().IMAGE2BP->visible());
    openByPointer();
    clickBox(1);
    clickBar(1);  // Accept
    EXPECT_EQ(w().options.word(1), 1);
    // Changes stay in memory: the record is untouched until Save Settings.
    EXPECT_EQ(w().computer.record().optionWord(1), 0);
}

TEST_F(OptionsDialog, ActiveSwitchesAreListedInTwoColumns) {
    w().options.setWord(3, 0x1);         // Sure
    w().options.setWord(4, 0x2 | 0x80);  // Image All, Tape Eject
    w().options.setWord(5, 0x4);         // a lock type
    openByPointer();
    clickTab(6);
    ASSERT_EQ(ui().SubItem, 6);
    const std::vector<std::string> expected{"Sure", "Image All", "Tape Eject", "-locktype=M (Manufacturer)"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        platform::Label& label = *w().Label[i + 1];
        EXPECT_TRUE(label.showing());
        EXPECT_EQ(label.caption(), expected[i]);
        EXPECT_EQ(label.left(), w().IMAGE2BP->left() + layout::kActiveSwitchesAt.x);
        EXPECT_EQ(label.top(), w().IMAGE2BP->top() + layout::kActiveSwitchesAt.y + 17 * static_cast<int>(i));
    }
    EXPECT_FALSE(w().Label[5]->visible());
    EXPECT_FALSE(w().Image24x[2]->visible());
}

TEST_F(OptionsDialog, FifteenSwitchesFillTheSecondColumn) {
    w().options.setWord(1, 0x1F);
    w().options.setWord(2, 0x5);
    w().options.setWord(3, 0x7);
    w().options.setWord(4, 0x2 | 0x20 | 0x80);
    w().options.setWord(5, 0x1 | 0x4);
    openByPointer();
    clickTab(6);
    for (int i = 1; i <= 15; ++i) EXPECT_TRUE(w().Label[static_cast<std::size_t>(i)]->showing()) << i;
    EXPECT_EQ(w().Label[8]->left(), w().Label[1]->left() + layout::kActiveSwitchesColumnStep);
    EXPECT_EQ(w().Label[8]->top(), w().Label[1]->top());
    EXPECT_EQ(w().Label[15]->top(), w().Label[1]->top() + 7 * layout::kActiveSwitchesRowStep);
}

TEST_F(OptionsDialog, SaveSettingsAnsweredNoWritesNothingYesWritesTheRecord) {
    openByPointer();
    clickBox(3);
    clickTab(6);
    const auto save = page(kSaveSettingsButton.left + 5, kSaveSettingsButton.top + 5);
    trainer.move(save.x, save.y);
    ASSERT_TRUE(w().Image24x[1]->showing());  // the button's highlight
    const auto file = trainer.folder() / "c" / "DATAS" / "VXR.DAT";
    const auto before = readAll(file);
    // No: nothing is written.
    bool asked = false;
    trainer.onIdle([&] {
        if (asked) return false;
        asked = true;
        EXPECT_EQ(ui().DialogCode, 461);
        trainer.queueKey(kRight);
        trainer.queueKey(kEnter);
        return true;
    });
    trainer.click(save.x, save.y);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ui().DialogCode, 0);
    EXPECT_EQ(readAll(file), before);
    // Yes: the record is written, then the confirmation.
    EXPECT_EQ(answerSaveSettings([&] { trainer.clickWithoutMoving(save.x, save.y); }), (std::vector<int>{461, 462}));
    model::TCOMPUTER reader = savedFile();
    ASSERT_EQ(reader.LoadRecord(), 0);
    EXPECT_EQ(reader.record().optionWord(1), 0b100);
    EXPECT_EQ(reader.record().optionWord(4), 0x1);
}

// Save Settings starts from the file as it is, so another copy's job stays;
// a file it cannot write shows the failed-save box, never the success.
TEST_F(OptionsDialog, SaveSettingsKeepsOtherJobsAndReportsAFailure) {
    const auto file = trainer.folder() / "c" / "DATAS" / "VXR.DAT";
    struct Case {
        const char* what;
        std::function<void()> meanwhile;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"another copy saved a job",
         [&] {
             model::MachineRecord other = record(0);
             other.setImage(0, 9, {.directory = 1, .size = 10, .name = "THEIRS"});
             TrainerHarness::writeRecord(other, file);
         },
         {461, 462}},
        {"the file is gone", [&] { std::filesystem::remove(file); }, {461, 1}},
    };
    openByPointer();
    clickBox(3);
    clickTab(6);
    const auto save = page(kSaveSettingsButton.left + 5, kSaveSettingsButton.top + 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.meanwhile();
        EXPECT_EQ(answerSaveSettings([&] { trainer.click(save.x, save.y); }), c.codes);
        model::TCOMPUTER reader = savedFile();
        if (reader.LoadRecord() != 0) continue;  // the file is gone, and stays so
        EXPECT_EQ(reader.record().image(0, 9).name, "THEIRS");
        EXPECT_EQ(reader.record().optionWord(1), 0b100);
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    const auto trace = trainer.trace();
    const auto at = [&](const char* event, int back) {
        int seen = 0;
        for (auto line = trace.rbegin(); line != trace.rend(); ++line) {
            if ((*line)["event"] == event && seen++ == back) return *line;
        }
        return nlohmann::json();
    };
    EXPECT_EQ(at("save", 1)["result"], 0);
    EXPECT_EQ(at("save", 0)["reason"], "No such file or directory");
    EXPECT_EQ(at("dialog", 0)["title"], "Error");
    EXPECT_EQ(at("dialog", 0)["line1"], "Not enough room on device for image headers (519)");
}

TEST_F(OptionsDialog, ClosingTheWindowAtTheSaveQuestionWritesNothing) {
    openByPointer();
    clickBox(3);
    clickTab(6);
    const auto file = trainer.folder() / "c" / "DATAS" / "VXR.DAT";
    const auto before = readAll(file);
    trainer.onIdle([&] {
        if (ui().DialogCode != 461 || w().end.requested) return false;
        trainer.queueClose();
        trainer.queueKey(kEnter);  // ends the closing notice
        return true;
    });
    const auto save = page(kSaveSettingsButton.left + 5, kSaveSettingsButton.top + 5);
    trainer.click(save.x, save.y);
    EXPECT_TRUE(w().end.requested);
    EXPECT_EQ(readAll(file), before);
}

TEST_F(OptionsDialog, KeysWalkTheStopsOfTabOne) {
    press({kUp, kUp, kUp, kEnter});  // Options, opened by Enter
    ASSERT_TRUE(w().optionsDialog().open());
    for (int stop = 2; stop <= 6; ++stop) {
        press({kTab});
        EXPECT_EQ(ui().FieldPos, stop);
    }
    press({kEnter});  // toggles line 5
    EXPECT_EQ(w().options.word(1), 0b10000);
    press({kTab});
    EXPECT_EQ(ui().FieldPos, 7);
    EXPECT_TRUE(w().Image2A->showing());
    EXPECT_TRUE(w().Image2A->shows(w().catalogue.byName("F241")));
    EXPECT_TRUE(w().Image24x[1]->visible());  // the first box stays
    press({kTab});
    EXPECT_TRUE(w().Image2A->shows(w().catalogue.byName("F242")));
    press({kTab});
    EXPECT_EQ(ui().FieldPos, 1);
    EXPECT_FALSE(w().Image2A->visible());
    press({kRight});
    EXPECT_EQ(ui().SubItem, 2);
    press({kLeft, kLeft});
    EXPECT_EQ(ui().SubItem, 6);
    press({kEsc});  // acts as Cancel
    EXPECT_FALSE(w().optionsDialog().open());
    EXPECT_EQ(w().options.word(1), 0);
    EXPECT_EQ(ui().MainItem, kLocal);
}

class LockedMouseOptions : public OptionsDialog {
protected:
    LockedMouseOptions() : OptionsDialog(model::kMouseLocked) {}
};

TEST_F(LockedMouseOptions, ClicksDoNothingButEnterToggles) {
    press({kUp, kUp, kUp, kEnter});
    ASSERT_TRUE(w().optionsDialog().open());
    clickBox(1);
    EXPECT_EQ(w().options.word(1), 0);
    press({kDown, kEnter});
    EXPECT_EQ(w().options.word(1), 1);
}

// Enter presses the highlighted Accept or Cancel: box 1 of tab 1 is
// toggled, then Tab walks to stop 7 (Accept) or 8 (Cancel).
TEST_F(LockedMouseOptions, EnterPressesAcceptOrCancel) {
    for (const auto& [tabs, kept] : {std::pair{5, 1}, std::pair{6, 0}}) {
        press({kUp, kUp, kUp, kEnter, kDown, kEnter});
        for (int i = 0; i < tabs; ++i) press({kTab});
        press({kEnter});
        EXPECT_FALSE(w().optionsDialog().open()) << tabs;
        EXPECT_EQ(w().options.word(1), kept) << tabs;
        w().options.setWord(1, 0);
    }
}

}  // namespace
}  // namespace vxr::test
