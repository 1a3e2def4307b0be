#include <gtest/gtest.h>

#include "dialog_probe.h"
#include "input/keyboard.h"
#include "layout/dialog_areas.h"
#include "platform/application.h"
#include "platform/clock.h"

namespace vxr::test {
namespace {

using dialogs::FileListEntry;
using layout::kDetailColumns;
using layout::palette;
using layout::selectionDialog;
using platform::colors::black;
using platform::colors::white;
using Styles = std::array<std::uint16_t, 4>;

class DialogContents : public DialogTest {
protected:
    platform::Point onDialog(layout::Offset at) { return {w().Image4B->left() + at.x, w().Image4B->top() + at.y}; }
    const platform::Bitmap& fileList() { return *w().Image5DA->bitmap(); }

    // True when `icon` is copied with its corner at (x, y) of `picture`. The
    // next row's text band covers a file icon's last line.
    static bool iconAt(const platform::Bitmap& picture, const platform::Bitmap& icon, int x, int y, int lines = 0) {
        for (int py = 0; py < (lines > 0 ? lines : icon.height()); ++py) {
            for (int px = 0; px < icon.width(); ++px) {
                if (picture.pixel(x + px, y + py) != icon.pixel(px, py)) return false;
            }
        }
        return true;
    }

    void openFileDialog(int opCode, int letter, int directory, int rowSel = 1) {
        op().LookInLetter = letter;
        op().LookInDirectory = directory;
        ui().RowSel = rowSel;
        build(opCode, 8);
    }
};

// ---- tables --------------------------------------------------------------------

TEST_F(DialogContents, SourceDiskDialogChoosesDiskOneOnANewTablePicture) {
    build(model::kDiskToImage, 1);
    ASSERT_TRUE(w().Image1D);
    const auto& area = selectionDialog(1).area;
    EXPECT_EQ(w().Image1D->bounds(), (platform::Rect{w().Image4B->left() + area.left, w().Image4B->top() + area.top,
                                                     w().Image4B->left() + area.left + area.width,
                                                     w().Image4B->top() + area.top + area.height}));
    EXPECT_TRUE(w().Image1D->showing());
    EXPECT_EQ(rows().RowStyles, (Styles{4, 1, 1, 1}));
    EXPECT_EQ(op().SourceDisk, 1);
    EXPECT_EQ(ui().RowSel, 1);
    w().screens().HideDialog();
    EXPECT_FALSE(w().Image1D);
}

TEST_F(DialogContents, LocalDiskCopyFromDiskOneGreysItAndChoosesDiskTwo) {
    op().SourceDisk = 1;
    build(model::kDiskToDisk, 6);
    EXPECT_EQ(rows().RowStyles, (Styles{5, 4, 1, 1}));
    EXPECT_EQ(op().TargetDisk, 2);
    EXPECT_EQ(ui().RowSel, 2);
    EXPECT_TRUE(columnText(table(), layout::kDiskColumns[1], rowTop(1), "20000", palette(6)));

    op().SourceDisk = 3;
    build(model::kDiskToDisk, 6);
    EXPECT_EQ(rows().RowStyles, (Styles{4, 1, 5, 1}));
    EXPECT_EQ(op().TargetDisk, 1);
}

TEST_F(DialogContents, PeerDestinationDisksAreThePeersAndNoneIsGreyed) {
    op().SourceDisk = 1;
    build(model::kDiskToDisk, 6, 1);
    EXPECT_EQ(rows().RowStyles, (Styles{4, 0, 0, 0}));
    EXPECT_EQ(op().TargetDisk, 1);
    EXPECT_TRUE(columnText(table(), layout::kDiskColumns[1], rowTop(1), "50000", white, layout::kCursorFrameWidth));
}

TEST_F(DialogContents, PartitionImageSourceStartsWithNothingChosen) {
    op().SourceDisk = 1;
    op().SourcePartitions = 3;
    build(model::kPartitionToImage, 2);
    EXPECT_EQ(rows().RowStyles, (Styles{3, 1, 0, 0}));
    EXPECT_EQ(op().SourcePartitions, 0);
    EXPECT_EQ(table().pixel(10, 5), palette(3));
    EXPECT_EQ(table().pixel(1, 5), palette(1));  // the cursor frame of an unchosen row
    platform::Label& digit = *w().Label[23];
    EXPECT_TRUE(digit.showing());
    EXPECT_EQ(digit.caption(), "1");
    const platform::Point at = onDialog(layout::kSourceDiskDigitAt);
    EXPECT_EQ(digit.left(), at.x);
    EXPECT_EQ(digit.top(), at.y);
    EXPECT_EQ(digit.color(), palette(2));
    EXPECT_EQ(digit.font().family, "Tahoma");  // the title's font, on its line
    EXPECT_EQ(digit.font().points, 7);
    EXPECT_TRUE(digit.font().bold);
    EXPECT_EQ(digit.font().color, palette(9));
}

TEST_F(DialogContents, PartitionCopySourceStartsWithTheFirstPartition) {
    op().SourceDisk = 2;
    build(model::kPartitionToPartition, 2);
    EXPECT_EQ(rows().RowStyles, (Styles{4, 1, 0, 0}));
    EXPECT_EQ(op().SourcePartitions, 1);
    EXPECT_EQ(w().Label[23]->caption(), "2");
}

TEST_F(DialogContents, ImagePartitionsListTheImagesEntries) {
    op().ImageIndex = 1;
    build(model::kPartitionFromImage, 4);
    EXPECT_EQ(rows().RowStyles, (Styles{4, 1, 0, 0}));
    EXPECT_EQ(op().SourcePartitions, 1);
    EXPECT_TRUE(columnText(table(), kDetailColumns[3], rowTop(2), "Fat32", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[5], rowTop(2), "2000", black));
    EXPECT_TRUE(columnText(table(), kDetailColumns[6], rowTop(2), "700", black));
}

// ---- the destination partition list ------------------------------------------------

TEST_F(DialogContents, DestinationPartitionsGreyTheSourceAndAddTheNewRow) {
    op().SourceDisk = 1;
    op().SourcePartitions = 0b01;
    op().TargetDisk = 1;
    build(model::kPartitionToPartition, 7);
    EXPECT_EQ(rows().RowStyles, (Styles{5, 4, 1, 0}));
    EXPECT_EQ(op().TargetPartition, 2);
    EXPECT_EQ(ui().RowSel, 2);
    EXPECT_EQ(op().SourcePartCount, 3);
    // The new partition: the source's entry with the free space and no data,
    // while the disk keeps its two partitions.
    const model::MachineRecord& record = w().computer.record();
    EXPECT_EQ(record.partition(0, 1, 3), (model::PartitionEntry{7, 0, 8000, 0}));
    EXPECT_EQ(record.disk(0, 1).partitionCount, 2);
    EXPECT_EQ(op().TargetSizes, (std::array<std::int32_t, 4>{8000, 4000, 8000, 0}));
    EXPECT_TRUE(textAt(table(), layout::kNewRowPartX, rowTop(3) - 1, "NEW", black));
    platform::Edit& box = *w().Edit[3];
    EXPECT_TRUE(box.visible());
    EXPECT_EQ(box.text(), "8000");
    EXPECT_EQ(box.left(), w().Image1D->left() + layout::kSizeBoxX[dialogs::kPartitionBoxColumn]);
    EXPECT_FALSE(w().Edit[1]->visible());
    EXPECT_EQ(w().Label[23]->caption(), "1");
    EXPECT_EQ(w().Label[23]->left(), onDialog(layout::kTargetDiskDigitAt).x);
}

TEST_F(DialogContents, PartitionsSmallerThanTheSourcesDataCannotBeChosen) {
    op().SourceDisk = 1;
    op().SourcePartitions = 0b01;  // 3000 MB of data
    op().TargetDisk = 2;           // 10000 MB and 2000 MB partitions
    build(model::kPartitionToPartition, 7);
    EXPECT_EQ(rows().RowStyles, (Styles{4, 5, 1, 0}));
    EXPECT_EQ(op().TargetPartition, 1);
    EXPECT_TRUE(columnText(table(), layout::kPartitionColumns[4], rowTop(2), "2000", palette(6)));
}

TEST_F(DialogContents, NoNewRowOnAFullPartitionTable) {
    op().SourceDisk = 1;
    op().SourcePartitions = 0b01;
    op().TargetDisk = 3;
    build(model::kPartitionToPartition, 7);
    EXPECT_EQ(op().SourcePartCount, 4);
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(w().Edit[static_cast<std::size_t>(k)]->visible()) << k;
    EXPECT_TRUE(textAt(table(), layout::kPartitionFooter.freeLabelX, rowTop(5) - 1, "Free", black));
}

TEST_F(DialogContents, NoNewRowWithoutFreeSpace) {
    op().SourceDisk = 1;
    op().SourcePartitions = 0b01;
    op().TargetDisk = 4;
    build(model::kPartitionToPartition, 7);
    EXPECT_EQ(op().SourcePartCount, 1);
    EXPECT_EQ(w().computer.record().partition(0, 4, 2), model::PartitionEntry{});
    EXPECT_FALSE(w().Edit[2]->visible());
}

TEST_F(DialogContents, RestoredPartitionIsShapedLikeTheImagesPartition) {
    op().ImageIndex = 1;
    op().SourcePartitions = 2;  // Fat32, 700 MB of data
    op().TargetDisk = 1;
    build(model::kPartitionFromImage, 7);
    // Partition 1 holds the image itself and is not offered.
    EXPECT_EQ(rows().RowStyles, (Styles{5, 4, 1, 0}));
    EXPECT_EQ(w().computer.record().partition(0, 1, 3), (model::PartitionEntry{6, 0, 8000, 0}));
}

// The free-space row shows no data, but its partition will receive the
// source's: its size cannot go below that, and free space too small for it
// is greyed like a partition too small.
struct NewRowCase {
    const char* name;
    int opCode, sourceDisk, sourcePartitions, image, targetDisk;
    int style;
    std::int32_t sizeTyping5;  // 0: no size box
};

void PrintTo(const NewRowCase& c, std::ostream* out) { *out << c.name; }

class NewPartitionRow : public DialogTest, public ::testing::WithParamInterface<NewRowCase> {};

TEST_P(NewPartitionRow, NeverHoldsLessThanTheSourcesData) {
    const NewRowCase& c = GetParam();
    op().SourceDisk = c.sourceDisk;
    op().SourcePartitions = c.sourcePartitions;
    op().ImageIndex = c.image;
    op().TargetDisk = c.targetDisk;
    build(c.opCode, 7);
    EXPECT_EQ(rows().rowStyle(3), c.style);
    platform::Edit& box = *w().Edit[3];
    ASSERT_EQ(box.visible(), c.sizeTyping5 != 0);
    if (!box.visible()) {
        // Greyed, it shows the free space it cannot use.
        EXPECT_TRUE(columnText(table(), layout::kPartitionColumns[4], rowTop(3), "8000", palette(6)));
        return;
    }
    box.setText("5");
    rows().CommitSizeBox(3);
    EXPECT_EQ(op().TargetSizes[2], c.sizeTyping5);
}

// Disk 1: 8000 MB free; disk 2: 28000 MB free. Partition 1:1 and SYSTEM's
// partition 1 hold 3000 MB, partition 2:1 9000 MB.
INSTANTIATE_TEST_SUITE_P(
    DialogContents, NewPartitionRow,
    ::testing::Values(NewRowCase{"CopyIntoRoom", model::kPartitionToPartition, 1, 0b01, 0, 2, dialogs::kPlainRow, 3000},
                      NewRowCase{"RestoreIntoRoom", model::kPartitionFromImage, 0, 1, 1, 2, dialogs::kPlainRow, 3000},
                      NewRowCase{"CopyIntoTooLittle", model::kPartitionToPartition, 2, 0b01, 0, 1,
                                 dialogs::kUnusableRow, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the file list -----------------------------------------------------------------

TEST_F(DialogContents, FileListShowsDirectoriesThenImagesOfTheDrivesRoot) {
    openFileDialog(model::kDiskToImage, 1, 0);
    EXPECT_EQ(op().LookInDirectory, 1);
    EXPECT_EQ(ui().RowCount, 3);  // BACKUP, SYSTEM, SMALL; not the freed GONE
    platform::ScrollBox& box = *w().ScrollBox1;
    const auto& area = selectionDialog(8).area;
    EXPECT_TRUE(box.showing());
    EXPECT_EQ(box.left(), w().Image4B->left() + area.left);
    EXPECT_EQ(box.top(), w().Image4B->top() + area.top);
    EXPECT_EQ(box.height(), area.height);
    EXPECT_EQ(box.scrollBarColor(), palette(2));
    EXPECT_FALSE(w().IMAGEH->visible());
    EXPECT_TRUE(w().Image5DA->showing());
    EXPECT_EQ(w().Image5DA->width(), area.width);
    EXPECT_EQ(w().Image5DA->height(), area.height);  // three rows are less than the box

    const auto& list = fileList();
    EXPECT_EQ(list.pixel(2, 5), palette(3));  // row 1 is the cursor row
    EXPECT_TRUE(iconAt(list, *w().catalogue.DriveIconBitmaps[1], layout::kFileIconX, 0));
    EXPECT_TRUE(textAt(list, layout::kFileNameX, -1, "BACKUP", white));
    const std::string date = platform::formatDateTime(kCreated);
    EXPECT_TRUE(textAt(list, layout::kFileDateX, -1, date, black));
    EXPECT_EQ(list.pixel(2, rowTop(2) + 5), palette(1));
    EXPECT_TRUE(iconAt(list, *w().catalogue.DriveIconBitmaps[2], layout::kFileIconX, rowTop(2)));
    EXPECT_TRUE(textAt(list, layout::kFileNameX, rowTop(2) - 1, "SYSTEM", black));
    EXPECT_TRUE(textEndingAt(list, layout::kFileSizeRight, rowTop(2) - 1, "1,234,567", black));
    EXPECT_TRUE(textAt(list, layout::kFileDateX, rowTop(2) - 1, date, black));
    EXPECT_TRUE(textEndingAt(list, layout::kFileSizeRight, rowTop(3) - 1, "12", black));
}

TEST_F(DialogContents, SubdirectoryListStartsWithTheParentLine) {
    openFileDialog(model::kDiskToImage, 1, 3, 2);
    EXPECT_EQ(ui().RowCount, 3);
    const auto& list = fileList();
    const platform::Bitmap& parentIcon = *w().catalogue.DriveIconBitmaps[0];
    EXPECT_TRUE(iconAt(list, parentIcon, layout::kFileIconX, 0, parentIcon.height() - layout::kFileTextRaise));
    EXPECT_EQ(list.pixel(2, 5), palette(1));
    EXPECT_EQ(list.pixel(2, rowTop(2) + 5), palette(3));
    EXPECT_TRUE(textAt(list, layout::kFileNameX, rowTop(2) - 1, "OLD", white));
    EXPECT_TRUE(textAt(list, layout::kFileNameX, rowTop(3) - 1, "DEEP", black));
    EXPECT_EQ(dialogs::fileListEntries(w().computer, 0, 3),
              (std::vector<FileListEntry>{
                  {dialogs::kParentLine, 0}, {dialogs::kDirectoryLine, 4}, {dialogs::kImageLine, 3}}));
}

TEST_F(DialogContents, ADriveWithoutRootDirectoryShowsTheInternalMessageAndAnEmptyList) {
    trainer.queueKey(input::kEnter);            // answers the message box
    openFileDialog(model::kDiskToImage, 4, 0);  // F: the extended partition of disk 3
    ASSERT_EQ(trainer.app().messageBoxTexts().size(), 1u);
    EXPECT_EQ(trainer.app().messageBoxTexts()[0], dialogs::kNoRootDirectoryMessage);
    EXPECT_EQ(op().LookInDirectory, 0);
    EXPECT_EQ(ui().RowCount, 0);
    EXPECT_TRUE(dialogs::fileListEntries(w().computer, 0, 0).empty());
    EXPECT_EQ(fileList().pixel(2, 5), palette(1));
}

TEST_F(DialogContents, FileSizesGetThousandsCommas) {
    EXPECT_EQ(dialogs::withThousandsCommas(1234567), "1,234,567");
    EXPECT_EQ(dialogs::withThousandsCommas(1000), "1,000");
    EXPECT_EQ(dialogs::withThousandsCommas(999), "999");
    EXPECT_EQ(dialogs::withThousandsCommas(0), "0");
}

// ---- the Look-in drive -------------------------------------------------------------

TEST_F(DialogContents, LookInLineNamesTheDriveItsPartitionAndFileSystem) {
    EXPECT_EQ(dialogs::lookInText(1, 1, 1, 7), "C: 1:1 [] NTFS drive");
    EXPECT_EQ(dialogs::lookInText(2, 2, 1, 6), "D: 2:1 [] FAT drive");
    EXPECT_EQ(dialogs::lookInText(4, 3, 4, 5), "F: 3:4 [] FAT drive");
    showStep(w(), 8);
    op().LookInLetter = 1;
    w().dialogContents().DrawLookInLine();
    platform::Image& line = *w().Image3D;
    const platform::Point at = onDialog(layout::kLookInLineAt);
    EXPECT_EQ(line.bounds(),
              (platform::Rect{at.x, at.y, at.x + layout::kLookInLineWidth, at.y + layout::kLookInLineHeight}));
    EXPECT_TRUE(line.showing());
    EXPECT_TRUE(textAt(*line.bitmap(), 0, 0, "C: 1:1 [] NTFS drive", black));
    EXPECT_EQ(line.bitmap()->pixel(layout::kLookInLineWidth - 2, 7), palette(4));
}

TEST_F(DialogContents, LookInListLeavesOutTheDiskBeingImaged) {
    showStep(w(), 8);
    ui().OpCode = model::kDiskToImage;
    op().SourceDisk = 1;
    ui().LookInRowSel = 1;
    w().dialogContents().DrawLookInList();
    EXPECT_EQ(ui().LookInRows, (std::array<int, 16>{2, 3, 4}));
    platform::Image& list = *w().Image2D;
    const platform::Point at = onDialog(layout::kLookInListAt);
    EXPECT_EQ(list.bounds(), (platform::Rect{at.x, at.y, at.x + layout::kLookInListWidth, at.y + 13 * 3 + 15}));
    EXPECT_TRUE(list.showing());
    EXPECT_FALSE(w().ScrollBox1->visible());
    EXPECT_EQ(ui().FieldPos, 5);
    const platform::Bitmap& picture = *list.bitmap();
    EXPECT_TRUE(textAt(picture, layout::kLookInTextX, 1, "D: 2:1 [] FAT drive", white));
    EXPECT_TRUE(textAt(picture, layout::kLookInTextX, 14, "E: 3:1 [] NTFS drive", black));
    EXPECT_TRUE(iconAt(picture, *w().catalogue.DriveIconBitmaps[3], layout::kLookInIconX, 3));
    EXPECT_EQ(picture.pixel(100, 0), white);
    EXPECT_EQ(picture.pixel(100, list.height() - 1), white);
    EXPECT_EQ(picture.pixel(list.width() - 1, 20), white);
    EXPECT_EQ(picture.pixel(100, 40), palette(1));
}

TEST_F(DialogContents, LookInListLeavesOutOnlyThePartitionsBeingImaged) {
    showStep(w(), 8);
    ui().OpCode = model::kPartitionToImage;
    op().SourceDisk = 3;
    op().SourcePartitions = 0b1000;
    w().dialogContents().DrawLookInList();
    EXPECT_EQ(ui().LookInRows, (std::array<int, 16>{1, 2, 3}));

    ui().PeerMode = 1;  // the peer's drives are never left out
    ui().OpCode = model::kDiskToImage;
    op().SourceDisk = 1;
    w().dialogContents().DrawLookInList();
    EXPECT_EQ(ui().LookInRows, (std::array<int, 16>{1}));
    EXPECT_EQ(w().Image2D->height(), 13 + 15);
}

}  // namespace
}  // namespace vxr::test
