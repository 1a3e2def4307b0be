// The practice launcher's decision: ask only when C:\DATAS\VXR.DAT is
// missing, copy only on yes, never overwrite, report failures.

#include "practice.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vxr::practice {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;
    const char* existing;  // a data file already on drive C:, relative to it, or null
    bool bundledExists;
    bool driveIsAFile;     // drive C:'s folder is a plain file: nothing can be made in it
    bool answer;
    Outcome outcome;
    bool asked;
};

const Case kCases[] = {
    {"present", "DATAS/VXR.DAT", true, false, true, Outcome::AlreadyThere, false},
    {"present in other case", "datas/vxr.dat", true, false, true, Outcome::AlreadyThere, false},
    {"missing, yes", nullptr, true, false, true, Outcome::Copied, true},
    {"missing, no", nullptr, true, false, false, Outcome::Declined, true},
    {"not installed", nullptr, false, false, true, Outcome::Failed, false},
    {"cannot copy", nullptr, true, true, true, Outcome::Failed, true},
};

TEST(PracticeFileTest, AsksOnlyWhenMissingAndCopiesOnlyOnYes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        test::TempDir temp;
        const fs::path drive = temp.path() / "c", bundled = temp.path() / "share" / "VXR.DAT";
        const std::vector<unsigned char> task{1, 2, 3, 4}, theirs{9, 9};
        if (c.bundledExists) test::writeAll(bundled, task);
        if (c.existing) test::writeAll(drive / c.existing, theirs);
        if (c.driveIsAFile) test::writeAll(drive, theirs);
        const platform::EnvLookup env = [&](const std::string& name) -> std::optional<std::string> {
            if (name == "VXR_DRIVE_C") return drive.string();
            return std::nullopt;
        };
        std::string asked;
        const auto ask = [&](const std::string& question) {
            asked = question;
            return c.answer;
        };

        const Preparation done = preparePracticeFile(bundled, ask, env);

        EXPECT_EQ(done.outcome, c.outcome);
        EXPECT_EQ(!asked.empty(), c.asked);
        if (c.asked) {
            EXPECT_NE(asked.find((drive / "DATAS" / "VXR.DAT").string()), std::string::npos) << asked;
        }
        if (c.existing) {
            EXPECT_EQ(test::readAll(drive / c.existing), theirs);
        }
        const fs::path dataFile = drive / (c.existing ? c.existing : "DATAS/VXR.DAT");
        EXPECT_EQ(fs::exists(dataFile), c.outcome == Outcome::Copied || c.existing != nullptr);
        if (c.outcome == Outcome::Copied) {
            EXPECT_EQ(test::readAll(done.dataFile), task);
        }
        EXPECT_EQ(done.message.empty(), c.outcome != Outcome::Failed) << done.message;
    }
}

}  // namespace
}  // namespace vxr::practice
