#include "input/dialog_pointer.h"

#include <algorithm>

#include "app/focus_frame.h"
#include "app/tform1.h"
#include "input/dialog_rects.h"

namespace vxr::input {

namespace {

constexpr int kPasswordStep = 29;

}  // namespace

int DialogPointer::hitAt(int x, int y) const {
    const DialogRects& rects = dialogRects(w_.ui.DialogNo);
    if (rects.areaA.contains(x, y)) return -1;
    if (rects.areaB.contains(x, y)) return 0;
    for (int b = 1; b <= 3; ++b) {
        if (rects.buttons[static_cast<std::size_t>(b - 1)].contains(x, y)) return b;
    }
    return 0;
}

// A dialog without its choice highlights no button.
bool DialogPointer::choiceMissing() const {
    const model::OperationState& s = w_.op;
    switch (w_.ui.DialogNo) {
        case 1: return s.SourceDisk == 0;
        case 2:
        case 4: return s.SourcePartitions == 0;
        case 6: return s.TargetDisk == 0;
        case 7: return s.TargetPartition == 0;
        case kPasswordStep: return w_.Edit[1]->text().empty();
        default: return false;
    }
}

void DialogPointer::highlightButton(int button) {
    const DialogRects& rects = dialogRects(w_.ui.DialogNo);
    const InclusiveRect& rect = rects.buttons[static_cast<std::size_t>(button - 1)];
    platform::Image& highlight = *w_.Image4A;
    highlight.setPicture(w_.catalogue.byName(rects.highlights[static_cast<std::size_t>(button - 1)]));
    highlight.fitToPicture();
    highlight.setPosition(w_.Image4B->left() + rect.left, w_.Image4B->top() + rect.top);
    highlight.bringToFront();
    highlight.show();
    const int dialog = w_.ui.DialogNo;
    if (button == 1 && ((dialog >= 11 && dialog <= 18) || dialog == 21)) {
        // The second button shows plain beside the highlighted first.
        const InclusiveRect& second = rects.buttons[1];
        platform::Image& plain = *w_.Image4A_0;
        plain.setPicture(w_.catalogue.byName(dialog == 21 ? kPlainSecondButtonComplete : kPlainSecondButtonQuestion));
        plain.fitToPicture();
        plain.setPosition(w_.Image4B->left() + second.left, w_.Image4B->top() + second.top);
        plain.bringToFront();
        plain.show();
        highlight.bringToFront();
    }
}

void DialogPointer::Image4BMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    dialogPointX = x;
    dialogPointY = y;
    UiState& ui = w_.ui;
    int hit = hitAt(x, y);
    if (choiceMissing()) hit = std::min(hit, 0);
    if (hit == -1 || hit == ui.ButtonSel) return;
    const bool listDialog = ui.DialogNo >= 1 && ui.DialogNo <= 9;
    if (hit == 0) {
        w_.Image4A->hide();
        if (listDialog) w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameWhite);
    } else {
        const bool fileDialog = ui.DialogNo == 5 || ui.DialogNo == 8;
        if (hit == 1 && fileDialog && w_.Edit[1]->text().find_first_not_of(' ') == std::string::npos) {
            ui.ButtonSel = 0;
            return;
        }
        highlightButton(hit);
        if (listDialog) w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameGrey);
    }
    ui.ButtonSel = hit;
}

}  // namespace vxr::input
