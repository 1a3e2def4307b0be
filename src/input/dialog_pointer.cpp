#include "input/dialog_pointer.h"

#include <algorithm>
#include <vector>

#include "app/focus_frame.h"
#include "app/tform1.h"
#include "dialogs/dialog_contents.h"
#include "dialogs/table_rows.h"
#include "input/ui_state.h"
#include "layout/dialog_rects.h"
#include "layout/steps.h"
#include "layout/table_layout.h"
#include "platform/indexing.h"

namespace vxr::input {

using namespace layout;

namespace {

using dialogs::kChosenRow;
using dialogs::kCursorOnChosen;
using dialogs::kCursorRow;
using dialogs::kNotDrawn;
using dialogs::kPlainRow;
using dialogs::kUnusableRow;

constexpr int kTableRows = 4;
constexpr int kLookInRowCount = 16;

constexpr Step stepOf(int dialogNo) { return static_cast<Step>(dialogNo); }

bool bitSet(int bits, int partition) { return partition >= 1 && (bits >> (partition - 1) & 1) != 0; }

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Table row r covers y = 13(r-1)+1 .. 13r-1; multiples of 13 are the lines
// between rows. 0 for a line or a point above the table.
int tableRowAt(int y) {
    if (y < 0 || y % kRowHeight == 0) return 0;
    return y / kRowHeight + 1;
}

}  // namespace

// ---- the dialog picture and its buttons ---------------------------------------------

int DialogPointer::hitAt(int x, int y) const {
    const DialogRects& rects = dialogRects(w_.ui.DialogNo);
    if (rects.areaA.contains(x, y)) return -1;
    if (rects.areaB.contains(x, y)) return 0;
    for (int b = 1; b <= 3; ++b) {
        if (at(rects.buttons, b).contains(x, y)) return b;
    }
    return 0;
}

bool DialogPointer::choiceMissing() const {
    const model::OperationState& s = w_.op;
    switch (stepOf(w_.ui.DialogNo)) {
        case Step::SourceDisk: return s.SourceDisk == 0;
        case Step::SourcePartitions:
        case Step::ImagePartition: return s.SourcePartitions == 0;
        case Step::DestinationDisk: return s.TargetDisk == 0;
        case Step::DestinationPartition: return s.TargetPartition == 0;
        case Step::Password: return w_.Edit[1]->text().empty();
        default: return false;
    }
}

void DialogPointer::showHighlight(const char* picture, int left, int top) {
    platform::Image& highlight = *w_.Image4A;
    highlight.showAt(w_.catalogue.byName(picture), w_.Image4B->left() + left, w_.Image4B->top() + top);
    highlight.bringToFront();
}

void DialogPointer::highlightButton(int button) {
    const DialogRects& rects = dialogRects(w_.ui.DialogNo);
    const InclusiveRect& rect = at(rects.buttons, button);
    const char* picture = at(rects.highlights, button);
    platform::Image& highlight = *w_.Image4A;
    if (picture[0] == '\0') {
        highlight.hide();  // a button without a picture of its own (dialog 19)
        return;
    }
    showHighlight(picture, rect.left, rect.top);
    if (button == 1 && rects.plainSecond[0] != '\0') {
        // The second button shows plain beside the highlighted first.
        const InclusiveRect& second = rects.buttons[1];
        platform::Image& plain = *w_.Image4A_0;
        plain.showAt(w_.catalogue.byName(rects.plainSecond), w_.Image4B->left() + second.left,
                     w_.Image4B->top() + second.top);
        plain.bringToFront();
        highlight.bringToFront();
    }
}

// No button is highlighted; the table or list has the focus again.
void DialogPointer::dropButtonHighlight() {
    w_.Image4A->hide();
    w_.ui.ButtonSel = 0;
    if (isSelectionDialog(w_.ui.DialogNo)) w_.focusFrame().DrawFocusFrame(w_.ui.DialogNo, app::kFrameWhite);
}

// A size typed into a box is taken over when the pointer leaves the box or
// a button answers; the rows drawn afterwards show it.
void DialogPointer::takeOverPendingSize() {
    dialogs::TableRows& rows = w_.tableRows();
    if (rows.PendingSizeRow != 0) rows.CommitSizeBox(rows.PendingSizeRow);
}

void DialogPointer::keyboardMove(int x, int y) {
    keyboardMoving_ = true;
    Image4BMouseMove(x, y);
    keyboardMoving_ = false;
}

// The peer boxes keep their highlight when the pointer leaves a button. The
// master's OK takes no highlight while the address is empty; the keyboard,
// which must land somewhere, goes on to Cancel instead.
void DialogPointer::peerBoxMove(int x, int y) {
    UiState& ui = w_.ui;
    if (ui.ButtonSel == kPeerBoxWithoutButtons || ui.LeafItem < 1 || ui.LeafItem > 2) return;
    const PeerBoxRects& box = cell(kPeerBoxRects, ui.LeafItem);
    int button = ui.ButtonSel;
    for (int b = 1; b <= 2; ++b) {
        if (at(box.buttons, b).contains(x, y)) {
            button = b;
            break;
        }
    }
    if (button == ui.ButtonSel) return;
    if (ui.LeafItem == 2 && button == 1 && w_.Edit[1]->text().empty()) {
        if (!keyboardMoving_) return;
        button = 2;
    }
    ui.ButtonSel = button;
    const InclusiveRect& rect = at(box.buttons, button);
    showHighlight(at(box.highlights, button), rect.left, rect.top);
}

void DialogPointer::Image4BMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    DialogPoint = {x, y};
    UiState& ui = w_.ui;
    if (ui.MainItem == kPeerToPeer) {
        peerBoxMove(x, y);
        return;
    }
    takeOverPendingSize();
    cursorLeavesTable();
    int hit = hitAt(x, y);
    if (choiceMissing()) hit = 0;
    if (hit == -1 || hit == ui.ButtonSel) return;
    const bool listDialog = isSelectionDialog(ui.DialogNo);
    if (hit == 0) {
        w_.Image4A->hide();
        if (listDialog) w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameWhite);
    } else {
        // A file dialog is not answered with an empty name. The restore's
        // dialog is held to this too: its OK would only report a bad name.
        if (hit == 1 && isFileDialog(ui.DialogNo) && blank(w_.Edit[1]->text())) {
            w_.Image4A->hide();
            ui.ButtonSel = 0;
            return;
        }
        highlightButton(hit);
        if (listDialog) w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameGrey);
    }
    ui.ButtonSel = hit;
}

void DialogPointer::Image4BClick() {
    if (w_.mouseLocked()) return;
    if (!isFileDialog(w_.ui.DialogNo) || !kLookInArrow.contains(DialogPoint.x, DialogPoint.y)) return;
    if (w_.Image2D->visible()) {
        w_.Image2D->hide();
        w_.ScrollBox1->show();
    } else {
        w_.ui.LookInRowSel = 1;
        w_.dialogContents().DrawLookInList();
    }
}

void DialogPointer::Image4AMouseMove() {
    if (w_.mouseLocked()) return;
    takeOverPendingSize();
    removeTableCursor();
}

void DialogPointer::Image4AClick() {
    if (w_.mouseLocked()) return;
    takeOverPendingSize();
    w_.ui.DialogAnswer = w_.ui.ButtonSel;
}

void DialogPointer::Image4A_0MouseMove() {
    if (w_.mouseLocked()) return;
    w_.Image4A_0->hide();
}

// A click into the file dialogs' name edit makes it the focused stop, so
// that Tab goes on from there; in the destination tables it marks a size box.
void DialogPointer::Edit2Click(int box) {
    if (box == 1 && isFileDialog(w_.ui.DialogNo)) {
        w_.ui.FieldPos = kNameEditStop;
        w_.focusFrame().DrawFocusFrame(kNameEditFrame, app::kFrameWhite);
        return;
    }
    w_.tableRows().SizeBoxClick(box);
}

void DialogPointer::Edit2KeyPress(int box, char32_t& character) {
    if (w_.ui.MainItem == kPeerToPeer && w_.ui.OpCode == 0) {
        // A key answers even while the mouse is locked.
        if (character == U'\r') w_.ui.DialogAnswer = w_.ui.ButtonSel = 1;
        return;
    }
    w_.tableRows().SizeBoxKeyPress(box, character);
}

// ---- table rows ----------------------------------------------------------------------

bool DialogPointer::beyondTargetPartitions(int row) const {
    return row > w_.computer.record().partitionsInUse(w_.ui.PeerMode, w_.op.TargetDisk);
}

// Row `row` of the open table drawn again in `style`, with the row kind the
// dialog shows it in. A greyed row stays greyed: drawn in another style it
// could be chosen (a partition copied onto itself, a disk too small).
void DialogPointer::redrawTableRow(int row, int style) {
    if (row < 1 || row > kTableRows || w_.tableRows().rowStyle(row) == kUnusableRow) return;
    const model::OperationState& s = w_.op;
    const int peer = w_.ui.PeerMode;
    dialogs::TableRows& rows = w_.tableRows();
    switch (stepOf(w_.ui.DialogNo)) {
        case Step::SourceDisk: rows.DrawTableRow(0, dialogs::kDiskRow, row, style, 0, 0); break;
        case Step::SourcePartitions: rows.DrawTableRow(0, dialogs::kPartitionRow, s.SourceDisk, style, 0, row); break;
        case Step::ImagePartition:
            rows.DrawTableRow(peer, dialogs::kImagePartitionRow, 0, style, s.ImageIndex, row);
            break;
        case Step::DestinationDisk: rows.DrawTableRow(peer, dialogs::kDiskRow, row, style, 0, 0); break;
        case Step::DestinationPartition: {
            if (beyondTargetPartitions(row)) {
                // The free-space row keeps the size proposed for it.
                model::MachineRecord& record = w_.computer.record();
                model::PartitionEntry entry = record.partition(peer, s.TargetDisk, row);
                entry.size = at(s.TargetSizes, row);
                record.setPartition(peer, s.TargetDisk, row, entry);
                rows.DrawTableRow(peer, dialogs::kNewPartitionRow, s.TargetDisk, style, 0, row);
            } else {
                rows.DrawTableRow(peer, dialogs::kPartitionRow, s.TargetDisk, style, 0, row);
            }
            break;
        }
        case Step::DestinationDetails:
            if (w_.ui.OpCode == model::kDiskFromImage) {
                rows.DrawTableRow(peer, dialogs::kImageDetailRow, 0, style, s.ImageIndex, row);
            } else {
                rows.DrawTableRow(0, dialogs::kSourceDetailRow, 0, style, 0, row);
            }
            break;
        default: break;
    }
}

bool DialogPointer::rowChosen(int row) const {
    const model::OperationState& s = w_.op;
    switch (stepOf(w_.ui.DialogNo)) {
        case Step::SourceDisk: return row == s.SourceDisk;
        case Step::SourcePartitions: return bitSet(s.SourcePartitions, row);
        case Step::ImagePartition: return row == s.SourcePartitions;
        case Step::DestinationDisk: return row == s.TargetDisk;
        case Step::DestinationPartition: return row == s.TargetPartition;
        default: return false;
    }
}

int DialogPointer::plainStyle(int row) const { return rowChosen(row) ? kChosenRow : kPlainRow; }
int DialogPointer::cursorStyle(int row) const { return rowChosen(row) ? kCursorOnChosen : kCursorRow; }

// The pointer is over the dialog picture: the cursor of a disk or source
// partition table goes back to row 1, that of the destination partitions
// leaves the table.
void DialogPointer::cursorLeavesTable() {
    UiState& ui = w_.ui;
    dialogs::TableRows& rows = w_.tableRows();
    switch (stepOf(ui.DialogNo)) {
        case Step::SourceDisk:
        case Step::SourcePartitions:
        case Step::DestinationDisk:
            if (ui.RowSel <= 1 || rows.rowStyle(1) == kUnusableRow) return;
            redrawTableRow(ui.RowSel, plainStyle(ui.RowSel));
            ui.RowSel = 1;
            redrawTableRow(1, cursorStyle(1));
            break;
        case Step::DestinationPartition:
            if (ui.RowSel <= 0) return;
            redrawTableRow(ui.RowSel, plainStyle(ui.RowSel));
            ui.RowSel = 0;
            break;
        default: break;
    }
}

// The pointer is on a button: no row keeps the cursor.
void DialogPointer::removeTableCursor() {
    UiState& ui = w_.ui;
    // The details table keeps its cursor row.
    if (!isListDialog(ui.DialogNo) || stepOf(ui.DialogNo) == Step::DestinationDetails || ui.RowSel <= 0) return;
    redrawTableRow(ui.RowSel, plainStyle(ui.RowSel));
    ui.RowSel = 0;
}

// A keyboard move onto a row that cannot take the cursor goes on to the
// next usable row in its direction; 0 when there is none.
int DialogPointer::usableRowFrom(int row) const {
    const dialogs::TableRows& rows = w_.tableRows();
    const int step = row > w_.ui.RowSel ? 1 : -1;
    for (int r = row; r >= 1 && r <= kTableRows; r += step) {
        const int style = rows.rowStyle(r);
        if (style == kPlainRow || style == kChosenRow) return r;
    }
    return 0;
}

void DialogPointer::Image1DMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    if (ui.ButtonSel != 0) return;
    ListPoint = {x, y};
    int row = tableRowAt(y);
    if (row < 1 || row > kTableRows) return;
    const int style = w_.tableRows().rowStyle(row);
    if (style == kNotDrawn || style == kCursorRow || style == kCursorOnChosen || style == kUnusableRow) {
        if (ui.KeyDepth == 0) return;
        row = usableRowFrom(row);
        if (row == 0) return;
    }
    if (!isListDialog(ui.DialogNo)) return;
    const Step d = stepOf(ui.DialogNo);
    if (d == Step::DestinationDisk && ui.OpCode == model::kDiskToDisk && row == w_.op.SourceDisk && ui.PeerMode == 0)
        return;
    if (d == Step::DestinationPartition || d == Step::DestinationDetails) takeOverPendingSize();
    const int old = ui.RowSel;
    if (old > 0) redrawTableRow(old, d == Step::DestinationDetails ? kPlainRow : plainStyle(old));
    ui.RowSel = row;
    redrawTableRow(row, d == Step::DestinationDetails ? kCursorRow : cursorStyle(row));
}

void DialogPointer::chooseOne(int row, int& chosen) {
    if (chosen != 0) redrawTableRow(chosen, kPlainRow);
    if (chosen == row) {
        chosen = 0;
        redrawTableRow(row, kCursorRow);
    } else {
        chosen = row;
        redrawTableRow(row, kCursorOnChosen);
    }
}

// A plain click leaves only the clicked partition chosen (a click on the
// only chosen one takes it back); Ctrl-click in a partition image adds or
// removes one.
void DialogPointer::choosePartition(int row) {
    model::OperationState& s = w_.op;
    const int bit = 1 << (row - 1);
    const bool several = w_.ui.CtrlDown && w_.ui.OpCode == model::kPartitionToImage;
    if (!several) {
        const bool onlyThis = s.SourcePartitions == bit;
        const int count = w_.computer.record().partitionsInUse(0, s.SourceDisk);
        for (int p = 1; p <= count; ++p) {
            if (p != row) redrawTableRow(p, kPlainRow);
        }
        s.SourcePartitions = onlyThis ? bit : 0;
    }
    s.SourcePartitions ^= bit;
    redrawTableRow(row, bitSet(s.SourcePartitions, row) ? kCursorOnChosen : kCursorRow);
}

void DialogPointer::Image1DClick() {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    // The details table has no choice to click.
    if (!isListDialog(ui.DialogNo) || stepOf(ui.DialogNo) == Step::DestinationDetails) return;
    const int row = tableRowAt(ListPoint.y);
    if (row < 1 || row > kTableRows) return;
    const int style = w_.tableRows().rowStyle(row);
    if (style == kNotDrawn || style == kUnusableRow) return;
    model::OperationState& s = w_.op;
    switch (stepOf(ui.DialogNo)) {
        case Step::SourceDisk:
            chooseOne(row, s.SourceDisk);
            if (ui.OpCode == model::kDiskToDisk && s.SourceDisk != 0) {
                s.SourcePartCount = w_.computer.record().partitionsInUse(0, s.SourceDisk);
            }
            break;
        case Step::SourcePartitions: choosePartition(row); break;
        case Step::ImagePartition: chooseOne(row, s.SourcePartitions); break;
        case Step::DestinationDisk: chooseOne(row, s.TargetDisk); break;
        case Step::DestinationPartition:
            takeOverPendingSize();
            chooseOne(row, s.TargetPartition);
            break;
        default: break;
    }
    ui.RowSel = row;
    // A choice taken back must not leave a button ready to answer.
    if (choiceMissing() && ui.ButtonSel != 0) dropButtonHighlight();
}

// The second click of a double click takes no choice back: on a chosen row
// it answers OK, as list dialogs of the imitated era do, when OK may answer.
void DialogPointer::Image1DDblClick() {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    const int row = tableRowAt(ListPoint.y);
    if (row < 1 || row > kTableRows || !rowChosen(row) || choiceMissing()) return;
    takeOverPendingSize();
    ui.ButtonSel = ui.DialogAnswer = 1;
}

// ---- the file list and the Look-in drop-down ---------------------------------------------

void DialogPointer::Image5DAMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    FilePoint = {x, y};
    UiState& ui = w_.ui;
    if (!isFileDialog(ui.DialogNo) || y < 0) return;
    const int row = y / kRowHeight + 1;
    if (row > ui.RowCount || row == ui.RowSel) return;
    ui.RowSel = row;
    w_.dialogContents().BuildDialogContents(ui.PeerMode, ui.DialogNo);
}

void DialogPointer::openFileListEntry(int row) {
    UiState& ui = w_.ui;
    model::OperationState& s = w_.op;
    const std::vector<dialogs::FileListEntry> lines =
        dialogs::fileListEntries(w_.computer, ui.PeerMode, s.LookInDirectory);
    if (row < 1 || row > static_cast<int>(lines.size())) return;
    const dialogs::FileListEntry line = at(lines, row);
    ui.RowSel = 1;
    if (line.kind == dialogs::kParentLine) {
        s.LookInDirectory = w_.computer.record().directory(ui.PeerMode, s.LookInDirectory).parent;
        w_.dialogContents().BuildDialogContents(ui.PeerMode, ui.DialogNo);
    } else if (line.kind == dialogs::kDirectoryLine) {
        s.LookInDirectory = line.entry;
        w_.dialogContents().BuildDialogContents(ui.PeerMode, ui.DialogNo);
    } else {
        // An image chosen for a new image names an existing entry: the
        // overwrite question follows, and its space is not counted twice.
        const bool newImage = stepOf(ui.DialogNo) == Step::NewImageName;
        s.ImageIndex = newImage ? -line.entry : line.entry;
        if (newImage) s.OverwriteImage = true;
        s.ImageFileName = w_.computer.record().image(ui.PeerMode, line.entry).name;
        w_.Edit[1]->setText(s.ImageFileName);
        ui.DialogAnswer = 1;
    }
}

void DialogPointer::Image5DAClick() {
    if (w_.mouseLocked()) return;
    if (!isFileDialog(w_.ui.DialogNo) || FilePoint.y < 0) return;
    openFileListEntry(FilePoint.y / kRowHeight + 1);
}

void DialogPointer::Image2DMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    LookInPoint = {x, y};
}

void DialogPointer::Image2DClick() {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    if (!isFileDialog(ui.DialogNo) || LookInPoint.y < 0) return;
    const int k = LookInPoint.y / kRowHeight;
    if (k >= kLookInRowCount) return;
    const int letter = cell(ui.LookInRows, k);
    if (letter == 0 || w_.computer.driveLetter(ui.PeerMode, letter).disk == 0) return;
    w_.op.LookInLetter = letter;
    w_.dialogContents().DrawLookInLine();
    w_.Image2D->hide();
    w_.op.LookInDirectory = 0;
    ui.RowSel = 1;
    w_.dialogContents().BuildDialogContents(ui.PeerMode, ui.DialogNo);
    ui.FieldPos = 1;
    w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameWhite);
}

}  // namespace vxr::input
