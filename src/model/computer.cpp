#include "model/computer.h"

#include "model/scramble.h"
#include "platform/record_file.h"

namespace vxr::model {

TCOMPUTER::TCOMPUTER(platform::Clock& clock, platform::Random& random, platform::EnvLookup env)
    : clock_(clock), random_(random), env_(std::move(env)) {}

int TCOMPUTER::LoadRecord() {
    MachineRecord loaded;
    loadError_ = platform::readFileHead(hostFileName(), loaded.bytes());
    if (loadError_ != 0) return 1;
    descramble(loaded.bytes());
    record_ = loaded;
    BuildDriveLetters();
    return 0;
}

std::filesystem::path TCOMPUTER::hostFileName() const { return platform::hostPath(FileName, env_); }

int TCOMPUTER::SaveRecord() {
    const auto path = hostFileName();
    const auto keys = drawKeys(random_);

    // Scramble a copy: memory keeps the plain record whatever the write does,
    // and takes the new keys only once they are in the file.
    MachineRecord stored = record_;
    stored.setKeys(keys);
    scramble(stored.bytes());
    const int result = platform::overwriteFileHead(path, stored.bytes());
    if (result == 0) record_.setKeys(keys);
    return result;
}

const DriveLetterTable& TCOMPUTER::driveLetters(int computer) const {
    static const DriveLetterTable empty;
    return MachineRecord::validComputer(computer) ? driveLetters_[static_cast<std::size_t>(computer)] : empty;
}

DriveLetterEntry TCOMPUTER::driveLetter(int computer, int entry) const {
    if (entry < 1 || entry > layout::kDriveLetters) return {};
    return driveLetters(computer).entries[static_cast<std::size_t>(entry - 1)];
}

}  // namespace vxr::model
