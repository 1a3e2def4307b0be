#include "operations/operation_sequence.h"

#include <algorithm>

#include "app/focus_frame.h"
#include "app/screens.h"
#include "app/tform1.h"
#include "dialogs/dialog_contents.h"
#include "dialogs/labels.h"
#include "dialogs/message_dialogs.h"
#include "input/dialog_pointer.h"
#include "layout/palette.h"
#include "layout/step_layout.h"
#include "layout/step_texts.h"
#include "operations/progress.h"
#include "operations/record_saves.h"
#include "platform/application.h"
#include "platform/indexing.h"
#include "platform/text.h"

namespace vxr::operations {

using namespace layout;

namespace {

constexpr int kPasswordLength = 10;

bool isPasswordStep(Step step) { return stepKind(number(step)) == StepKind::Password; }

}  // namespace

std::string trimmedUpper(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    std::string result = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    return platform::asciiUpper(result);
}

namespace {

// The password typed in the edit as an image keeps it, so that what is
// compared is what is (or was) stored.
std::string typedPassword(const std::string& text) {
    return platform::cp936Prefix(trimmedUpper(text), model::bytes::kImagePasswordCapacity);
}

}  // namespace

// ---- steps -------------------------------------------------------------------

void OperationSequence::showStepPicture(Step step) {
    const StepPicture& place = stepRow(step).picture;
    platform::Image& dialog = *w_.Image4B;
    dialog.showAt(cell(w_.catalogue.DialogPictures, place.catalogueSlot), place.at.x, place.at.y);
    dialog.bringToFront();
    const StepTexts texts = stepTexts(number(step), w_.ui.PeerMode == 1);
    const platform::Font lineFont{"Microsoft Sans Serif", 7, false, platform::colors::black};
    const auto lay = [&](int label, const std::string& text, layout::Offset at, const platform::Font& font, int band) {
        if (text.empty()) return;
        dialogs::showLabel(*cell(w_.Label, label), text, font, layout::palette(band), dialog.left() + at.x,
                           dialog.top() + at.y);
    };
    lay(24, texts.title, kStepTitleAt, {"Tahoma", 7, true, layout::palette(9)}, 2);
    lay(21, texts.line1, kStepLine1At, lineFont, 7);
    lay(22, texts.line2, kStepLine2At, lineFont, 7);
    if (step == Step::ConfirmPassword) lay(21, confirmPasswordText(), kConfirmPasswordAt, lineFont, 7);
}

void OperationSequence::preHighlight(Step step) {
    const Offset at = stepRow(step).preHighlight;
    if (at.present()) w_.dialogPointer().Image4BMouseMove(at.x, at.y);
}

void OperationSequence::showPasswordEdit() {
    platform::Edit& edit = *w_.Edit[1];
    edit.setBounds(w_.Image4B->left() + kPasswordEditAt.x, w_.Image4B->top() + kPasswordEditAt.y, kPasswordEditWidth,
                   kPasswordEditHeight);
    edit.setColor(layout::palette(4));
    edit.setFont({"Microsoft Sans Serif", 13, false, platform::colors::black});
    edit.setMaxLength(kPasswordLength);
    edit.setText("");
    edit.setPasswordChar(U'*');
    edit.bringToFront();
    edit.show();
    edit.setFocus();
}

int OperationSequence::AskStep(Step step) {
    input::UiState& ui = w_.ui;
    ui.FieldPos = 1;
    ui.DialogNo = number(step == Step::ProgressScreen    ? Step::Run
                         : step == Step::ConfirmPassword ? Step::Password
                                                         : step);
    ui.DialogAnswer = 0;
    ui.ButtonSel = 0;
    if (step == Step::ProgressScreen) {
        const StepPicture& place = kProgressStep;
        w_.IMAGE2BP->showAt(cell(w_.catalogue.DialogPictures, place.catalogueSlot), place.at.x, place.at.y);
        w_.progress().ShowProgressScreen();
        return 0;
    }
    showStepPicture(step);
    w_.trace.write("step", {{"step", number(step)}});
    preHighlight(step);
    if (isFileDialog(ui.DialogNo)) openFileDialog();
    if (isPasswordStep(step)) showPasswordEdit();
    if (isSelectionDialog(ui.DialogNo)) {
        w_.dialogContents().BuildDialogContents(ui.PeerMode, ui.DialogNo);
        w_.focusFrame().DrawFocusFrame(ui.DialogNo, app::kFrameWhite);
        ui.FieldPos = 1;
    }
    w_.waitUntil([this] { return w_.ui.DialogAnswer != 0; });
    w_.focusFrame().DrawFocusFrame(1, app::kFrameHidden);
    if (isFileDialog(ui.DialogNo) && ui.DialogAnswer == 1 && !takeChosenName(step)) {
        w_.trace.write("stepAnswer",
                       {{"step", number(step)}, {"answer", ui.DialogAnswer}, {"dialogCode", ui.DialogCode}});
        w_.screens().HideDialog();
        w_.Edit[5]->setFocus();
        return ui.DialogAnswer;
    }
    nlohmann::json answer = {{"step", number(step)}, {"answer", ui.DialogAnswer}};
    if (ui.DialogAnswer == 1) answer.update(stepChoice(step));
    w_.trace.write("stepAnswer", answer);
    w_.screens().HideDialog();
    w_.Edit[5]->setFocus();
    if (stepRow(step).completion[0] != 0) w_.progress().hide();
    if (isPasswordStep(step)) w_.Edit[1]->setPasswordChar(0);
    return ui.DialogAnswer;
}

// ---- passwords -----------------------------------------------------------------

// One try: the password, and for a new password its confirmation.
OperationSequence::PasswordTry OperationSequence::tryPassword(const std::string& expected, std::string& entry) {
    const int answer = AskStep(Step::Password);
    if (w_.end.requested) return PasswordTry::Ended;
    if (answer != 1) return PasswordTry::Declined;
    entry = typedPassword(w_.Edit[1]->text());
    if (!expected.empty()) return entry == expected ? PasswordTry::Accepted : PasswordTry::Wrong;
    const int confirmed = AskStep(Step::ConfirmPassword);
    if (w_.end.requested) return PasswordTry::Ended;
    if (confirmed != 1) return PasswordTry::Declined;
    return typedPassword(w_.Edit[1]->text()) == entry ? PasswordTry::Accepted : PasswordTry::Differs;
}

std::string OperationSequence::AskPassword(const std::string& expected) {
    dialogs::MessageDialogs& messages = w_.messages();
    std::string entry;
    while (true) {
        const PasswordTry result = tryPassword(expected, entry);
        switch (result) {
            case PasswordTry::Accepted: return entry;
            case PasswordTry::Ended: return "";
            case PasswordTry::Differs: messages.ask(Msg::PasswordsDiffer); break;
            case PasswordTry::Declined:
            case PasswordTry::Wrong: {
                // Asked whether to try again; giving up is told once more.
                const Msg again = result == PasswordTry::Declined ? Msg::InvalidPassword : Msg::WrongPassword;
                if (messages.ask(again) == 1 && !w_.end.requested) break;
                messages.ask(Msg::NoPassword);
                return "";
            }
        }
    }
}

void OperationSequence::endProgram() {
    if (w_.CommandLineRun) w_.endProgram(app::kExitOperationFailed);  // the batch operation was not carried out
    w_.screens().FormClose();
    w_.endProgram(app::kExitNormal);
}

// ---- the run -------------------------------------------------------------------

// Opening a protected image: the command line's password or the questions.
bool OperationSequence::checkImagePassword() {
    const int op = w_.op.OpCode;
    if (op != model::kDiskFromImage && op != model::kPartitionFromImage) return true;
    const std::string password = w_.computer.record().image(w_.ui.PeerMode, w_.op.ImageIndex).password;
    if (password.empty()) return true;
    if (w_.CommandLineRun && !w_.op.ImagePassword.empty()) {
        if (w_.op.ImagePassword == password) return true;
        w_.messages().ask(Msg::WrongSwitchPassword);
        return false;
    }
    return AskPassword(password) == password;
}

// Creating an image under the password option without a password given.
bool OperationSequence::askNewImagePassword() {
    const int op = w_.op.OpCode;
    if (op != model::kDiskToImage && op != model::kPartitionToImage) return true;
    if (!w_.options.imagePassword() || !w_.op.ImagePassword.empty()) return true;
    w_.op.ImagePassword = AskPassword("");
    if (!w_.op.ImagePassword.empty()) return true;
    endProgram();
    return false;
}

OperationSequence::Flow OperationSequence::confirmProceed() {
    const int answer = AskStep(proceedStep(w_.op.OpCode));
    if (w_.end.requested) return Flow::Stop;
    if (answer == 2) {
        if (w_.CommandLineRun) return Flow::Stop;
        w_.progress().hide();
        return Flow::Back;
    }
    const std::uint16_t flags = w_.computer.GetRestrictionFlags();
    if ((flags & model::kMouseLocked) && (flags & model::kKeyboardLocked)) {
        w_.trace.write("messageBox", {{"text", kCommandLineOnlyOperationMessage}});
        w_.app().messageBox(kCommandLineOnlyOperationMessage);
        return Flow::Stop;
    }
    return Flow::Go;
}

// Everything asked before the record changes, in the tool's order.
OperationSequence::Flow OperationSequence::askQuestions(bool interactive) {
    if (interactive && !(askSource() && askImageToRead())) return Flow::Back;
    if (!checkImagePassword()) {
        // A candidate who cannot open the image ends the program.
        if (interactive && !w_.end.requested) endProgram();
        return Flow::Stop;
    }
    if (interactive && !(askImageContents() && askDestination() && askNewImageName())) return Flow::Back;
    if (!askNewImagePassword()) return Flow::Stop;
    if (interactive && !(cloneFits() && askDestinationDetails())) return Flow::Back;
    if (!newPartitionsHoldData()) return interactive ? Flow::Back : Flow::Stop;
    AskStep(Step::ProgressScreen);
    if (interactive) askCompression();
    if (w_.end.requested) return Flow::Stop;
    return w_.options.sure() ? Flow::Go : confirmProceed();
}

void OperationSequence::StartOperation() {
    // An interactive job starts from the file as it is now: another copy
    // may have saved since. Its choices are not written yet.
    if (!w_.CommandLineRun) RefreshRecord(w_);
    StartOperation(w_.computer.record());
}

void OperationSequence::StartOperation(model::MachineRecord untouched) {
    const bool interactive = !w_.CommandLineRun;
    if (interactive) prepareInteractiveRun();
    w_.ui.OpCode = w_.op.OpCode;
    w_.trace.write("operationStart", {{"opCode", w_.op.OpCode}, {"commandLine", w_.CommandLineRun}});
    const Flow flow = askQuestions(interactive);
    if (flow == Flow::Stop || w_.end.requested) {
        putBack(untouched);
        return;
    }
    if (flow != Flow::Go || !carryOut()) putBack(untouched);
    w_.screens().ResetMainScreen();
}

// Changes the record and saves it, then shows the completion. A job the
// data file took stays, even when the assessment copy could not be written.
bool OperationSequence::carryOut() {
    bool failed = true;
    w_.progress().RunOperation(failed);
    if (!failed && !w_.options.sure()) AskStep(completionStep(w_.op.OpCode));
    w_.progress().hide();
    return w_.progress().jobSaved();
}

// The choices written as drafts (a new image's entry, the free-space row
// of a partition list, its sizes) and a job that failed leave nothing behind:
// a later save would write them, and a disk copy would copy them.
void OperationSequence::putBack(const model::MachineRecord& untouched) {
    w_.computer.record() = untouched;
    w_.computer.BuildDriveLetters();
}

}  // namespace vxr::operations
