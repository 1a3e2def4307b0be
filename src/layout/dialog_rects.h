#pragma once
// The operation dialogs' hit rectangles, in the dialog picture's coordinates
// with both edges included: area A, area B, buttons 1 to 3, and the highlight
// picture of each button, and the plain second button shown beside a
// highlighted first. The keyboard uses the buttons' top-left corners.

#include <array>

#include "layout/table_types.h"
#include "platform/indexing.h"

namespace vxr::layout {

struct DialogRects {
    InclusiveRect areaA;
    InclusiveRect areaB;
    std::array<InclusiveRect, 3> buttons{};
    std::array<const char*, 3> highlights{{"", "", ""}};
    const char* plainSecond = "";  // empty: the second button keeps its look
};

inline constexpr int kDialogCount = 29;

// The plain second button shown while the first has the highlight.
inline constexpr const char* kPlainSecondButtonQuestion = "F440";
inline constexpr const char* kPlainSecondButtonComplete = "F450";

namespace detail {
constexpr InclusiveRect kNone{};
constexpr InclusiveRect kSelectTable{28, 44, 426, 112};
constexpr InclusiveRect kFileList{18, 47, 391, 245};
constexpr InclusiveRect kLookInColumn{98, 23, 310, 298};

// clang-format off
constexpr DialogRects diskList{kSelectTable, kNone, {{{104, 133, 190, 152}, {264, 133, 349, 152}, kNone}}, {{"F411", "F412", ""}}};
constexpr DialogRects fileRead{kLookInColumn, kFileList, {{{324, 253, 391, 271}, {324, 279, 391, 297}, kNone}}, {{"F421", "F422", ""}}};
constexpr DialogRects question{kNone, kNone, {{{75, 103, 141, 122}, {214, 103, 280, 122}, kNone}}, {{"F441", "F442", ""}}, kPlainSecondButtonQuestion};
constexpr DialogRects messageBox{kNone, kNone, {{{64, 103, 145, 122}, {209, 103, 289, 122}, kNone}}, {{"F411", "F412", ""}}};
// clang-format on
}  // namespace detail

// Index = DialogNo 1..29 (0 unused).
// clang-format off
inline constexpr std::array<DialogRects, kDialogCount + 1> kDialogRects{{
    {},
    /* 1 */ detail::diskList,
    /* 2 */ {{}, {}, {{{104, 183, 201, 202}, {304, 183, 401, 202}, {}}}, {{"F431", "F432", ""}}},
    /* 3 */ detail::fileRead,
    /* 4 */ {{}, {}, {{{104, 161, 202, 180}, {304, 161, 402, 180}, {}}}, {{"F431", "F432", ""}}},
    /* 5 */ detail::fileRead,
    /* 6 */ detail::diskList,
    /* 7 */ {{}, {23, 43, 506, 174}, {{{104, 205, 201, 224}, {304, 205, 401, 224}, {}}}, {{"F431", "F432", ""}}},
    /* 8 */ {{18, 47, 391, 245}, {98, 23, 311, 299}, {{{324, 253, 391, 271}, {324, 279, 391, 297}, {}}}, {{"F461", "F462", ""}}},
    /* 9 */ {{23, 34, 506, 162}, {}, {{{104, 183, 201, 202}, {304, 183, 401, 202}, {}}}, {{"F431", "F432", ""}}},
    /* 10 */ {{}, {}, {{{39, 103, 106, 122}, {144, 103, 211, 122}, {249, 103, 316, 122}}}, {{"F471", "F472", "F473"}}},
    /* 11 */ detail::question,
    /* 12 */ detail::question,
    /* 13 */ detail::question,
    /* 14 */ detail::question,
    /* 15 */ detail::question,
    /* 16 */ detail::question,
    /* 17 */ detail::question,
    /* 18 */ {{}, {}, {{{74, 103, 141, 122}, {214, 103, 280, 122}, {}}}, {{"F441", "F442", ""}}, kPlainSecondButtonQuestion},
    /* 19 */ {{}, {}, {{{513, 316, kAbsent, kAbsent}, {}, {}}}, {{"", "", ""}}},
    /* 20 */ {{}, {}, {{{140, 103, kAbsent, kAbsent}, {}, {}}}, {{"F451", "", ""}}},
    /* 21 */ {{}, {}, {{{64, 103, 145, 122}, {209, 103, 289, 122}, {}}}, {{"F451", "F452", ""}}, kPlainSecondButtonComplete},
    /* 22 */ {{}, {}, {{{144, 103, 211, 122}, {}, {}}}, {{"F481", "", ""}}},
    /* 23 */ {{}, {}, {{{144, 103, 211, 122}, {}, {}}}, {{"F481", "", ""}}},
    /* 24 */ detail::messageBox,
    /* 25 */ detail::messageBox,
    /* 26 */ detail::messageBox,
    /* 27 */ detail::messageBox,
    /* 28 */ detail::messageBox,
    /* 29 */ {{}, {}, {{{54, 93, 121, 112}, {214, 93, 281, 112}, {}}}, {{"F4A1", "F4A2", ""}}},
}};
// clang-format on

constexpr const DialogRects& dialogRects(int dialogNo) {
    return dialogNo >= 1 && dialogNo <= kDialogCount ? cell(kDialogRects, dialogNo) : kDialogRects[0];
}

// The stops (FieldPos) of a file dialog, and the focus frame areas of the
// name edit and the Look-in box.
enum FileStop : int {
    kFileListStop = 1,
    kNameEditStop = 2,
    kSecondButtonStop = 3,
    kFirstButtonStop = 4,
    kLookInStop = 5
};
inline constexpr int kNameEditFrame = 11;
inline constexpr int kLookInFrame = 12;

// The Look-in arrow of the file dialogs, in the dialog picture; the
// keyboard points at its corner + 1.
inline constexpr InclusiveRect kLookInArrow{294, 26, 309, 41};

// The peer connection's boxes by LeafItem: 1 the slave's waiting box,
// 2 the master's address box.
struct PeerBoxRects {
    std::array<InclusiveRect, 2> buttons{};
    std::array<const char*, 2> highlights{{"", ""}};
};
// ButtonSel while the slave's "Connected" box is up: it has no buttons.
inline constexpr int kPeerBoxWithoutButtons = 999;
inline constexpr std::array<PeerBoxRects, 3> kPeerBoxRects{{
    {},
    {{{{145, 103, 211, 122}, {}}}, {{"F462", ""}}},
    {{{{54, 117, 121, 136}, {214, 117, 281, 136}}}, {{"F491", "F462"}}},
}};

}  // namespace vxr::layout
