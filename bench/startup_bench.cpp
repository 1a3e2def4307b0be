// The trainer's start-up, idle and animation figures, measured on the real
// program started as its own process:
//
//   - process start -> first frame presented, and -> main screen waiting for
//     input, headless and in a real window on a private Xvfb, each with the
//     pictures decoded before the first frame (VXR_EAGER_PICTURES=1, the old
//     order) and after it (today's order), runs interleaved;
//   - where the start-up time goes, from the program's own marks (VXR_MARKS);
//   - processor time while the main screen waits for 5 s;
//   - the wall time of a batch operation with its progress animation, on an
//     idle machine and with both processors kept busy;
//   - peak resident memory of each kind of run.
//
//   vxr_startup_bench [RUNS]     (default 30; medians are printed)
//
// Times are medians in milliseconds from the moment before fork(). Other
// work on the machine shows up in them: read them next to the load average
// printed first.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/xvfb.h"

namespace {

namespace fs = std::filesystem;
using Marks = std::map<std::string, double>;  // name -> ms after the start

// The program's marks in the order it makes them, with the part each
// interval stands for.
constexpr std::pair<const char*, const char*> kStages[] = {
    {"main", "exec, dynamic linking, static set-up"},
    {"fonts", "font set-up (fontconfig, FreeType)"},
    {"backend", "display set-up (SDL video; none headless)"},
    {"created", "data file, first-screen pictures"},
    {"window", "window creation"},
    {"firstFrame", "first frame composed and presented"},
    {"ready", "taking input (the other pictures decode meanwhile)"},
};

double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Scratch {
    Scratch() {
        dir = fs::temp_directory_path() / ("vxr_startup_bench_" + std::to_string(getpid()));
        fs::create_directories(dir / "c" / "DATAS");
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path dir;
};

struct Launch {
    fs::path data;                         // copied to C:\DATAS\VXR.DAT
    std::vector<std::string> parameters;   // after the program name
    std::vector<std::string> environment;  // NAME=VALUE added
    bool headless = true;
    bool idleSeconds = false;  // window runs: measure 5 s of waiting
};

struct Outcome {
    Marks marks;
    double endMs = 0;
    int status = -1;
    long peakKb = 0;
    double idleCpuPercent = -1;
    long anonymousKb = 0;
    long residentKb = 0;
};

// The CPU time the process and its threads used so far, in seconds.
double cpuSeconds(pid_t pid) {
    const std::string stat = readText("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i >= 14) ticks += std::stol(field);  // utime, stime
    }
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long smapsField(pid_t pid, const std::string& name) {
    std::istringstream in(readText("/proc/" + std::to_string(pid) + "/smaps_rollup"));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return 0;
}

Marks readMarks(const fs::path& file, double startMs) {
    Marks marks;
    std::istringstream in(readText(file));
    std::string name;
    long long ns = 0;
    while (in >> name >> ns) marks[name] = static_cast<double>(ns) / 1e6 - startMs;
    return marks;
}

class Bench {
public:
    explicit Bench(std::string display) : display_(std::move(display)) {}

    Outcome run(const Launch& launch) {
        const Scratch scratch;
        fs::copy_file(launch.data, scratch.dir / "c" / "DATAS" / "VXR.DAT");
        const fs::path marks = scratch.dir / "marks";
        std::vector<std::string> env = {"VXR_DRIVE_C=" + (scratch.dir / "c").string(), "VXR_MARKS=" + marks.string(),
                                        "VXR_EVENT_NAMESPACE=bench" + std::to_string(getpid())};
        if (launch.headless) env.emplace_back("VXR_HEADLESS=1");
        else env.push_back("DISPLAY=" + display_);
        env.insert(env.end(), launch.environment.begin(), launch.environment.end());

        Outcome outcome;
        const double start = nowMs();
        const pid_t pid = fork();
        if (pid == 0) execute(scratch.dir, launch, env);
        if (!launch.headless) waitUntilReady(pid, marks, launch.idleSeconds, outcome);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        outcome.endMs = nowMs() - start;
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.peakKb = usage.ru_maxrss;
        outcome.marks = readMarks(marks, start);
        return outcome;
    }

private:
    [[noreturn]] static void execute(const fs::path& dir, const Launch& launch, const std::vector<std::string>& env) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "VXR_SCRIPT", "VXR_HEADLESS", "VXR_TRACE",
                                 "VXR_EAGER_PICTURES", "VXR_SCALE"})
            unsetenv(name);
        for (const std::string& setting : env) putenv(const_cast<char*>(setting.c_str()));
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv{const_cast<char*>(VXR_PROGRAM)};
        for (const std::string& p : launch.parameters) argv.push_back(const_cast<char*>(p.c_str()));
        argv.push_back(nullptr);
        execv(VXR_PROGRAM, argv.data());
        _exit(127);
    }

    // A window waits for ever: read what is wanted once it is ready, then
    // end it.
    static void waitUntilReady(pid_t pid, const fs::path& marks, bool idle, Outcome& outcome) {
        const double giveUp = nowMs() + 10000;
        while (readText(marks).find("ready ") == std::string::npos && nowMs() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        // Lets the window manager's first events settle before measuring.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        outcome.residentKb = smapsField(pid, "Rss");
        outcome.anonymousKb = smapsField(pid, "Anonymous");
        if (idle) {
            const double before = cpuSeconds(pid);
            std::this_thread::sleep_for(std::chrono::seconds(5));
            outcome.idleCpuPercent = (cpuSeconds(pid) - before) / 5 * 100;
        }
        kill(pid, SIGTERM);
    }

    std::string display_;
};

// Processes that keep every processor busy until destroyed.
class Load {
public:
    Load() {
        const long processors = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
        for (long i = 0; i < processors; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;) spin = spin + 1;
            }
            pids_.push_back(pid);
        }
    }
    ~Load() {
        for (pid_t pid : pids_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

private:
    std::vector<pid_t> pids_;
};

double medianOf(const std::vector<Outcome>& runs, const std::string& mark) {
    std::vector<double> values;
    for (const Outcome& run : runs) {
        if (const auto found = run.marks.find(mark); found != run.marks.end()) values.push_back(found->second);
    }
    return median(values);
}

long peakOf(const std::vector<Outcome>& runs) {
    long peak = 0;
    for (const Outcome& run : runs) peak = std::max(peak, run.peakKb);
    return peak;
}

void printStages(const char* title, const std::vector<Outcome>& runs) {
    std::printf("\nwhere the start-up goes, %s (median ms of each stage)\n", title);
    double previous = 0;
    for (const auto& [mark, what] : kStages) {
        const double at = medianOf(runs, mark);
        if (at == 0) continue;
        std::printf("  %-44s %6.1f  (at %.1f)\n", what, at - previous, at);
        previous = at;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("vxr start-up bench: %d runs each, medians; load average %.2f %.2f %.2f on %ld processors\n", runs,
                load[0], load[1], load[2], sysconf(_SC_NPROCESSORS_ONLN));

    vxr::test::Xvfb xvfb;
    const std::string display = xvfb.start();
    if (display.empty()) std::printf("(Xvfb did not start: the window figures are left out)\n");
    Bench bench(display);

    const Launch eager{VXR_LAB_DATA, {}, {"VXR_EAGER_PICTURES=1"}, true, false};
    const Launch lazy{VXR_LAB_DATA, {}, {}, true, false};
    Launch eagerWindow = eager;
    eagerWindow.headless = false;
    Launch lazyWindow = lazy;
    lazyWindow.headless = false;

    std::vector<Outcome> headlessBefore, headlessAfter, windowBefore, windowAfter;
    for (int i = 0; i < runs; ++i) {
        headlessBefore.push_back(bench.run(eager));
        headlessAfter.push_back(bench.run(lazy));
        if (display.empty()) continue;
        windowBefore.push_back(bench.run(eagerWindow));
        windowAfter.push_back(bench.run(lazyWindow));
    }

    std::printf("\n%-42s %10s %10s\n", "ms from process start (median)", "before", "after");
    const auto row = [](const char* what, const std::vector<Outcome>& before, const std::vector<Outcome>& after,
                        const char* mark) {
        std::printf("%-42s %10.1f %10.1f\n", what, medianOf(before, mark), medianOf(after, mark));
    };
    row("headless: first frame", headlessBefore, headlessAfter, "firstFrame");
    row("headless: main screen waiting for input", headlessBefore, headlessAfter, "ready");
    if (!display.empty()) {
        row("Xvfb window: first frame", windowBefore, windowAfter, "firstFrame");
        row("Xvfb window: main screen waiting for input", windowBefore, windowAfter, "ready");
    }
    printStages("headless, after", headlessAfter);
    if (!display.empty()) printStages("Xvfb window, after", windowAfter);

    std::printf("\n");
    if (!display.empty()) {
        Launch idle = lazyWindow;
        idle.idleSeconds = true;
        const Outcome waiting = bench.run(idle);
        std::printf("processor use while the main screen waits 5 s: %.2f %% (resolution %.1f %%)\n",
                    waiting.idleCpuPercent, 100.0 / static_cast<double>(sysconf(_SC_CLK_TCK)) / 5);
        std::printf(
            "resident at rest in the window: %.1f MB, of it %.1f MB anonymous (heap: pictures, glyphs,"
            " buffers) and %.1f MB file-backed (program, libraries, fonts)\n",
            waiting.residentKb / 1024.0, waiting.anonymousKb / 1024.0,
            (waiting.residentKb - waiting.anonymousKb) / 1024.0);
    }

    const Launch batch{
        VXR_BATCH_DATA, {"-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\EXAM\\SYSTEM.VXI", "-Z", "-SURE"}, {}, true, false};
    const Outcome unloaded = bench.run(batch);
    Outcome loaded;
    {
        const Load busy;
        loaded = bench.run(batch);
    }
    std::printf(
        "batch operation with its progress animation, whole run: %.0f ms idle machine, %.0f ms with every"
        " processor busy (exit %d, %d)\n",
        unloaded.endMs, loaded.endMs, unloaded.status, loaded.status);

    std::printf("peak resident memory: headless start %.1f MB, window %.1f MB, batch operation %.1f MB\n",
                peakOf(headlessAfter) / 1024.0, peakOf(windowAfter) / 1024.0,
                std::max(unloaded.peakKb, loaded.peakKb) / 1024.0);
    return 0;
}
