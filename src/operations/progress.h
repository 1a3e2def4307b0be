#pragma once
// Where an operation takes effect: the progress screen with its Details
// panel, and RunOperation, which changes the record, saves it (the grader
// reads the file) and only then plays the progress bar.

#include <chrono>
#include <string>
#include <vector>

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

// One Details row: the caption on the left and the value on the right.
struct DetailRow {
    std::string caption;
    std::string value;
    bool valueWhite = false;
    bool valueBold = false;
};

class Progress {
public:
    explicit Progress(app::TForm1& window) : w_(window) {}

    // Fills the Details panel of the progress screen, which is on screen.
    void ShowProgressScreen();
    // Applies the operation, saves, plays the bar. Sets `operationFailed`.
    void RunOperation(bool& operationFailed);
    // True once an operation has changed the record and saved it.
    bool completed() const { return completed_; }
    // True when the last RunOperation wrote its change to the data file
    // (whether or not the assessment's copy followed).
    bool jobSaved() const { return jobSaved_; }
    // Hides the progress screen, its Details, the percent box and the bar.
    void hide();

    // The Details rows for the operation state as it is now.
    std::vector<DetailRow> detailRows() const;

    // The bar's pace: 517 steps of this delay (about five seconds in all).
    std::chrono::microseconds stepDelay{9600};

private:
    void animate();
    void showPercent(int percent);

    app::TForm1& w_;
    bool completed_ = false;
    bool jobSaved_ = false;
};

}  // namespace vxr::operations
