#include "model/computer.h"

#include "model/scramble.h"
#include "platform/indexing.h"
#include "platform/record_file.h"

namespace vxr::model {

TCOMPUTER::TCOMPUTER(platform::Clock& clock, platform::Random& random, platform::EnvLookup env)
    : clock_(clock), random_(random), env_(std::move(env)) {}

int TCOMPUTER::LoadRecord() {
    MachineRecord loaded;
    loadError_ = platform::readFileHead(hostFileName(), loaded.bytes());
    if (loadError_ != 0) return 1;
    synced_ = loaded.bytes();
    syncedFile_ = FileName;
    descramble(loaded.bytes());
    record_ = loaded;
    BuildDriveLetters();
    return 0;
}

std::filesystem::path TCOMPUTER::hostFileName() const { return hostPathOf(FileName); }

std::filesystem::path TCOMPUTER::hostPathOf(const std::string& dosPath) const {
    return platform::hostPath(dosPath, env_);
}

int TCOMPUTER::SaveRecord() {
    const auto keys = drawKeys(random_);

    // Scramble a copy: memory keeps the plain record whatever the write does,
    // and takes the new keys only once they are in the file.
    MachineRecord stored = record_;
    stored.setKeys(keys);
    scramble(stored.bytes());
    platform::ReplaceOptions options;
    if (syncedFile_ == FileName) options.expectedHead = synced_;
    const int result = platform::replaceFileHead(hostFileName(), stored.bytes(), options);
    if (result != 0) return result;
    record_.setKeys(keys);
    synced_ = stored.bytes();
    syncedFile_ = FileName;
    return 0;
}

int TCOMPUTER::SaveCopy(const std::string& dosPath) {
    MachineRecord stored = record_;
    scramble(stored.bytes());
    return platform::replaceFileHead(hostPathOf(dosPath), stored.bytes());
}

int TCOMPUTER::ReloadIfChanged() {
    MachineRecord::Bytes current{};
    const bool unchanged =
        syncedFile_ == FileName && platform::readFileHead(hostFileName(), current) == 0 && current == synced_;
    return unchanged ? 0 : LoadRecord();
}

const DriveLetterTable& TCOMPUTER::driveLetters(int computer) const {
    static const DriveLetterTable empty;
    return MachineRecord::validComputer(computer) ? cell(driveLetters_, computer) : empty;
}

DriveLetterEntry TCOMPUTER::driveLetter(int computer, int entry) const {
    if (entry < 1 || entry > bytes::kDriveLetters) return {};
    return at(driveLetters(computer).entries, entry);
}

}  // namespace vxr::model
