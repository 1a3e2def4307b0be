#include "dialogs/table_rows.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

#include "app/tform1.h"
#include "layout/palette.h"
#include "layout/steps.h"
#include "layout/table_layout.h"
#include "model/size_rules.h"
#include "platform/indexing.h"

namespace vxr::dialogs {

using namespace layout;

namespace {

using model::PartitionEntry;
using platform::Canvas;
using platform::Color;

constexpr int kDiskKindBasic = 1;
constexpr const char* kBasicText = "Basic";
constexpr const char* kNewText = "NEW";
constexpr const char* kFreeText = "Free";
constexpr const char* kTotalText = "Total";

struct StyleLook {
    Color fill;
    Color text;
};

StyleLook styleLook(int style) {
    switch (style) {
        case kChosenRow: return {palette(2), platform::colors::white};
        case kCursorRow:
        case kCursorOnChosen: return {palette(3), platform::colors::white};
        case kUnusableRow: return {palette(1), palette(6)};
        default: return {palette(1), platform::colors::black};
    }
}

int rowTop(int row) { return kRowHeight * (row - 1); }

// Writes `text` placed as the column says: starting at x, ending at x, or
// centred on x (half the width taken toward zero).
void place(Canvas& canvas, Align align, int x, int y, const std::string& text) {
    switch (align) {
        case Align::Left: canvas.textOut(x, y, text); break;
        case Align::Right: canvas.textOut(x - canvas.textWidth(text), y, text); break;
        case Align::Centre: canvas.textOut(x - canvas.textWidth(text) / 2, y, text); break;
    }
}

void place(Canvas& canvas, const Column& column, int y, const std::string& text) {
    place(canvas, column.align, column.x, y, text);
}

void line(Canvas& canvas, Color color, int width, int x1, int y1, int x2, int y2) {
    canvas.pen() = {color, width};
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
}

std::string number(std::int64_t value) { return std::to_string(value); }

// The size box text as a number: its leading digits, 0 without any, and at
// most the largest size a record can hold (a long run of digits must not
// overflow; the size rules then cut it to the disk).
std::int32_t parseSize(const std::string& text) {
    std::int64_t value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') break;
        value = std::min<std::int64_t>(value * 10 + (ch - '0'), std::numeric_limits<std::int32_t>::max());
    }
    return static_cast<std::int32_t>(value);
}

bool isSizeBoxCharacter(char32_t character) {
    return (character >= U'0' && character <= U'9') || character == U'\b' || character == U'\x1b';
}

}  // namespace

std::string partitionKindText(int typeId) { return model::TCOMPUTER::IsPrimaryType(typeId) ? "Primary" : "Logical"; }

std::string typeIdText(int typeId) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02x", static_cast<unsigned>(typeId));
    return text.data();
}

int TableRows::rowStyle(int row) const {
    if (row < 1 || row > 4) return kNotDrawn;
    return at(RowStyles, row);
}

void TableRows::reset() {
    RowStyles.fill(kNotDrawn);
    PendingSizeRow = 0;
}

int TableRows::sizeBoxColumn() const {
    const int op = w_.ui.OpCode;
    return op == model::kDiskToDisk || op == model::kDiskFromImage ? kDiskBoxColumn : kPartitionBoxColumn;
}

// ---- rows ------------------------------------------------------------------------

void TableRows::DrawTableRow(int computer, int rowKind, int disk, int style, int image, int row) {
    if (!w_.Image1D || (disk == 0 && row == 0)) return;
    const int n = rowKind == kDiskRow ? disk : row;
    const bool footer =
        rowKind == kPartitionListFooter || rowKind == kDiskCopyDetailsFooter || rowKind == kImageDetailsFooter;
    if (!footer && n >= 1 && n <= 4) at(RowStyles, n) = static_cast<std::uint16_t>(style);
    paintBand(n, style, rowKind != kPartitionListFooter);
    drawColumns(computer, rowKind, disk, image, row, rowTop(n));
    drawStyleLine(style, rowTop(n));
    refreshSizeBoxes(style, n);
}

// The separator under row n and the row's band; without a band fill the
// texts are still written on palette 1.
void TableRows::paintBand(int n, int style, bool filled) {
    platform::Image& table = *w_.Image1D;
    Canvas& canvas = table.canvas();
    const int width = table.width(), top = rowTop(n);
    line(canvas, palette(1), 1, 0, kRowHeight * n - 1, width - 1, kRowHeight * n - 1);
    const StyleLook look = styleLook(style);
    canvas.brush() = {filled ? look.fill : palette(1), platform::BrushStyle::Solid};
    if (filled) canvas.fillRect({0, top, width - 1, top + kRowBandDepth});
    canvas.font() = {"Microsoft Sans Serif", 7, false, look.text};
}

void TableRows::drawColumns(int computer, int rowKind, int disk, int image, int row, int top) {
    const model::MachineRecord& record = w_.computer.record();
    switch (rowKind) {
        case kDiskRow: drawDiskColumns(computer, disk, top); break;
        case kPartitionRow:
        case kNewPartitionRow: drawPartitionColumns(rowKind, record.partition(computer, disk, row), row, top); break;
        case kSourceDetailRow:
            drawDetailColumns(rowKind, record.partition(computer, w_.op.SourceDisk, row), row, top);
            break;
        case kImagePartitionRow:
        case kImageDetailRow: {
            const model::ImageEntry entry = record.image(computer, image);
            const PartitionEntry part = row >= 1 && row <= 4 ? at(entry.partitions, row) : PartitionEntry{};
            drawDetailColumns(rowKind, part, row, top);
            break;
        }
        case kPartitionListFooter: drawPartitionFooter(computer, top); break;
        case kDiskCopyDetailsFooter:
        case kImageDetailsFooter: drawDetailFooter(computer, rowKind, image, top); break;
        default: break;
    }
}

void TableRows::drawDiskColumns(int computer, int disk, int top) {
    const model::DiskEntry entry = w_.computer.record().disk(computer, disk);
    Canvas& canvas = w_.Image1D->canvas();
    const int y = top - kRowTextRaise;
    place(canvas, kDiskColumns[0], y, number(disk));
    place(canvas, kDiskColumns[1], y, number(entry.capacity));
    // The record holds only basic disks; another kind shows no type.
    if (entry.kind == kDiskKindBasic) place(canvas, kDiskColumns[2], y, kBasicText);
    place(canvas, kDiskColumns[3], y, number(entry.cylinders));
    place(canvas, kDiskColumns[4], y, number(entry.heads));
    place(canvas, kDiskColumns[5], y, number(entry.sectorsPerTrack));
}

void TableRows::drawPartitionColumns(int rowKind, const PartitionEntry& part, int row, int top) {
    Canvas& canvas = w_.Image1D->canvas();
    const int y = top - kRowTextRaise;
    if (rowKind == kNewPartitionRow) {
        place(canvas, Align::Left, kNewRowPartX, y, kNewText);
    } else {
        place(canvas, kPartitionColumns[0], y, number(row));
    }
    place(canvas, kPartitionColumns[1], y, partitionKindText(part.type));
    place(canvas, kPartitionColumns[2], y, typeIdText(part.type));
    place(canvas, kPartitionColumns[3], y, model::TCOMPUTER::PartitionTypeName(part.type));
    const std::int64_t size = rowKind == kNewPartitionRow && row >= 1 && row <= 4 ? w_.op.targetSize(row) : part.size;
    place(canvas, kPartitionColumns[4], y, number(size));
    place(canvas, kPartitionColumns[5], y, number(part.dataSize));
}

void TableRows::drawDetailColumns(int rowKind, const PartitionEntry& part, int row, int top) {
    Canvas& canvas = w_.Image1D->canvas();
    const int y = top - kRowTextRaise;
    place(canvas, kDetailColumns[0], y, number(row));
    place(canvas, kDetailColumns[1], y, partitionKindText(part.type));
    place(canvas, kDetailColumns[2], y, typeIdText(part.type));
    place(canvas, kDetailColumns[3], y, model::TCOMPUTER::PartitionTypeName(part.type));
    // The old size stands under the size box too, which covers it.
    if (rowKind != kImagePartitionRow) place(canvas, kDetailColumns[4], y, number(part.size));
    place(canvas, kDetailColumns[5], y, number(part.size));
    place(canvas, kDetailColumns[6], y, number(part.dataSize));
}

std::int64_t TableRows::targetSizeSum(int count) const {
    std::int64_t sum = 0;
    for (int p = 1; p <= std::min(count, 4); ++p) sum += at(w_.op.TargetSizes, p);
    return sum;
}

// The Free line, the two lines under it and the Total line: "Total", the
// capacity, and sums ending at the given right edges.
void TableRows::drawFooter(const FooterLayout& at, int top, std::int64_t freeSpace, std::int64_t capacity,
                           std::initializer_list<FooterSum> sums) {
    Canvas& canvas = w_.Image1D->canvas();
    const int y = top - kRowTextRaise;
    place(canvas, Align::Left, at.freeLabelX, y, kFreeText);
    place(canvas, at.freeValueAlign, at.freeValueX, y, number(freeSpace));
    line(canvas, platform::colors::black, 1, kFooterLineLeft, top + kFooterDarkLineDrop, kFooterLineRight,
         top + kFooterDarkLineDrop);
    line(canvas, kFooterLightLine, 1, kFooterLineLeft, top + kFooterLightLineDrop, kFooterLineRight,
         top + kFooterLightLineDrop);
    const int totalY = top + kFooterTotalDrop;
    place(canvas, Align::Left, at.totalLabelX, totalY, kTotalText);
    place(canvas, at.capacityAlign, at.capacityX, totalY, number(capacity));
    for (const FooterSum& sum : sums) place(canvas, Align::Right, sum.right, totalY, number(sum.value));
}

// Free space after the new sizes and the destination's totals, under the
// destination partition list.
void TableRows::drawPartitionFooter(int computer, int top) {
    const model::MachineRecord& record = w_.computer.record();
    const int count = w_.op.SourcePartCount;
    const std::int64_t capacity = record.disk(computer, w_.op.TargetDisk).capacity;
    std::int64_t dataSum = 0;
    for (int p = 1; p <= std::min(count, 4); ++p) dataSum += record.partition(computer, w_.op.TargetDisk, p).dataSize;
    drawFooter(kPartitionFooter, top, capacity - targetSizeSum(count), capacity, {{kPartitionColumns[5].x, dataSum}});
}

// Free space after the new sizes and the source's totals, under the
// destination drive details. A disk copy's source is always on the local
// computer; the destination capacity is the computer's passed in.
void TableRows::drawDetailFooter(int computer, int rowKind, int image, int top) {
    const model::TCOMPUTER& machine = w_.computer;
    const model::MachineRecord& record = machine.record();
    const bool fromImage = rowKind == kImageDetailsFooter;
    const int count =
        fromImage ? record.imagePartitionsInUse(computer, image) : record.partitionsInUse(0, w_.op.SourceDisk);
    const std::int64_t capacity = record.disk(computer, w_.op.TargetDisk).capacity;
    const std::int64_t sizeSum =
        fromImage ? machine.SumImagePartitionSize(computer, image) : machine.SumPartitionSize(0, w_.op.SourceDisk);
    const std::int64_t dataSum =
        fromImage ? machine.SumImageDataSize(computer, image) : machine.SumDataSize(0, w_.op.SourceDisk);
    drawFooter(kDetailFooter, top, capacity - targetSizeSum(count), capacity,
               {{kDetailColumns[5].x, sizeSum}, {kDetailColumns[6].x, dataSum}});
}

void TableRows::drawStyleLine(int style, int top) {
    platform::Image& table = *w_.Image1D;
    Canvas& canvas = table.canvas();
    const int width = table.width();
    switch (style) {
        case kPlainRow: line(canvas, palette(1), 1, 0, top + kRowBandDepth, width - 1, top + kRowBandDepth); break;
        case kChosenRow: line(canvas, palette(1), 1, 0, top - 1, width - 1, top - 1); break;
        case kCursorRow:
        case kCursorOnChosen: {
            const int left = kCursorFrameInset, right = width - 1 - kCursorFrameInset;
            const std::array<platform::Point, 5> frame{{{left, top},
                                                        {right, top},
                                                        {right, top + kRowBandDepth},
                                                        {left, top + kRowBandDepth},
                                                        {left, top - 1}}};
            canvas.pen() = {style == kCursorRow ? palette(1) : palette(2), kCursorFrameWidth};
            canvas.polyline(frame);
            canvas.pen().width = 1;
            break;
        }
        default: break;
    }
}

// The boxes stand over the rows: a redrawn row would hide their frames.
void TableRows::refreshSizeBoxes(int style, int row) {
    const int column = sizeBoxColumn();
    for (int k = 1; k <= 4; ++k) {
        platform::Edit& box = *cell(w_.Edit, k);
        if (!box.visible()) continue;
        DrawSizeBox(k, column);
        if ((style == kCursorRow || style == kCursorOnChosen) && k == row && box.showing()) box.setFocus();
    }
}

// ---- size boxes ----------------------------------------------------------------

void TableRows::DrawSizeBox(int row, int column) {
    if (!w_.Image1D || row < 1 || row > 4 || column < 1 || column > 2) return;
    platform::Image& table = *w_.Image1D;
    const int x = cell(kSizeBoxX, column);
    const int y = rowTop(row) + kSizeBoxDrop;
    platform::Edit& box = *cell(w_.Edit, row);
    box.setBounds(table.left() + x, table.top() + y, kSizeBoxWidth, kSizeBoxHeight);
    platform::Font font = box.font();
    font.points = 7;
    box.setFont(font);
    const int style = rowStyle(row);
    box.setColor(style == kChosenRow || style == kCursorOnChosen ? palette(2)
                 : style == kCursorRow                           ? palette(3)
                                                                 : palette(1));
    box.bringToFront();
    box.show();
    box.setText(number(w_.op.targetSize(row)));
    Canvas& canvas = table.canvas();
    const std::array<platform::Point, 5> frame{{{x - 1, y - 1},
                                                {x + kSizeBoxWidth, y - 1},
                                                {x + kSizeBoxWidth, y + kSizeBoxHeight},
                                                {x - 1, y + kSizeBoxHeight},
                                                {x - 1, y - 1}}};
    canvas.pen() = {platform::colors::white, 1};
    canvas.polyline(frame);
}

void TableRows::CommitSizeBox(int row) {
    const int op = w_.ui.OpCode;
    const bool diskOperation = op == model::kDiskToDisk || op == model::kDiskFromImage;
    const bool partitionOperation = op == model::kPartitionToPartition || op == model::kPartitionFromImage;
    if ((!diskOperation && !partitionOperation) || row < 1 || row > 4) return;
    w_.op.targetSize(row) = parseSize(cell(w_.Edit, row)->text());
    const int computer = w_.ui.PeerMode;
    model::SizeRules(w_.computer, w_.op, w_.options).ApplySizeRules(computer, row);
    DrawSizeBox(row, diskOperation ? kDiskBoxColumn : kPartitionBoxColumn);
    const model::MachineRecord& record = w_.computer.record();
    if (op == model::kDiskToDisk) {
        // The footer stands under the source disk's rows, and the source is
        // always the local computer's disk.
        const int sourceRows = record.partitionsInUse(0, w_.op.SourceDisk);
        DrawTableRow(computer, kDiskCopyDetailsFooter, 0, kPlainRow, 0, sourceRows + 1);
    } else if (op == model::kDiskFromImage) {
        DrawTableRow(computer, kImageDetailsFooter, 0, kPlainRow, w_.op.ImageIndex,
                     record.imagePartitionsInUse(computer, w_.op.ImageIndex) + 1);
    } else {
        DrawTableRow(computer, kPartitionListFooter, w_.op.TargetDisk, kPlainRow, 0, w_.op.SourcePartCount + 1);
    }
    PendingSizeRow = 0;
}

bool TableRows::sizeBoxesActive() const { return w_.Image1D != nullptr && hasSizeBoxes(w_.ui.DialogNo); }

void TableRows::SizeBoxKeyPress(int box, char32_t& character) {
    if (!sizeBoxesActive()) return;
    if (isSizeBoxCharacter(character)) {
        PendingSizeRow = box;
        return;
    }
    if (character == U'\r' && PendingSizeRow != 0) CommitSizeBox(PendingSizeRow);
    character = 0;
}

void TableRows::SizeBoxClick(int box) {
    if (!sizeBoxesActive() || box < 1 || box > 4) return;
    cell(w_.Edit, box)->setColor(palette(4));
}

void TableRows::SizeBoxExit() {
    if (PendingSizeRow != 0) CommitSizeBox(PendingSizeRow);
}

}  // namespace vxr::dialogs
