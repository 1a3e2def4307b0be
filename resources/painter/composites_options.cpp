// Composites of the options dialog on each tab with its boxes, of the help
// window with its page in the scroll box, and of the peer connection's boxes.

#include <array>
#include <cstdint>
#include <string>

#include "layout/help_layout.h"
#include "layout/menu_geometry.h"
#include "layout/option_boxes.h"
#include "layout/options_layout.h"
#include "layout/peer_layout.h"
#include "platform/indexing.h"
#include "registry.h"
#include "scene.h"

namespace vxr::painter {

namespace {

using layout::Offset;

// Sample option words, word t for tab t, box n in bit n-1: a few boxes on,
// and the fifteen summaries that fill both Active Switches columns.
using OptionWords = std::array<std::uint16_t, 6>;
constexpr OptionWords kSampleWords{{0, 0b10001, 0b001, 0b0001, 0b00010001, 0b000000011}};
constexpr OptionWords kFifteenOn{{0, 0b11111, 0b101, 0b0111, 0b10100010, 0b000000101}};

bool isOn(const OptionWords& words, int tab, int box) { return (cell(words, tab) >> (box - 1)) & 1u; }

Offset pageAt() { return {layout::kOptionsTitleAt.x, layout::kOptionsTitleAt.y + pictureHeight("F240B")}; }

void optionsFrame(Scene& scene, int tab) {
    scene.put("F240B", layout::kOptionsTitleAt);
    scene.put(at(layout::kOptionTabPages, tab), pageAt());
    scene.put("F247B", {layout::kOptionsTitleAt.x, layout::kOptionsBarTop});
}

void optionBoxes(Scene& scene, int tab) {
    for (int n = 1; n <= layout::kBoxesPerTab; ++n) {
        const auto& box = layout::optionBox(tab, n);
        if (!box.present()) continue;
        const bool check = box.style == layout::kCheckBox;
        const bool on = isOn(kSampleWords, tab, n);
        const char* picture = check ? (on ? "F245" : "F244") : (on ? "F247" : "F246");
        scene.put(picture, pageAt(), {box.x, box.y});
    }
}

// Tab 6 lists the summary of every box that is on, in two columns.
void activeSwitches(Scene& scene, const OptionWords& words) {
    int shown = 0;
    for (int tab = 1; tab <= layout::kOptionTabs; ++tab) {
        for (int n = 1; n <= layout::kBoxesPerTab; ++n) {
            const char* summary = model::optionSummary(tab, n);
            if (!isOn(words, tab, n) || summary == nullptr) continue;
            const int column = shown < layout::kActiveSwitchesFirstColumnRows ? 0 : 1;
            const int row = shown - column * layout::kActiveSwitchesFirstColumnRows;
            const Offset at{layout::kActiveSwitchesAt.x + column * layout::kActiveSwitchesColumnStep,
                            layout::kActiveSwitchesAt.y + row * layout::kActiveSwitchesRowStep};
            scene.label(summary, pageAt() + at, lineLabel());
            ++shown;
        }
    }
}

// The help window with the page scrolled to `top`, and a scroll bar in the
// scroll box's colour with its thumb where that scroll position puts it.
void helpWindow(Scene& scene, int top) {
    using namespace layout;
    scene.put(layout::kMainMenuPicture, layout::kMainMenuAt);
    const auto& help = layout::kMainMenuItems[4];
    scene.put(help.highlight, layout::kMainMenuAt, help.offset);
    scene.put(kHelpWindowPicture, kHelpWindowAt);
    const Offset box = kHelpWindowAt + Offset{kHelpScrollInsetX, kHelpScrollInsetTop};
    scene.putTop(kHelpPagePicture, box, top, kHelpScrollHeight);
    const int pageWidth = pictureWidth(kHelpPagePicture), pageHeight = pictureHeight(kHelpPagePicture);
    const int boxWidth = pictureWidth(kHelpWindowPicture) - 2 * kHelpScrollInsetX;
    const Rect bar{box.x + pageWidth, box.y, box.x + boxWidth, box.y + kHelpScrollHeight};
    scene.fill(bar, pal(2));
    const int thumbHeight = kHelpScrollHeight * kHelpScrollHeight / pageHeight;
    const int thumbTop = bar.top + top * (kHelpScrollHeight - thumbHeight) / (pageHeight - kHelpScrollHeight);
    const Rect thumb{bar.left, thumbTop, bar.right, thumbTop + thumbHeight};
    scene.fill(thumb, pal(4));
    bevel(scene.canvas(), thumb, true);
}

}  // namespace

void addOptionComposites(std::vector<Composite>& composites) {
    for (int tab = 1; tab <= layout::kOptionTabCount; ++tab) {
        composites.push_back({"options-tab" + std::to_string(tab), [tab](Scene& s) {
                                  optionsFrame(s, tab);
                                  if (tab == layout::kOptionTabCount) {
                                      activeSwitches(s, kSampleWords);
                                  } else {
                                      optionBoxes(s, tab);
                                  }
                              }});
    }
    composites.push_back({"options-tab6-fifteen", [](Scene& s) {
                              optionsFrame(s, layout::kOptionTabCount);
                              activeSwitches(s, kFifteenOn);
                          }});
    composites.push_back({"help", [](Scene& s) { helpWindow(s, 0); }});
    composites.push_back({"help-scrolled", [](Scene& s) { helpWindow(s, 1900); }});
    composites.push_back(
        {"peer-slave-waiting", [](Scene& s) { s.put(layout::kSlaveWaitingPicture, layout::kSlaveWaitingAt); }});
    composites.push_back({"peer-master-address", [](Scene& s) {
                              s.put(layout::kMasterAddressPicture, layout::kMasterAddressAt);
                              s.label(layout::kSlaveAddress,
                                      layout::kMasterAddressAt + layout::kAddressEditAt + Offset{2, 1},
                                      {kSans, 8, false, kBlack, pal(4)});
                          }});
    composites.push_back({"peer-connected", [](Scene& s) { s.put(layout::kConnectedPicture, layout::kConnectedAt); }});
}

}  // namespace vxr::painter
