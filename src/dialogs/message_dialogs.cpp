#include "dialogs/message_dialogs.h"

#include <initializer_list>

#include "app/tform1.h"
#include "dialogs/labels.h"
#include "layout/message_codes.h"
#include "layout/message_dialog_layout.h"
#include "layout/palette.h"
#include "platform/application.h"
#include "platform/indexing.h"

namespace vxr::dialogs {

using namespace layout;

namespace {

// Message box pictures stand at these positions of the dialog-picture table.
constexpr int kFirstMessagePicture = 24;

void hideAll(std::initializer_list<platform::Control*> controls) {
    for (platform::Control* control : controls) control->hide();
}

}  // namespace

layout::Offset MessageDialogs::dialogPosition(int kind) const {
    if (kind == 1) return {w_.Image4B->left(), w_.Image4B->top()};
    if (kind == 2 && w_.ui.DialogCode == code(Msg::QuitQuestion)) return kQuitQuestionPosition;
    return kind == 2 ? kQuestionPosition : kEmptyErrorPosition;
}

void MessageDialogs::showPicture(int kind) {
    const layout::Offset at = dialogPosition(kind);
    platform::Image& box = *w_.Image4D;
    box.showAt(cell(w_.catalogue.DialogPictures, kFirstMessagePicture + kind - 1), at.x, at.y);
    box.bringToFront();
}

void MessageDialogs::showTexts() {
    const MessageCode& code = messageCode(w_.ui.DialogCode);
    const int left = w_.Image4D->left(), top = w_.Image4D->top();
    const std::string file = w_.computer.DirectoryPath(0, w_.op.LookInDirectory) + "\\" + w_.op.ImageFileName;
    const std::string title = fillMarks(code.title, w_.ErrorToken, file);
    const std::string line1 = fillMarks(code.line1, w_.ErrorToken, file);
    const std::string line2 = fillMarks(code.line2, w_.ErrorToken, file);
    if (!title.empty()) {
        showLabel(*w_.Label[24], title, {"Tahoma", 7, true, palette(9)}, palette(2), left + kTitleAt.x,
                  top + kTitleAt.y);
    }
    const platform::Font lineFont{"Microsoft Sans Serif", 7, false, platform::colors::black};
    if (!line1.empty()) showLabel(*w_.Label[21], line1, lineFont, palette(7), left + kLine1At.x, top + kLine1At.y);
    if (!line2.empty()) showLabel(*w_.Label[22], line2, lineFont, palette(7), left + kLine2At.x, top + kLine2At.y);
    // What the candidate reads: a text left out shows the picture's own.
    const MessageKind& kind = cell(kMessageKinds, messageKind(w_.ui.DialogCode));
    const bool ownMessage = line1.empty() && line2.empty();
    w_.trace.write("dialog", {{"code", w_.ui.DialogCode},
                              {"title", title.empty() ? kind.ownTitle : title},
                              {"line1", ownMessage ? kind.ownLine : line1},
                              {"line2", line2}});
}

int MessageDialogs::ask(Msg msg) {
    w_.ui.DialogCode = code(msg);
    const int kind = messageKind(w_.ui.DialogCode);
    showPicture(kind);
    showTexts();
    if (kind == 2) {
        const auto yes = kMessageKinds[2].button1;
        Image4DMouseMove(yes.left + 1, yes.top + 1);
        w_.ui.ButtonSel = 1;  // also while the mouse is locked
    } else {
        w_.ui.ButtonSel = 1;
    }
    w_.ui.DialogAnswer = 0;
    w_.waitUntil([this] { return w_.ui.DialogAnswer != 0; });
    w_.trace.write("answer", {{"code", w_.ui.DialogCode}, {"answer", w_.ui.DialogAnswer}});
    hideAll({w_.Image4D, w_.Image4A, w_.Image4A_0, w_.Label[21], w_.Label[22], w_.Label[24]});
    w_.ui.DialogCode = 0;
    return w_.ui.DialogAnswer;
}

void MessageDialogs::highlightButton(int button) {
    const int left = w_.Image4D->left(), top = w_.Image4D->top();
    const bool oneButton = isOneButtonCode(w_.ui.DialogCode);
    const MessageKind& kind = kMessageKinds[oneButton ? 1 : 2];
    const layout::InclusiveRect rect = button == 1 ? kind.button1 : kind.button2;
    const char* picture = oneButton ? kOkFocused : button == 1 ? kYesFocused : kNoFocused;
    platform::Image& highlight = *w_.Image4A;
    highlight.showAt(w_.catalogue.byName(picture), left + rect.left, top + rect.top);
    highlight.bringToFront();
    if (!oneButton && button == 2) {
        // Yes loses its focus frame while No has it.
        platform::Image& plain = *w_.Image4A_0;
        plain.showAt(w_.catalogue.byName(kYesPlain), left + kind.button1.left, top + kind.button1.top);
        highlight.bringToFront();
    }
    w_.ui.ButtonSel = button;
}

void MessageDialogs::Image4DMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    const bool oneButton = isOneButtonCode(w_.ui.DialogCode);
    const MessageKind& kind = kMessageKinds[oneButton ? 1 : 2];
    if (kind.button1.contains(x, y)) {
        highlightButton(1);
    } else if (!oneButton && kind.button2.contains(x, y)) {
        highlightButton(2);
    }
}

}  // namespace vxr::dialogs
