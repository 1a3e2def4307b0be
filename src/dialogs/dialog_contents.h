#pragma once
// The contents of the nine selection dialogs: the table of disks or
// partitions with the dialog's first choice, the file list of the file
// dialogs, and the Look-in drive line and its drop-down.

#include <string>
#include <vector>

namespace vxr::app {
class TForm1;
}

namespace vxr::model {
class TCOMPUTER;
struct PartitionEntry;
}  // namespace vxr::model

namespace vxr::dialogs {

inline constexpr const char* kNoRootDirectoryMessage = "INTERNAL DIALOG 1";

// Kinds of file list lines.
enum FileEntryKind : int { kParentLine = 0, kDirectoryLine = 1, kImageLine = 2 };

struct FileListEntry {
    int kind = kParentLine;
    int entry = 0;  // directory or image number; 0 for the parent line
    bool operator==(const FileListEntry&) const = default;
};

// The lines of the file list of `directory`, top to bottom: the parent line
// when the directory has a parent, its subdirectories, then its images, each
// in table order. Directory 0 (none) lists nothing; freed directory entries,
// which keep their parent, are not listed.
std::vector<FileListEntry> fileListEntries(const model::TCOMPUTER& machine, int computer, int directory);

// 1234567 -> "1,234,567".
std::string withThousandsCommas(long long value);

// "C: 1:1 [] NTFS drive" for drive letter 1 standing on disk 1, partition 1.
std::string lookInText(int letter, int disk, int partition, int typeId);

class DialogContents {
public:
    explicit DialogContents(app::TForm1& window) : w_(window) {}

    // Fills the dialog `dialogNo` (1..9) shown in Image4B; computer is
    // PeerMode.
    void BuildDialogContents(int computer, int dialogNo);

    void DrawFileRow(int row, int entryKind, int entry, bool selected);
    void DrawLookInLine();
    void DrawLookInRow(int row, int letter, int disk, int partition);
    void DrawLookInList();

private:
    struct Place {
        int disk = 0, partition = 0;
        bool operator==(const Place&) const = default;
    };
    Place imageHolder(int computer) const;
    void createTableImage(int dialogNo);
    void showDiskDigit(int digit, int x, int y);
    void fillSourceDisks();
    void fillSourcePartitions();
    void fillImagePartitions(int computer);
    void fillTargetDisks(int computer);
    void fillTargetPartitions(int computer);
    void addNewPartitionRow(int computer, int rows, long long freeSpace);
    bool tooSmallForSource(int computer, int row) const;
    int sourcePartitionNumber() const;
    model::PartitionEntry sourcePartitionEntry(int computer) const;
    void fillTargetDetails(int computer);
    void fillFileList(int computer, int dialogNo);
    void placeFileList(int dialogNo);
    bool skippedLookInLetter(int disk, int partition) const;

    app::TForm1& w_;
};

}  // namespace vxr::dialogs
