#include "cmdline/clone_parser.h"

#include <array>
#include <bit>

#include "dialogs/image_names.h"
#include "model/size_rules.h"
#include "platform/indexing.h"
#include "platform/text.h"

namespace vxr::cmdline {

using layout::Msg;

namespace {

struct ModeWord {
    const char* word;
    int opCode;
};

constexpr std::array kModeWords{
    ModeWord{"COPY", model::kDiskToDisk},          ModeWord{"DUMP", model::kDiskToImage},
    ModeWord{"CREATE", model::kDiskToImage},       ModeWord{"LOAD", model::kDiskFromImage},
    ModeWord{"RESTORE", model::kDiskFromImage},    ModeWord{"PCOPY", model::kPartitionToPartition},
    ModeWord{"PDUMP", model::kPartitionToImage},   ModeWord{"PCREATE", model::kPartitionToImage},
    ModeWord{"PLOAD", model::kPartitionFromImage}, ModeWord{"PRESTORE", model::kPartitionFromImage},
};

constexpr int kLocal = 0;
constexpr std::string_view kExtension = ".VXI";

// A disk or partition digit 1 to 4 at `at`, or 0.
int digitAt(const std::string& text, std::size_t at) {
    return at < text.size() && text[at] >= '1' && text[at] <= '4' ? text[at] - '0' : 0;
}

bool hasColonAt(const std::string& text, std::size_t at) { return at < text.size() && text[at] == ':'; }

// The file name part of a completed image path (it always holds a backslash).
std::string fileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

std::string withExtension(const std::string& name) {
    return name.find('.') == std::string::npos ? name + std::string(kExtension) : name;
}

}  // namespace

std::string CompletePath(const std::string& path) {
    if (path.find('\\') != std::string::npos) return path;
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\" + path.substr(2);
    return "C:\\" + path;
}

Msg CloneParser::ParseKeyword(const std::string& element) {
    const auto equals = element.find('=');
    const std::string key = element.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : element.substr(equals + 1);
    if (key != "MODE" && key != "SRC" && key != "DST") {
        c_.errorToken = key;
        return Msg::UnknownKeyword;
    }
    if (value.empty()) return Msg::None;
    if (key == "MODE") {
        for (const ModeWord& mode : kModeWords) {
            if (value == mode.word) c_.state.OpCode = mode.opCode;
        }
    } else if (key == "SRC") {
        source_ = value;
    } else {
        destination_ = value;
    }
    return Msg::None;
}

Msg CloneParser::splitElements(std::string text) {
    while (!text.empty()) {
        const auto comma = text.find(',', 1);
        const std::string element = text.substr(1, comma == std::string::npos ? std::string::npos : comma - 1);
        text = comma == std::string::npos ? "" : text.substr(comma);
        if (const Msg error = ParseKeyword(element); error != Msg::None) return error;
    }
    return Msg::None;
}

Msg CloneParser::ParseClone(const std::string& text) {
    model::OperationState& s = c_.state;
    s.OpCode = model::kDiskToDisk;
    s.CompressionFactor = 1.0;
    s.ImagePassword.clear();
    s.ImageIndex = 0;
    source_.clear();
    destination_.clear();
    if (text.empty() || text[0] != ',') return Msg::ExpectedComma;
    if (const Msg error = splitElements(text); error != Msg::None) return error;
    if (source_.empty()) return Msg::SourceUnknown;
    if (s.OpCode == model::kDiskFromImage || s.OpCode == model::kPartitionFromImage) source_ = CompletePath(source_);
    if (destination_.empty()) return Msg::DestinationUnknown;
    if (s.OpCode == model::kDiskToImage || s.OpCode == model::kPartitionToImage) {
        const auto at = destination_.find(kExtension);
        if (at != std::string::npos && at + kExtension.size() == destination_.size()) destination_.erase(at);
        destination_ = CompletePath(destination_);
    }
    if (const Msg error = readSource(); error != Msg::None) return error;
    return readDestination();
}

// ---- the source ------------------------------------------------------------------

Msg CloneParser::readSource() {
    model::OperationState& s = c_.state;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskToImage:
            if (diskAt(source_, 0, kLocal) == 0) return Msg::InvalidSourceDrive;
            s.SourceDisk = digitAt(source_, 0);
            return Msg::None;
        case model::kPartitionToPartition:
        case model::kPartitionToImage:
            if (!hasColonAt(source_, 1)) return Msg::ExpectedColonInSource;
            if (diskAt(source_, 0, kLocal) == 0) return Msg::InvalidSourceDrive;
            s.SourceDisk = digitAt(source_, 0);
            s.SourcePartitions = 0;
            return readPartitionGroups();
        case model::kPartitionFromImage:
            if (source_.size() >= 2 && source_[source_.size() - 2] == ':') {
                s.SourcePartitions = source_.back() - '0';
                source_.resize(source_.size() - 2);
            } else {
                s.SourcePartitions = 1;
            }
            return readImageSource();
        case model::kDiskFromImage: return readImageSource();
        default: return Msg::None;
    }
}

// ":p" groups after the disk digit: one partition for a copy, several for an image.
Msg CloneParser::readPartitionGroups() {
    model::OperationState& s = c_.state;
    const int partitions = c_.machine.record().partitionsInUse(kLocal, s.SourceDisk);
    std::string rest = source_.substr(1);
    while (!rest.empty()) {
        const int p = digitAt(rest, 1);
        if (!hasColonAt(rest, 0) || p == 0) return Msg::InvalidSourcePartition;
        if (p > partitions) return Msg::InvalidImageSourcePartition;
        const int bit = 1 << (p - 1);
        s.SourcePartitions = s.OpCode == model::kPartitionToPartition ? bit : (s.SourcePartitions | bit);
        rest.erase(0, 2);
    }
    return Msg::None;
}

Msg CloneParser::readImageSource() {
    model::OperationState& s = c_.state;
    // A path naming a directory (C:\, D:\BACKUP\) is no image file either.
    s.ImageIndex = c_.machine.ResolveImagePath(kLocal, source_);
    if (s.ImageIndex == 0) {
        c_.errorToken = withExtension(source_);
        return Msg::CannotOpenImage;
    }
    if (s.OpCode != model::kPartitionFromImage) return Msg::None;
    if (s.SourcePartitions < 1 || s.SourcePartitions > 4) return Msg::InvalidSourcePartition;
    if (s.SourcePartitions > c_.machine.record().imagePartitionsInUse(kLocal, s.ImageIndex)) {
        return Msg::SourcePartitionAboveMax;
    }
    return Msg::None;
}

// ---- the destination -------------------------------------------------------------

Msg CloneParser::readDestination() {
    model::OperationState& s = c_.state;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskFromImage:
            if (diskAt(destination_, 0, c_.peerMode) == 0) return Msg::InvalidDestinationDrive;
            s.TargetDisk = digitAt(destination_, 0);
            if (destinationHoldsSource()) return Msg::InvalidDestinationDrive;
            return Msg::None;
        case model::kDiskToImage:
        case model::kPartitionToImage: return readImageDestination();
        case model::kPartitionToPartition:
        case model::kPartitionFromImage: return readPartitionDestination();
        default: return Msg::None;
    }
}

Msg CloneParser::readImageDestination() {
    model::OperationState& s = c_.state;
    s.LookInLetter = 1;
    s.LookInDirectory = c_.machine.ResolvePath(c_.peerMode, "C:\\");
    std::string name = destination_;
    const int resolved = dialogs::ResolveImageName(c_.machine, s, c_.peerMode, s.LookInLetter, s.LookInDirectory, name);
    if (resolved == dialogs::kNoSuchDriveOrDirectory) return Msg::NoSuchDirectory;
    if (resolved == dialogs::kOnImagedSource) {
        return s.OpCode == model::kDiskToImage ? Msg::OnImagedDrive : Msg::OnImagedPartition;
    }
    // A name that is empty once normalised (E:\IMAGES\, .X) or that holds
    // control characters cannot be a file name.
    if (model::TCOMPUTER::NormaliseName(name).empty() || platform::hasControlCharacter(fileNameOf(destination_))) {
        return cannotCreateImage(name);
    }
    // An existing image of that name is overwritten, as the interactive
    // overwrite question's Yes does: one entry per name, its space not counted twice.
    const int existing = c_.machine.FindImage(c_.peerMode, s.LookInDirectory, name);
    s.OverwriteImage = existing != 0;
    s.ImageIndex = existing != 0 ? existing : c_.machine.AddImage(c_.peerMode, s.LookInDirectory, name);
    return s.ImageIndex != 0 ? Msg::None : cannotCreateImage(name);
}

Msg CloneParser::cannotCreateImage(const std::string& name) {
    c_.errorToken = withExtension(name);
    return Msg::CannotCreateImage;
}

Msg CloneParser::readPartitionDestination() {
    model::OperationState& s = c_.state;
    model::MachineRecord& record = c_.machine.record();
    if (!hasColonAt(destination_, 1)) return Msg::ExpectedColonInDestination;
    if (diskAt(destination_, 0, c_.peerMode) == 0) return Msg::InvalidDestinationDrive;
    s.TargetDisk = digitAt(destination_, 0);
    if (digitAt(destination_, 2) == 0) return Msg::InvalidDestinationPartition;
    s.TargetPartition = digitAt(destination_, 2);
    if (destinationHoldsSource()) return Msg::InvalidDestinationPartition;
    const int count = record.partitionsInUse(c_.peerMode, s.TargetDisk);
    if (s.TargetPartition > count + 1) return Msg::TargetPartitionInvalid;

    const model::PartitionEntry entry = s.OpCode == model::kPartitionToPartition
                                            ? record.partition(kLocal, s.SourceDisk, sourcePartition())
                                            : at(record.image(kLocal, s.ImageIndex).partitions, s.SourcePartitions);
    newPartition_ = entry;
    record.setPartition(c_.peerMode, s.TargetDisk, s.TargetPartition, entry);
    s.SourcePartCount = std::max(count, s.TargetPartition);
    return Msg::None;
}

// ---- the sizes, once every parameter is read -------------------------------------

Msg CloneParser::SizeDestination() {
    model::OperationState& s = c_.state;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskFromImage:
            // Whether each new partition holds its data is checked when the
            // operation starts, as for a copy chosen in the dialogs.
            model::SizeRules(c_.machine, s, c_.options).DefaultTargetSizes(kLocal);
            return Msg::None;
        case model::kPartitionToPartition:
        case model::kPartitionFromImage:
            return sizeNewPartition(newPartition_) ? Msg::None : Msg::TargetPartitionInvalid;
        default: return Msg::None;
    }
}

// The new partition keeps the source's size where the disk has room for it
// beside its other partitions, else it gets the room there is. False when
// that is less than the data it must hold (or nothing at all).
bool CloneParser::sizeNewPartition(const model::PartitionEntry& entry) {
    model::OperationState& s = c_.state;
    const model::MachineRecord& record = c_.machine.record();
    s.TargetSizes.fill(0);
    for (int p = 1; p <= record.partitionsInUse(c_.peerMode, s.TargetDisk); ++p) {
        if (p != s.TargetPartition) s.targetSize(p) = record.partition(c_.peerMode, s.TargetDisk, p).size;
    }
    s.targetSize(s.TargetPartition) = entry.size;
    model::SizeRules(c_.machine, s, c_.options).ApplySizeRules(c_.peerMode, s.TargetPartition);
    std::int64_t sum = 0;
    for (std::int32_t size : s.TargetSizes) sum += size;
    const std::int32_t size = s.targetSize(s.TargetPartition);
    return size > 0 && size >= entry.dataSize && sum <= record.disk(c_.peerMode, s.TargetDisk).capacity;
}

// ---- what the source and destination are -----------------------------------------

int CloneParser::diskAt(const std::string& text, std::size_t at, int computer) const {
    const int disk = digitAt(text, at);
    return disk <= c_.machine.record().disksInUse(computer) ? disk : 0;
}

int CloneParser::sourcePartition() const {
    return std::countr_zero(static_cast<unsigned>(c_.state.SourcePartitions)) + 1;
}

// Copying a disk or partition onto itself, or restoring an image onto the
// disk or partition that holds its file, would destroy the source as it is read.
bool CloneParser::destinationHoldsSource() const {
    const model::OperationState& s = c_.state;
    if (c_.peerMode != kLocal) return false;  // the destination is on the peer computer
    const model::MachineRecord& record = c_.machine.record();
    const model::DirectoryEntry folder = record.directory(kLocal, record.image(kLocal, s.ImageIndex).directory);
    switch (s.OpCode) {
        case model::kDiskToDisk: return s.TargetDisk == s.SourceDisk;
        case model::kDiskFromImage: return s.TargetDisk == folder.disk;
        case model::kPartitionToPartition:
            return s.TargetDisk == s.SourceDisk && s.TargetPartition == sourcePartition();
        case model::kPartitionFromImage: return s.TargetDisk == folder.disk && s.TargetPartition == folder.partition;
        default: return false;
    }
}

}  // namespace vxr::cmdline
