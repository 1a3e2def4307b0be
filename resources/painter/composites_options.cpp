// Composites of the options dialog on each tab with its boxes, of the help
// window with its page in the scroll box, and of the peer connection's boxes.

#include <array>
#include <cstdint>
#include <string>

#include "input/menu_geometry.h"
#include "operations/help_layout.h"
#include "operations/option_boxes.h"
#include "operations/peer_layout.h"
#include "operations/options_layout.h"
#include "registry.h"
#include "scene.h"

namespace vxr::painter {

namespace {

using input::Offset;

// Sample option words, word t for tab t, box n in bit n-1: a few boxes on,
// and the fifteen summaries that fill both Active Switches columns.
using OptionWords = std::array<std::uint16_t, 6>;
constexpr OptionWords kSampleWords{{0, 0b10001, 0b001, 0b0001, 0b00010001, 0b000000011}};
constexpr OptionWords kFifteenOn{{0, 0b11111, 0b101, 0b0111, 0b10100010, 0b000000101}};

bool isOn(const OptionWords& words, int tab, int box) {
    return (words[static_cast<std::size_t>(tab)] >> (box - 1)) & 1u;
}

Offset pageAt() { return {operations::kOptionsTitleAt.x, operations::kOptionsTitleAt.y + pictureHeight("F240B")}; }

void optionsFrame(Scene& scene, int tab) {
    scene.put("F240B", operations::kOptionsTitleAt);
    scene.put(input::kOptionTabPages[static_cast<std::size_t>(tab - 1)], pageAt());
    scene.put("F247B", {operations::kOptionsTitleAt.x, operations::kOptionsBarTop});
}

void optionBoxes(Scene& scene, int tab) {
    for (int n = 1; n <= operations::kBoxesPerTab; ++n) {
        const auto& box = operations::optionBox(tab, n);
        if (!box.present()) continue;
        const bool check = box.style == operations::kCheckBox;
        const bool on = isOn(kSampleWords, tab, n);
        const char* picture = check ? (on ? "F245" : "F244") : (on ? "F247" : "F246");
        scene.put(picture, pageAt(), {box.x, box.y});
    }
}

// Tab 6 lists the summary of every box that is on, in two columns.
void activeSwitches(Scene& scene, const OptionWords& words) {
    int shown = 0;
    for (int tab = 1; tab <= operations::kOptionTabs; ++tab) {
        for (int n = 1; n <= operations::kBoxesPerTab; ++n) {
            const char* summary = model::optionSummary(tab, n);
            if (!isOn(words, tab, n) || summary == nullptr) continue;
            const int column = shown < operations::kActiveSwitchesFirstColumnRows ? 0 : 1;
            const int row = shown - column * operations::kActiveSwitchesFirstColumnRows;
            const Offset at{operations::kActiveSwitchesAt.x + column * operations::kActiveSwitchesColumnStep,
                            operations::kActiveSwitchesAt.y + row * operations::kActiveSwitchesRowStep};
            scene.label(summary, pageAt() + at, lineLabel());
            ++shown;
        }
    }
}

// The help window with the page scrolled to `top`, and a scroll bar in the
// scroll box's colour with its thumb where that scroll position puts it.
void helpWindow(Scene& scene, int top) {
    using namespace operations;
    scene.put(input::kMainMenuPicture, input::kMainMenuAt);
    const auto& help = input::kMainMenuItems[4];
    scene.put(help.highlight, input::kMainMenuAt, help.offset);
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
    for (int tab = 1; tab <= input::kOptionTabCount; ++tab) {
        composites.push_back({"options-tab" + std::to_string(tab), [tab](Scene& s) {
                                  optionsFrame(s, tab);
                                  if (tab == input::kOptionTabCount) {
                                      activeSwitches(s, kSampleWords);
                                  } else {
                                      optionBoxes(s, tab);
                                  }
                              }});
    }
    composites.push_back({"options-tab6-fifteen", [](Scene& s) {
                              optionsFrame(s, input::kOptionTabCount);
                              activeSwitches(s, kFifteenOn);
                          }});
    composites.push_back({"help", [](Scene& s) { helpWindow(s, 0); }});
    composites.push_back({"help-scrolled", [](Scene& s) { helpWindow(s, 1900); }});
    composites.push_back({"peer-slave-waiting", [](Scene& s) {
                              s.put(operations::kSlaveWaitingPicture, operations::kSlaveWaitingAt);
                          }});
    composites.push_back({"peer-master-address", [](Scene& s) {
                              s.put(operations::kMasterAddressPicture, operations::kMasterAddressAt);
                              s.label(operations::kSlaveAddress,
                                      operations::kMasterAddressAt + operations::kAddressEditAt + Offset{2, 1},
                                      {kSans, 8, false, kBlack, pal(4)});
                          }});
    composites.push_back({"peer-connected", [](Scene& s) {
                              s.put(operations::kConnectedPicture, operations::kConnectedAt);
                          }});
}

}  // namespace vxr::painter
