// vxr: the trainer. Started without parameters it shows the tool's screens;
// with parameters it runs the tool's command-line mode.

#include <csignal>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/tform1.h"
#include "platform/application.h"
#include "platform/font.h"
#include "platform/headless_backend.h"
#include "platform/timing_marks.h"

namespace {

using namespace vxr;

// A command-line run needs no window: without a display it runs headless,
// and a question or message it cannot show ends the run with a status of
// its own instead of waiting for an answer no one can give. `openMessage`
// tells the tool message shown at that moment (0: a question or none).
std::unique_ptr<platform::Application> applicationFor(bool commandLine, const std::function<int()>& openMessage) {
    try {
        return platform::Application::fromEnvironment();
    } catch (const platform::NoDisplayError&) {
        if (!commandLine) throw;
    }
    auto application = std::make_unique<platform::Application>(std::make_unique<platform::HeadlessBackend>());
    application->setStopHandler([&openMessage](const std::string&) {
        const int code = openMessage ? openMessage() : 0;
        std::cerr << "vxr: there is no display to show what the command-line run waits for: "
                  << (code ? "the tool's message " + std::to_string(code) + "; VXR_TRACE records it"
                           : std::string("a question such as \"Proceed?\"; add -SURE to answer yes"))
                  << "\n";
        std::exit(app::kExitUnanswered);
    });
    return application;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vxr;
    // The marks let a bench see where the start-up time goes (VXR_MARKS).
    platform::timingMark("main");
    // A file size limit must fail the save that meets it, which is then
    // reported, rather than kill the program in the middle of a job.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        platform::FontLibrary::instance().requireAliasedFonts();
        platform::timingMark("fonts");
        std::function<int()> openMessage;
        auto app = applicationFor(argc > 1, openMessage);
        platform::timingMark("backend");
        app->setTitle(app::kApplicationTitle);
        app::TForm1 window(*app, {std::vector<std::string>(argv + 1, argv + argc), platform::processEnv});
        openMessage = [&window] { return window.ui.DialogCode; };
        if (!window.screens().FormCreate()) return window.end.status;
        platform::timingMark("created");
        app->showMainForm(window.form());
        platform::timingMark("window");
        window.screens().FormActivate();
        window.waitUntil([] { return false; });
        return window.end.status;
    } catch (const platform::NoDisplayError& error) {
        std::cerr << "vxr: " << error.what() << "; to run without a display, name an event script in VXR_SCRIPT\n";
        return app::kExitNoDisplay;
    } catch (const platform::ScriptError& error) {
        std::cerr << "vxr: " << error.what() << "\n";
        return app::kExitScriptError;
    } catch (const std::exception& error) {
        std::cerr << "vxr: " << error.what() << "\n";
        return 1;
    }
}
