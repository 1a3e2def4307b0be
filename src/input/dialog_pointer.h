#pragma once
// The pointer over an operation dialog and its contents: which button is
// highlighted (the one Enter chooses), the cursor row and the chosen rows of
// the disk and partition tables, the file list and the Look-in drop-down.
// The keyboard drives the same handlers with positions of its own.

#include "platform/geometry.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::input {

class DialogPointer {
public:
    explicit DialogPointer(app::TForm1& window) : w_(window) {}

    // The dialog picture and its buttons.
    void Image4BMouseMove(int x, int y);
    void Image4BClick();
    void Image4AMouseMove();
    void Image4AClick();
    void Image4A_0MouseMove();
    // The table of disks or partitions.
    void Image1DMouseMove(int x, int y);
    void Image1DClick();
    void Image1DDblClick();
    // The file list and the Look-in drop-down.
    void Image5DAMouseMove(int x, int y);
    void Image5DAClick();
    void Image2DMouseMove(int x, int y);
    void Image2DClick();
    // Characters typed into Edit1..Edit4 (box = the edit's tag): Enter in the
    // Master box's address edit answers its first button; in the destination
    // tables they are the size boxes' keys.
    void Edit2KeyPress(int box, char32_t& character);
    void Edit2Click(int box);

    // Takes a size typed into a size box over into TargetSizes.
    void takeOverPendingSize();
    // The same move made by the keyboard (Tab over the peer boxes' buttons).
    void keyboardMove(int x, int y);

    // What (x, y) hits in the open dialog: -1 area A, 0 nothing (or area B),
    // else the button number.
    int hitAt(int x, int y) const;
    // The dialog cannot be answered with its first button yet.
    bool choiceMissing() const;
    // Row `row` of the open table is chosen.
    bool rowChosen(int row) const;

    // The last positions over each layer, in the layer's coordinates; the
    // keyboard sets them before it calls a click handler.
    platform::Point DialogPoint, ListPoint, FilePoint, LookInPoint;

private:
    void highlightButton(int button);
    void dropButtonHighlight();
    void cursorLeavesTable();
    void removeTableCursor();
    void redrawTableRow(int row, int style);
    int plainStyle(int row) const;
    int cursorStyle(int row) const;
    int usableRowFrom(int row) const;
    bool beyondTargetPartitions(int row) const;
    void choosePartition(int row);
    void chooseOne(int row, int& chosen);
    void openFileListEntry(int row);
    void peerBoxMove(int x, int y);
    void showHighlight(const char* picture, int left, int top);

    bool keyboardMoving_ = false;

    app::TForm1& w_;
};

}  // namespace vxr::input
