// The trainer as its own process, started the way a careless user or a
// broken exam machine would: it must say what is wrong on standard error and
// end with the status for it, never wait for ever.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/screens.h"
#include "support/temp_dir.h"

namespace vxr::test {
namespace {

struct ProcessCase {
    const char* what;
    // Prepares the folder (the data file is already at c/DATAS/VXR.DAT).
    std::function<void(const std::filesystem::path& folder)> prepare;
    // Shell words put before the program: environment changes.
    std::string environment;
    std::string parameters;
    int status;
    std::string message;
};

void PrintTo(const ProcessCase& c, std::ostream* out) { *out << c.what; }

void writeText(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }

void noDataFileButAFifo(const std::filesystem::path& folder) {
    const auto data = folder / "c" / "DATAS" / "VXR.DAT";
    std::filesystem::remove(data);
    ASSERT_EQ(::mkfifo(data.c_str(), 0600), 0);
    writeText(folder / "run.vxs", "waitbox\nkey Enter\n");
}

const ProcessCase kCases[] = {
    {"no display and no script", [](const auto&) {}, "", "", app::kExitNoDisplay, "no display is available"},
    {"a directory as the script", [](const auto& f) { std::filesystem::create_directory(f / "run.vxs"); },
     "VXR_SCRIPT=run.vxs", "", app::kExitScriptError, "run.vxs: it is a directory"},
    {"a bad number in the script", [](const auto& f) { writeText(f / "run.vxs", "key Down\nwaitbox nan\n"); },
     "VXR_SCRIPT=run.vxs", "", app::kExitScriptError, "run.vxs:2: not a number of seconds"},
    {"a FIFO as the data file", noDataFileButAFifo, "VXR_SCRIPT=run.vxs", "", app::kExitNoData,
     "VXR.DAT): not a regular file; VXR.DAT ("},
    // A command-line run needs no display; one that would ask ends with a status of its own.
    {"a clone without a display", [](const auto&) {}, "", "'-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\IMAGES\\X.VXI' -SURE",
     app::kExitNormal, ""},
    {"a clone that asks without a display", [](const auto&) {}, "", "'-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\IMAGES\\X.VXI'",
     app::kExitUnanswered, "add -SURE"},
    {"a usage error without a display", [](const auto&) {}, "", "-CLONE,MODE=BOGUS", app::kExitUnanswered,
     "the tool's message 105"},
    {"an unwritable trace", [](const auto&) {}, "VXR_HEADLESS=1 VXR_TRACE=/nonexistent/trace.jsonl", "-SURE",
     app::kExitNormal, "cannot write the trace /nonexistent/trace.jsonl: No such file or directory"},
};

class TrainerProcess : public ::testing::TestWithParam<ProcessCase> {};

TEST_P(TrainerProcess, SaysWhatIsWrongAndEndsWithItsStatus) {
    const ProcessCase& c = GetParam();
    const TempDir dir;
    const auto data = dir.path() / "c" / "DATAS" / "VXR.DAT";
    std::filesystem::create_directories(data.parent_path());
    std::filesystem::copy_file(VXR_EXAMPLE_DATA, data);
    c.prepare(dir.path());
    const auto errors = dir.path() / "stderr.txt";
    const std::string command = "cd '" + dir.path().string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u VXR_SCRIPT" +
                                " -u VXR_HEADLESS -u VXR_TRACE VXR_DRIVE_C=c " + c.environment + " '" VXR_PROGRAM "' " +
                                c.parameters + " 2>stderr.txt </dev/null";
    const int result = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(result)) << c.what;
    EXPECT_EQ(WEXITSTATUS(result), c.status) << c.what;
    std::ifstream in(errors);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_THAT(text, ::testing::HasSubstr(c.message)) << c.what;
}

std::string caseName(const ::testing::TestParamInfo<ProcessCase>& info) {
    std::string name;
    for (const char* c = info.param.what; *c != '\0'; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(HostileStarts, TrainerProcess, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace vxr::test
