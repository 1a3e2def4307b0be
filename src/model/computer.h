#pragma once
// TCOMPUTER: the simulated machines (0 the local computer, 1 the peer), their
// record, the data file it lives in, and the drive letters derived from it.
// Disks, partitions, directories, images and drive letters count from 1;
// 0 means none.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "model/record.h"
#include "platform/clock.h"
#include "platform/dos_path.h"
#include "platform/random.h"

namespace vxr::model {

struct DriveLetterEntry {
    std::int32_t disk = 0;
    std::int32_t partition = 0;
    std::int32_t type = 0;
    bool operator==(const DriveLetterEntry&) const = default;
};

struct DriveLetterTable {
    std::uint16_t count = 0;
    std::array<DriveLetterEntry, bytes::kDriveLetters> entries{};  // entry n is letter 'C' + n - 1
};

// Restriction flag bits (the record's restriction-flags word).
enum RestrictionBits : std::uint16_t {
    kMouseLocked = 1,
    kKeyboardLocked = 2,
    kCommandLineLocked = 4,
    kAssessmentCopy = 16,
};

inline constexpr const char* kPrimaryDataFile = "C:\\DATAS\\VXR.DAT";
inline constexpr const char* kFallbackDataFile = "VXR.DAT";
inline constexpr const char* kAssessmentDataFile = "A:\\VXR.DAT";

// Letter of drive-letter entry n (1..16): C..R.
inline char driveLetterOf(int entry) { return static_cast<char>('C' + entry - 1); }

class TCOMPUTER {
public:
    TCOMPUTER(platform::Clock& clock = platform::systemClock(), platform::Random& random = platform::systemRandom(),
              platform::EnvLookup env = platform::processEnv);

    MachineRecord& record() { return record_; }
    const MachineRecord& record() const { return record_; }

    // The DOS path of the data file; load and save map it to a host path.
    std::string FileName = kPrimaryDataFile;

    int LoadRecord();  // 0 on success, 1 on failure (record unchanged)
    // Why the last LoadRecord failed (see platform::describeFileError), or 0.
    int loadError() const { return loadError_; }
    // The host file FileName stands for; hostPathOf maps any DOS path alike.
    std::filesystem::path hostFileName() const;
    std::filesystem::path hostPathOf(const std::string& dosPath) const;
    // Saves to FileName: 0 on success, else the I/O error number. A file
    // that another copy has saved since this one last read or wrote it is
    // left alone (platform::kFileChanged): its job is not overwritten.
    int SaveRecord();
    // Writes the record as last saved (same keys, same bytes) to another
    // existing file, the assessment's copy: 0 or the I/O error number.
    int SaveCopy(const std::string& dosPath);
    // Loads FileName again when another copy has saved it since this one
    // last read or wrote it. Returns what LoadRecord returned, or 0 when the
    // file is as this copy left it.
    int ReloadIfChanged();
    void BuildDriveLetters();
    std::uint16_t GetRestrictionFlags() const { return record_.restrictionFlags(); }

    const DriveLetterTable& driveLetters(int computer) const;
    DriveLetterEntry driveLetter(int computer, int entry) const;  // empty outside 1..16

    // ---- queries and shared changes ----
    static std::string PartitionTypeName(int typeId);
    static bool IsPrimaryType(int typeId);
    static std::string NormaliseName(const std::string& name);

    int FindImage(int computer, int directory, const std::string& name) const;
    int ResolvePath(int computer, const std::string& path) const;
    // As ResolvePath, but 0 unless the path names an image file (not a directory).
    int ResolveImagePath(int computer, const std::string& path) const;
    std::string DirectoryPath(int computer, int directory) const;
    std::string ImagePath(int computer, int image) const;
    std::int64_t SumDataSize(int computer, int disk) const;
    std::int64_t SumPartitionSize(int computer, int disk) const;
    std::int64_t SumImagePartitionSize(int computer, int image) const;
    std::int64_t SumImageDataSize(int computer, int image) const;
    int AddImage(int computer, int directory, const std::string& name);
    void RemoveDirectories(int computer, int disk, int partition);

    // The root directory of a partition (first entry with that disk and
    // partition and parent 0), or 0 when the partition is not formatted.
    int RootDirectory(int computer, int disk, int partition) const;

private:
    // What `path` names; `directory` tells whether that is a directory.
    int resolve(int computer, const std::string& path, bool& directory) const;
    int childDirectory(int computer, int parent, const std::string& name) const;

    platform::Clock& clock_;
    platform::Random& random_;
    platform::EnvLookup env_;
    int loadError_ = 0;
    MachineRecord record_;
    // The stored bytes of FileName as this copy last read or wrote them,
    // and which file they belong to (empty: none yet).
    MachineRecord::Bytes synced_{};
    std::string syncedFile_;
    std::array<DriveLetterTable, bytes::kComputers> driveLetters_{};
};

}  // namespace vxr::model
