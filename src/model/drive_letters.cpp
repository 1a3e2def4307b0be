#include "model/computer.h"
#include "model/partition_types.h"
#include "platform/indexing.h"

namespace vxr::model {

namespace {

// Types that get a letter in the first pass, when formatted.
bool isFormattedLetterType(int type) { return partitionType(type).letter == LetterRule::WhenFormatted; }

// Extended containers: always lettered, after all the others.
bool isExtendedLetterType(int type) { return partitionType(type).letter == LetterRule::Extended; }

void append(DriveLetterTable& table, int disk, int partition, int type) {
    if (table.count >= bytes::kDriveLetters) return;
    table.entries[table.count++] = {disk, partition, type};
}

}  // namespace

void TCOMPUTER::BuildDriveLetters() {
    for (int c = 0; c < bytes::kComputers; ++c) {
        DriveLetterTable& table = cell(driveLetters_, c);
        table = {};
        const int disks = record_.disksInUse(c);
        for (int d = 1; d <= disks; ++d) {
            for (int p = 1; p <= record_.partitionsInUse(c, d); ++p) {
                const int type = record_.partition(c, d, p).type;
                if (isFormattedLetterType(type) && RootDirectory(c, d, p) != 0) append(table, d, p, type);
            }
        }
        for (int d = 1; d <= disks; ++d) {
            for (int p = 1; p <= record_.partitionsInUse(c, d); ++p) {
                const int type = record_.partition(c, d, p).type;
                if (isExtendedLetterType(type)) append(table, d, p, type);
            }
        }
    }
}

}  // namespace vxr::model
