#include "cmdline/clone_parser.h"

#include <array>
#include <bit>

#include "dialogs/image_names.h"
#include "model/size_rules.h"

namespace vxr::cmdline {

namespace {

struct ModeWord {
    const char* word;
    int opCode;
};

constexpr std::array kModeWords{
    ModeWord{"COPY", model::kDiskToDisk},       ModeWord{"DUMP", model::kDiskToImage},
    ModeWord{"CREATE", model::kDiskToImage},    ModeWord{"LOAD", model::kDiskFromImage},
    ModeWord{"RESTORE", model::kDiskFromImage}, ModeWord{"PCOPY", model::kPartitionToPartition},
    ModeWord{"PDUMP", model::kPartitionToImage}, ModeWord{"PCREATE", model::kPartitionToImage},
    ModeWord{"PLOAD", model::kPartitionFromImage}, ModeWord{"PRESTORE", model::kPartitionFromImage},
};

constexpr int kLocal = 0;
constexpr std::string_view kExtension = ".VXI";

// A disk or partition digit 1 to 4 at `at`, or 0.
int digitAt(const std::string& text, std::size_t at) {
    return at < text.size() && text[at] >= '1' && text[at] <= '4' ? text[at] - '0' : 0;
}

bool hasColonAt(const std::string& text, std::size_t at) { return at < text.size() && text[at] == ':'; }

std::string withExtension(const std::string& name) {
    return name.find('.') == std::string::npos ? name + std::string(kExtension) : name;
}

}  // namespace

std::string CompletePath(const std::string& path) {
    if (path.find('\\') != std::string::npos) return path;
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\" + path.substr(2);
    return "C:\\" + path;
}

int CloneParser::ParseKeyword(const std::string& element) {
    const auto equals = element.find('=');
    const std::string key = element.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : element.substr(equals + 1);
    if (key != "MODE" && key != "SRC" && key != "DST") {
        c_.errorToken = key;
        return kUnknownKeyword;
    }
    if (value.empty()) return 0;
    if (key == "MODE") {
        for (const ModeWord& mode : kModeWords) {
            if (value == mode.word) c_.state.OpCode = mode.opCode;
        }
    } else if (key == "SRC") {
        source_ = value;
    } else {
        destination_ = value;
    }
    return 0;
}

int CloneParser::splitElements(std::string text) {
    while (!text.empty()) {
        const auto comma = text.find(',', 1);
        const std::string element = text.substr(1, comma == std::string::npos ? std::string::npos : comma - 1);
        text = comma == std::string::npos ? "" : text.substr(comma);
        if (const int error = ParseKeyword(element)) return error;
    }
    return 0;
}

int CloneParser::ParseClone(const std::string& text) {
    model::OperationState& s = c_.state;
    s.OpCode = model::kDiskToDisk;
    s.CompressionFactor = 1.0;
    s.ImagePassword.clear();
    s.ImageIndex = 0;
    source_.clear();
    destination_.clear();
    if (text.empty() || text[0] != ',') return kExpectedComma;
    if (const int error = splitElements(text)) return error;
    if (source_.empty()) return kSourceUnknown;
    if (s.OpCode == model::kDiskFromImage || s.OpCode == model::kPartitionFromImage) source_ = CompletePath(source_);
    if (destination_.empty()) return kDestinationUnknown;
    if (s.OpCode == model::kDiskToImage || s.OpCode == model::kPartitionToImage) {
        const auto at = destination_.find(kExtension);
        if (at != std::string::npos && at + kExtension.size() == destination_.size()) destination_.erase(at);
        destination_ = CompletePath(destination_);
    }
    if (const int error = readSource()) return error;
    return readDestination();
}

// ---- the source ------------------------------------------------------------------

int CloneParser::readSource() {
    model::OperationState& s = c_.state;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskToImage:
            if (digitAt(source_, 0) == 0) return kInvalidSourceDrive;
            s.SourceDisk = digitAt(source_, 0);
            return 0;
        case model::kPartitionToPartition:
        case model::kPartitionToImage:
            if (!hasColonAt(source_, 1)) return kExpectedColonInSource;
            if (digitAt(source_, 0) == 0) return kInvalidSourceDrive;
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
        default: return 0;
    }
}

// ":p" groups after the disk digit: one partition for a copy, several for an image.
int CloneParser::readPartitionGroups() {
    model::OperationState& s = c_.state;
    const int partitions = c_.machine.record().partitionsInUse(kLocal, s.SourceDisk);
    std::string rest = source_.substr(1);
    while (!rest.empty()) {
        const int p = digitAt(rest, 1);
        if (!hasColonAt(rest, 0) || p == 0) return kInvalidSourcePartition;
        if (p > partitions) return kInvalidImageSourcePartition;
        const int bit = 1 << (p - 1);
        s.SourcePartitions = s.OpCode == model::kPartitionToPartition ? bit : (s.SourcePartitions | bit);
        rest.erase(0, 2);
    }
    return 0;
}

int CloneParser::readImageSource() {
    model::OperationState& s = c_.state;
    s.ImageIndex = c_.machine.ResolvePath(kLocal, source_);
    if (s.ImageIndex == 0) {
        c_.errorToken = withExtension(source_);
        return kCannotOpenImage;
    }
    if (s.OpCode != model::kPartitionFromImage) return 0;
    if (s.SourcePartitions < 1 || s.SourcePartitions > 4) return kInvalidSourcePartition;
    if (s.SourcePartitions > c_.machine.record().imagePartitionsInUse(kLocal, s.ImageIndex)) {
        return kSourcePartitionAboveMax;
    }
    return 0;
}

// ---- the destination -------------------------------------------------------------

int CloneParser::readDestination() {
    model::OperationState& s = c_.state;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskFromImage:
            if (digitAt(destination_, 0) == 0) return kInvalidDestinationDrive;
            s.TargetDisk = digitAt(destination_, 0);
            model::SizeRules(c_.machine, s, c_.options).DefaultTargetSizes(kLocal);
            return 0;
        case model::kDiskToImage:
        case model::kPartitionToImage: return readImageDestination();
        case model::kPartitionToPartition:
        case model::kPartitionFromImage: return readPartitionDestination();
        default: return 0;
    }
}

int CloneParser::readImageDestination() {
    model::OperationState& s = c_.state;
    s.LookInLetter = 1;
    s.LookInDirectory = c_.machine.ResolvePath(c_.peerMode, "C:\\");
    std::string name = destination_;
    const int resolved = dialogs::ResolveImageName(c_.machine, s, c_.peerMode, s.LookInLetter, s.LookInDirectory, name);
    if (resolved == dialogs::kNoSuchDirectory) return kNoSuchDirectory;
    if (resolved == dialogs::kOnImagedSource) {
        return s.OpCode == model::kDiskToImage ? kImageOnImagedDrive : kImageOnImagedPartition;
    }
    s.ImageIndex = c_.machine.AddImage(c_.peerMode, s.LookInDirectory, name);
    if (s.ImageIndex != 0) return 0;
    c_.errorToken = withExtension(name);
    return kCannotCreateImage;
}

int CloneParser::readPartitionDestination() {
    model::OperationState& s = c_.state;
    model::MachineRecord& record = c_.machine.record();
    if (!hasColonAt(destination_, 1)) return kExpectedColonInDestination;
    if (digitAt(destination_, 0) == 0) return kInvalidDestinationDrive;
    s.TargetDisk = digitAt(destination_, 0);
    if (digitAt(destination_, 2) == 0) return kInvalidDestinationPartition;
    s.TargetPartition = digitAt(destination_, 2);
    const int count = record.partitionsInUse(c_.peerMode, s.TargetDisk);
    if (s.TargetPartition > count + 1) return kTargetPartitionInvalid;

    const model::PartitionEntry entry =
        s.OpCode == model::kPartitionToPartition
            ? record.partition(kLocal, s.SourceDisk, std::countr_zero(static_cast<unsigned>(s.SourcePartitions)) + 1)
            : record.image(kLocal, s.ImageIndex).partitions[static_cast<std::size_t>(s.SourcePartitions - 1)];
    record.setPartition(c_.peerMode, s.TargetDisk, s.TargetPartition, entry);
    s.targetSize(s.TargetPartition) = entry.size;
    model::SizeRules(c_.machine, s, c_.options).ApplySizeRules(kLocal, s.TargetPartition);
    s.SourcePartCount = std::max(count, s.TargetPartition);
    return 0;
}

}  // namespace vxr::cmdline
