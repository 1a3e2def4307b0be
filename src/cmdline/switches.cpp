#include "cmdline/switches.h"

#include "platform/text.h"

namespace vxr::cmdline {

double CompressionFactorOf(int level) {
    if (level == 1) return 0.5;
    // Worked out in extended precision, kept as a 64-bit float.
    return static_cast<double>(0.4L - 0.01L * static_cast<long double>(level - 2));
}

layout::Msg ParseSwitch(const std::string& text, model::OptionWords& options, model::OperationState& state,
                        std::string& errorToken) {
    static const std::string kPasswordIs = "PWD=";
    if (text.rfind(kPasswordIs, 0) == 0) {
        // An image keeps the first ten bytes of its password (code page 936,
        // whole characters), so that is all that is set and compared.
        state.ImagePassword = platform::cp936Prefix(platform::asciiUpper(text.substr(kPasswordIs.size())),
                                                    model::bytes::kImagePasswordCapacity);
        options.setBox(5, 1, true);
        return layout::Msg::None;
    }
    const std::string compression = text == "Z" ? "Z1" : text;
    if (compression.size() == 2 && compression[0] == 'Z' && compression[1] >= '1' && compression[1] <= '9') {
        state.CompressionFactor = CompressionFactorOf(compression[1] - '0');
        return layout::Msg::None;
    }
    if (text == "SURE") {
        options.setBox(3, 1, true);
        return layout::Msg::None;
    }
    if (text == "F32") {
        options.setBox(2, 1, true);
        return layout::Msg::None;
    }
    if (text == "PWD") {
        options.setBox(5, 1, true);
        return layout::Msg::None;
    }
    errorToken = text;
    return layout::Msg::InvalidSwitch;
}

}  // namespace vxr::cmdline
