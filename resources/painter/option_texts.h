#pragma once
// What the option pages say: each box's caption and explanation, and the
// notes and group boxes around them. Places of the boxes themselves come
// from the option box table.

#include <array>
#include <span>

namespace vxr::painter {

struct OptionText {
    const char* caption = "";
    const char* explanation = "";  // under the caption, or beside it
    const char* more = "";         // a second explanation line
    int beside = 0;                // x of an explanation beside the caption; 0: under it
};

// A group box with a caption, or plain lines of text when `box` is false.
struct PageNote {
    bool box = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    const char* caption = "";
    std::array<const char*, 5> lines{};
};

const OptionText& optionText(int tab, int box);
std::span<const PageNote> pageNotesOf(int tab);

}  // namespace vxr::painter
