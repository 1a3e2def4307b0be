#include "dialogs/image_names.h"

#include "platform/text.h"

namespace vxr::dialogs {

namespace {

constexpr std::size_t kNameLength = 8;

bool onImagedSource(const model::TCOMPUTER& machine, const model::OperationState& state, int letter) {
    const model::DriveLetterEntry drive = machine.driveLetter(0, letter);
    if (drive.disk != state.SourceDisk) return false;
    if (state.OpCode == model::kDiskToImage) return true;
    if (state.OpCode == model::kPartitionToImage) {
        return drive.partition >= 1 && drive.partition <= 4 &&
               (state.SourcePartitions >> (drive.partition - 1) & 1) != 0;
    }
    return false;
}

}  // namespace

int ResolveImageName(const model::TCOMPUTER& machine, const model::OperationState& state, int peerMode, int& letter,
                     int& directory, std::string& name) {
    const int computer = peerMode == 1 ? 1 : 0;
    const char current = model::driveLetterOf(letter);
    std::string rest = name;
    char drive = current;
    if (const auto colon = rest.rfind(':'); colon != std::string::npos) {
        if (colon != 1) return kNoSuchDriveOrDirectory;
        drive = rest[0];
        rest.erase(0, 2);
    }
    if (rest.empty()) return kNoSuchDriveOrDirectory;

    std::string path;
    if (rest[0] == '\\') {
        path = std::string(1, drive) + ":" + rest;
    } else if (drive == current) {
        path = machine.DirectoryPath(computer, directory) + "\\" + rest;
    } else {
        path = std::string(1, drive) + ":\\" + rest;
    }
    const auto slash = path.rfind('\\');
    const std::string fileName = path.substr(slash + 1);
    directory = machine.ResolvePath(computer, path.substr(0, slash + 1));
    if (directory == 0) return kNoSuchDriveOrDirectory;
    letter = drive - 'C' + 1;
    if (peerMode == 0 && onImagedSource(machine, state, letter)) return kOnImagedSource;
    // A character the record's code page lacks can be in no file name there.
    if (!platform::isCp936Text(fileName)) return kNoSuchDriveOrDirectory;
    name = platform::cp936Prefix(fileName, kNameLength);
    return kNameAccepted;
}

}  // namespace vxr::dialogs
