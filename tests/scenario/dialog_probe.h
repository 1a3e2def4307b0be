#pragma once
// Helpers for the selection dialog tests: a machine with several disks,
// partitions, directories and images, the step picture placed as the
// operation sequence places it, and probes of texts drawn on a picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "app/tform1.h"
#include "dialogs/dialog_contents.h"
#include "dialogs/table_rows.h"
#include "layout/palette.h"
#include "layout/step_layout.h"
#include "layout/table_layout.h"
#include "platform/canvas.h"
#include "trainer_harness.h"

namespace vxr::test {

inline constexpr double kCreated = 46000.5;  // 2025-12-9 12:00:00

// Local computer:
//   disk 1, 20000 MB: 1 NTFS 8000/3000, 2 NTFS extd (999) 4000/500; 8000 free
//   disk 2, 40000 MB: 1 Fat32 10000/9000, 2 Linux 2000/100; 28000 free
//   disk 3, 30000 MB: four partitions, the last an extended one (type 5)
//   disk 4, 6000 MB: 1 NTFS 6000/10, nothing free
// Directories: 1 root of C: (disk 1:1), 2 root of D: (2:1), 3 BACKUP in 1,
// 4 OLD in 3, 5 a freed entry that still names 1 as parent, 6 root of E: (3:1).
// Images: 1 SYSTEM (1234567 MB, two partitions) and 2 SMALL in C:\, 3 DEEP
// in BACKUP. Peer: one disk of 50000 MB with one partition.
inline model::MachineRecord dialogMachine() {
    model::MachineRecord record;
    record.setDiskCount(0, 4);
    auto disk = [](std::int32_t capacity, std::initializer_list<model::PartitionEntry> parts) {
        model::DiskEntry entry;
        entry.capacity = capacity;
        entry.kind = 1;
        entry.cylinders = 2432;
        entry.heads = 255;
        entry.sectorsPerTrack = 63;
        for (const auto& part : parts) entry.partitions[entry.partitionCount++] = part;
        return entry;
    };
    record.setDisk(0, 1, disk(20000, {{7, 0, 8000, 3000}, {999, 0, 4000, 500}}));
    record.setDisk(0, 2, disk(40000, {{6, 0, 10000, 9000}, {131, 0, 2000, 100}}));
    record.setDisk(0, 3, disk(30000, {{7, 0, 5000, 10}, {131, 0, 5000, 10}, {131, 0, 5000, 10}, {5, 0, 5000, 0}}));
    record.setDisk(0, 4, disk(6000, {{7, 0, 6000, 10}}));
    record.setDirectory(0, 1, {1, 1, 0, "", kCreated});
    record.setDirectory(0, 2, {2, 1, 0, "", kCreated});
    record.setDirectory(0, 3, {1, 1, 1, "BACKUP", kCreated});
    record.setDirectory(0, 4, {1, 1, 3, "OLD", kCreated});
    record.setDirectory(0, 5, {0, 1, 1, "GONE", kCreated});
    record.setDirectory(0, 6, {3, 1, 0, "", kCreated});
    model::ImageEntry system;
    system.directory = 1;
    system.size = 1234567;
    system.name = "SYSTEM";
    system.created = kCreated;
    system.partitionCount = 2;
    system.partitions[0] = {7, 0, 8000, 3000};
    system.partitions[1] = {6, 0, 2000, 700};
    record.setImage(0, 1, system);
    record.setImage(0, 2, {1, 12, "SMALL", kCreated, 1, {{{7, 0, 100, 50}}}, 0, ""});
    record.setImage(0, 3, {3, 7, "DEEP", kCreated, 1, {{{7, 0, 100, 50}}}, 0, ""});
    record.setDiskCount(1, 1);
    record.setDisk(1, 1, disk(50000, {{7, 0, 1000, 200}}));
    record.setDirectory(1, 1, {1, 1, 0, "", kCreated});
    return record;
}

// Puts the step picture of dialog `step` in Image4B where the operation
// sequence puts it.
inline void showStep(app::TForm1& w, int step) {
    const layout::StepPicture& step_ = layout::stepPicture(step);
    w.Image4B->setPicture(w.catalogue.DialogPictures[static_cast<std::size_t>(step_.catalogueSlot)]);
    w.Image4B->fitToPicture();
    w.Image4B->setPosition(step_.at.x, step_.at.y);
    w.Image4B->show();
    w.ui.DialogNo = step;
}

inline const platform::Font kTableFont{"Microsoft Sans Serif", 7, false, platform::colors::black};

inline int textWidth(std::string_view text) {
    platform::Bitmap scratch(1, 1);
    platform::Canvas canvas(scratch);
    canvas.font() = kTableFont;
    return canvas.textWidth(text);
}

// Checks that `text` in `color` stands in `picture` with its cell's corner at
// (x, y): inside the cell exactly the pixels the text inks have that colour.
// Lines above `fromY` are not compared (frames drawn over a text's top).
inline ::testing::AssertionResult textAt(const platform::Bitmap& picture, int x, int y, std::string_view text,
                                         platform::Color color, int fromY = 0) {
    const platform::Color background =
        color == platform::colors::black ? platform::colors::white : platform::colors::black;
    platform::Bitmap expected(picture.width(), picture.height(), background);
    platform::Canvas canvas(expected);
    canvas.font() = kTableFont;
    canvas.font().color = color;
    canvas.brush().style = platform::BrushStyle::Clear;
    canvas.textOut(x, y, text);
    const int width = canvas.textWidth(text), height = canvas.textHeight(text);
    int ink = 0;
    for (int py = std::max({0, y, fromY}); py < std::min(picture.height(), y + height); ++py) {
        for (int px = std::max(0, x); px < std::min(picture.width(), x + width); ++px) {
            const bool inked = expected.pixel(px, py) == color;
            ink += inked;
            if (inked != (picture.pixel(px, py) == color)) {
                return ::testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y
                                                     << ") differs at pixel (" << px << ", " << py << ")";
            }
        }
    }
    if (ink == 0) return ::testing::AssertionFailure() << "\"" << text << "\" inks nothing";
    return ::testing::AssertionSuccess();
}

// The same with the text ending at `right`.
inline ::testing::AssertionResult textEndingAt(const platform::Bitmap& picture, int right, int y, std::string_view text,
                                               platform::Color color, int fromY = 0) {
    return textAt(picture, right - textWidth(text), y, text, color, fromY);
}

// A column's text in a row whose top is `top` (texts stand one line higher).
inline ::testing::AssertionResult columnText(const platform::Bitmap& picture, const layout::Column& column, int top,
                                             std::string_view text, platform::Color color, int fromY = 0) {
    const int y = top - layout::kRowTextRaise;
    switch (column.align) {
        case layout::Align::Left: return textAt(picture, column.x, y, text, color, fromY);
        case layout::Align::Right: return textEndingAt(picture, column.x, y, text, color, fromY);
        case layout::Align::Centre: return textAt(picture, column.x - textWidth(text) / 2, y, text, color, fromY);
    }
    return ::testing::AssertionFailure();
}

inline int rowTop(int row) { return layout::kRowHeight * (row - 1); }

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : trainer(dialogMachine()) {}
    void SetUp() override { ASSERT_TRUE(trainer.start()); }

    app::TForm1& w() { return trainer.window(); }
    input::UiState& ui() { return trainer.ui(); }
    model::OperationState& op() { return trainer.window().op; }
    dialogs::TableRows& rows() { return trainer.window().tableRows(); }
    const platform::Bitmap& table() { return *w().Image1D->bitmap(); }

    // Opens dialog `step` of operation `opCode` on `computer`.
    void build(int opCode, int step, int computer = 0) {
        ui().OpCode = op().OpCode = opCode;
        ui().PeerMode = computer;
        showStep(w(), step);
        w().dialogContents().BuildDialogContents(computer, step);
    }

    TrainerHarness trainer;
};

}  // namespace vxr::test
