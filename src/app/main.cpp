// vxr: the trainer. Started without parameters it shows the tool's screens;
// with parameters it runs the tool's command-line mode.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/tform1.h"
#include "platform/application.h"
#include "platform/font.h"
#include "platform/timing_marks.h"

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
        auto app = platform::Application::fromEnvironment();
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
