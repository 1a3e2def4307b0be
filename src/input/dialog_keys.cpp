// The keys of the selection dialogs: the disk and partition tables (list
// dialogs) and the file dialogs with their five stops. Like every key they
// work through the pointer handlers, with the positions a mouse user would
// have used.

#include "app/focus_frame.h"
#include "app/tform1.h"
#include "dialogs/dialog_contents.h"
#include "input/dialog_pointer.h"
#include "input/keyboard.h"
#include "layout/dialog_rects.h"
#include "layout/steps.h"
#include "layout/table_layout.h"
#include "platform/indexing.h"

namespace vxr::input {

using namespace layout;

namespace {

// Where Enter and Down point to open the Look-in drop-down: its arrow.
constexpr platform::Point kLookInArrowPoint{kLookInArrow.left + 1, kLookInArrow.top + 1};

// Table row r is aimed at y = 13(r-1)+1; file list and drop-down row r at
// y = 13r-1.
int tableRowY(int row) { return kRowHeight * (row - 1) + 1; }
int listRowY(int row) { return kRowHeight * row - 1; }

}  // namespace

// Tab walks the buttons, then returns to the table.
void Keyboard::listTab() {
    UiState& ui = w_.ui;
    if (hoverButton(ui.ButtonSel + 1)) return;
    w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameWhite);
    w_.Image4A->hide();
    ui.ButtonSel = 0;
}

// The frame of the current stop in `style` (stops 3 and 4 are buttons and
// show their highlight instead).
void Keyboard::markFileStop(int style) {
    app::FocusFrame& frame = w_.focusFrame();
    switch (w_.ui.FieldPos) {
        case kFileListStop: frame.DrawFocusFrame(w_.ui.DialogNo, style); break;
        case kNameEditStop: frame.DrawFocusFrame(kNameEditFrame, style); break;
        case kLookInStop: frame.DrawFocusFrame(kLookInFrame, style); break;
        default: break;
    }
}

// Tab order: list, file-name edit, second button, first button, Look-in box.
void Keyboard::fileTab() {
    UiState& ui = w_.ui;
    markFileStop(app::kFrameGrey);
    ui.FieldPos = ui.FieldPos >= kLookInStop ? kFileListStop : ui.FieldPos + 1;
    markFileStop(app::kFrameWhite);
    if (ui.FieldPos == kNameEditStop) w_.Edit[1]->setFocus();
    if (ui.FieldPos == kSecondButtonStop || ui.FieldPos == kFirstButtonStop) {
        hoverButton(ui.FieldPos == kSecondButtonStop ? 2 : 1);
        return;
    }
    ui.ButtonSel = 0;
    w_.Image4A->hide();
}

// Enter chooses the cursor row, or answers with the highlighted button.
// Typed into a size box it takes the size over and chooses the box's row
// (never takes a choice back): the free-space row has no other key that
// chooses it.
void Keyboard::listEnter() {
    UiState& ui = w_.ui;
    DialogPointer& pointer = w_.dialogPointer();
    if (const int box = focusedSizeBox(); box != 0) {
        pointer.takeOverPendingSize();
        if (ui.DialogNo == number(Step::DestinationPartition) && !pointer.rowChosen(box)) {
            pointer.ListPoint.y = tableRowY(box);
            pointer.Image1DClick();
        }
        return;
    }
    if (ui.ButtonSel == 0) {
        pointer.ListPoint.y = tableRowY(ui.RowSel);
        pointer.Image1DClick();
    } else {
        pointer.Image4AClick();
    }
}

int Keyboard::focusedSizeBox() const {
    if (!hasSizeBoxes(w_.ui.DialogNo)) return 0;
    for (int box = 1; box <= 4; ++box) {
        if (cell(w_.Edit, box)->focused()) return box;
    }
    return 0;
}

void Keyboard::fileEnter() {
    UiState& ui = w_.ui;
    DialogPointer& pointer = w_.dialogPointer();
    switch (ui.FieldPos) {
        case kFileListStop:
            pointer.FilePoint = {0, listRowY(ui.RowSel)};
            pointer.Image5DAClick();
            break;
        case kSecondButtonStop:
        case kFirstButtonStop:
            if (ui.ButtonSel != 0) pointer.Image4AClick();
            break;
        case kLookInStop:
            if (!w_.Image2D->visible()) {
                pointer.DialogPoint = kLookInArrowPoint;
                pointer.Image4BClick();
            } else {
                pointer.LookInPoint = {0, listRowY(ui.LookInRowSel)};
                pointer.Image2DClick();
            }
            break;
        default: break;  // Enter in the file-name edit does nothing
    }
}

// Enter in the password edit answers OK, so a password can be given with the
// mouse locked; an empty edit cannot be answered (OK does not highlight).
void Keyboard::passwordEnter() {
    UiState& ui = w_.ui;
    if (layout::stepKind(ui.DialogNo) != layout::StepKind::Password || ui.DialogCode != 0 ||
        w_.dialogPointer().choiceMissing())
        return;
    ui.ButtonSel = 1;
    ui.DialogAnswer = 1;
}

void Keyboard::listUpOrDown(bool down) {
    const int row = w_.ui.RowSel + (down ? 1 : -1);
    w_.dialogPointer().Image1DMouseMove(1, tableRowY(row));
}

void Keyboard::fileUpOrDown(bool down) {
    UiState& ui = w_.ui;
    if (ui.FieldPos == kFileListStop) {
        const int row = ui.RowSel + (down ? 1 : -1);
        if (row < 1 || row > ui.RowCount) return;
        w_.dialogPointer().Image5DAMouseMove(0, listRowY(row));
        // Keep the cursor row in view.
        platform::ScrollBox& box = *w_.ScrollBox1;
        const int top = kRowHeight * (row - 1);
        if (top < box.scrollTop()) box.setScrollTop(top);
        if (top + kRowHeight > box.scrollTop() + box.height()) box.setScrollTop(top + kRowHeight - box.height());
        return;
    }
    if (ui.FieldPos != kLookInStop) return;
    dialogs::DialogContents& contents = w_.dialogContents();
    if (!w_.Image2D->visible()) {
        if (down) {
            w_.dialogPointer().DialogPoint = kLookInArrowPoint;
            w_.dialogPointer().Image4BClick();
        }
        return;
    }
    if (!down && ui.LookInRowSel > 1) {
        --ui.LookInRowSel;
        contents.DrawLookInList();
    } else if (down && ui.LookInRowSel < 16 && cell(ui.LookInRows, ui.LookInRowSel) > 0) {
        ++ui.LookInRowSel;
        contents.DrawLookInList();
    }
}

}  // namespace vxr::input
