#include "dialogs/dialog_contents.h"
#include "dialogs/labels.h"

#include <algorithm>

#include "app/tform1.h"
#include "dialogs/table_rows.h"
#include "input/dialog_pointer.h"
#include "layout/dialog_areas.h"
#include "layout/palette.h"
#include "layout/table_layout.h"
#include "model/partition_types.h"
#include "model/size_rules.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/indexing.h"

namespace vxr::dialogs {

using namespace layout;

namespace {

using model::MachineRecord;
using platform::Canvas;

const platform::Font kListFont{"Microsoft Sans Serif", 7, false, platform::colors::black};

// The partition number of a bit set holding one chosen partition (its
// lowest bit), 0 for none.
int lowestPartition(int bits) {
    for (int p = 1; p <= model::bytes::kPartitions; ++p) {
        if (bits & (1 << (p - 1))) return p;
    }
    return 0;
}

bool partitionChosen(int bits, int partition) { return partition >= 1 && (bits & (1 << (partition - 1))) != 0; }

}  // namespace

std::string withThousandsCommas(long long value) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

std::string lookInText(int letter, int disk, int partition, int typeId) {
    const std::string system = model::partitionType(typeId).fileSystem;
    return std::string(1, model::driveLetterOf(letter)) + ": " + std::to_string(disk) + ":" +
           std::to_string(partition) + " [] " + system + " drive";
}

std::vector<FileListEntry> fileListEntries(const model::TCOMPUTER& machine, int computer, int directory) {
    std::vector<FileListEntry> lines;
    if (!MachineRecord::validDirectory(directory)) return lines;
    const MachineRecord& record = machine.record();
    if (record.directory(computer, directory).parent != 0) lines.push_back({kParentLine, 0});
    for (int v = 1; v <= model::bytes::kDirectories; ++v) {
        const model::DirectoryEntry entry = record.directory(computer, v);
        if (!entry.isFree() && entry.parent == directory) lines.push_back({kDirectoryLine, v});
    }
    for (int i = 1; i <= model::bytes::kImages; ++i) {
        if (record.image(computer, i).directory == directory) lines.push_back({kImageLine, i});
    }
    return lines;
}

// ---- building ------------------------------------------------------------------

void DialogContents::BuildDialogContents(int computer, int dialogNo) {
    w_.tableRows().reset();
    const DialogContent content = selectionDialog(dialogNo).content;
    if (content == DialogContent::None) return;
    if (content != DialogContent::FileList) createTableImage(dialogNo);
    switch (dialogNo) {
        case 1: fillSourceDisks(); break;
        case 2: fillSourcePartitions(); break;
        case 4: fillImagePartitions(computer); break;
        case 6: fillTargetDisks(computer); break;
        case 7: fillTargetPartitions(computer); break;
        case 9: fillTargetDetails(computer); break;
        default: fillFileList(computer, dialogNo); break;
    }
}

// A fresh table picture over the dialog; the previous one, if any, goes.
void DialogContents::createTableImage(int dialogNo) {
    const Area& area = selectionDialog(dialogNo).area;
    auto table = std::make_unique<platform::Image>(w_.form(), "Image1D");
    table->setBounds(w_.Image4B->left() + area.left, w_.Image4B->top() + area.top, area.width, area.height);
    // The table takes the pointer like the Image1D layer it stands for.
    input::DialogPointer& pointer = w_.dialogPointer();
    table->onMouseMove = [&pointer](platform::Control&, platform::ShiftState, int x, int y) {
        pointer.Image1DMouseMove(x, y);
    };
    table->onClick = [&pointer](platform::Control&) { pointer.Image1DClick(); };
    table->onDoubleClick = [&pointer](platform::Control&) { pointer.Image1DDblClick(); };
    table->show();
    Canvas& canvas = table->canvas();
    canvas.brush() = {palette(1), platform::BrushStyle::Solid};
    canvas.font() = kListFont;
    canvas.fillRect({0, 0, area.width, area.height});
    w_.Image1D = std::move(table);
}

// In the title's own font: the serif face's old-style figures stood small
// and below the title's line.
void DialogContents::showDiskDigit(int digit, int x, int y) {
    showLabel(*w_.Label[23], std::to_string(digit), {"Tahoma", 7, true, palette(9)}, palette(2), w_.Image4B->left() + x,
              w_.Image4B->top() + y);
}

void DialogContents::fillSourceDisks() {
    TableRows& rows = w_.tableRows();
    for (int d = 1; d <= w_.computer.record().disksInUse(0); ++d) {
        rows.DrawTableRow(0, kDiskRow, d, d == 1 ? kCursorOnChosen : kPlainRow, 0, 0);
    }
    w_.ui.RowSel = 1;
    w_.op.SourceDisk = 1;
}

// A partition image may take several partitions and starts with none
// chosen; the other operations start with the first partition.
void DialogContents::fillSourcePartitions() {
    showDiskDigit(w_.op.SourceDisk, kSourceDiskDigitAt.x, kSourceDiskDigitAt.y);
    TableRows& rows = w_.tableRows();
    for (int p = 1; p <= w_.computer.record().partitionsInUse(0, w_.op.SourceDisk); ++p) {
        int style = kPlainRow;
        if (p == 1 && w_.ui.OpCode == model::kPartitionToImage) {
            style = kCursorRow;
            w_.op.SourcePartitions = 0;
        } else if (p == 1) {
            style = kCursorOnChosen;
            w_.op.SourcePartitions = 1;
        }
        rows.DrawTableRow(0, kPartitionRow, w_.op.SourceDisk, style, 0, p);
    }
    w_.ui.RowSel = 1;
}

void DialogContents::fillImagePartitions(int computer) {
    TableRows& rows = w_.tableRows();
    const int image = w_.op.ImageIndex;
    for (int p = 1; p <= w_.computer.record().imagePartitionsInUse(computer, image); ++p) {
        rows.DrawTableRow(computer, kImagePartitionRow, 0, p == 1 ? kCursorOnChosen : kPlainRow, image, p);
    }
    w_.op.SourcePartitions = 1;
    w_.ui.RowSel = 1;
}

// A local disk copy cannot go onto its source disk, nor a restore onto the
// disk that holds its image (it would destroy the image while reading it):
// those rows are greyed, and the first choice is the first other disk.
void DialogContents::fillTargetDisks(int computer) {
    // No cursor until a usable row takes it (the source list's row is stale).
    w_.op.TargetDisk = w_.ui.RowSel = 0;
    const bool localCopy = w_.ui.OpCode == model::kDiskToDisk && computer == 0;
    const int imageDisk = w_.ui.OpCode == model::kDiskFromImage ? imageHolder(computer).disk : 0;
    TableRows& rows = w_.tableRows();
    for (int j = 1; j <= w_.computer.record().disksInUse(computer); ++j) {
        int style = kPlainRow;
        if ((localCopy && j == w_.op.SourceDisk) || j == imageDisk) {
            style = kUnusableRow;
        } else if (w_.op.TargetDisk == 0) {
            style = kCursorOnChosen;
            w_.ui.RowSel = w_.op.TargetDisk = j;
        }
        rows.DrawTableRow(computer, kDiskRow, j, style, 0, 0);
    }
}

// Where the image being read lies: its directory's disk and partition.
DialogContents::Place DialogContents::imageHolder(int computer) const {
    const MachineRecord& record = w_.computer.record();
    if (!MachineRecord::validImage(w_.op.ImageIndex)) return {};
    const int directory = record.image(computer, w_.op.ImageIndex).directory;
    if (!MachineRecord::validDirectory(directory)) return {};
    const model::DirectoryEntry entry = record.directory(computer, directory);
    return {entry.disk, entry.partition};
}

// The number of the source partition: the chosen one of a partition copy,
// the partition inside the image of a restore.
int DialogContents::sourcePartitionNumber() const {
    return w_.ui.OpCode == model::kPartitionToPartition ? lowestPartition(w_.op.SourcePartitions)
                                                        : w_.op.SourcePartitions;
}

model::PartitionEntry DialogContents::sourcePartitionEntry(int computer) const {
    const MachineRecord& record = w_.computer.record();
    const int number = sourcePartitionNumber();
    if (w_.ui.OpCode == model::kPartitionToPartition) return record.partition(0, w_.op.SourceDisk, number);
    if (!MachineRecord::validPartition(number)) return {};
    return at(record.image(computer, w_.op.ImageIndex).partitions, number);
}

bool DialogContents::tooSmallForSource(int computer, int row) const {
    const MachineRecord& record = w_.computer.record();
    return record.partition(computer, w_.op.TargetDisk, row).size < sourcePartitionEntry(computer).dataSize;
}

void DialogContents::fillTargetPartitions(int computer) {
    const int target = w_.op.TargetDisk;
    const MachineRecord& record = w_.computer.record();
    const int count = record.partitionsInUse(computer, target);
    showDiskDigit(target, kTargetDiskDigitAt.x, kTargetDiskDigitAt.y);
    // Nothing chosen and no cursor until a usable row takes them: the disk
    // list's cursor row may be a greyed partition here.
    w_.ui.RowSel = w_.op.TargetPartition = 0;
    TableRows& rows = w_.tableRows();
    for (int r = 1; r <= count; ++r) {
        const bool itself = (computer == 0 && target == w_.op.SourceDisk && r == sourcePartitionNumber()) ||
                            (w_.ui.OpCode == model::kPartitionFromImage && imageHolder(computer) == Place{target, r});
        int style = kUnusableRow;
        if (!itself && !tooSmallForSource(computer, r)) {
            int firstUsable = 1;
            while (firstUsable < 4 && rows.rowStyle(firstUsable) == kUnusableRow) ++firstUsable;
            style = r == firstUsable ? kCursorOnChosen : kPlainRow;
            if (r == firstUsable) w_.ui.RowSel = w_.op.TargetPartition = r;
        }
        rows.DrawTableRow(computer, kPartitionRow, target, style, 0, r);
    }
    const long long freeSpace = record.disk(computer, target).capacity - w_.computer.SumPartitionSize(computer, target);
    if (count > 3 || freeSpace < 1) {
        w_.op.SourcePartCount = count;
        model::SizeRules(w_.computer, w_.op, w_.options).DefaultTargetSizes(computer);
    } else {
        addNewPartitionRow(computer, count, freeSpace);
    }
    rows.DrawTableRow(computer, kPartitionListFooter, target, kPlainRow, 0, w_.op.SourcePartCount + 1);
}

// The free space becomes a row of its own: an entry after the disk's last
// partition (the disk's partition count stays) shaped like the source and
// shown empty, a draft that a job not carried out takes back. Free space
// that cannot hold the source's data is greyed like a partition too
// small, without a size box.
void DialogContents::addNewPartitionRow(int computer, int rows, long long freeSpace) {
    const int row = rows + 1;
    w_.op.SourcePartCount = row;
    model::PartitionEntry entry = sourcePartitionEntry(computer);
    w_.op.NewPartitionData = entry.dataSize;
    const bool tooSmall = freeSpace < entry.dataSize;
    entry.size = static_cast<std::int32_t>(freeSpace);
    entry.dataSize = 0;
    w_.computer.record().setPartition(computer, w_.op.TargetDisk, row, entry);
    model::SizeRules rules(w_.computer, w_.op, w_.options);
    if (tooSmall) {
        // Without a box over it the row shows the free space it cannot use.
        rules.DefaultTargetSizes(computer);
        w_.tableRows().DrawTableRow(computer, kNewPartitionRow, w_.op.TargetDisk, kUnusableRow, 0, row);
        return;
    }
    w_.tableRows().DrawTableRow(computer, kNewPartitionRow, w_.op.TargetDisk, kPlainRow, 0, row);
    rules.DefaultTargetSizes(computer);
    w_.tableRows().DrawSizeBox(row, kPartitionBoxColumn);
}

void DialogContents::fillTargetDetails(int computer) {
    model::SizeRules(w_.computer, w_.op, w_.options).DefaultTargetSizes(computer);
    const MachineRecord& record = w_.computer.record();
    const bool fromImage = w_.ui.OpCode == model::kDiskFromImage;
    if (!fromImage && w_.ui.OpCode != model::kDiskToDisk) return;
    const int image = fromImage ? w_.op.ImageIndex : 0;
    const int count =
        fromImage ? record.imagePartitionsInUse(computer, image) : record.partitionsInUse(0, w_.op.SourceDisk);
    // A disk copy's source rows are the local computer's.
    const int rowComputer = fromImage ? computer : 0;
    TableRows& rows = w_.tableRows();
    for (int p = 1; p <= count; ++p) {
        const int style = p == 1 ? kCursorRow : kPlainRow;
        rows.DrawTableRow(rowComputer, fromImage ? kImageDetailRow : kSourceDetailRow, 0, style, image, p);
        rows.DrawSizeBox(p, kDiskBoxColumn);
        if (p == 1) w_.ui.RowSel = 1;
        platform::Edit& box = *cell(w_.Edit, p);
        if (p == w_.ui.RowSel && box.showing()) box.setFocus();
    }
    const int footer = fromImage ? kImageDetailsFooter : kDiskCopyDetailsFooter;
    rows.DrawTableRow(computer, footer, 0, kPlainRow, image, count + 1);
}

// ---- the file list ---------------------------------------------------------------

void DialogContents::placeFileList(int dialogNo) {
    const Area& area = selectionDialog(dialogNo).area;
    platform::ScrollBox& box = *w_.ScrollBox1;
    box.setBounds(w_.Image4B->left() + area.left, w_.Image4B->top() + area.top, area.width, area.height);
    box.setScrollBarColor(palette(2));
    w_.IMAGEH->hide();
    platform::Image& list = *w_.Image5DA;
    list.setBounds(0, 0, area.width, list.height());
    list.show();
    Canvas& canvas = list.canvas();
    canvas.brush() = {palette(1), platform::BrushStyle::Solid};
    canvas.font() = kListFont;
    canvas.fillRect({0, 0, list.width(), list.height()});
    // The dialog picture was brought to the front when it opened.
    box.bringToFront();
    box.show();
}

void DialogContents::fillFileList(int computer, int dialogNo) {
    platform::Image& list = *w_.Image5DA;
    list.setHeight(kFileListHeight);
    model::OperationState& op = w_.op;
    if (op.LookInDirectory == 0) {
        const model::DriveLetterEntry drive = w_.computer.driveLetter(computer, op.LookInLetter);
        op.LookInDirectory = w_.computer.RootDirectory(computer, drive.disk, drive.partition);
        if (op.LookInDirectory == 0) {
            w_.trace.write("messageBox", {{"text", kNoRootDirectoryMessage}});
            w_.app().messageBox(kNoRootDirectoryMessage);
        }
    }
    const std::vector<FileListEntry> lines = fileListEntries(w_.computer, computer, op.LookInDirectory);
    w_.ui.RowCount = static_cast<int>(lines.size());
    placeFileList(dialogNo);
    int row = 0;
    for (const FileListEntry& line : lines) {
        ++row;
        DrawFileRow(row, line.kind, line.entry, row == w_.ui.RowSel);
    }
    list.setHeight(std::max(kRowHeight * row, w_.ScrollBox1->height()));
}

void DialogContents::DrawFileRow(int row, int entryKind, int entry, bool selected) {
    platform::Image& list = *w_.Image5DA;
    const int top = kRowHeight * (row - 1);
    const int computer = w_.ui.PeerMode;
    const app::Picture& icon = cell(w_.catalogue.DriveIconBitmaps, std::clamp(entryKind, 0, 2));
    // Icons are copied through the scratch picture.
    w_.ImageTEMP->setPicture(icon);
    Canvas& canvas = list.canvas();
    canvas.brush() = {selected ? palette(3) : palette(1), platform::BrushStyle::Solid};
    if (selected) canvas.fillRect({0, top, list.width() - 1, top + kRowHeight - 1});
    if (const platform::Bitmap* picture = w_.ImageTEMP->bitmap()) canvas.draw(kFileIconX, top, *picture);
    const int y = top - kFileTextRaise;
    const model::MachineRecord& record = w_.computer.record();
    if (entryKind == kDirectoryLine) {
        const model::DirectoryEntry directory = record.directory(computer, entry);
        canvas.font() = {kListFont.family, kListFont.points, false, platform::colors::white};
        canvas.textOut(kFileNameX, y, directory.name);
        canvas.font().color = platform::colors::black;
        canvas.textOut(kFileDateX, y, platform::formatDateTime(directory.created));
    } else if (entryKind == kImageLine) {
        const model::ImageEntry image = record.image(computer, entry);
        canvas.font() = kListFont;
        canvas.textOut(kFileNameX, y, image.name);
        const std::string size = withThousandsCommas(image.size);
        canvas.textOut(kFileSizeRight - canvas.textWidth(size), y, size);
        canvas.textOut(kFileDateX, y, platform::formatDateTime(image.created));
    }
}

// ---- the Look-in drive -------------------------------------------------------------

void DialogContents::DrawLookInLine() {
    const model::DriveLetterEntry drive = w_.computer.driveLetter(w_.ui.PeerMode, w_.op.LookInLetter);
    platform::Image& line = *w_.Image3D;
    line.setBounds(w_.Image4B->left() + kLookInLineAt.x, w_.Image4B->top() + kLookInLineAt.y, kLookInLineWidth,
                   kLookInLineHeight);
    Canvas& canvas = line.canvas();
    canvas.brush() = {palette(4), platform::BrushStyle::Solid};
    canvas.fillRect({0, 0, kLookInLineWidth, kLookInLineHeight});
    canvas.font() = kListFont;
    canvas.textOut(0, 0, lookInText(w_.op.LookInLetter, drive.disk, drive.partition, drive.type));
    line.bringToFront();
    line.show();
}

void DialogContents::DrawLookInRow(int row, int letter, int disk, int partition) {
    const model::DriveLetterEntry drive = w_.computer.driveLetter(w_.ui.PeerMode, letter);
    w_.ImageTEMP->setPicture(w_.catalogue.DriveIconBitmaps[3]);
    Canvas& canvas = w_.Image2D->canvas();
    if (const platform::Bitmap* icon = w_.ImageTEMP->bitmap()) {
        canvas.draw(kLookInIconX, kRowHeight * row - kLookInIconRise, *icon);
    }
    canvas.brush() = {palette(1), platform::BrushStyle::Solid};
    canvas.font() = {kListFont.family, kListFont.points, false,
                     row == w_.ui.LookInRowSel ? platform::colors::white : platform::colors::black};
    canvas.textOut(kLookInTextX, kRowHeight * row - kLookInTextRise, lookInText(letter, disk, partition, drive.type));
}

// Drives that hold what is being imaged are left out; LookInRows entry k
// holds the letter of drop-down row k + 1.
bool DialogContents::skippedLookInLetter(int disk, int partition) const {
    if (w_.ui.PeerMode != 0 || disk != w_.op.SourceDisk) return false;
    if (w_.ui.OpCode == model::kDiskToImage) return true;
    return w_.ui.OpCode == model::kPartitionToImage && partitionChosen(w_.op.SourcePartitions, partition);
}

void DialogContents::DrawLookInList() {
    const model::DriveLetterTable& letters = w_.computer.driveLetters(w_.ui.PeerMode);
    const int count = std::min<int>(letters.count, model::bytes::kDriveLetters);
    platform::Image& list = *w_.Image2D;
    list.setBounds(w_.Image4B->left() + kLookInListAt.x, w_.Image4B->top() + kLookInListAt.y, kLookInListWidth,
                   kRowHeight * count + kLookInListExtra);
    w_.ScrollBox1->hide();
    list.bringToFront();
    list.show();
    {
        Canvas& canvas = list.canvas();
        canvas.brush() = {palette(1), platform::BrushStyle::Solid};
        canvas.fillRect({0, 0, list.width(), list.height()});
    }
    w_.ui.LookInRows.fill(0);
    int row = 0;
    for (int j = 1; j <= count; ++j) {
        const model::DriveLetterEntry drive = at(letters.entries, j);
        if (skippedLookInLetter(drive.disk, drive.partition)) continue;
        ++row;
        DrawLookInRow(row, j, drive.disk, drive.partition);
        at(w_.ui.LookInRows, row) = j;
    }
    list.setHeight(kRowHeight * row + kLookInListExtra);
    // The border goes round the list's final size.
    Canvas& canvas = list.canvas();
    canvas.pen() = {platform::colors::white, 1};
    canvas.brush().style = platform::BrushStyle::Clear;
    canvas.rectangle({0, 0, list.width(), list.height()});
    canvas.brush().style = platform::BrushStyle::Solid;
    w_.ui.FieldPos = 5;
}

}  // namespace vxr::dialogs
