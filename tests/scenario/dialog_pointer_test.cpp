// The selection dialogs of an operation by pointer and keys: the choices,
// the cursor, the buttons that may highlight, the file dialogs' stops and
// names, and the questions around them.

#include <gtest/gtest.h>

#include "dialog_probe.h"
#include "evaluate.h"
#include "input/dialog_pointer.h"
#include "operation_driver.h"
#include "task_json.h"

namespace vxr::test {
namespace {

using namespace model;
using input::kDown;
using input::kEnter;
using input::kEsc;
using input::kLeft;
using input::kTab;
using input::kUp;
using Styles = std::array<std::uint16_t, 4>;

// A run on the dialog machine (four local disks, images in C:\ and
// C:\BACKUP) that stops in a dialog when the actions are used up; `check`
// runs then.
class Dialogs : public ::testing::Test {
protected:
    Dialogs() : run(dialogMachine()) {}

    app::TForm1& w() { return run.w(); }
    input::UiState& ui() { return run.w().ui; }
    OperationState& op() { return run.w().op; }
    Styles styles() { return w().tableRows().RowStyles; }

    // Plays `actions`, then `check` while the program still waits.
    void play(std::vector<Action> actions, std::function<void()> check = {}) {
        actions.push_back([check](TrainerHarness& t) {
            check();
            endRun()(t);
        });
        run.run(std::move(actions));
    }

    OperationRun run;
};

// ---- tables ------------------------------------------------------------------------------

TEST_F(Dialogs, NoButtonHighlightsBeforeTheChoiceAndAClickTakesItBack) {
    play(openLocalItem(1, 2) + std::vector<Action>{clickRow(1)}, [&] {
        EXPECT_EQ(op().SourceDisk, 0);  // disk 1 was chosen; the click cleared it
        EXPECT_EQ(styles()[0], dialogs::kCursorRow);
        const auto ok = layout::dialogRects(1).buttons[0];
        w().dialogPointer().Image4BMouseMove(ok.left + 5, ok.top + 5);
        EXPECT_EQ(ui().ButtonSel, 0);
        EXPECT_FALSE(w().Image4A->visible());
        // A choice lost while OK was highlighted: the pointer in area A (the
        // table's frame) takes the highlight away.
        ui().ButtonSel = 1;
        w().Image4A->show();
        w().dialogPointer().Image4BMouseMove(30, 50);
        EXPECT_EQ(ui().ButtonSel, 0);
        EXPECT_FALSE(w().Image4A->visible());
    });
}

TEST_F(Dialogs, KeysMoveTheCursorChooseAndSkipTheSourceDisk) {
    // Disk copy from disk 2: the destination list greys disk 2.
    play(openLocalItem(1, 1) + presses({kDown, kEnter, kTab, kEnter}), [&] {
        EXPECT_EQ(op().SourceDisk, 2);
        EXPECT_EQ(styles(), (Styles{4, 5, 1, 1}));
        w().keyboard().PROCKEYDOWN(kDown);  // over disk 2 to disk 3
        EXPECT_EQ(ui().RowSel, 3);
        EXPECT_EQ(styles(), (Styles{2, 5, 3, 1}));
        w().keyboard().PROCKEYDOWN(kEnter);
        EXPECT_EQ(op().TargetDisk, 3);
        w().keyboard().PROCKEYDOWN(kUp);
        EXPECT_EQ(ui().RowSel, 1);
        // Tab, Tab: both buttons; a third Tab returns to the list.
        for (int i = 0; i < 3; ++i) w().keyboard().PROCKEYDOWN(kTab);
        EXPECT_EQ(ui().ButtonSel, 0);
        EXPECT_FALSE(w().Image4A->visible());
    });
}

TEST_F(Dialogs, CtrlClickChoosesSeveralPartitionsOnlyForAPartitionImage) {
    play(openLocalItem(2, 2) + presses({kTab, kEnter}) + std::vector<Action>{clickRow(1), clickRow(2, true)}, [&] {
        EXPECT_EQ(op().SourcePartitions, 3);
        EXPECT_EQ(styles(), (Styles{2, 4, 0, 0}));
        w().dialogPointer().ListPoint = {5, 5};
        w().dialogPointer().Image1DClick();  // a plain click keeps only partition 1
        EXPECT_EQ(op().SourcePartitions, 1);
    });
}

TEST_F(Dialogs, ARestoreNeverOffersTheDiskOrPartitionHoldingItsImage) {
    // SYSTEM lies in C:\, on disk 1 partition 1.
    play(openLocalItem(1, 3) + std::vector<Action>{clickFileRow(2)}, [&] {
        EXPECT_EQ(ui().DialogNo, 6);
        EXPECT_EQ(styles(), (Styles{5, 4, 1, 1}));
        EXPECT_EQ(op().TargetDisk, 2);
    });
}

TEST_F(Dialogs, APartitionRestoreGreysThePartitionHoldingTheImage) {
    play(openLocalItem(2, 3) + std::vector<Action>{clickFileRow(2), clickButton(1), clickButton(1)}, [&] {
        EXPECT_EQ(ui().DialogNo, 7);
        EXPECT_EQ(styles()[0], dialogs::kUnusableRow);
        EXPECT_NE(op().TargetPartition, 1);
    });
}

TEST_F(Dialogs, ATypedSizeIsTakenOverWhenThePointerLeavesAndRuledByTheDisk) {
    // Partition copy of 1:1 (8000 MB, 3000 used) onto disk 2's free space.
    play(openLocalItem(2, 1) + std::vector<Action>{clickButton(1), clickButton(1), clickRow(2), clickButton(1),
                                                   clickRow(3), clickSizeBox(3), type("\b\b\b\b\b99999")},
         [&] {
             EXPECT_EQ(w().tableRows().PendingSizeRow, 3);
             EXPECT_EQ(w().Edit[3]->color(), layout::palette(4));
             w().dialogPointer().Image4BMouseMove(2, 2);
             EXPECT_EQ(w().tableRows().PendingSizeRow, 0);
             EXPECT_EQ(op().TargetSizes[2], 28000);  // cut to the free space
             EXPECT_EQ(w().Edit[3]->text(), "28000");
         });
}

// A greyed destination row stays greyed, whatever moves the cursor: drawn
// plain it could be chosen and the copy would run onto its own source.
struct GreyedRows {
    const char* name;
    int sub, leaf;                               // the Local menu's job
    std::function<void(MachineRecord&)> change;  // to the dialog machine
    std::vector<Action> toDialog7;               // after the menu
    std::function<void(app::TForm1&)> poke;
};

void PrintTo(const GreyedRows& c, std::ostream* out) { *out << c.name; }

class GreyedDestinations : public ::testing::TestWithParam<GreyedRows> {};

TEST_P(GreyedDestinations, CannotBeMadeChoosable) {
    const GreyedRows& c = GetParam();
    MachineRecord record = dialogMachine();
    if (c.change) c.change(record);
    OperationRun run(record);
    std::array<std::uint16_t, 4> styles{};
    int chosen = -1, cursor = -1;
    run.run(openLocalItem(c.sub, c.leaf) + c.toDialog7 + std::vector<Action>{[&](TrainerHarness& t) {
                app::TForm1& w = t.window();
                ASSERT_EQ(w.ui.DialogNo, 7);
                cursor = w.ui.RowSel;
                c.poke(w);
                styles = w.tableRows().RowStyles;
                for (int row : {1, 2}) {
                    w.dialogPointer().ListPoint = {5, 13 * (row - 1) + 5};
                    w.dialogPointer().Image1DClick();
                }
                chosen = w.op.TargetPartition;
                endRun()(t);
            }});
    EXPECT_EQ(cursor, 0);  // no usable partition: no cursor row
    EXPECT_EQ(styles[0], dialogs::kUnusableRow);
    EXPECT_EQ(styles[1], dialogs::kUnusableRow);
    EXPECT_EQ(chosen, 0);
}

// Disk 2, partition 1 (10000 MB, 9000 used) onto disk 2: partition 1 is
// itself, partition 2 (2000 MB) too small; the disk list left its cursor on
// row 1.
const std::vector<Action> kCopyOntoItsDisk =
    presses({kDown, kEnter, kTab, kEnter, kTab, kEnter, kDown, kEnter, kTab, kEnter});
// SYSTEM (in C:\ on disk 1) partition 1 (3000 MB used) onto disk 1, whose
// partition 2 is cut to 2000 MB.
const std::vector<Action> kRestoreOntoItsDisk = {clickFileRow(2), clickButton(1), clickButton(1)};
void smallSecondPartition(MachineRecord& r) {
    DiskEntry one = r.disk(0, 1);
    one.partitions[1].size = 2000;
    r.setDisk(0, 1, one);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, GreyedDestinations,
                         ::testing::Values(GreyedRows{"CopyDownKey", 2, 1, nullptr, kCopyOntoItsDisk,
                                                      [](app::TForm1& w) { w.keyboard().PROCKEYDOWN(kDown); }},
                                           GreyedRows{"CopyPointerOverTheTable", 2, 1, nullptr, kCopyOntoItsDisk,
                                                      [](app::TForm1& w) {
                                                          w.dialogPointer().Image1DMouseMove(5, 13 * 2 + 5);
                                                      }},
                                           GreyedRows{"CopyPointerOverThePicture", 2, 1, nullptr, kCopyOntoItsDisk,
                                                      [](app::TForm1& w) { w.dialogPointer().Image4BMouseMove(2, 2); }},
                                           GreyedRows{"CopyPointerOnAButton", 2, 1, nullptr, kCopyOntoItsDisk,
                                                      [](app::TForm1& w) { w.dialogPointer().Image4AMouseMove(); }},
                                           GreyedRows{"RestoreDownKey", 2, 3, smallSecondPartition, kRestoreOntoItsDisk,
                                                      [](app::TForm1& w) { w.keyboard().PROCKEYDOWN(kDown); }}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- file dialogs ---------------------------------------------------------------------------

TEST_F(Dialogs, TheFileDialogsTabOrderAndTheEmptyNameThatCannotBeSaved) {
    play(openLocalItem(1, 2) + presses({kTab, kEnter}), [&] {
        EXPECT_EQ(ui().DialogNo, 8);
        EXPECT_EQ(op().LookInLetter, 2);  // C: lies on the source disk 1
        std::vector<int> stops;
        std::vector<int> buttons;
        for (int i = 0; i < 5; ++i) {
            w().keyboard().PROCKEYDOWN(kTab);
            stops.push_back(ui().FieldPos);
            buttons.push_back(ui().ButtonSel);
        }
        EXPECT_EQ(stops, (std::vector<int>{2, 3, 4, 5, 1}));
        EXPECT_EQ(buttons, (std::vector<int>{0, 2, 0, 0, 0}));  // Save stays dark with no name
        EXPECT_FALSE(w().Image4A->visible());
    });
}

TEST_F(Dialogs, AClickIntoTheNameEditMakesItTheStopTabGoesOnFrom) {
    play(openLocalItem(1, 2) + presses({kTab, kEnter}) + std::vector<Action>{clickNameEdit(), type("x")}, [&] {
        EXPECT_EQ(ui().FieldPos, 2);
        EXPECT_EQ(w().Edit[1]->text(), "x");
        w().keyboard().PROCKEYDOWN(kTab);
        w().keyboard().PROCKEYDOWN(kTab);
        EXPECT_EQ(ui().ButtonSel, 1);  // Save, now that a name is typed
    });
}

TEST_F(Dialogs, TheLookInDropDownByKeysAndTheFileListByPointer) {
    play(openLocalItem(1, 3) + std::vector<Action>{clickFileRow(1)}, [&] {
        // In C:\BACKUP: the parent line, OLD, DEEP.
        EXPECT_EQ(op().LookInDirectory, 3);
        EXPECT_EQ(ui().RowCount, 3);
        w().dialogPointer().FilePoint = {0, 5};
        w().dialogPointer().Image5DAClick();  // the parent line
        EXPECT_EQ(op().LookInDirectory, 1);
        for (int i = 0; i < 4; ++i) w().keyboard().PROCKEYDOWN(kTab);
        EXPECT_EQ(ui().FieldPos, 5);
        w().keyboard().PROCKEYDOWN(kDown);  // opens the drop-down
        EXPECT_TRUE(w().Image2D->visible());
        w().keyboard().PROCKEYDOWN(kDown);
        w().keyboard().PROCKEYDOWN(kEnter);  // D:
        EXPECT_FALSE(w().Image2D->visible());
        EXPECT_EQ(op().LookInLetter, 2);
        EXPECT_EQ(op().LookInDirectory, 2);
        EXPECT_EQ(ui().FieldPos, 1);
    });
}

struct TypedName {
    const char* typed;
    int dialogCode;    // shown after Save; 0 none
    const char* name;  // the new entry's name
    int directory;
};

class TypedNames : public ::testing::TestWithParam<TypedName> {};

TEST_P(TypedNames, AreResolvedAgainstTheDirectoryShown) {
    OperationRun run(dialogMachine());
    int code = -1;
    ImageEntry added;  // while the job goes on: ending it takes the entry back
    // Disk 2 (D:) to an image: the file dialog looks in C:\.
    run.run(openLocalItem(1, 2) + presses({kDown, kEnter, kTab, kEnter, kTab}) +
            std::vector<Action>{type(GetParam().typed), clickButton(1), [&](TrainerHarness& t) {
                                    code = t.ui().DialogCode;
                                    added = t.window().computer.record().image(0, 4);
                                    endRun()(t);
                                }});
    EXPECT_EQ(code, GetParam().dialogCode == 0 ? 0 : GetParam().dialogCode);
    if (GetParam().name) {
        EXPECT_EQ(added.name, GetParam().name);
        EXPECT_EQ(added.directory, GetParam().directory);
    } else {
        EXPECT_TRUE(added.isFree());
    }
}

void PrintTo(const TypedName& name, std::ostream* out) { *out << name.typed; }

INSTANTIATE_TEST_SUITE_P(
    Dialogs, TypedNames,
    ::testing::Values(TypedName{"systemimage", 0, "SYSTEMIM", 1}, TypedName{"backup\\new", 0, "NEW", 3},
                      TypedName{"\\backup\\old\\x.vxi", 0, "X", 4}, TypedName{"E:new", 0, "NEW", 6},
                      TypedName{"backup\\\\new", 121, nullptr, 0}, TypedName{"..\\new", 121, nullptr, 0},
                      TypedName{"backup\\", 121, nullptr, 0}, TypedName{"Z:new", 121, nullptr, 0},
                      TypedName{"D:new", 123, nullptr, 0},
                      // Eight bytes of code page 936, cut between characters;
                      // a character the code page lacks names no file there.
                      TypedName{"镜像备份资料", 0, "镜像备份", 1}, TypedName{"A\xF0\x9F\x98\x80", 121, nullptr, 0}));

TEST(FileDialogs, AnImageOnTheDiskBeingImagedCannotBeChosenFromTheList) {
    // One disk: the file dialog can only look in C:, on the source itself.
    MachineRecord record = sampleMachine();
    record.setImage(0, 1, {1, 100, "OLD", 1.0, 1, {{{7, 0, 100, 50}}}, 0, ""});
    OperationRun run(record);
    int code = 0;
    run.run(openLocalItem(1, 2) + presses({kTab, kEnter}) +
            std::vector<Action>{clickFileRow(1), [&](TrainerHarness& t) {
                                    code = t.ui().DialogCode;
                                    t.queueKey(kEnter);
                                }});
    EXPECT_EQ(code, 123);  // "Image file is on drive being imaged"
    EXPECT_EQ(run.w().ui.OpCode, 0);
    EXPECT_FALSE(run.savedOperation());
}

// ---- questions ---------------------------------------------------------------------------

TEST(Questions, AnExistingNameAsksToOverwriteAndNoAsksAgainWithAnEmptyName) {
    OperationRun run(dialogMachine());
    std::string nameAfterNo = "?";
    // Disk 2 to C:\SMALL, typed and refused, then clicked in the list and
    // overwritten: its old space on C: is not counted twice (9101 MB would
    // not fit beside the 3000 MB used).
    run.run(openLocalItem(1, 2) + presses({kDown, kEnter, kTab, kEnter, kTab}) +
            std::vector<Action>{type("small"), clickButton(1), press(kLeft), press(kEnter),  // No
                                [&](TrainerHarness& t) {
                                    nameAfterNo = t.window().Edit[1]->text();
                                    t.queueKey(kTab);
                                },
                                clickFileRow(3), press(kEnter),              // SMALL, Yes
                                press(kEnter), press(kLeft), press(kEnter),  // No compression, Yes
                                press(kEnter)});                             // Continue
    EXPECT_EQ(nameAfterNo, "");
    EXPECT_EQ(run.steps().back(), 20);                            // the completion
    EXPECT_TRUE(run.w().computer.record().image(0, 4).isFree());  // no new entry
    EXPECT_EQ(run.saved().image(0, 2).partitionCount, 2);         // SMALL now holds disk 2
    EXPECT_EQ(run.saved().disk(0, 1).partitions[0].dataSize, 3000);
}

TEST(Questions, NoAtTheProceedQuestionFreesTheNewEntry) {
    OperationRun run(dialogMachine());
    run.run(openLocalItem(1, 2) + presses({kDown, kEnter, kTab, kEnter, kTab}) +
            std::vector<Action>{type("fresh"), clickButton(1), press(kEnter), press(kEnter)});
    EXPECT_EQ(run.steps(), (std::vector<int>{1, 8, 10, 12}));
    EXPECT_TRUE(run.w().computer.record().image(0, 4).isFree());
    EXPECT_FALSE(run.savedOperation());
    EXPECT_EQ(run.w().ui.OpCode, 0);
    EXPECT_FALSE(run.w().IMAGE2BP->visible());
}

TEST(Questions, ACloneTooBigForTheDestinationIsRefused) {
    OperationRun run(dialogMachine());
    // Disk 2 (9100 MB used) onto disk 4 (6000 MB).
    run.run(openLocalItem(1, 1) + presses({kDown, kEnter, kTab, kEnter, kDown, kDown, kEnter, kTab, kEnter, kEnter}));
    EXPECT_NE(std::find(run.waits.begin(), run.waits.end(), 1004), run.waits.end());  // "Destination drive too small"
    EXPECT_EQ(run.w().ui.OpCode, 0);
    EXPECT_EQ(run.w().ui.MainItem, input::kLocal);
}

// Disk copies and restores onto disk 4 (6000 MB) whose data would fit in
// all, but whose proposed second partition is cut below its data.
struct TightDestination {
    const char* name;
    int leaf;                         // 1 disk copy, 3 restore
    std::vector<Action> sizes;        // in the details dialog, before its OK
    std::vector<std::int32_t> saved;  // the new sizes saved; empty: refused
};

void PrintTo(const TightDestination& c, std::ostream* out) { *out << c.name; }

class TightDestinations : public ::testing::TestWithParam<TightDestination> {};

TEST_P(TightDestinations, AreRefusedUnlessTheSizesHoldTheData) {
    const TightDestination& c = GetParam();
    MachineRecord record = dialogMachine();
    record.setPartition(0, 1, 2, {999, 0, 4000, 2500});  // disk 1: 3000 + 2500 MB of data
    ImageEntry system = record.image(0, 1);
    system.partitions[1].dataSize = 1500;  // SYSTEM: 3000 + 1500 MB
    record.setImage(0, 1, system);
    OperationRun run(record);
    // Disk 1 is the source chosen at first; SYSTEM is the second row of C:\.
    const Action choose = c.leaf == 1 ? clickButton(1) : clickFileRow(2);
    // The refusal's OK, or Yes to proceed and Continue.
    const std::vector<Action> answers =
        c.saved.empty() ? presses({kEnter}) : std::vector<Action>{clickButton(1), clickButton(1)};
    run.run(openLocalItem(1, c.leaf) + std::vector<Action>{choose, clickRow(4), clickButton(1)} + c.sizes +
            std::vector<Action>{clickButton(1)} + answers);
    const bool refused = std::find(run.waits.begin(), run.waits.end(), 1004) != run.waits.end();
    EXPECT_EQ(refused, c.saved.empty()) << ::testing::PrintToString(run.waits);
    EXPECT_EQ(run.savedOperation(), !c.saved.empty());
    EXPECT_EQ(run.w().ui.OpCode, 0);
    for (std::size_t p = 0; p < c.saved.size(); ++p) {
        EXPECT_EQ(run.saved().partition(0, 4, static_cast<int>(p) + 1).size, c.saved[p]);
    }
}

INSTANTIATE_TEST_SUITE_P(Questions, TightDestinations,
                         ::testing::Values(TightDestination{"DiskCopy", 1, {}, {}},
                                           TightDestination{"Restore", 3, {}, {}},
                                           TightDestination{"RestoreWithRoomMade",
                                                            3,
                                                            {clickSizeBox(1), type("\b\b\b\b\b3500"), clickSizeBox(2),
                                                             type("\b\b\b\b\b2500")},
                                                            {3500, 2500}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Questions, EscCancelsEveryStepBackToTheMainScreen) {
    for (const auto& [sub, leaf] : std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {2, 3}, {3, 1}}) {
        OperationRun run(dialogMachine());
        run.run(openLocalItem(sub, leaf) + presses({kEsc}));
        EXPECT_EQ(run.w().ui.OpCode, 0) << sub << leaf;
        EXPECT_FALSE(run.w().Image4B->visible());
        EXPECT_TRUE(run.w().Image1B->visible());
    }
}

// ---- passwords ---------------------------------------------------------------------------

MachineRecord passwordMachine() {
    MachineRecord r = dialogMachine();
    ImageEntry image = r.image(0, 2);
    image.password = "SECRET";
    r.setImage(0, 2, image);
    r.setOptionWord(5, 1);  // image password option
    return r;
}

TEST(Passwords, EnterAnswersTheEditAndMismatchesAskAgain) {
    OperationRun run(passwordMachine());
    // Disk 4 (10 MB used) to C:\FRESH.
    run.run(openLocalItem(1, 2) + presses({kDown, kDown, kDown, kEnter, kTab, kEnter, kTab}) +
            std::vector<Action>{type("fresh"), clickButton(1), type("one"), press(kEnter), type("two"), press(kEnter),
                                press(kEnter), type("pass"), press(kEnter), type("pass"), press(kEnter), press(kEnter),
                                press(kLeft), press(kEnter), press(kEnter)});
    EXPECT_NE(std::find(run.waits.begin(), run.waits.end(), 1007), run.waits.end());  // "Password do not match"
    ASSERT_TRUE(run.savedOperation()) << ::testing::PrintToString(run.waits);
    EXPECT_EQ(run.saved().image(0, 4).password, "PASS");
}

TEST(Passwords, GivingUpOnAProtectedImageEndsTheProgramWithoutSaving) {
    OperationRun run(passwordMachine(), {});
    // Restore SMALL (row 3 of C:\), a wrong password, then No.
    run.run(openLocalItem(1, 3) + std::vector<Action>{clickFileRow(3), type("wrong"), press(kEnter), press(kLeft),
                                                      press(kEnter), press(kEnter), press(kEnter)});
    EXPECT_NE(std::find(run.waits.begin(), run.waits.end(), 1118), run.waits.end());  // "Password incorrect"
    EXPECT_NE(std::find(run.waits.begin(), run.waits.end(), 1006), run.waits.end());  // "Password not provided"
    EXPECT_TRUE(run.w().end.requested);
    EXPECT_FALSE(run.savedOperation());
}

// An examiner's image made with the record tool, its name and password in
// code page 936: C:\镜像 in slot 2, password 密码.
MachineRecord examinersMachine() {
    MachineRecord r = passwordMachine();
    const MachineRecord built = vxrdat::recordFromJson(nlohmann::json::parse(R"({"computers": {"local": {"images": [
        {"slot": 2, "directory": 1, "name": "镜像", "size": 12, "password": "密码",
         "partitions": [{"type": 7, "size": 100, "data": 50}]}]}}})"));
    const auto at = static_cast<std::ptrdiff_t>(bytes::imageOffset(0, 2));
    std::copy_n(built.bytes().begin() + at, bytes::kImageEntrySize, r.bytes().begin() + at);
    return r;
}

struct ExaminerCase {
    const char* label;
    std::vector<std::string> parameters;
    std::vector<Action> actions;
    std::function<void(OperationRun&)> check;
};

void PrintTo(const ExaminerCase& c, std::ostream* out) { *out << c.label; }

class ChineseText : public ::testing::TestWithParam<ExaminerCase> {};

TEST_P(ChineseText, MeetsTheRecordTool) {
    OperationRun run(examinersMachine(), GetParam().parameters);
    run.run(GetParam().actions);
    GetParam().check(run);
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, ChineseText,
    ::testing::Values(ExaminerCase{"ATypedPasswordOpensTheImage",
                                   {},
                                   openLocalItem(1, 3) + presses({kTab}) +
                                       std::vector<Action>{type("C:\\镜像"), press(kTab), press(kTab), press(kEnter),
                                                           type("密码"), press(kEnter), endRun()},
                                   [](OperationRun& run) {
                                       EXPECT_EQ(std::count(run.waits.begin(), run.waits.end(), 1118),
                                                 0);  // "Password incorrect"
                                       EXPECT_EQ(run.waits.back(), 6)
                                           << ::testing::PrintToString(run.waits);  // the target disk next
                                   }},
                      ExaminerCase{"TheSwitchPasswordOpensTheImage",
                                   {"-CLONE,MODE=LOAD,SRC=C:\\镜像,DST=4", "-PWD=密码", "-SURE"},
                                   {},
                                   [](OperationRun& run) {
                                       EXPECT_TRUE(run.savedOperation()) << ::testing::PrintToString(run.waits);
                                   }},
                      ExaminerCase{"ATypedNameAndPasswordAreWhatTheToolReads",
                                   {},
                                   // Disk 4 to C:\备份; the password edit takes five Chinese characters.
                                   openLocalItem(1, 2) + presses({kDown, kDown, kDown, kEnter, kTab, kEnter, kTab}) +
                                       std::vector<Action>{type("备份"), clickButton(1), type("密码密码密码"),
                                                           press(kEnter), type("密码密码密码"), press(kEnter),
                                                           press(kEnter), press(kLeft), press(kEnter), press(kEnter)},
                                   [](OperationRun& run) {
                                       ASSERT_TRUE(run.savedOperation()) << ::testing::PrintToString(run.waits);
                                       const MachineRecord saved = run.saved();
                                       const std::size_t at = bytes::imageOffset(0, 4) + bytes::kImageName;
                                       const auto name = saved.bytes().begin() + static_cast<std::ptrdiff_t>(at);
                                       EXPECT_EQ(std::string(name, name + 5),
                                                 "\x04\xB1\xB8\xB7\xDD");  // length 4, then 备份
                                       const nlohmann::json image = vxrdat::imageToJson(vxrdat::machineOf(saved), 0, 4);
                                       EXPECT_EQ(image["name"], "备份");
                                       EXPECT_EQ(image["password"], "密码密码密");
                                   }}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace vxr::test
