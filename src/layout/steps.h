#pragma once
// The steps of an operation and what each one is: the kind of dialog the
// keys and the pointer work in, the operation it asks to proceed with or
// completes, its picture and where it stands, and the point the pointer is
// moved to when it opens (which highlights its default button). DialogNo
// and the trace hold the step numbers.

#include <array>

#include "layout/table_types.h"
#include "model/operation_state.h"

namespace vxr::layout {

enum class Step : int {
    None = 0,
    SourceDisk = 1,
    SourcePartitions = 2,
    ImageToRestore = 3,
    ImagePartition = 4,
    ImageToCheck = 5,
    DestinationDisk = 6,
    DestinationPartition = 7,
    NewImageName = 8,
    DestinationDetails = 9,
    Compression = 10,
    ProceedDiskCopy = 11,
    ProceedDiskImage = 12,
    ProceedDiskRestore = 13,
    ProceedPartitionCopy = 14,
    ProceedPartitionImage = 15,
    ProceedPartitionRestore = 16,
    ProceedImageCheck = 17,
    ProceedDiskCheck = 18,
    Run = 19,  // the progress screen while the operation runs
    ImageCreated = 20,
    Completed = 21,
    ImageChecked = 22,
    DiskChecked = 23,
    Password = 29,
    ProgressScreen = 119,   // shown as step 19
    ConfirmPassword = 129,  // shown as step 29
};

constexpr int number(Step step) { return static_cast<int>(step); }

// What a step's dialog offers: a disk or partition table, a file dialog,
// buttons only, the password edit, or the progress screen.
enum class StepKind { None, List, File, Buttons, Password, Progress };

struct StepPicture {
    const char* picture = "";
    Offset at;
    int catalogueSlot = 0;  // position in the dialog-picture table
};

struct StepRow {
    Step step = Step::None;
    StepKind kind = StepKind::None;
    int proceed = 0;                  // the operation this step asks to proceed with
    std::array<int, 4> completion{};  // the operations this step completes
    StepPicture picture;
    Offset preHighlight;  // absent: no button is highlighted on opening
};

namespace detail {
constexpr StepPicture kProceedPicture{"F4112B", {130, 101}, 12};
constexpr StepPicture kPasswordPicture{"F419B", {130, 101}, 29};
constexpr Offset kProceedYes{214, 103};
}  // namespace detail

// clang-format off
inline constexpr std::array<StepRow, 27> kSteps{{
    {Step::SourceDisk, StepKind::List, 0, {}, {"F401B", {60, 100}, 1}, {}},
    {Step::SourcePartitions, StepKind::List, 0, {}, {"F402B", {45, 98}, 2}, {}},
    {Step::ImageToRestore, StepKind::File, 0, {}, {"F403B", {120, 51}, 3}, {}},
    {Step::ImagePartition, StepKind::List, 0, {}, {"F404B", {45, 98}, 4}, {}},
    {Step::ImageToCheck, StepKind::File, 0, {}, {"F405B", {120, 51}, 5}, {}},
    {Step::DestinationDisk, StepKind::List, 0, {}, {"F406B", {87, 128}, 6}, {}},
    {Step::DestinationPartition, StepKind::List, 0, {}, {"F407B", {45, 98}, 7}, {}},
    {Step::NewImageName, StepKind::File, 0, {}, {"F408B", {120, 51}, 8}, {}},
    {Step::DestinationDetails, StepKind::List, 0, {}, {"F409B", {45, 96}, 9}, {}},
    {Step::Compression, StepKind::Buttons, 0, {}, {"F410B", {130, 101}, 10}, {40, 104}},
    {Step::ProceedDiskCopy, StepKind::Buttons, model::kDiskToDisk, {}, detail::kProceedPicture, detail::kProceedYes},
    {Step::ProceedDiskImage, StepKind::Buttons, model::kDiskToImage, {}, detail::kProceedPicture, detail::kProceedYes},
    {Step::ProceedDiskRestore, StepKind::Buttons, model::kDiskFromImage, {}, detail::kProceedPicture,
     detail::kProceedYes},
    {Step::ProceedPartitionCopy, StepKind::Buttons, model::kPartitionToPartition, {}, detail::kProceedPicture,
     detail::kProceedYes},
    {Step::ProceedPartitionImage, StepKind::Buttons, model::kPartitionToImage, {}, detail::kProceedPicture,
     detail::kProceedYes},
    {Step::ProceedPartitionRestore, StepKind::Buttons, model::kPartitionFromImage, {}, detail::kProceedPicture,
     detail::kProceedYes},
    {Step::ProceedImageCheck, StepKind::Buttons, model::kCheckImage, {}, detail::kProceedPicture,
     detail::kProceedYes},
    {Step::ProceedDiskCheck, StepKind::Buttons, model::kCheckDisk, {}, detail::kProceedPicture, {75, 103}},
    {Step::Run, StepKind::Progress, 0, {}, {}, {}},
    {Step::ImageCreated, StepKind::Buttons, 0, {model::kDiskToImage, model::kPartitionToImage},
     {"F4133B", {260, 131}, 22}, {140, 103}},
    {Step::Completed, StepKind::Buttons, 0,
     {model::kDiskToDisk, model::kDiskFromImage, model::kPartitionToPartition, model::kPartitionFromImage},
     {"F4132B", {260, 131}, 21}, {210, 104}},
    {Step::ImageChecked, StepKind::Buttons, 0, {model::kCheckImage}, {"F4133B", {260, 131}, 22}, {144, 103}},
    {Step::DiskChecked, StepKind::Buttons, 0, {model::kCheckDisk}, {"F4133B", {260, 131}, 22}, {144, 103}},
    {Step::Password, StepKind::Password, 0, {}, detail::kPasswordPicture, {}},
    {Step::ProgressScreen, StepKind::Progress, 0, {}, {"F412B", {43, 60}, 19}, {}},
    {Step::ConfirmPassword, StepKind::Password, 0, {}, detail::kPasswordPicture, {}},
    {},
}};
// clang-format on

// The row of step number `step`; an unknown number has the empty last row.
constexpr const StepRow& stepRow(int step) {
    for (const StepRow& row : kSteps) {
        if (number(row.step) == step) return row;
    }
    return kSteps.back();
}
constexpr const StepRow& stepRow(Step step) { return stepRow(number(step)); }

constexpr StepKind stepKind(int step) { return stepRow(step).kind; }
constexpr const StepPicture& stepPicture(int step) { return stepRow(step).picture; }
constexpr bool isFileDialog(int step) { return stepKind(step) == StepKind::File; }
constexpr bool isListDialog(int step) { return stepKind(step) == StepKind::List; }
constexpr bool isSelectionDialog(int step) { return isFileDialog(step) || isListDialog(step); }
constexpr bool isButtonDialog(int step) { return stepKind(step) == StepKind::Buttons; }
// The two table dialogs whose rows have size boxes to type into.
constexpr bool hasSizeBoxes(int step) {
    return step == number(Step::DestinationPartition) || step == number(Step::DestinationDetails);
}

inline constexpr const StepPicture& kProgressStep = stepPicture(number(Step::ProgressScreen));

// The proceed question and the completion step of an operation.
constexpr Step proceedStep(int opCode) {
    for (const StepRow& row : kSteps) {
        if (opCode != 0 && row.proceed == opCode) return row.step;
    }
    return Step::None;
}

constexpr Step completionStep(int opCode) {
    for (const StepRow& row : kSteps) {
        for (int op : row.completion) {
            if (opCode != 0 && op == opCode) return row.step;
        }
    }
    return Step::Completed;
}

}  // namespace vxr::layout
