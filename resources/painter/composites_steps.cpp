// Composites of an operation: each step's picture at its place with the
// texts laid over it, the progress screen with the bar part-way, and the
// three message boxes with sample texts at their label places. The texts are
// samples of what the trainer writes there.

#include <string>

#include "layout/dialog_areas.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/message_codes.h"
#include "layout/message_dialog_layout.h"
#include "layout/progress_layout.h"
#include "layout/step_layout.h"
#include "layout/step_texts.h"
#include "layout/steps.h"
#include "platform/indexing.h"
#include "platform/text.h"
#include "scene.h"

namespace vxr::painter {

namespace {

using layout::number;
using layout::Offset;
using layout::Step;
using layout::stepPicture;

using layout::StepTexts;
using layout::stepTexts;

// The button a step highlights when it opens (1 to 3): the one under the
// point the pointer is moved to; 0 for none.
int preHighlightedButton(int step) {
    const Offset at = layout::stepRow(step).preHighlight;
    const auto& buttons = layout::dialogRects(step).buttons;
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        if (buttons[b].contains(at.x, at.y)) return static_cast<int>(b) + 1;
    }
    return 0;
}

void progressScreen(Scene& scene) { scene.put(layout::kProgressStep.picture, layout::kProgressStep.at); }

void layTexts(Scene& scene, Offset at, const StepTexts& texts) {
    if (!texts.title.empty()) scene.label(texts.title, at + layout::kStepTitleAt, titleLabel());
    if (!texts.line1.empty()) scene.label(texts.line1, at + layout::kStepLine1At, lineLabel());
    if (!texts.line2.empty()) scene.label(texts.line2, at + layout::kStepLine2At, lineLabel());
}

void buttonHighlight(Scene& scene, int step, Offset origin) {
    const int button = preHighlightedButton(step);
    if (button == 0) return;
    const auto& rects = layout::dialogRects(step);
    const auto& rect = at(rects.buttons, button);
    scene.put(at(rects.highlights, button), origin, {rect.left, rect.top});
}

// The Look-in line and three sample rows of the file list, to see them meet
// the column heads.
void fileDialogOverlays(Scene& scene, Offset at, const std::string& typedName) {
    using namespace layout;
    const Offset line = at + kLookInLineAt;
    scene.fill({line.x, line.y, line.x + kLookInLineWidth, line.y + kLookInLineHeight}, pal(4));
    scene.label("C: 1:1 [] NTFS drive", line, {kSans, 7, false, kBlack, pal(4)});
    const Area area = selectionDialog(3).area;
    const Offset list = at + Offset{area.left, area.top};
    scene.fill({list.x, list.y, list.x + area.width - 1, list.y + 12}, pal(3));
    scene.put(kParentIcon, list + Offset{kFileIconX, 0});
    scene.put(kDirectoryIcon, list + Offset{kFileIconX, 13});
    scene.label("BACKUP", list + Offset{kFileNameX, 12}, {kSans, 7, false, kWhite, pal(1)});
    scene.label("2004-3-18 9:42:07", list + Offset{kFileDateX, 12}, {kSans, 7, false, kBlack, pal(1)});
    scene.put(kImageIcon, list + Offset{kFileIconX, 26});
    scene.label("SYSTEM", list + Offset{kFileNameX, 25}, {kSans, 7, false, kBlack, pal(1)});
    const int sizeWidth = textWidth(scene.canvas(), "1,234", kSans, 7);
    scene.label("1,234", list + Offset{kFileSizeRight - sizeWidth, 25}, {kSans, 7, false, kBlack, pal(1)});
    scene.label("2004-3-18 9:51:30", list + Offset{kFileDateX, 25}, {kSans, 7, false, kBlack, pal(1)});
    scene.label(typedName, at + kFileNameEditAt, {kSans, 7, false, kBlack, pal(4)});
}

void diskDigit(Scene& scene, int step, Offset at) {
    const Offset digit =
        step == number(Step::SourcePartitions) ? layout::kSourceDiskDigitAt : layout::kTargetDiskDigitAt;
    scene.label("1", at + digit, {"Garamond", 9, true, pal(9), pal(2)});
}

void layStep(Scene& scene, int step, const StepTexts& texts) {
    if (layout::isButtonDialog(step)) progressScreen(scene);
    const auto& place = stepPicture(step);
    scene.put(place.picture, place.at);
    layTexts(scene, place.at, texts);
    if (step == number(Step::ConfirmPassword)) {
        scene.label(layout::confirmPasswordText(), place.at + layout::kConfirmPasswordAt, lineLabel());
    }
    if (layout::isFileDialog(step)) {
        fileDialogOverlays(scene, place.at, step == number(Step::NewImageName) ? "SYSTEM" : "");
    }
    if (step == number(Step::SourcePartitions) || step == number(Step::DestinationPartition))
        diskDigit(scene, step, place.at);
    buttonHighlight(scene, step, place.at);
}

std::string stepFile(int step) { return "step-" + std::string(step < 10 ? "0" : "") + std::to_string(step); }

// Details rows of a disk-to-image operation, as the progress screen shows them.
void detailsSample(Scene& scene) {
    using namespace layout;
    const Offset at = kProgressStep.at;
    const char* captions[] = {"Connection type", "Source", "Destination", "Current partition", "Current file"};
    const char* values[] = {"Local", "Local drive [1], 8001 MB", "Local file C:\\BACKUP\\SYSTEM.VXI"};
    for (int row = 0; row < 5; ++row) {
        const int y = kDetailsTop + row * kDetailsRowHeight;
        scene.label(captions[row], at + Offset{kDetailsLeftX, y}, {kSans, 8, false, kBlack, pal(8)});
        if (row < 3) {
            const bool value = row > 0;
            scene.label(values[row], at + Offset{kDetailsRightX, y},
                        {kSans, 8, value, value ? kWhite : kBlack, pal(8)});
        }
    }
}

// The bar `steps` steps into its run, with the percent box.
void barPartWay(Scene& scene, int steps) {
    using namespace layout;
    const Offset bar = kProgressStep.at + kProgressBarAt;
    scene.fill({bar.x, bar.y, bar.x + steps + 1, bar.y + kProgressBarHeight}, pal(5));
    const Offset box = kProgressStep.at + kPercentBoxAt;
    scene.fill({box.x, box.y, box.x + kPercentBoxWidth, box.y + kPercentBoxHeight}, pal(1));
    const int percent = (steps * 100 * 2 + kProgressBarSteps) / (2 * kProgressBarSteps);
    std::string shown = " ";  // the percent box writes a space before the number
    shown += std::to_string(percent);
    scene.label(shown, box, {kSans, 7, false, kBlack, pal(1)});
}

void messageBox(Scene& scene, int kind, Offset at, const std::string& title, const std::string& line1,
                const std::string& line2) {
    const auto& box = cell(layout::kMessageKinds, kind);
    scene.put(box.picture, at);
    if (!title.empty()) scene.label(title, at + layout::kTitleAt, titleLabel());
    if (!line1.empty()) scene.label(line1, at + layout::kLine1At, lineLabel());
    if (!line2.empty()) scene.label(line2, at + layout::kLine2At, lineLabel());
    if (kind == 2) scene.put(layout::kYesFocused, at, {box.button1.left, box.button1.top});
}

}  // namespace

void addStepComposites(std::vector<Composite>& composites) {
    for (const auto& row : layout::kSteps) {
        const int step = number(row.step);
        if (row.kind == layout::StepKind::Progress || row.step == Step::None) continue;
        composites.push_back({stepFile(step), [step](Scene& s) { layStep(s, step, stepTexts(step)); }});
    }
    composites.push_back({"step-06-remote", [](Scene& s) { layStep(s, 6, stepTexts(6, true)); }});
    composites.push_back({"step-08-remote", [](Scene& s) { layStep(s, 8, stepTexts(8, true)); }});
    composites.push_back({"step-119", [](Scene& s) {
                              progressScreen(s);
                              detailsSample(s);
                          }});
    composites.push_back({"progress", [](Scene& s) {
                              progressScreen(s);
                              detailsSample(s);
                              barPartWay(s, 200);
                          }});
    composites.push_back({"message-1-code-1", [](Scene& s) {
                              progressScreen(s);
                              messageBox(s, 1, stepPicture(number(Step::NewImageName)).at, "", "", "");
                          }});
    composites.push_back({"message-2-code-8", [](Scene& s) {
                              const auto& quit = layout::kMainMenuItems[layout::kMainItems - 1];
                              s.put(layout::kMainMenuPicture, layout::kMainMenuAt);
                              s.put(quit.highlight, layout::kMainMenuAt, quit.offset);
                              const auto& quitQuestion = layout::messageCode(8);
                              messageBox(s, 2, layout::kQuitQuestionPosition, quitQuestion.title, quitQuestion.line1,
                                         quitQuestion.line2);
                          }});
    composites.push_back({"message-3-code-113", [](Scene& s) {
                              const auto& noImage = layout::messageCode(113);
                              const std::string token = "C:\\IMG.VXI";
                              messageBox(s, 3, layout::kEmptyErrorPosition, noImage.title,
                                         layout::fillMarks(noImage.line1, token, ""), noImage.line2);
                          }});
}

}  // namespace vxr::painter
