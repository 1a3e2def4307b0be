#pragma once
// The command line's switches besides -CLONE and the help: the image
// password, compression, the unattended confirmation and FAT32 conversion.

#include <string>

#include "layout/message_codes.h"
#include "model/operation_state.h"
#include "model/option_words.h"

namespace vxr::cmdline {

// `text` is one upper-cased parameter without its leading "-" or "/".
// Returns Msg::None when the switch was applied, else the message to show, with
// `errorToken` set to the text. Option bits are only ever set here.
layout::Msg ParseSwitch(const std::string& text, model::OptionWords& options, model::OperationState& state,
                        std::string& errorToken);

// The compression factor of -Z1 to -Z9.
double CompressionFactorOf(int level);

}  // namespace vxr::cmdline
