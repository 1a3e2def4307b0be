#pragma once
// The program's desktop icon.

#include <filesystem>
#include <string>

namespace vxr::painter {

// Writes FOLDER/<n>x<n>/apps/NAME.png for every size of the hicolor icon
// theme, the tree `share/icons/hicolor` holds.
void writeAppIcons(const std::filesystem::path& folder, const std::string& name);

}  // namespace vxr::painter
