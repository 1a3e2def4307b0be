#pragma once
// The question sequence of an operation: the selection dialogs (source,
// destination, file names, sizes), the password, compression and proceed
// questions around the progress screen and the record change, and the
// completion. A command-line run comes with its selections made and skips
// the selection dialogs.

#include <string>

#include <nlohmann/json.hpp>

#include "layout/steps.h"
#include "layout/table_types.h"
#include "model/record.h"

namespace vxr::platform {
class Edit;
}

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

using layout::Step;

inline constexpr const char* kCommandLineOnlyOperationMessage =
    "考题要求使用命令行，不应出现需要应答的对话框，本次操作无效。\r\n看帮助可用命令 VXR -?";

// A typed entry as the tool takes it: blanks cut off both ends, upper case.
std::string trimmedUpper(const std::string& text);

// Shows the plain text edit (Edit2) empty over the dialog picture at `at` from its corner,
// in the dialogs' edit colour and font; the file-name and peer-address boxes use it.
platform::Edit& showDialogEdit(app::TForm1& w, layout::Offset at, int width, int height);

class OperationSequence {
public:
    explicit OperationSequence(app::TForm1& window) : w_(window) {}

    // Runs an operation: in a command-line run the one of OpCode, with its
    // selections made; otherwise the one highlighted in the Local menu.
    // The choices are written into the record as they are made; a job that
    // does not reach the data file puts the record back as it was before
    // them: as it is now (an interactive job reads the file again first),
    // or `untouched` for a command line whose parse has written its entries.
    void StartOperation();
    void StartOperation(model::MachineRecord untouched);

    // Shows one step, waits for its answer and returns it: 1 for the first
    // button (OK, Yes), 2 and 3 for the others. The progress screen returns
    // 0 at once. A file dialog whose name is refused answers 1 and leaves
    // the message saying why in DialogCode.
    int AskStep(Step step);
    // The password dialogs: with `expected` the entry is checked against it,
    // without it the password is asked twice. Returns the accepted password,
    // upper case, or empty when the candidate gives up.
    std::string AskPassword(const std::string& expected);

private:
    // How one try at the password dialogs ends.
    enum class PasswordTry { Accepted, Declined, Wrong, Differs, Ended };
    PasswordTry tryPassword(const std::string& expected, std::string& entry);

    // How a part of the run ends: go on, back to the main screen, or stop
    // (the command-line driver closes the window; a program end is under way).
    enum class Flow { Go, Back, Stop };

    Flow askQuestions(bool interactive);
    void prepareInteractiveRun();
    // The interactive selection steps (selection_steps.cpp); false: Cancel.
    bool askSource();
    bool askImageToRead();
    bool askImageContents();
    bool askDestination();
    void carrySourceDataToNewPartition();
    bool askNewImageName();
    bool cloneFits();
    bool newPartitionsHoldData();
    bool destinationTooSmall();  // says so; false
    bool askDestinationDetails();
    void askCompression();
    // Selection dialog parts of AskStep.
    void openFileDialog();
    void chooseFirstLookInLetter();
    void showFileNameEdit();
    bool takeChosenName(Step step);
    bool takeTypedName(Step step);
    nlohmann::json stepChoice(Step step) const;

    bool checkImagePassword();
    bool askNewImagePassword();
    Flow confirmProceed();
    bool carryOut();  // true when the data file took the job
    void putBack(const model::MachineRecord& untouched);
    void showStepPicture(Step step);
    void preHighlight(Step step);
    void showPasswordEdit();
    void endProgram();

    app::TForm1& w_;
};

}  // namespace vxr::operations
