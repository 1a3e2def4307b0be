#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

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

}  // namespace
}  // namespace vxr::vxrdat
