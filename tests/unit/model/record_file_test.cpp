#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <iterator>

#include "model/computer.h"
#include "model/scramble.h"
#include "platform/record_file.h"
#include "support/temp_dir.h"

namespace vxr::model {
namespace {

using bytes::kRecordSize;

class RecordFile : public ::testing::Test {
protected:
    platform::EnvLookup env() {
        return [this](const std::string& name) -> std::optional<std::string> {
            if (name == "VXR_DRIVE_C") return (dir.path() / "c").string();
            if (name == "VXR_DRIVE_A") return (dir.path() / "a").string();
            return std::nullopt;
        };
    }
    std::filesystem::path dataFile() const { return dir.path() / "c" / "DATAS" / "VXR.DAT"; }

    // A file holding `record` scrambled with fixed keys, plus `tail` extra bytes.
    void writeScrambled(MachineRecord record, std::size_t tail = 0) {
        record.setKeys({0x90, 0xA1, 0xB2, 0xC3});
        scramble(record.bytes());
        std::vector<unsigned char> bytes(record.bytes().begin(), record.bytes().end());
        for (std::size_t i = 0; i < tail; ++i) bytes.push_back(static_cast<unsigned char>(0xE0 + i));
        test::writeAll(dataFile(), bytes);
    }

    static MachineRecord sample() {
        MachineRecord record;
        record.setDiskCount(0, 1);
        record.setDisk(0, 1, {.partitionCount = 1, .capacity = 8000, .kind = 1});
        record.setImage(1, 3, {.directory = 2, .size = 650, .name = "BACKUP"});
        record.setRestrictionFlags(0x10);
        record.bytes()[bytes::kRecordTail] = 0x5A;  // not interpreted, must survive
        return record;
    }

    test::TempDir dir;
    platform::FixedClock clock{45000.0};
    platform::SequenceRandom random{{5, 17, 127, 0, 99, 3, 64, 1}};
};

TEST_F(RecordFile, LoadDescramblesAndKeepsTheKeys) {
    writeScrambled(sample());
    TCOMPUTER machine(clock, random, env());
    ASSERT_EQ(machine.LoadRecord(), 0);
    EXPECT_EQ(machine.record().image(1, 3).name, "BACKUP");
    EXPECT_EQ(machine.record().disk(0, 1).capacity, 8000);
    EXPECT_EQ(machine.record().bytes()[bytes::kRecordTail], 0x5A);
    EXPECT_EQ(machine.record().keys()[3], 0xC3);
}

TEST_F(RecordFile, ShortOrMissingFileFailsAndLeavesMemoryAlone) {
    TCOMPUTER machine(clock, random, env());
    machine.record().setOptionWord(1, 0x1234);
    const MachineRecord before = machine.record();
    EXPECT_EQ(machine.LoadRecord(), 1);  // missing
    test::writeAll(dataFile(), std::vector<unsigned char>(kRecordSize - 1, 0x80));
    EXPECT_EQ(machine.LoadRecord(), 1);  // one byte short
    EXPECT_EQ(machine.record(), before);
}

// A save in progress elsewhere holds the file: the load waits for it and
// reads the finished record, never a half-written one.
TEST_F(RecordFile, LoadWaitsForAWriteInProgress) {
    writeScrambled(MachineRecord());
    const int writer = ::open(dataFile().c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    TCOMPUTER machine(clock, random, env());
    auto load = std::async(std::launch::async, [&] { return machine.LoadRecord(); });
    EXPECT_EQ(load.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    MachineRecord finished = sample();
    finished.setKeys({0x90, 0xA1, 0xB2, 0xC3});
    scramble(finished.bytes());
    ASSERT_EQ(::pwrite(writer, finished.bytes().data(), kRecordSize, 0), static_cast<ssize_t>(kRecordSize));
    ::close(writer);  // drops the lock
    EXPECT_EQ(load.get(), 0);
    EXPECT_EQ(machine.record().image(1, 3).name, "BACKUP");
}

// A FIFO would block open() until a writer came; it and a directory are
// refused at once, for reading and for writing, and stay as they were.
TEST_F(RecordFile, FilesThatAreNoRegularFileAreRefusedWithoutWaiting) {
    std::filesystem::create_directories(dataFile().parent_path());
    const std::pair<std::function<void()>, int> cases[] = {
        {[this] { ASSERT_EQ(::mkfifo(dataFile().c_str(), 0600), 0); }, platform::kNotRegularFile},
        {[this] { std::filesystem::create_directory(dataFile()); }, EISDIR},
    };
    for (const auto& [make, error] : cases) {
        std::filesystem::remove(dataFile());
        make();
        TCOMPUTER machine(clock, random, env());
        EXPECT_EQ(machine.LoadRecord(), 1);
        EXPECT_EQ(machine.loadError(), error);
        EXPECT_EQ(machine.SaveRecord(), error);
        EXPECT_TRUE(std::filesystem::exists(dataFile()));
        EXPECT_FALSE(std::filesystem::is_regular_file(dataFile()));
    }
    EXPECT_EQ(platform::describeFileError(platform::kNotRegularFile), "not a regular file");
}

TEST_F(RecordFile, SaveNeverCreatesTheFile) {
    TCOMPUTER machine(clock, random, env());
    machine.record() = sample();
    const MachineRecord before = machine.record();
    EXPECT_EQ(machine.SaveRecord(), ENOENT);
    EXPECT_FALSE(std::filesystem::exists(dataFile()));
    EXPECT_EQ(machine.record(), before);
}

TEST_F(RecordFile, SaveKeepsALongerFilesTailAndMemoryStaysPlain) {
    writeScrambled(MachineRecord{}, 10);
    TCOMPUTER machine(clock, random, env());
    ASSERT_EQ(machine.LoadRecord(), 0);
    machine.record() = sample();
    ASSERT_EQ(machine.SaveRecord(), 0);
    EXPECT_EQ(machine.record().image(1, 3).name, "BACKUP");  // plain again

    const auto bytes = test::readAll(dataFile());
    ASSERT_EQ(bytes.size(), kRecordSize + 10);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(bytes[kRecordSize + i], 0xE0 + i);
    // Keys drawn from the random source, each in 0x80..0xFF.
    EXPECT_EQ(bytes[bytes::kKeys], 128 + 5);
    EXPECT_EQ(bytes[bytes::kKeys + 1], 128 + 17);
    EXPECT_EQ(bytes[bytes::kKeys + 2], 128 + 127);
    EXPECT_EQ(bytes[bytes::kKeys + 3], 128 + 0);
    EXPECT_EQ(random.reseeds(), 1);

    TCOMPUTER reader(clock, random, env());
    ASSERT_EQ(reader.LoadRecord(), 0);
    EXPECT_EQ(reader.record(), machine.record());
}

TEST_F(RecordFile, TwoSavesWriteDifferentBytesThatLoadAlike) {
    writeScrambled(MachineRecord{});
    platform::ClockRandom clockRandom;
    TCOMPUTER machine(clock, clockRandom, env());
    machine.record() = sample();
    ASSERT_EQ(machine.SaveRecord(), 0);
    const auto first = test::readAll(dataFile());
    TCOMPUTER firstReader(clock, clockRandom, env());
    ASSERT_EQ(firstReader.LoadRecord(), 0);

    // Saving until the keys differ: two clock-seeded draws of three keys
    // coincide with a chance of 2^-21 per attempt.
    std::vector<unsigned char> second = first;
    for (int attempt = 0; attempt < 5 && second == first; ++attempt) {
        ASSERT_EQ(machine.SaveRecord(), 0);
        second = test::readAll(dataFile());
    }
    EXPECT_NE(first, second);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_GE(second[bytes::kKeys + k], 0x80);
    TCOMPUTER secondReader(clock, clockRandom, env());
    ASSERT_EQ(secondReader.LoadRecord(), 0);
    MachineRecord a = firstReader.record(), b = secondReader.record();
    a.setKeys({});
    b.setKeys({});
    EXPECT_EQ(a, b);
}

// Every road a save can take, with the platform's file calls failing where
// a real disk, quota or size limit would. Whatever fails, the file keeps
// its old record whole, no temporary file is left, and memory keeps the
// plain record.
struct SaveCase {
    const char* what;
    std::function<void(platform::FileCalls&)> fault;
    bool anotherCopySaves;  // between this copy's load and its save
    int result;
    bool renamed;  // the file was replaced by a new one, not written in place
};

ssize_t failWith(int error) {
    errno = error;
    return -1;
}

const SaveCase kSaveCases[] = {
    {"a new file renamed over the old", {}, false, 0, true},
    {"no temporary file: written in place",
     [](platform::FileCalls& c) { c.makeTemp = [](char*) { return static_cast<int>(failWith(EACCES)); }; }, false, 0,
     false},
    {"a write cut short by a size limit",
     [](platform::FileCalls& c) {
         c.write = [](int fd, const void* data, std::size_t size, off_t offset) {
             return offset == 0 ? ::pwrite(fd, data, std::min<std::size_t>(size, 9000), 0) : failWith(EFBIG);
         };
     },
     false, EFBIG, false},
    {"a write that makes no progress",
     [](platform::FileCalls& c) { c.write = [](int, const void*, std::size_t, off_t) -> ssize_t { return 0; }; }, false,
     ENOSPC, false},
    {"a failing sync", [](platform::FileCalls& c) { c.sync = [](int) { return static_cast<int>(failWith(EIO)); }; },
     false, EIO, false},
    {"a failing rename",
     [](platform::FileCalls& c) {
         c.rename = [](const char*, const char*) { return static_cast<int>(failWith(EXDEV)); };
     },
     false, EXDEV, false},
    {"another copy saved meanwhile", {}, true, platform::kFileChanged, false},
};

TEST_F(RecordFile, SavesReplaceTheFileWholeOrLeaveItAlone) {
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(c.what);
        writeScrambled(MachineRecord{}, 3);
        TCOMPUTER machine(clock, random, env());
        ASSERT_EQ(machine.LoadRecord(), 0);
        if (c.anotherCopySaves) {
            TCOMPUTER other(clock, random, env());
            ASSERT_EQ(other.LoadRecord(), 0);
            other.record().setOptionWord(2, 0x77);
            ASSERT_EQ(other.SaveRecord(), 0);
        }
        const auto before = test::readAll(dataFile());
        struct stat old {};
        ASSERT_EQ(::stat(dataFile().c_str(), &old), 0);
        machine.record() = sample();
        int result = 0;
        {
            platform::ScopedFileCalls restore;
            if (c.fault) c.fault(platform::fileCalls());
            result = machine.SaveRecord();
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(machine.record().image(1, 3).name, "BACKUP");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataFile().parent_path()), {}), 1);
        struct stat now {};
        ASSERT_EQ(::stat(dataFile().c_str(), &now), 0);
        EXPECT_EQ(now.st_ino != old.st_ino, c.renamed);
        const auto after = test::readAll(dataFile());
        ASSERT_EQ(after.size(), kRecordSize + 3);  // the tail stays either way
        TCOMPUTER reader(clock, random, env());
        ASSERT_EQ(reader.LoadRecord(), 0);
        if (result == 0) {
            EXPECT_EQ(reader.record(), machine.record());
        } else {
            EXPECT_EQ(after, before);
        }
    }
}

// The assessment copy gets the very bytes just saved; a missing copy is
// not made.
TEST_F(RecordFile, ACopyGetsTheSavedBytesAndIsNeverCreated) {
    writeScrambled(MachineRecord{});
    TCOMPUTER machine(clock, random, env());
    ASSERT_EQ(machine.LoadRecord(), 0);
    machine.record() = sample();
    ASSERT_EQ(machine.SaveRecord(), 0);
    EXPECT_EQ(machine.SaveCopy(kAssessmentDataFile), ENOENT);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a" / "VXR.DAT"));
    test::writeAll(dir.path() / "a" / "VXR.DAT", std::vector<unsigned char>(kRecordSize, 0));
    EXPECT_EQ(machine.SaveCopy(kAssessmentDataFile), 0);
    EXPECT_EQ(test::readAll(dir.path() / "a" / "VXR.DAT"), test::readAll(dataFile()));
    EXPECT_EQ(machine.FileName, kPrimaryDataFile);
}

// A job starts from the file as it is: what another copy saved is read in,
// and this copy's next save is no longer refused.
TEST_F(RecordFile, ReloadIfChangedTakesAnotherCopysSave) {
    writeScrambled(MachineRecord{});
    TCOMPUTER machine(clock, random, env()), other(clock, random, env());
    ASSERT_EQ(machine.LoadRecord(), 0);
    ASSERT_EQ(other.LoadRecord(), 0);
    machine.record().setOptionWord(1, 0x11);  // kept while the file is as it was
    EXPECT_EQ(machine.ReloadIfChanged(), 0);
    EXPECT_EQ(machine.record().optionWord(1), 0x11);
    other.record() = sample();
    ASSERT_EQ(other.SaveRecord(), 0);
    EXPECT_EQ(machine.ReloadIfChanged(), 0);
    EXPECT_EQ(machine.record().image(1, 3).name, "BACKUP");
    EXPECT_EQ(machine.SaveRecord(), 0);
}

TEST_F(RecordFile, DosDataFileMapsToTheDriveFolderCaseInsensitively) {
    writeScrambled(sample());
    std::filesystem::rename(dir.path() / "c" / "DATAS", dir.path() / "c" / "datas");
    TCOMPUTER machine(clock, random, env());
    EXPECT_EQ(machine.LoadRecord(), 0);
}

}  // namespace
}  // namespace vxr::model
