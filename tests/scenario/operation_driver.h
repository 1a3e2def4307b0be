#pragma once
// Drives an interactive operation: each time the trainer waits for input the
// next action is queued, in window coordinates worked out from where the
// dialog stands at that moment.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "input/keyboard.h"
#include "layout/dialog_rects.h"
#include "operations/progress.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/text.h"
#include "platform/utf8.h"
#include "trainer_harness.h"

namespace vxr::test {

using Action = std::function<void(TrainerHarness&)>;

inline Action press(int key) {
    return [key](TrainerHarness& t) { t.queueKey(key); };
}

inline std::vector<Action> presses(std::initializer_list<int> keys) {
    std::vector<Action> actions;
    for (int key : keys) actions.push_back(press(key));
    return actions;
}

// Characters typed into the focused edit; one without a key of its own (a
// Chinese character) comes as text with key code 0, as an input method gives it.
inline Action type(std::string text) {
    return [text](TrainerHarness& t) {
        for (char32_t c : platform::decodeUtf8(text)) {
            if (c >= 0x80) {
                t.queueKey(0, platform::encodeUtf8(c));
                continue;
            }
            const char ch = static_cast<char>(c);
            t.queueKey(ch == '\b' ? 8 : static_cast<unsigned char>(std::toupper(ch)), std::string(1, ch));
        }
    };
}

// A click at (x, y) of a control, the control's place taken when it runs.
inline Action clickOn(std::function<platform::Control*(app::TForm1&)> control, int x, int y, bool ctrl = false,
                      bool twice = false) {
    return [control, x, y, ctrl, twice](TrainerHarness& t) {
        const platform::Control* c = control(t.window());
        if (c == nullptr || !c->showing()) {
            ADD_FAILURE() << "nothing to click in dialog " << t.ui().DialogNo;
            t.queueKey(input::kEsc);
            return;
        }
        const platform::Point at{c->formOrigin().x + x, c->formOrigin().y + y};
        if (ctrl) t.backendPush(platform::InputEvent::keyDown(input::kCtrl));
        twice ? t.queueDoubleClick(at.x, at.y) : t.queueClick(at.x, at.y);
        if (ctrl) t.backendPush(platform::InputEvent::keyUp(input::kCtrl));
    };
}

// Row `row` of the disk or partition table.
inline Action clickRow(int row, bool ctrl = false) {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image1D.get(); }, 5, 13 * (row - 1) + 5, ctrl);
}

inline Action doubleClickRow(int row) {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image1D.get(); }, 5, 13 * (row - 1) + 5, false,
                   true);
}

// Button `n` of the open operation dialog (the pointer moves onto it, then
// clicks its highlight; or, `moving` false, it is pressed where it is).
inline Action clickButton(int n, bool moving = true) {
    return [n, moving](TrainerHarness& t) {
        const auto& rect = layout::dialogRects(t.ui().DialogNo).buttons[static_cast<std::size_t>(n - 1)];
        const platform::Point corner = t.window().Image4B->formOrigin();
        const platform::Point at{corner.x + rect.left + 5, corner.y + rect.top + 5};
        moving ? t.queueClick(at.x, at.y) : t.queuePressAndRelease(at.x, at.y);
    };
}

inline Action clickFileRow(int row) {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image5DA; }, 30, 13 * (row - 1) + 6);
}

inline Action doubleClickFileRow(int row) {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image5DA; }, 30, 13 * (row - 1) + 6, false,
                   true);
}

inline Action clickLookInArrow() {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image4B; }, 300, 30);
}

inline Action clickLookInRow(int row) {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Image2D; }, 30, 13 * (row - 1) + 6);
}

inline Action clickNameEdit() {
    return clickOn([](app::TForm1& w) -> platform::Control* { return w.Edit[1]; }, 5, 5);
}

inline Action clickSizeBox(int box) {
    return clickOn([box](app::TForm1& w) -> platform::Control* { return w.Edit[static_cast<std::size_t>(box)]; }, 3, 3);
}

// Ends the program where it waits (the test has seen what it wanted).
inline Action endRun() {
    return [](TrainerHarness& t) {
        t.window().endProgram(kRanOutOfInput);
        t.backendPush(platform::InputEvent::keyUp(input::kShift));
    };
}

// Local > submenu item `sub` > third-level item `leaf`, by keys.
inline std::vector<Action> openLocalItem(int sub, int leaf) {
    std::vector<Action> actions = presses({input::kEnter});
    for (int i = 1; i < sub; ++i) actions.push_back(press(input::kDown));
    actions.push_back(press(input::kEnter));
    for (int i = 1; i < leaf; ++i) actions.push_back(press(input::kDown));
    actions.push_back(press(input::kEnter));
    return actions;
}

inline std::vector<Action> operator+(std::vector<Action> a, const std::vector<Action>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The trainer on `record`; run() starts it and plays `actions`, one each
// time it waits, and records the steps it waited in.
class OperationRun {
public:
    explicit OperationRun(const model::MachineRecord& record, std::vector<std::string> parameters = {})
        : trainer(record, std::move(parameters)) {
        trainer.window().progress().stepDelay = std::chrono::microseconds(0);
    }

    // Plays the actions: at the top level one after the other, and inside
    // a dialog's wait whenever nothing else is queued.
    void run(std::vector<Action> actions) {
        actions_ = std::move(actions);
        trainer.onIdle([this] { return playNext(); });
        EXPECT_TRUE(trainer.start());
        while (!trainer.window().end.requested && playNext()) trainer.run();
    }

    // The data file as saved.
    model::MachineRecord saved() {
        model::TCOMPUTER reader(platform::systemClock(), platform::systemRandom(), [this](const std::string& name) {
            return name == "VXR_DRIVE_C" ? std::optional<std::string>((trainer.folder() / "c").string()) : std::nullopt;
        });
        EXPECT_EQ(reader.LoadRecord(), 0);
        return reader.record();
    }

    // The steps shown, in order, from the trace.
    std::vector<int> steps() const {
        std::vector<int> shown;
        for (const auto& line : trainer.trace()) {
            if (line["event"] == "step") shown.push_back(line["step"].get<int>());
        }
        return shown;
    }

    bool savedOperation() const {
        for (const auto& line : trainer.trace()) {
            if (line["event"] == "save" && line["what"] == "operation") return true;
        }
        return false;
    }

    app::TForm1& w() { return trainer.window(); }

    TrainerHarness trainer;
    std::vector<Action> actions_;
    std::size_t next_ = 0;
    bool playNext() {
        if (next_ == actions_.size()) return false;
        waits.push_back(trainer.ui().DialogCode != 0 ? 1000 + trainer.ui().DialogCode : trainer.ui().DialogNo);
        actions_[next_++](trainer);
        return true;
    }
    // DialogNo, or 1000 + DialogCode for a message box, at each wait.
    std::vector<int> waits;
};

}  // namespace vxr::test
