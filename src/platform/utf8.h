#pragma once
// UTF-8 encoding of characters, the counterpart of decodeUtf8 in text.h.

#include <string>
#include <string_view>

namespace vxr::platform {

// Characters outside Unicode and surrogates become U+FFFD.
std::string encodeUtf8(char32_t c);
std::string encodeUtf8(std::u32string_view text);

}  // namespace vxr::platform
