#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "support/temp_dir.h"

namespace vxr::vxrdat {
namespace {

struct ToolRun {
    int status;
    std::string out;  // stdout and stderr together
};

ToolRun vxrdat(const std::string& args) {
    const std::string command = std::string(VXRDAT_PATH) + " " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    std::string out;
    std::array<char, 4096> buffer;
    while (std::fgets(buffer.data(), buffer.size(), pipe)) out += buffer.data();
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

const std::string kLabData = VXR_EXAMPLES_BUILT "/lab/VXR.DAT";

TEST(VxrdatCli, DumpJsonBuildAndDiffRoundTrip) {
    test::TempDir dir;
    const ToolRun dumped = vxrdat("dump --json " + kLabData);
    ASSERT_EQ(dumped.status, 0) << dumped.out;
    test::writeAll(dir.path() / "task.json", {dumped.out.begin(), dumped.out.end()});
    const ToolRun built = vxrdat("build " + quoted(dir.path() / "task.json") + " " + quoted(dir.path() / "VXR.DAT"));
    ASSERT_EQ(built.status, 0) << built.out;
    const ToolRun same = vxrdat("diff " + kLabData + " " + quoted(dir.path() / "VXR.DAT"));
    EXPECT_EQ(same.status, 0) << same.out;
    EXPECT_EQ(same.out, "");
    // Fresh keys: the files differ while the records are equal.
    EXPECT_NE(test::readAll(kLabData), test::readAll(dir.path() / "VXR.DAT"));
}

// A build killed half way (here by a file size limit smaller than a
// record) leaves the file it was replacing as it was.
TEST(VxrdatCli, ABuildKilledMidWriteLeavesTheOldFile) {
    test::TempDir dir;
    const ToolRun dumped = vxrdat("dump --json " + kLabData);
    ASSERT_EQ(dumped.status, 0) << dumped.out;
    test::writeAll(dir.path() / "task.json", {dumped.out.begin(), dumped.out.end()});
    const auto target = dir.path() / "VXR.DAT";
    test::writeAll(target, test::readAll(kLabData));
    const std::string build = "ulimit -f 20; exec " VXRDAT_PATH " build " + quoted(dir.path() / "task.json") + " " +
                              quoted(target) + " 2>/dev/null";
    const int status = std::system(build.c_str());
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(test::readAll(target), test::readAll(kLabData));
}

TEST(VxrdatCli, DiffReportsWhatChanged) {
    const ToolRun run = vxrdat("diff " + kLabData + " " + VXR_EXAMPLES_BUILT "/cmdline-only/VXR.DAT");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("restrictions: [] -> [\"mouse\",\"keyboard\"]"), std::string::npos) << run.out;
}

TEST(VxrdatCli, ReadableDumpOfTheExample) {
    const ToolRun run = vxrdat("dump " + kLabData);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("D:\\IMAGES\\CLEAN.VXI"), std::string::npos) << run.out;
}

TEST(VxrdatCli, BadInputGivesOneClearLineAndAFailingStatus) {
    test::TempDir dir;
    test::writeAll(dir.path() / "short.dat", std::vector<unsigned char>(100, 0x80));
    test::writeAll(dir.path() / "bad.json", {'{', 'x'});
    const std::string wrongField = R"({"computers": {"local": {"disks": [{"capasity": 1}]}}})";
    test::writeAll(dir.path() / "wrong.json", {wrongField.begin(), wrongField.end()});

    const ToolRun missing = vxrdat("dump " + quoted(dir.path() / "none.dat"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("none.dat: cannot read: No such file or directory"), std::string::npos) << missing.out;

    const ToolRun shortFile = vxrdat("diff " + quoted(dir.path() / "short.dat") + " " + kLabData);
    EXPECT_EQ(shortFile.status, 2);
    EXPECT_NE(shortFile.out.find("too short for a machine record (100 bytes, 23960 needed)"), std::string::npos)
        << shortFile.out;

    const ToolRun badJson = vxrdat("build " + quoted(dir.path() / "bad.json") + " " + quoted(dir.path() / "out.dat"));
    EXPECT_EQ(badJson.status, 2);
    EXPECT_NE(badJson.out.find("not valid JSON"), std::string::npos) << badJson.out;

    const ToolRun wrong = vxrdat("build " + quoted(dir.path() / "wrong.json") + " " + quoted(dir.path() / "out.dat"));
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.out.find("computers.local.disks[0].capasity: unknown field"), std::string::npos) << wrong.out;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.dat"));

    for (const ToolRun& run : {missing, shortFile, badJson, wrong}) {
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
    EXPECT_EQ(vxrdat("frobnicate").status, 2);
    EXPECT_EQ(vxrdat("").status, 2);
}

TEST(VxrdatCli, CheckGradesAClassWithExitCodesAndACsvRow) {
    test::TempDir dir;
    const std::string task = R"({"computers": {"local": {"disks": [{"partitions": [{"type": 7, "size": 100}]}]}},
        "expect": [{"what": "C: is NTFS", "partition": {"disk": 1, "partition": 1, "type": 7}},
                   {"what": "Sure on", "points": 2, "options": {"word": 3, "set": 1}}]})";
    test::writeAll(dir.path() / "task.json", {task.begin(), task.end()});
    ASSERT_EQ(vxrdat("build " + quoted(dir.path() / "task.json") + " " + quoted(dir.path() / "start.DAT")).status, 0);
    std::string done = task;
    done.replace(done.find("\"expect\""), 0, "\"options\": [0, 0, 1], ");
    test::writeAll(dir.path() / "done.json", {done.begin(), done.end()});
    ASSERT_EQ(vxrdat("build " + quoted(dir.path() / "done.json") + " " + quoted(dir.path() / "done.DAT")).status, 0);
    const std::string check = "check " + quoted(dir.path() / "task.json") + " ";

    EXPECT_EQ(vxrdat(check + quoted(dir.path() / "done.DAT")).status, 0);
    const ToolRun one = vxrdat(check + quoted(dir.path() / "start.DAT"));
    EXPECT_EQ(one.status, 1);
    EXPECT_NE(one.out.find("options word 3 is 0x0000; expected bits 0x0001 on"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("score 1 of 3 (33 %)"), std::string::npos) << one.out;

    const ToolRun csv = vxrdat(check + "--csv " + quoted(dir.path() / "class.csv") + " --report " +
                               quoted(dir.path() / "reports") + " " + quoted(dir.path() / "done.DAT") + " " +
                               quoted(dir.path() / "gone.DAT") + " " + quoted(dir.path() / "start.DAT"));
    EXPECT_EQ(csv.status, 3) << "a result file that cannot be read\n" << csv.out;
    EXPECT_NE(csv.out.find("3 files: 1 passed every item, 2 did not; mean score 44 %"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find("   2     1 of 3  Sure on"), std::string::npos) << "item difficulty\n" << csv.out;
    int reports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "reports")) {
        const auto text = test::readAll(entry.path());
        EXPECT_NE(std::string(text.begin(), text.end()).find("score "), std::string::npos) << entry.path();
        ++reports;
    }
    EXPECT_EQ(reports, 3);
    const auto bytes = test::readAll(dir.path() / "class.csv");
    const std::string table(bytes.begin(), bytes.end());
    EXPECT_EQ(table.substr(0, table.find('\r')), "file,score,max,percent,1 C: is NTFS,2 Sure on,error");
    EXPECT_NE(table.find("done.DAT,3,3,100,1,2,\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("gone.DAT,0,3,0,0,0,"), std::string::npos) << table;
    EXPECT_NE(table.find("gone.DAT: cannot read"), std::string::npos) << table;

    EXPECT_EQ(vxrdat(check).status, 2);                                           // no result file
    EXPECT_EQ(vxrdat("check " + kLabData + " " + kLabData).status, 2);            // not a task
    EXPECT_EQ(vxrdat("check " + quoted(dir.path()) + " " + kLabData).status, 2);  // a directory as the task
}

TEST(VxrdatCli, HostileInputEndsWithAMessageNamingTheFileNeverAnAbort) {
    test::TempDir dir;
    const auto task = [&](const char* name, const std::string& text) {
        test::writeAll(dir.path() / name, {text.begin(), text.end()});
        return quoted(dir.path() / name);
    };
    const std::string out = quoted(dir.path() / "out.dat");
    const struct {
        std::string args;
        std::string says;
    } cases[] = {
        {"build " + task("huge.json", R"({"comment": 1e999})") + " " + out, "huge.json: (top): not valid JSON"},
        {"build " + task("before.json", R"({"raw": {"-1": "00"}})") + " " + out,
         "before.json: raw.-1: expected a decimal"},
        {"build " + quoted(dir.path()) + " " + out, ": not a regular file"},
        {"build " + task("ok.json", "{}"), "build: missing the data FILE to write"},
        {"dump --json", "dump --json: missing the data FILE"},
        {"dump " + quoted(dir.path()), ": not a regular file"},
        {"build " + task("ok.json", "{}") + " /dev/null", "/dev/null: not a regular file"},
        {"diff " + kLabData, "diff: missing data file B"},
        {"diff " + kLabData + " " + kLabData + " x", "diff: unexpected 'x'"},
    };
    for (const auto& c : cases) {
        const ToolRun run = vxrdat(c.args);
        EXPECT_EQ(run.status, 2) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.args << "\n" << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.dat"));
}

}  // namespace
}  // namespace vxr::vxrdat
