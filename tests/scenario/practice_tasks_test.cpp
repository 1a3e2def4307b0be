// Each bundled practice task done in the trainer twice, once by keys alone
// and once by pointer alone (typing into edits aside), and the data file it
// leaves graded by the task's own expect list.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/peer_events.h"
#include "check_report.h"
#include "expectations.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/option_boxes.h"
#include "layout/peer_layout.h"
#include "operation_driver.h"
#include "platform/named_event.h"

namespace vxr::test {
namespace {

using input::kDown;
using input::kEnter;
using input::kLeft;
using input::kRight;
using input::kTab;
using input::kUp;

using Actions = std::vector<Action>;

// A click at `at` in window coordinates, worked out when it runs.
Action clickAt(std::function<platform::Point(app::TForm1&)> at) {
    return [at](TrainerHarness& t) {
        const platform::Point p = at(t.window());
        t.queueClick(p.x, p.y);
    };
}

platform::Point inside(layout::Offset corner, layout::Offset offset) {
    return {corner.x + offset.x + 5, corner.y + offset.y + 5};
}

// Menu items clicked where their boxes stand at that moment (in peer mode
// the third level stands elsewhere).
Action clickMainItem(int main) {
    return clickAt([main](app::TForm1&) {
        return inside(layout::kMainMenuAt, layout::kMainMenuItems[static_cast<std::size_t>(main - 1)].offset);
    });
}

Action clickSubItem(int main, int sub) {
    return clickAt([main, sub](app::TForm1& w) {
        return inside({w.Image2B->left(), w.Image2B->top()}, layout::menuItem(layout::submenu(main), sub).offset);
    });
}

Action clickThirdItem(int main, int sub, int leaf) {
    return clickAt([main, sub, leaf](app::TForm1& w) {
        return inside({w.Image3B->left(), w.Image3B->top()},
                      layout::menuItem(layout::thirdMenu(main, sub), leaf).offset);
    });
}

// Main item `main` > submenu item `sub` > third-level item `leaf`, clicked.
Actions clickMenu(int main, int sub, int leaf) {
    return {clickMainItem(main), clickSubItem(main, sub), clickThirdItem(main, sub, leaf)};
}

// Peer to peer > TCP/IP > Master, the slave's address typed and taken.
const std::string kSlaveAddress = "192.168.18.2";
const Actions kMasterByKeys =
    presses({kDown, kEnter, kEnter, kDown, kEnter}) + Actions{type(kSlaveAddress), press(kEnter)};
const Actions kMasterByPointer =
    clickMenu(2, 1, 2) +
    Actions{
        type(kSlaveAddress), clickAt([](app::TForm1&) {
            const auto& ok = layout::kPeerBoxRects[2].buttons[0];
            return platform::Point{layout::kMasterAddressAt.x + ok.left + 3, layout::kMasterAddressAt.y + ok.top + 3};
        })};

// The options dialog's tab 5 with its password line ticked and accepted.
const Actions kImagePasswordByKeys = presses({kUp, kUp, kUp, kEnter, kRight, kRight, kRight, kRight, kTab, kEnter}) +
                                     presses({kTab, kTab, kTab, kTab, kTab, kTab, kTab, kTab, kTab, kEnter});

Action clickOnOptionsPage(std::function<platform::Point()> offset) {
    return clickAt([offset](app::TForm1& w) {
        const platform::Point o = offset();
        return platform::Point{w.IMAGE2BP->left() + o.x, w.IMAGE2BP->top() + o.y};
    });
}

const Actions kImagePasswordByPointer = {
    clickMainItem(input::kOptions),
    clickOnOptionsPage([] {
        const auto& r = layout::kOptionTabRects[4];
        return platform::Point{r.left + 5, r.top + 5};
    }),
    clickOnOptionsPage([] {
        const auto& box = layout::optionBox(5, 1);
        return platform::Point{box.x + 4, box.y + 4};
    }),
    clickAt([](app::TForm1& w) {
        return inside({w.Image2B->left(), w.Image2B->top()},
                      layout::menuItem(layout::submenu(input::kOptions), 1).offset);
    }),
};

// A file name typed and opened or saved.
Actions fileByKeys(const std::string& path) {
    return Actions{press(kTab), type(path), press(kTab), press(kTab), press(kEnter)};
}
Actions fileByPointer(const std::string& path) { return {clickNameEdit(), type(path), clickButton(1)}; }

Actions passwordByKeys(const std::string& word) { return {type(word), press(kEnter)}; }
Actions passwordByPointer(const std::string& word) { return {type(word), clickButton(1)}; }

const Actions kYesByKeys = presses({kLeft, kEnter});
const Actions kYesByPointer = {clickButton(1)};

struct Row {
    const char* name;
    const char* task;  // folder under examples
    Actions actions;
    bool slaveWaits = false;  // another copy waits as the slave of a peer link
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Each row does what a candidate would: disk 1 and the first usable
// destination partition come chosen (a click on them would take the choice
// back), a partition list comes with nothing chosen, and an empty disk's
// free-space row is reached by Down and chosen by Enter in its size box.
// The compression question's buttons are No, Fast, High.
std::vector<Row> rows() {
    return {
        // Leaving the disk list by its OK key leaves Yes highlighted.
        {"DiskCheckByKeys", "practice-disk-check",
         openLocalItem(3, 2) + presses({kDown, kEnter, kTab, kEnter, kEnter, kEnter})},
        {"DiskCheckByPointer", "practice-disk-check",
         clickMenu(1, 3, 2) + Actions{clickRow(2), clickButton(1)} + kYesByPointer + Actions{clickButton(1)}},
        {"DiskCopyByKeys", "practice-disk-copy",
         openLocalItem(1, 1) + presses({kTab, kEnter, kDown, kEnter, kTab, kEnter, kTab, kEnter}) + kYesByKeys +
             presses({kLeft, kEnter})},
        {"DiskCopyByPointer", "practice-disk-copy",
         clickMenu(1, 1, 1) + Actions{clickButton(1), clickRow(3), clickButton(1), clickButton(1)} + kYesByPointer +
             Actions{clickButton(1)}},
        {"DiskImageByKeys", "practice-disk-image",
         openLocalItem(1, 2) + presses({kDown, kEnter, kTab, kEnter}) + fileByKeys("D:\\IMAGES\\DISK2") +
             presses({kTab, kTab, kEnter}) + kYesByKeys + presses({kEnter})},
        {"DiskImageByPointer", "practice-disk-image",
         clickMenu(1, 1, 2) + Actions{clickRow(2), clickButton(1)} + fileByPointer("D:\\IMAGES\\DISK2") +
             Actions{clickButton(3)} + kYesByPointer + Actions{clickButton(1)}},
        {"DiskRestoreByKeys", "practice-disk-restore",
         openLocalItem(1, 3) + fileByKeys("D:\\IMAGES\\BASE") + presses({kDown, kEnter, kTab, kEnter, kTab, kEnter}) +
             kYesByKeys + presses({kLeft, kEnter})},
        {"DiskRestoreByPointer", "practice-disk-restore",
         clickMenu(1, 1, 3) + fileByPointer("D:\\IMAGES\\BASE") + Actions{clickRow(3), clickButton(1), clickButton(1)} +
             kYesByPointer + Actions{clickButton(1)}},
        {"ImageCheckByKeys", "practice-image-check",
         openLocalItem(3, 1) + fileByKeys("E:\\EXAM\\OLDSYS") + kYesByKeys + presses({kEnter})},
        {"ImageCheckByPointer", "practice-image-check",
         clickMenu(1, 3, 1) + fileByPointer("E:\\EXAM\\OLDSYS") + kYesByPointer + Actions{clickButton(1)}},
        {"PartitionCopyByKeys", "practice-partition-copy",
         openLocalItem(2, 1) +
             presses({kTab, kEnter, kDown, kDown, kEnter, kTab, kEnter, kDown, kDown, kEnter, kTab, kEnter, kDown,
                      kEnter, kTab, kEnter}) +
             kYesByKeys + presses({kLeft, kEnter})},
        {"PartitionCopyByPointer", "practice-partition-copy",
         clickMenu(1, 2, 1) +
             Actions{clickButton(1), clickRow(3), clickButton(1), clickRow(3), clickButton(1), clickRow(1),
                     clickButton(1)} +
             kYesByPointer + Actions{clickButton(1)}},
        {"PartitionImageByKeys", "practice-partition-image",
         kImagePasswordByKeys + openLocalItem(2, 2) +
             presses({kDown, kEnter, kTab, kEnter, kDown, kDown, kEnter, kTab, kEnter}) +
             fileByKeys("E:\\EXAM\\PROJECTS") + passwordByKeys("exam") + passwordByKeys("exam") +
             presses({kTab, kEnter}) + kYesByKeys + presses({kEnter})},
        {"PartitionImageByPointer", "practice-partition-image",
         kImagePasswordByPointer + clickMenu(1, 2, 2) +
             Actions{clickRow(2), clickButton(1), clickRow(2), clickButton(1)} + fileByPointer("E:\\EXAM\\PROJECTS") +
             passwordByPointer("exam") + passwordByPointer("exam") + Actions{clickButton(2)} + kYesByPointer +
             Actions{clickButton(1)}},
        {"PartitionRestoreByKeys", "practice-partition-restore",
         openLocalItem(2, 3) + fileByKeys("D:\\BACKUP\\DAILY\\MON") + passwordByKeys("korv7") +
             presses({kTab, kEnter, kTab, kEnter, kTab, kEnter, kTab, kEnter}) + kYesByKeys + presses({kLeft, kEnter})},
        {"PartitionRestoreByPointer", "practice-partition-restore",
         clickMenu(1, 2, 3) + fileByPointer("D:\\BACKUP\\DAILY\\MON") + passwordByPointer("korv7") +
             Actions{clickButton(1), clickButton(1), clickButton(1)} + kYesByPointer + Actions{clickButton(1)}},
        {"LabByKeys", "lab",
         kImagePasswordByKeys + openLocalItem(2, 2) + presses({kTab, kEnter, kEnter, kTab, kEnter}) +
             fileByKeys("D:\\IMAGES\\LAB") + passwordByKeys("lab1") + passwordByKeys("lab1") + presses({kTab, kEnter}) +
             kYesByKeys + presses({kEnter})},
        {"LabByPointer", "lab",
         kImagePasswordByPointer + clickMenu(1, 2, 2) + Actions{clickButton(1), clickRow(1), clickButton(1)} +
             fileByPointer("D:\\IMAGES\\LAB") + passwordByPointer("lab1") + passwordByPointer("lab1") +
             Actions{clickButton(2)} + kYesByPointer + Actions{clickButton(1)}},
        // The peer menu: Partition > To Image; local C: to the peer's D:.
        {"PeerCloneByKeys", "practice-peer-clone",
         kMasterByKeys + presses({kDown, kEnter, kDown, kEnter, kTab, kEnter, kEnter, kTab, kEnter}) +
             fileByKeys("D:\\SHARE\\WS01C") + presses({kTab, kEnter}) + kYesByKeys + presses({kEnter}),
         true},
        {"PeerCloneByPointer", "practice-peer-clone",
         kMasterByPointer +
             Actions{clickSubItem(input::kPeerMenu, 2), clickThirdItem(input::kLocal, 2, 2), clickButton(1),
                     clickRow(1), clickButton(1)} +
             fileByPointer("D:\\SHARE\\WS01C") + Actions{clickButton(2)} + kYesByPointer + Actions{clickButton(1)},
         true},
    };
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PracticeTasks : public ::testing::TestWithParam<Row> {};

TEST_P(PracticeTasks, PassEveryItemOfTheirExpectList) {
    const Row& row = GetParam();
    const vxrdat::Task task =
        vxrdat::readTaskText(readText(std::filesystem::path(VXR_EXAMPLES_SOURCE) / row.task / "task.json"));
    OperationRun run(task.start);
    auto slaveFlag = platform::NamedEvent::create(run.trainer.eventScope() + app::kSlaveFlag, row.slaveWaits);
    auto masterFlag = platform::NamedEvent::create(run.trainer.eventScope() + app::kMasterFlag, false);
    ASSERT_TRUE(slaveFlag && masterFlag);
    // Ends the run if the row's actions leave the trainer waiting.
    run.run(row.actions + Actions{endRun()});
    ASSERT_TRUE(run.savedOperation()) << "waited in " << ::testing::PrintToString(run.waits);
    const vxrdat::ClassResult graded =
        vxrdat::gradeFiles(task, {(run.trainer.folder() / "c" / "DATAS" / "VXR.DAT").string()});
    ASSERT_EQ(graded.files.size(), 1u);
    const vxrdat::FileResult& file = graded.files.front();
    ASSERT_FALSE(file.unreadable()) << file.error;
    std::ostringstream failed;
    for (std::size_t i = 0; i < file.outcomes.size(); ++i) {
        if (!file.outcomes[i].passed) failed << "\n  " << task.expect[i].what << ": " << file.outcomes[i].found;
    }
    EXPECT_TRUE(file.passedAll()) << failed.str() << "\nwaited in " << ::testing::PrintToString(run.waits);
    EXPECT_EQ(run.w().ui.OpCode, 0);  // back on the main screen
}

INSTANTIATE_TEST_SUITE_P(Tasks, PracticeTasks, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vxr::test
