#pragma once
// Names and passwords in the record are code page 936 bytes; task files and
// the tool's output are UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace vxr::vxrdat {

// The code page 936 bytes of UTF-8 `text`; nothing when the text is not
// valid UTF-8 or holds a character the code page lacks.
std::optional<std::string> cp936FromUtf8(std::string_view text);

// UTF-8 for record bytes, when they are printable code page 936 text that
// converts back to the very same bytes; nothing otherwise.
std::optional<std::string> utf8FromCp936(std::string_view bytes);

}  // namespace vxr::vxrdat
