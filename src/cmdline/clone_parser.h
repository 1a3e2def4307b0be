#pragma once
// The -CLONE parameter: ",MODE=word,SRC=source,DST=destination" filled into
// the operation state that the operation sequence then runs without asking.

#include <string>

#include "layout/message_codes.h"
#include "model/computer.h"
#include "model/operation_state.h"
#include "model/option_words.h"

namespace vxr::cmdline {

struct CloneContext {
    model::TCOMPUTER& machine;
    model::OperationState& state;
    const model::OptionWords& options;
    int peerMode = 0;
    std::string& errorToken;
};

class CloneParser {
public:
    explicit CloneParser(CloneContext context) : c_(context) {}

    // `text` is the upper-cased parameter after "-CLONE" (it starts with the
    // comma). Returns Msg::None when the state is complete, else the message to
    // show (with the error token set where the dialog names one).
    layout::Msg ParseClone(const std::string& text);

    // One KEY=VALUE element; Msg::None, or the unknown keyword's message.
    layout::Msg ParseKeyword(const std::string& element);

    // After a successful ParseClone, once every parameter is read (the FAT32
    // option may follow the clone): the new partition sizes of a disk or
    // partition destination. Msg::None, or the message when a new partition
    // cannot hold its data beside the disk's other partitions. The entries
    // the parse wrote stay: the caller keeps the record as it was before.
    layout::Msg SizeDestination();

private:
    layout::Msg splitElements(std::string text);
    layout::Msg readSource();
    layout::Msg readPartitionGroups();
    layout::Msg readImageSource();
    layout::Msg readDestination();
    layout::Msg readImageDestination();
    layout::Msg readPartitionDestination();
    layout::Msg cannotCreateImage(const std::string& name);
    bool sizeNewPartition(const model::PartitionEntry& entry);
    // The disk digit at `at` when it names a disk of `computer`, else 0.
    int diskAt(const std::string& text, std::size_t at, int computer) const;
    int sourcePartition() const;  // the partition a partition copy reads
    bool destinationHoldsSource() const;

    CloneContext c_;
    std::string source_;
    std::string destination_;
    // A partition destination: the entry written.
    model::PartitionEntry newPartition_;
};

// An image path without a backslash is relative to the root of its drive,
// or of drive C when it names none: D:IMG is D:\IMG, IMG is C:\IMG.
std::string CompletePath(const std::string& path);

}  // namespace vxr::cmdline
