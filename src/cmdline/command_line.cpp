#include "cmdline/command_line.h"

#include <optional>

#include "app/screens.h"
#include "app/tform1.h"
#include "cmdline/clone_parser.h"
#include "cmdline/switches.h"
#include "dialogs/message_dialogs.h"
#include "input/ui_state.h"
#include "operations/help_screen.h"
#include "operations/operation_sequence.h"
#include "operations/progress.h"
#include "platform/text.h"

namespace vxr::cmdline {

namespace {

enum RunMode { kNothing = 0, kClone = 1, kHelp = 2 };

constexpr std::uint16_t kKeptRestrictions = model::kAssessmentCopy;

}  // namespace

void CommandLine::report(layout::Msg error) {
    w_.messages().ask(error);
    w_.endProgram(app::kExitUsageError);
}

void CommandLine::PROCCMDLINE() {
    if (w_.restrictionFlags & model::kCommandLineLocked) return;
    // The mouse and keyboard locks do not apply to a command-line run.
    w_.restrictionFlags &= kKeptRestrictions;
    RunMode mode = kNothing;
    w_.trace.write("commandLine", {{"parameters", w_.start().parameters}});
    // Parsing a -CLONE writes the entries it will fill (a new image, a new
    // partition). Only the last one runs, and a usage error runs nothing, so
    // each parse starts from the record as loaded, and a refusal or a job
    // not carried out returns to it.
    const model::MachineRecord loaded = w_.computer.record();
    std::optional<CloneParser> clone;  // the last -CLONE read
    for (const std::string& parameter : w_.start().parameters) {
        const std::string text = platform::asciiUpper(parameter);
        if (text.empty() || (text[0] != '-' && text[0] != '/')) {
            report(layout::Msg::NotASwitch);
            return;
        }
        const std::string rest = text.substr(1);
        if (rest == "H" || rest == "?") {
            mode = kHelp;
            w_.computer.record() = loaded;
            break;
        }
        layout::Msg error = layout::Msg::None;
        if (rest.substr(0, rest.find(',')) == "CLONE") {
            mode = kClone;
            w_.computer.record() = loaded;
            clone.emplace(CloneContext{w_.computer, w_.op, w_.options, w_.ui.PeerMode, w_.ErrorToken});
            error = clone->ParseClone(rest.substr(5));
        } else {
            error = ParseSwitch(rest, w_.options, w_.op, w_.ErrorToken);
        }
        if (error != layout::Msg::None) {
            w_.computer.record() = loaded;
            report(error);
            return;
        }
    }
    if (mode == kClone) {
        // The sizes depend on the FAT32 option, which may follow the clone.
        if (const layout::Msg error = clone->SizeDestination(); error != layout::Msg::None) {
            w_.computer.record() = loaded;
            report(error);
            return;
        }
        w_.sequence().StartOperation(loaded);
        if (!w_.progress().completed()) w_.endProgram(app::kExitOperationFailed);
    } else if (mode == kHelp) {
        w_.ui.MainItem = input::kHelp;
        w_.ui.DialogAnswer = 0;
        w_.help().ShowHelp();
        w_.waitUntil([this] { return w_.ui.DialogAnswer == 1; });
    }
}

}  // namespace vxr::cmdline
