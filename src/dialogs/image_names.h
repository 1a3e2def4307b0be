#pragma once
// Resolving an image file name typed into a file dialog (or given on the
// command line) against the drive and directory the dialog looks in.

#include <string>

#include "model/computer.h"
#include "model/operation_state.h"

namespace vxr::dialogs {

enum ImageNameResult : int {
    kNameAccepted = 0,
    kNoSuchDriveOrDirectory = 1,  // no such drive or directory
    kOnImagedSource = 2,          // the file would lie on the disk or partition being imaged
};

// `letter` (1..16 for C..R) and `directory` are where the dialog looks; a
// name may give another drive ("D:NAME"), start at the root ("\DIR\NAME") or
// go down from the current directory ("DIR\NAME"). On success `letter` and
// `directory` name where the file goes and `name` is the bare file name, cut
// to the 8 bytes an image name holds. A file name with a character the
// record's code page lacks names no file: kNoSuchDriveOrDirectory. The imaged source
// is checked only without a peer link.
int ResolveImageName(const model::TCOMPUTER& machine, const model::OperationState& state, int peerMode, int& letter,
                     int& directory, std::string& name);

}  // namespace vxr::dialogs
