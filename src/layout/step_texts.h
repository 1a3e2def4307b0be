#pragma once
// The texts laid over the operation steps' pictures: the title in the title
// bar and up to two lines, trailing fill included (the fill widens the label
// band so that it hides the picture's own text).

#include <string>

#include "layout/message_codes.h"

namespace vxr::layout {

struct StepTexts {
    std::string title, line1, line2;
};

// The texts of `step`; `remote` while a peer link is up (steps 6 and 8 then
// name the remote side). Steps without texts of their own give none.
inline StepTexts stepTexts(int step, bool remote = false) {
    const std::string q = "Question: (";
    switch (step) {
        case 6:
            if (remote) return {"Select remote destination drive by clicking on the drive number", "", ""};
            return {};
        case 8:
            if (remote) return {"Remote file name of image" + layout::fullWidthFill(3), "", ""};
            return {};
        case 11:
            return {q + "1831)  ", "Proceed with disk clone?" + layout::fullWidthFill(7),
                    "Destination drive will be overwritten."};
        case 13:
            return {q + "1822)  ", "Proceed with disk restore?" + layout::fullWidthFill(7),
                    "Destination drive will be permanently overwritten."};
        case 14:
            return {q + "1836)  ", "Proceed with partition copy?" + layout::fullWidthFill(7),
                    "Destination partition will be permanently overwritten."};
        case 15: return {q + "1837)  ", "Proceed with partition image creation?" + layout::fullWidthFill(3), ""};
        case 16: return {q + "1847)  ", "Proceed with partition restore?" + layout::fullWidthFill(7), ""};
        case 17: return {q + "1814)  ", "Proceed with image file integrity check?" + layout::fullWidthFill(2), ""};
        case 18: return {q + "1834)  ", "Proceed with integrity check?" + layout::fullWidthFill(7), ""};
        case 20: return {"Image Creation Complete (1925)", "Image Creation Completed Successfully", ""};
        case 23: return {"Verify Complete (1967)", "Integrity Check Completed Successfully", ""};
        default: return {};
    }
}

// The line of step 129, laid over the password box's own prompt.
inline std::string confirmPasswordText() { return "Confirm Password" + layout::fullWidthFill(19); }

}  // namespace vxr::layout
