#include <gtest/gtest.h>

#include "dialog_probe.h"
#include "input/keyboard.h"

namespace vxr::test {
namespace {

using layout::kDetailColumns;
using layout::kDiskColumns;
using layout::kPartitionColumns;
using layout::palette;
using platform::colors::black;
using platform::colors::white;

class TableRows : public DialogTest {
protected:
    // Types digits into size box `box` after emptying it, as a keyboard does.
    void typeInto(int box, const std::string& digits) {
        platform::Edit& edit = *w().Edit[static_cast<std::size_t>(box)];
        edit.setFocus();
        edit.setText("");
        for (char ch : digits) trainer.queueKey(ch, std::string(1, ch));
        trainer.run();
    }
};

TEST_F(TableRows, DiskRowsShowTheirStylesAndColumns) {
    build(model::kDiskToDisk, 1);
    ASSERT_TRUE(w().Image1D);
    EXPECT_EQ(rows().RowStyles, (std::array<std::uint16_t, 4>{4, 1, 1, 1}));
    // Row 1: cursor on the chosen disk, white text on palette 3 in a palette 2 frame.
    EXPECT_EQ(table().pixel(10, 5), palette(3));
    EXPECT_EQ(table().pixel(1, 5), palette(2));
    EXPECT_EQ(table().pixel(200, 0), palette(2));
    // The frame's top line lies over the texts' first lines.
    const int belowFrame = layout::kCursorFrameWidth;
    EXPECT_TRUE(columnText(table(), kDiskColumns[0], rowTop(1), "1", white, belowFrame));
    EXPECT_TRUE(columnText(table(), kDiskColumns[1], rowTop(1), "20000", white, belowFrame));
    EXPECT_TRUE(columnText(table(), kDiskColumns[2], rowTop(1), "Basic", white, belowFrame));
    EXPECT_TRUE(columnText(table(), kDiskColumns[3], rowTop(1), "2432", white, belowFrame));
    EXPECT_TRUE(columnText(table(), kDiskColumns[4], rowTop(1), "255", white, belowFrame));
    EXPECT_TRUE(columnText(table(), kDiskColumns[5], rowTop(1), "63", white, belowFrame));
    // Row 2: plain, black on palette 1.
    EXPECT_EQ(table().pixel(10, rowTop(2) + 5), palette(1));
    EXPECT_TRUE(columnText(table(), kDiskColumns[1], rowTop(2), "40000", black));
}

TEST_F(TableRows, ChosenAndUnusableRowsHaveTheirColours) {
    build(model::kDiskToDisk, 1);
    rows().DrawTableRow(0, dialogs::kDiskRow, 2, dialogs::kChosenRow, 0, 0);
    EXPECT_EQ(table().pixel(10, rowTop(2) + 5), palette(2));
    EXPECT_TRUE(columnText(table(), kDiskColumns[1], rowTop(2), "40000", white));
    rows().DrawTableRow(0, dialogs::kDiskRow, 3, dialogs::kUnusableRow, 0, 0);
    EXPECT_EQ(table().pixel(10, rowTop(3) + 5), palette(1));
    EXPECT_TRUE(columnText(table(), kDiskColumns[1], rowTop(3), "30000", palette(6)));
    rows().DrawTableRow(0, dialogs::kDiskRow, 4, dialogs::kCursorRow, 0, 0);
    EXPECT_EQ(table().pixel(10, rowTop(4) + 5), palette(3));
    EXPECT_EQ(table().pixel(1, rowTop(4) + 5), palette(1));  // the cursor frame without a choice
    EXPECT_EQ(rows().RowStyles, (std::array<std::uint16_t, 4>{4, 2, 5, 3}));
}

TEST_F(TableRows, NothingIsDrawnWithoutATablePicture) {
    rows().DrawTableRow(0, dialogs::kDiskRow, 1, dialogs::kPlainRow, 0, 0);
    EXPECT_EQ(rows().rowStyle(1), 0);
    rows().DrawSizeBox(1, 1);
    EXPECT_FALSE(w().Edit[1]->visible());
}

TEST_F(TableRows, TypeIdsAreLowerCaseHexWithAtLeastTwoDigits) {
    EXPECT_EQ(dialogs::typeIdText(7), "07");
    EXPECT_EQ(dialogs::typeIdText(131), "83");
    EXPECT_EQ(dialogs::typeIdText(999), "3e7");
    EXPECT_EQ(dialogs::partitionKindText(131), "Primary");
    EXPECT_EQ(dialogs::partitionKindText(999), "Logical");
}

TEST_F(TableRows, PartitionRowsRightAlignTheirTypeColumn) {
    op().SourceDisk = 1;
    build(model::kPartitionToPartition, 2);
    const int top = rowTop(2);  // NTFS extd, type 999, plain
    EXPECT_TRUE(columnText(table(), kPartitionColumns[0], top, "2", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[1], top, "Logical", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[2], top, "3e7", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[3], top, "NTFS extd", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[4], top, "4000", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[5], top, "500", black));
    EXPECT_EQ(kPartitionColumns[1].x, 98);

    op().SourceDisk = 2;
    build(model::kPartitionToPartition, 2);
    EXPECT_TRUE(columnText(table(), kPartitionColumns[1], rowTop(2), "Primary", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[2], rowTop(2), "83", black));
    EXPECT_TRUE(columnText(table(), kPartitionColumns[3], rowTop(2), "Linux", black));
}

TEST_F(TableRows, DetailRowsStartTheirTypeAt48AndShowTheOldSizeTwice) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    const int top = rowTop(2);
    EXPECT_EQ(kDetailColumns[1].x, 48);
    EXPECT_TRUE(columnText(table(), kDetailColumns[0], top, "2", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[1], top, "Logical", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[2], top, "3e7", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[3], top, "NTFS extd", black));
    // Under the size box, whose frame crosses the text's top line.
    EXPECT_TRUE(columnText(table(), kDetailColumns[4], top, "4000", black, top + 1));
    EXPECT_TRUE(columnText(table(), kDetailColumns[5], top, "4000", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[6], top, "500", black));
}

TEST_F(TableRows, DetailDialogPlacesSizeBoxesWithTheProposedSizes) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    // 8000 and 4000 of 12000 MB onto 40000 MB.
    EXPECT_EQ(op().TargetSizes, (std::array<std::int32_t, 4>{26666, 13333, 0, 0}));
    platform::Edit& first = *w().Edit[1];
    platform::Edit& second = *w().Edit[2];
    ASSERT_TRUE(first.visible());
    EXPECT_EQ(first.text(), "26666");
    EXPECT_EQ(second.text(), "13333");
    const int x = layout::kSizeBoxX[dialogs::kDiskBoxColumn];
    EXPECT_EQ(first.bounds(), (platform::Rect{w().Image1D->left() + x, w().Image1D->top() + 1,
                                              w().Image1D->left() + x + 62, w().Image1D->top() + 12}));
    EXPECT_EQ(first.color(), palette(3));  // the cursor row
    EXPECT_EQ(second.color(), palette(1));
    EXPECT_TRUE(first.focused());
    EXPECT_EQ(ui().RowSel, 1);
    EXPECT_FALSE(w().Edit[3]->visible());
    // The white frame round each box.
    EXPECT_EQ(table().pixel(x - 1, 0), white);
    EXPECT_EQ(table().pixel(x + 62, rowTop(2) + 5), white);
}

TEST_F(TableRows, DetailFooterShowsFreeSpaceAndTotals) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    const int top = rowTop(3);
    const auto& at = layout::kDetailFooter;
    EXPECT_TRUE(textAt(table(), at.freeLabelX, top - 1, "Free", black));
    EXPECT_TRUE(textAt(table(), at.freeValueX, top - 1, "1", black, top));  // 40000 - 26666 - 13333
    EXPECT_EQ(table().pixel(100, top + layout::kFooterDarkLineDrop), black);
    EXPECT_EQ(table().pixel(100, top + layout::kFooterLightLineDrop), layout::kFooterLightLine);
    const int totalY = top + layout::kFooterTotalDrop;
    EXPECT_TRUE(textAt(table(), at.totalLabelX, totalY, "Total", black));
    EXPECT_TRUE(textAt(table(), at.capacityX, totalY, "40000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[5].x, totalY, "12000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[6].x, totalY, "3500", black));
}

TEST_F(TableRows, DiskCopyFooterTakesTheLocalSourceAndThePeersCapacity) {
    op().SourceDisk = 1;
    op().TargetDisk = 1;
    build(model::kDiskToDisk, 9, 1);
    const int totalY = rowTop(3) + layout::kFooterTotalDrop;
    EXPECT_TRUE(textAt(table(), layout::kDetailFooter.capacityX, totalY, "50000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[5].x, totalY, "12000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[6].x, totalY, "3500", black));
}

TEST_F(TableRows, RestoreDetailsListTheImagesPartitionsAndTotals) {
    op().ImageIndex = 1;
    op().TargetDisk = 2;
    build(model::kDiskFromImage, 9);
    // 8000 and 2000 of 10000 MB onto 40000 MB: Round(31999.5) and Round(7999.5).
    EXPECT_EQ(op().TargetSizes, (std::array<std::int32_t, 4>{32000, 8000, 0, 0}));
    EXPECT_TRUE(columnText(table(), kDetailColumns[3], rowTop(2), "Fat32", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[5], rowTop(2), "2000", black));
    const int totalY = rowTop(3) + layout::kFooterTotalDrop;
    EXPECT_TRUE(textAt(table(), layout::kDetailFooter.capacityX, totalY, "40000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[5].x, totalY, "10000", black));
    EXPECT_TRUE(textEndingAt(table(), kDetailColumns[6].x, totalY, "3700", black));
}

TEST_F(TableRows, NewPartitionSizeIsTakenOverIntoThePartitionFooter) {
    op().SourceDisk = 1;
    op().SourcePartitions = 0b01;
    op().TargetDisk = 1;
    build(model::kPartitionToPartition, 7);
    typeInto(3, "3500");
    trainer.key(input::kEnter);
    EXPECT_EQ(op().TargetSizes[2], 3500);  // room for the 3000 MB it will receive
    EXPECT_EQ(w().Edit[3]->text(), "3500");
    EXPECT_EQ(w().Edit[3]->left(), w().Image1D->left() + layout::kSizeBoxX[dialogs::kPartitionBoxColumn]);
    const int top = rowTop(4);
    EXPECT_TRUE(textEndingAt(table(), layout::kPartitionFooter.freeValueX, top - 1, "4500", black, top));
}

TEST_F(TableRows, PartitionFooterHasNoBandFill) {
    op().SourceDisk = 2;
    op().SourcePartitions = 1;
    op().TargetDisk = 1;
    build(model::kPartitionToPartition, 7);
    ASSERT_EQ(op().SourcePartCount, 3);
    const int top = rowTop(4);
    // Drawn as a chosen row it would have a palette 2 band; the footer keeps palette 1.
    rows().DrawTableRow(0, dialogs::kPartitionListFooter, 1, dialogs::kChosenRow, 0, 4);
    EXPECT_EQ(table().pixel(10, top + 5), palette(1));
    const auto& at = layout::kPartitionFooter;
    EXPECT_TRUE(textAt(table(), at.freeLabelX, top - 1, "Free", white));
    // 20000 less the sizes 8000, 4000 and the 8000 of the new partition.
    EXPECT_TRUE(textEndingAt(table(), at.freeValueX, top - 1, "0", white, top));  // below the new row's box frame
    const int totalY = top + layout::kFooterTotalDrop;
    EXPECT_TRUE(textEndingAt(table(), at.capacityX, totalY, "20000", white));
    EXPECT_TRUE(textEndingAt(table(), kPartitionColumns[5].x, totalY, "3500", white));
}

TEST_F(TableRows, TypedSizeIsTakenOverWithTheSizeRules) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    typeInto(1, "100");
    EXPECT_EQ(rows().PendingSizeRow, 1);
    EXPECT_EQ(w().Edit[1]->text(), "100");
    trainer.key(input::kEnter);
    EXPECT_EQ(rows().PendingSizeRow, 0);
    EXPECT_EQ(op().TargetSizes[0], 3000);  // raised to the data size
    EXPECT_EQ(w().Edit[1]->text(), "3000");
    // The footer's free space follows: 40000 - 3000 - 13333.
    EXPECT_TRUE(textAt(table(), layout::kDetailFooter.freeValueX, rowTop(3) - 1, "23667", black, rowTop(3)));

    typeInto(1, "99999999999");
    trainer.key(input::kEnter);
    EXPECT_EQ(op().TargetSizes[0], 40000 - 13333);  // cut to the capacity
}

TEST_F(TableRows, OtherKeysAreDiscardedAndLeavingTheBoxTakesItOver) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    typeInto(2, "x");
    EXPECT_EQ(w().Edit[2]->text(), "");
    EXPECT_EQ(rows().PendingSizeRow, 0);
    typeInto(2, "5000");
    EXPECT_EQ(rows().PendingSizeRow, 2);
    w().Edit[1]->setFocus();
    EXPECT_EQ(rows().PendingSizeRow, 0);
    EXPECT_EQ(op().TargetSizes[1], 5000);
}

TEST_F(TableRows, AnEmptyBoxGivesZeroWhichTheRulesRaise) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    w().Edit[2]->setText("");
    rows().CommitSizeBox(2);
    EXPECT_EQ(op().TargetSizes[1], 500);
}

TEST_F(TableRows, CommitInPeerModeRedrawsTheFooterUnderTheLocalSourceRows) {
    op().SourceDisk = 1;
    op().TargetDisk = 1;
    build(model::kDiskToDisk, 9, 1);
    w().Edit[2]->setText("20000");
    rows().CommitSizeBox(2);
    // The peer's disk 1 has one partition, the local source two: the footer
    // stays on row 3. Free = 50000 - 33333 - 20000 after the rules cut entry 2.
    EXPECT_EQ(op().TargetSizes[1], 50000 - op().TargetSizes[0]);
    EXPECT_TRUE(textAt(table(), layout::kDetailFooter.freeValueX, rowTop(3) - 1, "0", black, rowTop(3)));
    EXPECT_EQ(rows().rowStyle(2), dialogs::kPlainRow);
}

TEST_F(TableRows, AClickIntoASizeBoxColoursIt) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    platform::Edit& second = *w().Edit[2];
    trainer.click(second.left() + 5, second.top() + 5);
    EXPECT_EQ(second.color(), palette(4));
}

TEST_F(TableRows, SizeBoxesOutsideTheTableDialogsKeepEveryKey) {
    op().SourceDisk = 1;
    op().TargetDisk = 2;
    build(model::kDiskToDisk, 9);
    w().screens().HideDialog();
    platform::Edit& edit = *w().Edit[1];
    edit.show();
    typeInto(1, "1a");
    EXPECT_EQ(edit.text(), "1a");
    EXPECT_EQ(rows().PendingSizeRow, 0);
}

}  // namespace
}  // namespace vxr::test
