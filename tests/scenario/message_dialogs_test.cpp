#include <gtest/gtest.h>

#include "dialogs/message_dialogs.h"
#include "layout/message_codes.h"
#include "layout/message_dialog_layout.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using layout::kMessageKinds;

class MessageDialogs : public ::testing::Test {
protected:
    MessageDialogs() : trainer(sampleMachine()) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    app::TForm1& w() { return trainer.window(); }
    bool shows(platform::Image* image, const char* picture) {
        return image->showing() && image->shows(w().catalogue.byName(picture));
    }
    // Shows `code`; each time the box waits for input the next step runs
    // (it looks at the screen and queues input).
    void show(int code, std::vector<std::function<void()>> steps) {
        std::size_t next = 0;
        trainer.onIdle([&] {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        });
        answer = w().messages().ask(static_cast<layout::Msg>(code));
        trainer.onIdle([] { return false; });
    }
    void show(int code, const std::function<void()>& step) { show(code, std::vector<std::function<void()>>{step}); }
    platform::Point inButton(const layout::InclusiveRect& rect) {
        return {w().Image4D->left() + rect.left + 2, w().Image4D->top() + rect.top + 2};
    }

    TrainerHarness trainer;
    int answer = 0;  // what the last box shown returned
};

TEST_F(MessageDialogs, EveryCodeShowsItsTitleAndLinesAtTheirPlaces) {
    w().ErrorToken = "-BAD";
    const std::vector<int> codes{1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  101, 102,
                                 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,
                                 116, 117, 118, 119, 120, 121, 122, 123, 461, 462, 0,   77};
    for (int code : codes) {
        const layout::MessageCode& texts = layout::messageCode(code);
        const int kind = layout::messageKind(code);
        show(code, [&] {
            const char* pictures[] = {"", "F414B", "F415B", "F416B"};
            EXPECT_TRUE(shows(w().Image4D, pictures[kind])) << code;
            const int left = w().Image4D->left(), top = w().Image4D->top();
            const auto labelAt = [&](int index, const std::string& text, layout::Offset at) {
                platform::Label& label = *w().Label[static_cast<std::size_t>(index)];
                EXPECT_EQ(label.showing(), !text.empty()) << code << " label " << index;
                if (text.empty()) return;
                EXPECT_EQ(label.caption(), layout::fillMarks(text, "-BAD", w().computer.DirectoryPath(0, 0) + "\\"));
                EXPECT_EQ(label.left(), left + at.x) << code;
                EXPECT_EQ(label.top(), top + at.y) << code;
            };
            labelAt(24, texts.title, layout::kTitleAt);
            labelAt(21, texts.line1, layout::kLine1At);
            labelAt(22, texts.line2, layout::kLine2At);
            EXPECT_EQ(w().ui.ButtonSel, 1) << code;
            const auto yes = kind == 2 ? kMessageKinds[2].button1 : kMessageKinds[kind].button1;
            trainer.queueClick(inButton(yes).x, inButton(yes).y);
        });
        EXPECT_EQ(answer, 1) << code;
        EXPECT_EQ(w().ui.DialogCode, 0) << code;
        EXPECT_FALSE(w().Image4D->visible()) << code;
        EXPECT_FALSE(w().Label[24]->visible()) << code;
    }
}

TEST_F(MessageDialogs, QuestionsOpenWithYesHighlightedAndNoTakesTheFocusFromIt) {
    show(5, [&] {
        EXPECT_TRUE(shows(w().Image4A, layout::kYesFocused));
        EXPECT_EQ(w().Image4A->left(), 130 + 74);
        EXPECT_EQ(w().Image4A->top(), 104 + 103);
        const auto no = inButton(kMessageKinds[2].button2);
        trainer.queueMove(no.x, no.y);
        trainer.queueMove(130 + 300, 104 + 60);  // off every button: nothing changes
        trainer.queueMove(no.x, no.y);
        trainer.queueClick(no.x, no.y);
    });
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(w().ui.ButtonSel, 2);
}

TEST_F(MessageDialogs, NoHighlightShowsThePlainYesBesideIt) {
    show(118, {[&] {
                   const auto no = inButton(kMessageKinds[2].button2);
                   trainer.queueMove(no.x, no.y);
               },
               [&] {
                   EXPECT_TRUE(shows(w().Image4A, layout::kNoFocused));
                   EXPECT_EQ(w().Image4A->left(), 130 + 214);
                   EXPECT_TRUE(shows(w().Image4A_0, layout::kYesPlain));
                   EXPECT_EQ(w().Image4A_0->left(), 130 + 74);
                   EXPECT_EQ(w().ui.ButtonSel, 2);
                   const auto yes = inButton(kMessageKinds[2].button1);
                   trainer.queueMove(yes.x, yes.y);  // over the plain Yes picture: it goes
                   trainer.queueMove(yes.x + 1, yes.y);
                   trainer.queueClick(yes.x + 1, yes.y);
               }});
    EXPECT_EQ(answer, 1);
}

TEST_F(MessageDialogs, OneButtonBoxesHighlightOkOnlyUnderThePointer) {
    show(462, {[&] {
                   EXPECT_FALSE(w().Image4A->visible());
                   EXPECT_EQ(w().ui.ButtonSel, 1);
                   const auto yesPlace = inButton(kMessageKinds[2].button1);
                   trainer.queueMove(yesPlace.x, yesPlace.y);  // where a question's Yes would be
               },
               [&] {
                   EXPECT_FALSE(w().Image4A->visible());
                   const auto ok = inButton(kMessageKinds[3].button1);
                   trainer.queueMove(ok.x, ok.y);
                   trainer.queueClick(ok.x, ok.y);
               }});
    EXPECT_TRUE(answer == 1);
}

TEST_F(MessageDialogs, KindOneStandsWhereTheOperationDialogIs) {
    w().Image4B->setPosition(45, 98);
    show(1, [&] {
        EXPECT_EQ(w().Image4D->left(), 45);
        EXPECT_EQ(w().Image4D->top(), 98);
        EXPECT_FALSE(w().Label[24]->visible());  // the picture carries its own text
        const auto ok = inButton(kMessageKinds[1].button1);
        trainer.queueClick(ok.x, ok.y);
    });
    EXPECT_EQ(answer, 1);
}

TEST_F(MessageDialogs, RejectedImageNamesShowTheirPath) {
    w().op.LookInDirectory = 1;
    w().op.ImageFileName = "NOPE";
    show(3, [&] {
        EXPECT_EQ(w().Label[21]->caption(), "C:\\NOPE is not a valid image file.");
        EXPECT_EQ(w().Label[22]->caption(), "Task can not be completed.");
        const auto ok = inButton(kMessageKinds[3].button1);
        trainer.queueClick(ok.x, ok.y);
    });
}

TEST_F(MessageDialogs, TheTraceRecordsDialogsAndAnswers) {
    show(10, [&] {
        const auto ok = inButton(kMessageKinds[3].button1);
        trainer.queueClick(ok.x, ok.y);
    });
    const auto lines = trainer.trace();
    ASSERT_GE(lines.size(), 3u);
    const auto& dialog = lines[lines.size() - 2];
    EXPECT_EQ(dialog["event"], "dialog");
    EXPECT_EQ(dialog["code"], 10);
    EXPECT_EQ(dialog["line1"], layout::messageCode(10).line1);
    EXPECT_EQ(lines.back()["event"], "answer");
    EXPECT_EQ(lines.back()["answer"], 1);
}

}  // namespace
}  // namespace vxr::test
