// Replays through the fuzzed entry points every seed of the corpus and every
// input that once crashed one of them (tests/fuzz/crashes/TARGET/). The
// sanitizers of the debug build turn any fault into a failure.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_entries.h"

namespace vxr::fuzz {

// Names a target in test output (found by argument-dependent look-up).
void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }

namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Seeds kept elsewhere in the project: the example data files and tasks.
struct ExtraSeeds {
    std::string_view target;
    const char* folder;
    std::string_view extension;
};
constexpr ExtraSeeds kExtraSeeds[] = {
    {"record_file", VXR_EXAMPLES_BUILT, ".DAT"},
    {"graded_record", VXR_EXAMPLES_BUILT, ".DAT"},
    {"task_json", VXR_EXAMPLES_SOURCE, ".json"},
};

std::vector<std::filesystem::path> seedFiles(std::string_view target) {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"seeds", "crashes"}) {
        const auto dir = std::filesystem::path(VXR_FUZZ_DIR) / folder / target;
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& file : std::filesystem::directory_iterator(dir)) files.push_back(file.path());
    }
    for (const ExtraSeeds& extra : kExtraSeeds) {
        if (extra.target != target) continue;
        for (const auto& file : std::filesystem::recursive_directory_iterator(extra.folder)) {
            if (file.path().extension() == extra.extension) files.push_back(file.path());
        }
    }
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, EverySeedAndEveryFormerCrashRunsCleanly) {
    const Target& target = GetParam();
    const std::vector<std::filesystem::path> files = seedFiles(target.name);
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        target.entry(readFile(file));
    }
    EXPECT_FALSE(files.empty()) << "no seeds for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vxr::fuzz
