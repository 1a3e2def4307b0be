#pragma once
// The batch mode: the parameters the program was started with name one
// operation (-CLONE,...) with its switches, or the help.

#include "layout/message_codes.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::cmdline {

class CommandLine {
public:
    explicit CommandLine(app::TForm1& window) : w_(window) {}

    // Reads every parameter, then runs the operation or shows the help.
    void PROCCMDLINE();

private:
    // Shows a usage error's box; the run then ends with the usage status.
    void report(layout::Msg error);

    app::TForm1& w_;
};

}  // namespace vxr::cmdline
