#pragma once
// The drive and partition tables of the selection dialogs: one 13-pixel row
// at a time drawn on the dialog's table picture (Image1D) from the machine
// record, the size boxes (Edit1..Edit4) in which new partition sizes are
// typed, and the taking over of a typed size into TargetSizes.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "layout/table_layout.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::model {
struct PartitionEntry;
}

namespace vxr::dialogs {

using layout::FooterLayout;

// Row kinds of DrawTableRow.
enum RowKind : int {
    kDiskRow = 1,
    kPartitionRow = 2,
    kSourceDetailRow = 3,        // partition of SourceDisk, destination details of a disk copy
    kPartitionListFooter = 4,    // below the destination partition list
    kDiskCopyDetailsFooter = 5,  // below the destination details of a disk copy
    kNewPartitionRow = 6,        // the partition a copy will create in free space
    kImagePartitionRow = 12,     // partition held in an image
    kImageDetailRow = 13,        // destination details of a restore from an image
    kImageDetailsFooter = 15,    // below the destination details of a restore
};

// Row styles.
enum RowStyle : int {
    kNotDrawn = 0,
    kPlainRow = 1,
    kChosenRow = 2,
    kCursorRow = 3,
    kCursorOnChosen = 4,
    kUnusableRow = 5,
};

// Size box columns.
inline constexpr int kPartitionBoxColumn = 1;
inline constexpr int kDiskBoxColumn = 2;

// "Primary" or "Logical", and the type id in lower-case hexadecimal of at
// least two digits (131 is "83", 999 is "3e7").
std::string partitionKindText(int typeId);
std::string typeIdText(int typeId);

class TableRows {
public:
    explicit TableRows(app::TForm1& window) : w_(window) {}

    // The style rows 1..4 were last drawn with (footers are not recorded).
    std::array<std::uint16_t, 4> RowStyles{};
    // Row 1..4 of the size box typed into and not yet taken over; 0 none.
    int PendingSizeRow = 0;

    int rowStyle(int row) const;
    // A list dialog opens: no row drawn, nothing pending.
    void reset();

    void DrawTableRow(int computer, int rowKind, int disk, int style, int image, int row);
    void DrawSizeBox(int row, int column);
    void CommitSizeBox(int row);

    // The size boxes' handlers (box = the edit's tag, 1..4). They act only
    // while a table dialog with size boxes is open: digits, Backspace and Esc
    // mark the box pending, Enter takes it over, other keys are discarded.
    void SizeBoxKeyPress(int box, char32_t& character);
    void SizeBoxClick(int box);
    void SizeBoxExit();

    // The size box column of the current operation (2 for disk copies and
    // restores, 1 for partition ones).
    int sizeBoxColumn() const;

private:
    bool sizeBoxesActive() const;
    void paintBand(int n, int style, bool filled);
    void drawColumns(int computer, int rowKind, int disk, int image, int row, int top);
    void drawDiskColumns(int computer, int disk, int top);
    void drawPartitionColumns(int rowKind, const model::PartitionEntry& part, int row, int top);
    void drawDetailColumns(int rowKind, const model::PartitionEntry& part, int row, int top);
    void drawPartitionFooter(int computer, int top);
    void drawDetailFooter(int computer, int rowKind, int image, int top);
    struct FooterSum {
        int right;
        std::int64_t value;
    };
    void drawFooter(const FooterLayout& at, int top, std::int64_t freeSpace, std::int64_t capacity,
                    std::initializer_list<FooterSum> sums);
    void drawStyleLine(int style, int top);
    void refreshSizeBoxes(int style, int row);
    std::int64_t targetSizeSum(int count) const;

    app::TForm1& w_;
};

}  // namespace vxr::dialogs
