#pragma once
// The three message-box pictures, their buttons and where they stand, and
// where the title and text lines are laid over them.

#include <array>

#include "layout/table_types.h"

namespace vxr::layout {

struct MessageKind {
    const char* picture;
    InclusiveRect button1;  // OK or Yes
    InclusiveRect button2;  // No, or absent
    // The title and message the picture itself carries, for the trace of a
    // code that lays no text of its own over them.
    const char* ownTitle;
    const char* ownLine;
};

// Index = kind 1..3.
inline constexpr std::array<MessageKind, 4> kMessageKinds{{
    {"", {}, {}, "", ""},
    {"F414B", {144, 103, 211, 122}, {}, "Error", "Not enough room on device for image headers (519)"},
    {"F415B", {74, 103, 141, 122}, {214, 103, 281, 122}, "Question: (1824)", "Image file already exists - overwrite?"},
    {"F416B", {144, 103, 211, 122}, {}, "Error (1931)", ""},
}};

inline constexpr Offset kQuestionPosition{130, 104};
inline constexpr Offset kQuitQuestionPosition{141, 104};  // dialog code 8 only
inline constexpr Offset kEmptyErrorPosition{130, 104};

// Label places relative to the dialog's corner.
inline constexpr Offset kTitleAt{6, 4};
inline constexpr Offset kLine1At{44, 32};
inline constexpr Offset kLine2At{44, 46};

// Button highlight pictures.
inline constexpr const char* kOkFocused = "F491";
inline constexpr const char* kYesFocused = "F441";
inline constexpr const char* kNoFocused = "F442";
inline constexpr const char* kYesPlain = "F443";

}  // namespace vxr::layout
