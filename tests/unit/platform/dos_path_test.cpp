#include <gtest/gtest.h>

#include <map>

#include "platform/dos_path.h"
#include "support/temp_dir.h"

namespace vxr::platform {
namespace {

EnvLookup envOf(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

TEST(DosPath, DriveFolderFromItsVariableOrTheDataHome) {
    EXPECT_EQ(driveFolder('c', envOf({{"VXR_DRIVE_C", "/srv/c"}})), "/srv/c");
    EXPECT_EQ(driveFolder('A', envOf({{"XDG_DATA_HOME", "/x"}})), "/x/vxr/drive_a");
    EXPECT_EQ(driveFolder('C', envOf({{"HOME", "/home/u"}})), "/home/u/.local/share/vxr/drive_c");
    EXPECT_EQ(driveFolder('C', envOf({{"HOME", "/home/u"}, {"VXR_DRIVE_C", ""}})), "/home/u/.local/share/vxr/drive_c");
}

TEST(DosPath, BackslashesBecomeSlashesAndBarePathsAreRelative) {
    const auto env = envOf({{"VXR_DRIVE_C", "/nowhere/c"}, {"VXR_DRIVE_A", "/nowhere/a"}});
    EXPECT_EQ(hostPath("C:\\DATAS\\VXR.DAT", env), "/nowhere/c/DATAS/VXR.DAT");
    EXPECT_EQ(hostPath("a:\\VXR.DAT", env), "/nowhere/a/VXR.DAT");
    EXPECT_EQ(hostPath("VXR.DAT", env), "VXR.DAT");
    EXPECT_EQ(hostPath("SUB\\..\\VXR.DAT", env), "VXR.DAT");
}

TEST(DosPath, ExistingComponentsMatchWithoutRegardToCase) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Datas");
    test::writeAll(dir.path() / "Datas" / "vxr.dat", {1});
    const auto env = envOf({{"VXR_DRIVE_C", dir.path().string()}});
    EXPECT_EQ(hostPath("C:\\DATAS\\VXR.DAT", env), dir.path() / "Datas" / "vxr.dat");
    EXPECT_EQ(hostPath("C:\\DATAS\\NEW.DAT", env), dir.path() / "Datas" / "NEW.DAT");
}

}  // namespace
}  // namespace vxr::platform
