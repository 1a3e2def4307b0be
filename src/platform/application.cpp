#include "platform/application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

#include "platform/headless_backend.h"
#include "platform/message_box.h"
#include "platform/paint_helpers.h"
#include "platform/png.h"
#ifdef __EMSCRIPTEN__
#include "platform/web_backend.h"
#else
#include "platform/sdl_backend.h"
#endif
#include "platform/text.h"

namespace vxr::platform {
namespace {

void printAndExit(const std::string& reason) {
    std::fprintf(stderr, "vxr: %s\n", reason.c_str());
    std::fflush(stderr);
    std::exit(Application::kStopExitStatus);
}

[[maybe_unused]] int environmentScale() {
    const char* value = std::getenv("VXR_SCALE");
    if (value == nullptr) return 0;
    return std::clamp(std::atoi(value), 0, 8);
}

bool environmentFlag(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && std::string_view(value) == "1";
}

int millisecondsUntil(ScriptPlayer::Clock::time_point moment) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(moment - ScriptPlayer::Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

}  // namespace

// A message box while it is open, with the window showing it.
struct Application::OpenBox {
    OpenBox(std::string_view text, std::vector<std::string> buttons) : window(text, std::move(buttons)) {}
    MessageBoxWindow window;
    WindowId id = 0;
};

Application::Application(std::unique_ptr<Backend> backend) : backend_(std::move(backend)), stop_(printAndExit) {}

Application::~Application() {
    if (mainWindow_ != 0) backend_->closeWindow(mainWindow_);
}

std::unique_ptr<Application> Application::fromEnvironment() {
    const char* script = std::getenv("VXR_SCRIPT");
    if (script != nullptr && *script != '\0') {
        auto application = std::make_unique<Application>(std::make_unique<HeadlessBackend>());
        application->setScript(EventScript::load(script));
        return application;
    }
    if (environmentFlag("VXR_HEADLESS")) return std::make_unique<Application>(std::make_unique<HeadlessBackend>());
#ifdef __EMSCRIPTEN__
    return std::make_unique<Application>(std::make_unique<WebBackend>());
#else
    return std::make_unique<Application>(std::make_unique<SdlBackend>(environmentScale()));
#endif
}

void Application::showMainForm(Form& form) {
    if (main_ == &form && mainWindow_ != 0) return;
    if (mainWindow_ != 0) backend_->closeWindow(mainWindow_);
    main_ = &form;
    shownCaption_ = form.caption();
    shownWidth_ = form.clientWidth();
    shownHeight_ = form.clientHeight();
    mainWindow_ = backend_->openWindow(shownCaption_, shownWidth_, shownHeight_, 0);
    form.markChanged();
    presentChanged();
}

void Application::run(Form& form) {
    showMainForm(form);
    while (!terminated_) {
        processMessages();
        if (!terminated_) waitMessage();
    }
}

void Application::processMessages() {
    bool scriptLineStarted = false;
    while (!terminated_) {
        const std::optional<InputEvent> event = nextEvent(scriptLineStarted);
        if (!event) break;
        if (beforeInput_) std::exchange(beforeInput_, nullptr)();
        route(*event);
    }
    presentChanged();
}

// A script line is input yet to come, not input already waiting: one call
// of processMessages plays at most one line, so that the wait loop that
// called it sees the effect of each line before the next is read.
std::optional<InputEvent> Application::nextEvent(bool& scriptLineStarted) {
    if (auto event = backend_->pollEvent()) return event;
    if (!script_) return std::nullopt;
    if (!script_->hasPendingEvents()) {
        if (scriptLineStarted) return std::nullopt;
        scriptLineStarted = true;
    }
    try {
        return script_->next(*this);
    } catch (const ScriptError& error) {
        stop(error.what());
        return std::nullopt;
    }
}

// Events that name no window go to the active one. While a message box is
// open it takes every key, and pointer input for other windows is dropped.
void Application::route(const InputEvent& event) {
    const WindowId target = event.window == kActiveWindow ? activeWindow() : event.window;
    if (!boxes_.empty()) {
        OpenBox* box = boxes_.back();
        const bool key = event.type == EventType::KeyDown || event.type == EventType::KeyUp;
        if (key || target == box->id) box->window.form().dispatch(event);
        return;
    }
    if (main_ == nullptr || target != mainWindow_) return;
    if (event.type == EventType::CloseRequest && !main_->onCloseRequest) {
        terminate();
        return;
    }
    main_->dispatch(event);
}

WindowId Application::activeWindow() const { return boxes_.empty() ? mainWindow_ : boxes_.back()->id; }

void Application::waitMessage(int timeoutMs) {
    if (terminated_) return;
    if (script_) {
        waitForScript(timeoutMs);
        return;
    }
    if (backend_->waitEvent(timeoutMs) == WaitResult::NoMoreInput)
        stop("the input ran out while the program waits for input");
}

// A script that has commands ready lets the caller go on at once; one that
// sleeps or waits lets its time pass; one that has ended can give no more
// input, so a program waiting without a person to type cannot go on.
void Application::waitForScript(int timeoutMs) {
    if (script_->blocked(*this)) {
        int wait = millisecondsUntil(*script_->waitingUntil());
        if (timeoutMs >= 0) wait = std::min(wait, timeoutMs);
        if (backend_->waitEvent(wait) == WaitResult::NoMoreInput)
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        return;
    }
    if (!script_->finished()) return;
    if (backend_->interactive()) {
        backend_->waitEvent(timeoutMs);
        return;
    }
    if (backend_->waitEvent(0) != WaitResult::Ready)
        stop("the event script " + script_->position() + " ran out while the program waits for input");
}

void Application::repaint() { presentChanged(); }

void Application::presentChanged() {
    if (main_ != nullptr && mainWindow_ != 0) {
        if (main_->caption() != shownCaption_) {
            shownCaption_ = main_->caption();
            backend_->setCaption(mainWindow_, shownCaption_);
        }
        if (main_->clientWidth() != shownWidth_ || main_->clientHeight() != shownHeight_) {
            shownWidth_ = main_->clientWidth();
            shownHeight_ = main_->clientHeight();
            backend_->setClientSize(mainWindow_, shownWidth_, shownHeight_);
        }
        if (main_->composeIfChanged()) backend_->present(mainWindow_, main_->frame());
    }
    for (OpenBox* box : boxes_) {
        Form& form = box->window.form();
        if (form.composeIfChanged()) backend_->present(box->id, form.frame());
    }
}

void Application::messageBox(std::string_view text) { ask(text, {"OK"}); }

std::size_t Application::ask(std::string_view text, std::vector<std::string> buttons) {
    boxTexts_.emplace_back(text);
    OpenBox box(text, std::move(buttons));
    const Form& form = box.window.form();
    box.id = backend_->openWindow(title_, form.clientWidth(), form.clientHeight(), mainWindow_);
    boxes_.push_back(&box);
    // Closes the box also when a stop handler throws out of the wait.
    struct Closer {
        Application& application;
        OpenBox& box;
        ~Closer() {
            std::erase(application.boxes_, &box);
            application.backend_->closeWindow(box.id);
        }
    } closer{*this, box};
    presentChanged();
    while (!box.window.answered() && !terminated_) {
        processMessages();
        if (!box.window.answered()) waitMessage();
    }
    return box.window.choice();
}

void Application::setScript(EventScript script) { script_ = std::make_unique<ScriptPlayer>(std::move(script)); }

void Application::stop(const std::string& reason) {
    const auto handler = stop_;
    if (handler) handler(reason);
    // A stop handler must not return: the run cannot go on.
    printAndExit(reason);
}

Bitmap Application::snapshot() {
    presentChanged();
    Bitmap shot = main_ != nullptr ? main_->frame() : Bitmap();
    for (OpenBox* box : boxes_) {
        const Bitmap framed = framedWindow(box->window.form().frame(), title_);
        if (shot.empty()) {
            shot = framed;
            continue;
        }
        const Point at{(shot.width() - framed.width()) / 2, (shot.height() - framed.height()) / 2};
        blit(shot, at, framed, shot.bounds());
    }
    return shot;
}

bool Application::controlShowing(std::string_view name) {
    const Control* control = main_ != nullptr ? main_->findControl(name) : nullptr;
    return control != nullptr && control->showing();
}

void Application::saveShot(const std::filesystem::path& path) {
    if (!writePng(snapshot(), path))
        throw ScriptError(script_->position() + ": cannot write the picture " + escapeControls(path.string()));
}

}  // namespace vxr::platform
