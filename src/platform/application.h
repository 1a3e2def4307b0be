#pragma once
// The application: one main window (a Form shown through a backend), the
// message processing that the program's wait loops call, the plain message
// box, and event scripts.
//
// Wait loops are written as
//     while (!answered) { app.processMessages(); if (!answered) app.waitMessage(); }
// processMessages() dispatches what is pending and returns; handlers it runs
// may call it again, many levels deep. waitMessage() sleeps until input
// comes, so a waiting program uses no processor time.
//
// When a script or a test's queue has no input left and the program waits
// for more, the run cannot go on: the stop handler is called with the
// reason. By default it prints the reason and exits with status 3.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/form.h"
#include "platform/script_player.h"

namespace vxr::platform {

class MessageBoxWindow;

class Application : private ScriptHost {
public:
    // The exit status when a script or a test's input ran out (or a wait
    // gave up), and when an event script cannot be read or has a mistake.
    static constexpr int kStopExitStatus = 3;
    static constexpr int kScriptErrorExitStatus = 6;

    explicit Application(std::unique_ptr<Backend> backend);
    ~Application() override;

    // The backend the environment asks for: headless when VXR_SCRIPT (an
    // event script, loaded here; ScriptError when it is unreadable or wrong)
    // or VXR_HEADLESS=1 is set, else an SDL window scaled by VXR_SCALE if
    // that is set (NoDisplayError when there is no display to show it on).
    static std::unique_ptr<Application> fromEnvironment();

    Backend& backend() { return *backend_; }
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Opens the form's window (titled with its caption, sized to its client
    // area) and makes it the main window.
    void showMainForm(Form& form);
    Form* mainForm() const { return main_; }
    WindowId mainWindow() const { return mainWindow_; }
    // Shows `form` if it is not yet shown, then processes messages until
    // terminate().
    void run(Form& form);

    void processMessages();
    // Returns at once when input is pending; otherwise blocks until input
    // arrives or `timeoutMs` passes (negative: no limit).
    void waitMessage(int timeoutMs = -1);
    // Presents every window whose frame changed, without dispatching input.
    void repaint();
    // Shows `text` in the message box and waits until it is answered.
    void messageBox(std::string_view text);
    // Shows `text` in a message box with `buttons` and waits until one is
    // chosen; returns its index from 0 (Esc and closing choose the last).
    std::size_t ask(std::string_view text, std::vector<std::string> buttons);
    bool messageBoxOpen() override { return !boxes_.empty(); }
    // The texts of every message box shown so far.
    const std::vector<std::string>& messageBoxTexts() const { return boxTexts_; }

    void terminate() { terminated_ = true; }
    bool terminated() const { return terminated_; }

    void setScript(EventScript script);
    void setStopHandler(std::function<void(const std::string& reason)> handler) { stop_ = std::move(handler); }
    // Runs `hook` once, just before the next input event is dispatched: work
    // that input must wait for, but a frame need not.
    void beforeNextInput(std::function<void()> hook) { beforeInput_ = std::move(hook); }

    // What a person would see: the main window's frame with any message
    // box drawn framed at its centre.
    Bitmap snapshot();

private:
    struct OpenBox;

    std::optional<InputEvent> nextEvent(bool& scriptLineStarted);
    void route(const InputEvent& event);
    void presentChanged();
    void stop(const std::string& reason);
    void waitForScript(int timeoutMs);
    WindowId activeWindow() const;

    bool controlShowing(std::string_view name) override;
    void saveShot(const std::filesystem::path& path) override;

    std::unique_ptr<Backend> backend_;
    std::string title_;
    Form* main_ = nullptr;
    WindowId mainWindow_ = 0;
    // The caption and size the main window was last given.
    std::string shownCaption_;
    int shownWidth_ = 0;
    int shownHeight_ = 0;
    std::vector<OpenBox*> boxes_;
    std::vector<std::string> boxTexts_;
    std::unique_ptr<ScriptPlayer> script_;
    std::function<void(const std::string&)> stop_;
    std::function<void()> beforeInput_;
    bool terminated_ = false;
};

}  // namespace vxr::platform
