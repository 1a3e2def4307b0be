#pragma once
// TForm1, the main window: it owns the platform form and every named control,
// the simulated machine, the screen catalogue and the state, and binds the
// controls' events to the handlers of the subsystems.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/peer_events.h"
#include "app/screen_catalogue.h"
#include "app/trace.h"
#include "input/ui_state.h"
#include "model/computer.h"
#include "model/operation_state.h"
#include "model/option_words.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/scroll_box.h"

namespace vxr::platform {
class Application;
}

namespace vxr::input {
class DialogPointer;
class Keyboard;
class Menus;
}  // namespace vxr::input

namespace vxr::operations {
class HelpScreen;
class OperationSequence;
class OptionsDialog;
class PeerConnection;
class Progress;
}  // namespace vxr::operations

namespace vxr::dialogs {
class DialogContents;
class MessageDialogs;
class TableRows;
}  // namespace vxr::dialogs

namespace vxr::cmdline {
class CommandLine;
}

namespace vxr::app {

class FocusFrame;
class Screens;

inline constexpr const char* kWindowCaption = "Vexor 8.0 (模拟 Ver 1.3 )     Disk imaging practice";
inline constexpr const char* kApplicationTitle = "模拟的VEXOR";

// How the program ends: the exit status, set once.
struct ProgramEnd {
    bool requested = false;
    int status = 0;
};

// What the program is started with.
struct StartOptions {
    std::vector<std::string> parameters;
    platform::EnvLookup env = platform::processEnv;
};

class TForm1 {
public:
    TForm1(platform::Application& app, StartOptions start);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    platform::Application& app() { return app_; }
    platform::Form& form() { return form_; }
    const StartOptions& start() const { return start_; }

    // ---- named controls ----
    platform::Image *Image0, *Image1B, *Image1A, *Image1A_0, *Image2B, *Image2A, *Image2A_0, *Image3B, *Image3A,
        *Image3A_0, *IMAGE2BT, *IMAGE2BP, *Image4B, *Image4A, *Image4A_0, *Image4D, *Image2D, *Image3D, *ImageTEMP,
        *Image5DA, *IMAGEH;
    std::array<platform::Image*, 10> Image24x{};  // Image241..Image249 at 1..9
    std::array<platform::Image*, 5> BAR{};        // BAR1..BAR4 at 1..4
    platform::ScrollBox* ScrollBox1;
    std::array<platform::Edit*, 7> Edit{};     // Edit1..Edit6 at 1..6
    std::array<platform::Label*, 25> Label{};  // Label1..Label15, Label21..Label24
    platform::Label* PercentBox;
    platform::Image* ProgressBar;
    // The table picture of a list dialog, made when the dialog opens.
    std::unique_ptr<platform::Image> Image1D;

    // ---- state ----
    model::TCOMPUTER computer;
    ScreenCatalogue catalogue;
    input::UiState ui;
    model::OperationState op;
    model::OptionWords options;
    std::uint16_t restrictionFlags = 0;  // copied once at start-up
    bool CommandLineRun = false;
    PeerEvents peerEvents;
    Trace trace;
    ProgramEnd end;
    std::string ErrorToken;

    // ---- subsystems ----
    Screens& screens() { return *screens_; }
    FocusFrame& focusFrame() { return *focusFrame_; }
    input::Menus& menus() { return *menus_; }
    input::Keyboard& keyboard() { return *keyboard_; }
    operations::HelpScreen& help() { return *help_; }
    operations::OptionsDialog& optionsDialog() { return *optionsDialog_; }
    operations::Progress& progress() { return *progress_; }
    operations::OperationSequence& sequence() { return *sequence_; }
    operations::PeerConnection& peerConnection() { return *peerConnection_; }
    input::DialogPointer& dialogPointer() { return *dialogPointer_; }
    cmdline::CommandLine& commandLine() { return *commandLine_; }
    dialogs::MessageDialogs& messages() { return *messages_; }
    dialogs::TableRows& tableRows() { return *tableRows_; }
    dialogs::DialogContents& dialogContents() { return *dialogContents_; }

    // True when real pointer events are to be ignored now.
    bool mouseLocked() const { return (restrictionFlags & model::kMouseLocked) != 0 && ui.KeyDepth == 0; }

    // Ends the program with `status`: every wait loop gives up and the
    // program returns from its outermost loop. The first status given stays.
    void endProgram(int status);

    // Processes window messages, sleeping while there are none, until
    // `done()` holds or the program is ending.
    template <typename Done>
    void waitUntil(Done done) {
        while (!done() && !end.requested) {
            processMessages();
            if (!done() && !end.requested) waitMessage();
        }
    }

private:
    void processMessages();
    void waitMessage();
    void createControls();
    void bindHandlers();
    void bindKeys();

    platform::Application& app_;
    StartOptions start_;
    platform::Form form_;
    std::vector<std::unique_ptr<platform::Control>> controls_;
    std::unique_ptr<Screens> screens_;
    std::unique_ptr<FocusFrame> focusFrame_;
    std::unique_ptr<input::Menus> menus_;
    std::unique_ptr<input::Keyboard> keyboard_;
    std::unique_ptr<operations::HelpScreen> help_;
    std::unique_ptr<operations::OptionsDialog> optionsDialog_;
    std::unique_ptr<operations::Progress> progress_;
    std::unique_ptr<operations::OperationSequence> sequence_;
    std::unique_ptr<operations::PeerConnection> peerConnection_;
    std::unique_ptr<input::DialogPointer> dialogPointer_;
    std::unique_ptr<cmdline::CommandLine> commandLine_;
    std::unique_ptr<dialogs::MessageDialogs> messages_;
    std::unique_ptr<dialogs::TableRows> tableRows_;
    std::unique_ptr<dialogs::DialogContents> dialogContents_;
};

}  // namespace vxr::app
