#pragma once
// The whole trainer in the headless backend, on a data file of the test's
// own, driven by pointer events and keys queued by the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/tform1.h"
#include "model/scramble.h"
#include "platform/application.h"
#include "platform/event_scope.h"
#include "platform/headless_backend.h"
#include "support/temp_dir.h"

namespace vxr::test {

// What stops a run that waits for input the test did not queue.
inline constexpr int kRanOutOfInput = 99;

class TrainerHarness {
public:
    explicit TrainerHarness(const model::MachineRecord& record, std::vector<std::string> parameters = {},
                            bool placeInDatas = true)
        : folder_(dir_.path()) {
        useOwnEventNamespace();
        writeRecord(record, placeInDatas ? folder_ / "c" / "DATAS" / "VXR.DAT" : folder_ / "cwd" / "VXR.DAT");
        std::filesystem::create_directories(folder_ / "cwd");
        previousDirectory_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_ / "cwd");
        auto backend = std::make_unique<platform::HeadlessBackend>();
        backend_ = backend.get();
        backend_->setIdleHandler([] { return false; });
        app_ = std::make_unique<platform::Application>(std::move(backend));
        const auto root = folder_;
        window_ = std::make_unique<app::TForm1>(
            *app_,
            app::StartOptions{std::move(parameters), [root](const std::string& name) -> std::optional<std::string> {
                                  if (name == "VXR_DRIVE_C") return (root / "c").string();
                                  if (name == "VXR_DRIVE_A") return (root / "a").string();
                                  return std::nullopt;
                              }});
        window_->trace = app::Trace((folder_ / "trace.jsonl").string());
        app_->setStopHandler([this](const std::string&) { window_->endProgram(kRanOutOfInput); });
    }

    ~TrainerHarness() {
        window_.reset();
        app_.reset();
        std::filesystem::current_path(previousDirectory_);
    }

    TrainerHarness(const TrainerHarness&) = delete;
    TrainerHarness& operator=(const TrainerHarness&) = delete;

    // Creation and first activation, as the program entry runs them.
    bool start() {
        if (!window_->screens().FormCreate()) return false;
        app_->showMainForm(window_->form());
        window_->screens().FormActivate();
        // Tests look at pictures without sending input first.
        window_->screens().finishLoadingPictures();
        return true;
    }

    app::TForm1& window() { return *window_; }
    input::UiState& ui() { return window_->ui; }
    platform::Application& app() { return *app_; }

    // Queues input; run() dispatches everything queued (nested waits inside
    // handlers take what they need from the same queue).
    void queueMove(int x, int y) { backend_->push(platform::InputEvent::mouseMove({x, y})); }
    void queueClick(int x, int y) {
        queueMove(x, y);
        queuePressAndRelease(x, y);
    }
    // Two clicks in quick succession: the second press is a double click's.
    void queueDoubleClick(int x, int y) {
        queueClick(x, y);
        backend_->push(platform::InputEvent::doubleClickPress({x, y}));
        backend_->push(platform::InputEvent::mouseUp({x, y}));
    }
    // A click where the pointer already rests: no move comes first.
    void queuePressAndRelease(int x, int y) {
        backend_->push(platform::InputEvent::mouseDown({x, y}));
        backend_->push(platform::InputEvent::mouseUp({x, y}));
    }
    // A key as a keyboard delivers it; Enter also types a carriage return.
    void queueKey(int key, std::string text = {}) {
        if (key == 13 && text.empty()) text = "\r";
        backend_->push(platform::InputEvent::keyDown(key, std::move(text)));
        backend_->push(platform::InputEvent::keyUp(key));
    }
    void key(int key) {
        queueKey(key);
        run();
    }
    void backendPush(platform::InputEvent event) { backend_->push(std::move(event)); }
    void queueClose() { backend_->push(platform::InputEvent::closeRequest()); }
    // Called whenever the program waits and nothing is queued; it may look
    // at the screen and queue more. Returning false ends the run.
    void onIdle(std::function<bool()> handler) { backend_->setIdleHandler(std::move(handler)); }
    void run() { app_->processMessages(); }

    void move(int x, int y) {
        queueMove(x, y);
        run();
    }
    void click(int x, int y) {
        queueClick(x, y);
        run();
    }
    void clickWithoutMoving(int x, int y) {
        queuePressAndRelease(x, y);
        run();
    }

    // The trace lines written so far.
    std::vector<nlohmann::json> trace() const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(folder_ / "trace.jsonl");
        for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
        return lines;
    }

    const std::filesystem::path& folder() const { return folder_; }

    // The prefix of the peer events this copy uses: copies meet only on
    // the same data file.
    std::string eventScope() const { return platform::eventScopeOf(window_->computer.hostFileName()); }

    // Writes `record` scrambled to `path`, as a task author's tool would.
    static void writeRecord(model::MachineRecord record, const std::filesystem::path& path) {
        record.setKeys({0x9A, 0xB3, 0xC7, 0x81});
        model::scramble(record.bytes());
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(record.bytes().data()),
                  static_cast<std::streamsize>(record.bytes().size()));
    }

private:
    TempDir dir_;
    std::filesystem::path folder_;
    std::filesystem::path previousDirectory_;
    platform::HeadlessBackend* backend_ = nullptr;
    std::unique_ptr<platform::Application> app_;
    std::unique_ptr<app::TForm1> window_;
};

// A small machine: one disk with a formatted NTFS partition and an image.
inline model::MachineRecord sampleMachine(std::uint16_t restrictions = 0) {
    model::MachineRecord record;
    record.setDiskCount(0, 1);
    model::DiskEntry disk;
    disk.partitionCount = 1;
    disk.capacity = 20000;
    disk.kind = 1;
    disk.partitions[0] = {7, 0, 20000, 5000};
    record.setDisk(0, 1, disk);
    record.setDirectory(0, 1, {1, 1, 0, "", 46000.0});
    record.setRestrictionFlags(restrictions);
    return record;
}

}  // namespace vxr::test
