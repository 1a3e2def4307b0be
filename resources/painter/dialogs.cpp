// The operation dialogs, the message boxes, the peer boxes and every button
// picture, each button cut out of its dialog painted with that button in the
// wanted state.

#include <string>
#include <vector>

#include "dialog_contents.h"
#include "layout/dialog_areas.h"
#include "layout/dialog_rects.h"
#include "layout/message_dialog_layout.h"
#include "layout/peer_layout.h"
#include "layout/step_layout.h"
#include "layout/table_layout.h"
#include "look.h"
#include "platform/indexing.h"
#include "registry.h"

namespace vxr::painter {

namespace {

using layout::InclusiveRect;

enum class Sign { None, Exclamation, Question, Information };

struct ButtonSpec {
    InclusiveRect rect;
    std::string caption;
};

struct DialogLook {
    std::string name;
    std::string title;
    Sign sign = Sign::None;
    std::string line1, line2;
    std::vector<ButtonSpec> buttons;
    Contents contents;
};

// Buttons of a dialog from the rectangle table, with their captions.
std::vector<ButtonSpec> tableButtons(int dialogNo, std::vector<std::string> captions) {
    std::vector<ButtonSpec> buttons;
    for (std::size_t i = 0; i < captions.size(); ++i)
        buttons.push_back({layout::dialogRects(dialogNo).buttons[i], captions[i]});
    return buttons;
}

Bitmap paintDialog(const DialogLook& look, int focused, ButtonLook focusLook = ButtonLook::Focused) {
    const int width = pictureWidth(look.name), height = pictureHeight(look.name);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    titleBar(canvas, width, look.title);
    if (look.sign == Sign::Exclamation) exclamationSign(canvas, 10, 30);
    if (look.sign == Sign::Question) questionSign(canvas, 10, 30);
    if (look.sign == Sign::Information) informationSign(canvas, 10, 30);
    if (!look.line1.empty()) text(canvas, 44, 32, look.line1, kSans, 7, kBlack);
    if (!look.line2.empty()) text(canvas, 44, 46, look.line2, kSans, 7, kBlack);
    if (look.contents) look.contents(canvas, look.name);
    for (std::size_t i = 0; i < look.buttons.size(); ++i) {
        const bool isFocused = static_cast<int>(i) + 1 == focused;
        button(canvas, toRect(look.buttons[i].rect), look.buttons[i].caption,
               isFocused ? focusLook : ButtonLook::Plain);
    }
    return picture;
}

// ---- contents ------------------------------------------------------------

layout::Area areaOf(int dialogNo) { return layout::selectionDialog(dialogNo).area; }

Rect areaRect(const layout::Area& a) { return {a.left, a.top, a.left + a.width, a.top + a.height}; }

// Column heads above a table area, aligned like the rows below them.
template <std::size_t N>
void tableHeads(Canvas& canvas, const layout::Area& area, const std::array<layout::Column, N>& columns) {
    const int y = area.top - 13;
    canvas.bitmap().fill({area.left, y - 1, area.left + area.width, area.top - 1}, pal(4));
    for (const auto& column : columns) {
        const int width = textWidth(canvas, column.head, kSans, 7);
        int x = area.left + column.x;
        if (column.align == layout::Align::Right) x -= width;
        if (column.align == layout::Align::Centre) x -= width / 2;
        text(canvas, x, y, column.head, kSans, 7, kBlack);
    }
}

void tableArea(Canvas& canvas, const layout::Area& area) { sunkenField(canvas, areaRect(area), pal(1)); }

Contents diskTable(int dialogNo) {
    return [dialogNo](Canvas& canvas, const std::string&) {
        tableHeads(canvas, areaOf(dialogNo), layout::kDiskColumns);
        tableArea(canvas, areaOf(dialogNo));
    };
}

Contents partitionTable(int dialogNo) {
    return [dialogNo](Canvas& canvas, const std::string&) {
        const layout::Area area = areaOf(dialogNo);
        tableHeads(canvas, area, layout::kPartitionColumns);
        text(canvas, area.left + layout::kPartitionLabelX, area.top - 13, "Label", kSans, 7, kBlack);
        tableArea(canvas, area);
    };
}

Contents detailTable(int dialogNo) {
    return [dialogNo](Canvas& canvas, const std::string&) {
        const layout::Area area = areaOf(dialogNo);
        tableHeads(canvas, area, layout::kDetailColumns);
        text(canvas, area.left + layout::kDetailLabelX, area.top - 13, "Label", kSans, 7, kBlack);
        tableArea(canvas, area);
    };
}

// The disk digit of the title, where the title label later shows it.
Contents withDiskDigit(Contents table, layout::Offset at) {
    return [table, at](Canvas& canvas, const std::string& name) {
        table(canvas, name);
        text(canvas, at.x, at.y, "1", "Garamond", 9, pal(9), true);
    };
}

void passwordContents(Canvas& canvas, const std::string&) {
    const layout::Offset at = layout::kPasswordEditAt;
    text(canvas, layout::kConfirmPasswordAt.x, layout::kConfirmPasswordAt.y, "Enter Password (10 Characters maximum)",
         kSans, 7, kBlack);
    sunkenField(canvas, {at.x, at.y, at.x + layout::kPasswordEditWidth, at.y + layout::kPasswordEditHeight}, pal(4));
}

// ---- the pictures ----------------------------------------------------------

std::vector<DialogLook> dialogLooks() {
    using layout::kMessageKinds;
    const auto& kind1 = kMessageKinds[1];
    const auto& kind2 = kMessageKinds[2];
    const auto& slave = layout::kPeerBoxRects[1];
    const auto& master = layout::kPeerBoxRects[2];
    // clang-format off
    return {
        {"F401B", "Select local source drive by clicking on the drive number", Sign::None, "", "",
         tableButtons(1, {"OK", "Cancel"}), diskTable(1)},
        {"F402B", "Select source partition(s) from Basic drive", Sign::None, "", "", tableButtons(2, {"OK", "Cancel"}),
         withDiskDigit(partitionTable(2), layout::kSourceDiskDigitAt)},
        {"F403B", "Image file name to restore from", Sign::None, "", "", tableButtons(3, {"Open", "Cancel"}),
         fileDialogContents},
        {"F404B", "Select source partition from image file", Sign::None, "", "", tableButtons(4, {"OK", "Cancel"}),
         partitionTable(4)},
        {"F405B", "Image file name to check", Sign::None, "", "", tableButtons(5, {"Open", "Cancel"}), fileDialogContents},
        {"F406B", "Select local destination drive by clicking on the drive number", Sign::None, "", "",
         tableButtons(6, {"OK", "Cancel"}), diskTable(6)},
        {"F407B", "Select destination partition from Basic drive", Sign::None, "", "", tableButtons(7, {"OK", "Cancel"}),
         withDiskDigit(partitionTable(7), layout::kTargetDiskDigitAt)},
        {"F408B", "File name to copy image to", Sign::None, "", "", tableButtons(8, {"Save", "Cancel"}), fileDialogContents},
        {"F409B", "Destination Drive Details", Sign::None, "", "", tableButtons(9, {"OK", "Cancel"}), detailTable(9)},
        {"F410B", "Compress Image (1916)", Sign::Question, "Compress image file?", "",
         tableButtons(10, {"No", "Fast", "High"}), nullptr},
        {"F4112B", "Question: (1832)", Sign::Question, "Proceed with Image File Creation?", "",
         {{kind2.button1, "Yes"}, {kind2.button2, "No"}}, nullptr},
        {"F4132B", "Clone Complete (1912)", Sign::Information, "Clone Completed Successfully", "",
         tableButtons(21, {"Continue", "Reset Computer"}), nullptr},
        {"F4133B", "Verify complete (1498)", Sign::Information, "Image file passed integrity check", "",
         tableButtons(22, {"Continue"}), nullptr},
        {"F414B", "Error", Sign::Exclamation, "Not enough room on device for image headers (519)", "",
         {{kind1.button1, "OK"}}, nullptr},
        {"F415B", "Question: (1824)", Sign::Question, "Image file already exists - overwrite?", "",
         {{kind2.button1, "Yes"}, {kind2.button2, "No"}}, nullptr},
        {"F416B", "Error (1931)", Sign::Exclamation, "", "", {{kMessageKinds[3].button1, "OK"}}, nullptr},
        {"F417B", "Question: (1838)", Sign::Question, "Proceed with saving the current settings ?", "",
         {{kind2.button1, "Yes"}, {kind2.button2, "No"}}, nullptr},
        {"F418B", "Saving File (1975)", Sign::Information, "Current settings successfully saved to file", "",
         {{kind1.button1, "OK"}}, nullptr},
        {"F419B", "Password", Sign::None, "", "", tableButtons(29, {"OK", "Cancel"}), passwordContents},
        {"FP21", "Slave Connect...", Sign::None, "Attempting to connect via TCP/IP ...",
         std::string("Use IP address ") + layout::kSlaveAddress + " in master", {{slave.buttons[0], "Cancel"}},
         slaveWaitingContents},
        {"FP22", "Slave TCP/IP address to Join to", Sign::None, "", "",
         {{master.buttons[0], "OK"}, {master.buttons[1], "Cancel"}}, masterAddressContents},
        {"FP23", "Connected", Sign::None, "Program connected in TCP/IP slave mode", "", {}, connectedContents},
        {"F331B", "VexorCast Session", Sign::None, "", "", {{{94, 190, 161, 209}, "OK"}, {{214, 190, 281, 209}, "Cancel"}},
         sessionContents},
    };
    // clang-format on
}

struct ButtonCut {
    const char* highlight;
    const char* dialog;
    int button;  // 1..3
    ButtonLook look;
};

// Each button picture and the dialog it is cut from. Position-0 pictures
// show the second button plain.
constexpr ButtonCut kButtonCuts[] = {
    {"F411", "F401B", 1, ButtonLook::Focused},  {"F412", "F401B", 2, ButtonLook::Focused},
    {"F421", "F403B", 1, ButtonLook::Focused},  {"F422", "F403B", 2, ButtonLook::Focused},
    {"F430", "F402B", 2, ButtonLook::Plain},    {"F431", "F402B", 1, ButtonLook::Focused},
    {"F432", "F402B", 2, ButtonLook::Focused},  {"F440", "F415B", 2, ButtonLook::Plain},
    {"F441", "F415B", 1, ButtonLook::Focused},  {"F442", "F415B", 2, ButtonLook::Focused},
    {"F443", "F415B", 1, ButtonLook::Plain},    {"F450", "F4132B", 2, ButtonLook::Plain},
    {"F451", "F4132B", 1, ButtonLook::Focused}, {"F452", "F4132B", 2, ButtonLook::Focused},
    {"F461", "F408B", 1, ButtonLook::Focused},  {"F462", "F408B", 2, ButtonLook::Focused},
    {"F470", "F410B", 2, ButtonLook::Plain},    {"F471", "F410B", 1, ButtonLook::Focused},
    {"F472", "F410B", 2, ButtonLook::Focused},  {"F473", "F410B", 3, ButtonLook::Focused},
    {"F481", "F4133B", 1, ButtonLook::Focused}, {"F491", "F414B", 1, ButtonLook::Focused},
    {"F4A1", "F419B", 1, ButtonLook::Focused},  {"F4A2", "F419B", 2, ButtonLook::Focused},
};

}  // namespace

void addDialogPictures(Registry& registry) {
    const std::vector<DialogLook> looks = dialogLooks();
    for (const DialogLook& look : looks) registry[look.name] = [look] { return paintDialog(look, 0); };
    for (const ButtonCut& cut : kButtonCuts) {
        const auto look =
            std::find_if(looks.begin(), looks.end(), [&](const DialogLook& l) { return l.name == cut.dialog; });
        const DialogLook dialog = *look;
        registry[cut.highlight] = [dialog, cut] {
            const InclusiveRect rect = at(dialog.buttons, cut.button).rect;
            const int focused = cut.look == ButtonLook::Focused ? cut.button : 0;
            return crop(paintDialog(dialog, focused), rect.left, rect.top, pictureWidth(cut.highlight),
                        pictureHeight(cut.highlight));
        };
    }
}

}  // namespace vxr::painter
