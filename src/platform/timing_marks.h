#pragma once
// Moments of a run for a bench to read: with VXR_MARKS=FILE set, each mark
// appends "NAME NANOSECONDS" to FILE, the time on the system-wide monotonic
// clock, so that a program that started this one can tell how long it took
// to get there. Without the variable a mark costs one look-up.

#include <string_view>

namespace vxr::platform {

void timingMark(std::string_view name);

}  // namespace vxr::platform
