// vxr: the trainer. Started without parameters it shows the tool's screens;
// with parameters it runs the tool's command-line mode.

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
// its own instead of waiting for an answer no one can give.
std::unique_ptr<platform::Application> applicationFor(bool commandLine) {
    try {
        return platform::Application::fromEnvironment();
    } catch (const platform::NoDisplayError&) {
        if (!commandLine) throw;
    }
    auto application = std::make_unique<platform::Application>(std::make_unique<platform::HeadlessBackend>());
    application->setStopHandler([](const std::string&) {
        std::cerr << "vxr: the command-line run waits for an answer (a question such as \"Proceed?\", or a message)"
                     " and there is no display to show it; add -SURE to answer the questions, or run it on a display\n";
        std::exit(app::kExitUnanswered);
    });
    return application;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vxr;
    // The marks let a bench see where the start-up time goes (VXR_MARKS).
    platform::timingMark("main");
    try {
        platform::FontLibrary::instance().requireAliasedFonts();
        platform::timingMark("fonts");
        auto app = applicationFor(argc > 1);
        platform::timingMark("backend");
        app->setTitle(app::kApplicationTitle);
        app::TForm1 window(*app, {std::vector<std::string>(argv + 1, argv + argc), platform::processEnv});
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
