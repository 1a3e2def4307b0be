#pragma once
// The operation steps' pictures and where they stand in the window, and where
// their titles and text lines are laid over them.

#include <array>

#include "input/table_types.h"

namespace vxr::operations {

using input::Offset;

struct StepPicture {
    const char* picture = "";
    Offset at;
    int catalogueSlot = 0;  // position in the dialog-picture table
};

// Index = step (DialogNo) 1..29; steps 119 and 129 use stepPicture().
inline constexpr std::array<StepPicture, 30> kStepPictures{{
    {},
    {"F401B", {60, 100}, 1},
    {"F402B", {45, 98}, 2},
    {"F403B", {120, 51}, 3},
    {"F404B", {45, 98}, 4},
    {"F405B", {120, 51}, 5},
    {"F406B", {87, 128}, 6},
    {"F407B", {45, 98}, 7},
    {"F408B", {120, 51}, 8},
    {"F409B", {45, 96}, 9},
    {"F410B", {130, 101}, 10},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {"F4112B", {130, 101}, 12},
    {},  // 19 runs the operation; the progress screen is step 119
    {"F4133B", {260, 131}, 22},
    {"F4132B", {260, 131}, 21},
    {"F4133B", {260, 131}, 22},
    {"F4133B", {260, 131}, 22},
    {}, {}, {}, {}, {},
    {"F419B", {130, 101}, 29},
}};

inline constexpr StepPicture kProgressStep{"F412B", {43, 60}, 19};       // step 119
inline constexpr StepPicture kConfirmPasswordStep{"F419B", {130, 101}, 29};  // step 129

constexpr const StepPicture& stepPicture(int step) {
    if (step == 119) return kProgressStep;
    if (step == 129) return kConfirmPasswordStep;
    return step >= 1 && step <= 29 ? kStepPictures[static_cast<std::size_t>(step)] : kStepPictures[0];
}

// Overlaid texts, relative to the step picture's corner.
inline constexpr Offset kStepTitleAt{6, 4};
inline constexpr Offset kStepLine1At{44, 32};
inline constexpr Offset kStepLine2At{44, 45};
inline constexpr Offset kConfirmPasswordAt{12, 31};

// The password edit of steps 29 and 129.
inline constexpr Offset kPasswordEditAt{54, 54};
inline constexpr int kPasswordEditWidth = 226;
inline constexpr int kPasswordEditHeight = 15;

}  // namespace vxr::operations
