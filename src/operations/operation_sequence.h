#pragma once
// The question sequence of an operation: the steps the candidate answers
// (password, proceed question, completion) around the progress screen and
// the record change. A command-line run comes with its selections made; the
// interactive selection steps are the file and list dialogs' part.

#include <string>

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

inline constexpr const char* kCommandLineOnlyOperationMessage =
    "考题要求使用命令行，不应出现需要应答的对话框，本次操作无效。\r\n看帮助可用命令 VXR -?";

// The proceed question and the completion step of each operation.
int proceedStep(int opCode);
int completionStep(int opCode);

class OperationSequence {
public:
    explicit OperationSequence(app::TForm1& window) : w_(window) {}

    // Runs the operation of OpCode as a command-line run: its selections
    // were made by the command line.
    void StartOperation();

    // Shows one step and waits for its answer (steps 19 and 119 return at once).
    void AskStep(int step);
    // The password dialogs: with `expected` the entry is checked against it,
    // without it the password is asked twice. Returns the accepted password,
    // upper case, or empty when the candidate gives up.
    std::string AskPassword(const std::string& expected);

private:
    bool checkImagePassword();
    bool askNewImagePassword();
    bool confirmProceed();
    void showStepPicture(int step);
    void preHighlight(int step);
    void showPasswordEdit();
    void endProgram();

    app::TForm1& w_;
};

}  // namespace vxr::operations
