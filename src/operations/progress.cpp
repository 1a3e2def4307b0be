#include "operations/progress.h"

#include <cmath>
#include <cstdio>
#include <thread>
#include <utility>

#include "app/tform1.h"
#include "dialogs/labels.h"
#include "dialogs/message_dialogs.h"
#include "layout/palette.h"
#include "layout/progress_layout.h"
#include "layout/step_layout.h"
#include "operations/record_changes.h"
#include "operations/record_saves.h"
#include "platform/application.h"
#include "platform/indexing.h"

namespace vxr::operations {

using namespace layout;

namespace {

using model::MachineRecord;
using model::PartitionEntry;

constexpr int kLocal = 0;
constexpr int kDetailLabels = 15;

std::string hex(int type) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(type));
    return text;
}

std::string typeText(const PartitionEntry& p) {
    return "Type:" + hex(p.type) + " [" + model::TCOMPUTER::PartitionTypeName(p.type) + "], ";
}

std::string mb(std::int64_t size) { return std::to_string(size) + " MB"; }

// What the Details rows are made of: the operation, the machine and the side
// (local or peer) the job reads its image from or writes to.
struct DetailFacts {
    const model::OperationState& s;
    const model::TCOMPUTER& m;
    const MachineRecord& r;
    int peer;
    std::string side;

    std::string disk(int n) const { return std::to_string(n); }
    std::string path(int image) const { return m.ImagePath(peer, image); }
    std::string localDrive(int n) const { return "Local drive [" + disk(n) + "], " + mb(r.disk(kLocal, n).capacity); }
    std::string targetCapacity() const { return mb(r.disk(peer, s.TargetDisk).capacity); }
};

bool isPartitionOperation(int opCode) {
    return opCode == model::kPartitionToPartition || opCode == model::kPartitionToImage ||
           opCode == model::kPartitionFromImage;
}

// The Source row and the line under it.
std::pair<std::string, std::string> sourceLines(const DetailFacts& f) {
    const model::OperationState& s = f.s;
    std::string source, source2;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskToImage:
        case model::kCheckDisk: source = f.localDrive(s.SourceDisk); break;
        case model::kDiskFromImage:
            source =
                f.side + " file " + f.path(s.ImageIndex) + ", " + mb(f.m.SumImagePartitionSize(f.peer, s.ImageIndex));
            break;
        case model::kPartitionToPartition:
        case model::kPartitionToImage:
            for (int k = 1; k <= 4; ++k) {
                if ((s.SourcePartitions >> (k - 1) & 1) == 0) continue;
                const PartitionEntry p = f.r.partition(kLocal, s.SourceDisk, k);
                source += typeText(p) + mb(p.size) + ", " + std::to_string(p.dataSize) + " MB used,";
            }
            source2 = "From " + f.localDrive(s.SourceDisk);
            break;
        case model::kPartitionFromImage: {
            const model::ImageEntry image = f.r.image(f.peer, s.ImageIndex);
            const PartitionEntry p = MachineRecord::validPartition(s.SourcePartitions)
                                         ? at(image.partitions, s.SourcePartitions)
                                         : PartitionEntry{};
            source = typeText(p) + mb(p.size) + ", " + std::to_string(p.dataSize) + " MB used, NO NAME";
            source2 = "from " + f.side + " file " + f.path(s.ImageIndex) + ".VXI, " + mb(p.size);
            break;
        }
        case model::kCheckImage:
            source = f.side + " file " + f.path(s.ImageIndex) + ".VXI, " + mb(f.r.image(f.peer, s.ImageIndex).size);
            break;
        default: break;
    }
    return {source, source2};
}

// The destination row and the line beside the caption after it.
std::pair<std::string, std::string> targetLines(const DetailFacts& f) {
    const model::OperationState& s = f.s;
    switch (s.OpCode) {
        case model::kDiskToDisk:
        case model::kDiskFromImage: return {f.side + " drive [" + f.disk(s.TargetDisk) + "]," + f.targetCapacity(), ""};
        case model::kDiskToImage:
        case model::kPartitionToImage: return {f.side + " file " + f.path(s.ImageIndex) + ".VXI", ""};
        case model::kPartitionToPartition:
        case model::kPartitionFromImage: {
            const int slot = s.TargetPartition;
            const PartitionEntry p = f.r.partition(f.peer, s.TargetDisk, slot);
            const std::int32_t size = MachineRecord::validPartition(slot) ? at(s.TargetSizes, slot) : 0;
            return {typeText(p) + mb(size),
                    "From " + f.side + " drive [" + f.disk(s.TargetDisk) + "], " + f.targetCapacity()};
        }
        default: return {};
    }
}

}  // namespace

std::vector<DetailRow> Progress::detailRows() const {
    const int peer = w_.ui.PeerMode == 1 ? 1 : 0;
    const DetailFacts facts{w_.op, w_.computer, w_.computer.record(), peer, peer ? "Remote" : "Local"};
    const model::OperationState& s = w_.op;
    const bool partitionOp = isPartitionOperation(s.OpCode);
    const auto [source, source2] = sourceLines(facts);
    const auto [target, target2] = targetLines(facts);

    std::vector<DetailRow> rows{{"Connection type", peer ? "TCP/IP" : "Local"}};
    rows.push_back({partitionOp ? "Source Partition" : "Source", source, true, true});
    if (!source2.empty()) rows.push_back({"", source2, true, true});
    const char* targetCaption = s.OpCode == model::kPartitionToPartition ? "Target partition"
                                : partitionOp                            ? "Destination file"
                                                                         : "Destination";
    rows.push_back({targetCaption, target, true, true});
    // A second destination line stands beside the (then empty) caption of
    // the row after the destination; only a second source line takes a row.
    rows.push_back({partitionOp ? "" : "Current partition", target2, true, true});
    rows.push_back({"Current file", ""});
    if (s.OpCode == model::kCheckImage) {
        const PartitionEntry first = facts.r.image(peer, s.ImageIndex).partitions[0];
        rows.back().value = "1/1 " + typeText(first) + "Size: " + mb(first.size) + ", NO NAME";
        rows.back().valueWhite = true;
        rows.push_back({"", facts.path(s.ImageIndex) + ".VXI"});
    }
    return rows;
}

void Progress::ShowProgressScreen() {
    const platform::Image& screen = *w_.IMAGE2BP;
    const std::vector<DetailRow> rows = detailRows();
    std::size_t label = 1;
    const auto place = [&](const std::string& text, int x, int row, bool white, bool bold) {
        if (text.empty() || label > kDetailLabels) return;
        dialogs::showLabel(*w_.Label[label++], text,
                           {"Microsoft Sans Serif", 7, bold, white ? platform::colors::white : platform::colors::black},
                           layout::palette(8), screen.left() + x, screen.top() + kDetailsTop + row * kDetailsRowHeight);
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        place(rows[row].caption, kDetailsLeftX, static_cast<int>(row), false, false);
        place(rows[row].value, kDetailsRightX, static_cast<int>(row), rows[row].valueWhite, rows[row].valueBold);
    }
}

void Progress::RunOperation(bool& operationFailed) {
    operationFailed = true;
    jobSaved_ = false;
    const ChangeResult change = ApplyOperation(w_.computer, w_.op, w_.options, w_.ui.PeerMode, platform::systemClock());
    w_.trace.write("operation", {{"opCode", w_.op.OpCode}, {"applied", change == ChangeResult::Applied}});
    if (change != ChangeResult::Applied) {
        w_.messages().ask(change == ChangeResult::NotEnoughSpace ? layout::Msg::NotEnoughSpace
                                                                 : layout::Msg::DataFileError);
        return;
    }
    const int op = w_.op.OpCode;
    if (op == model::kDiskToDisk || op == model::kDiskFromImage || op == model::kPartitionToPartition ||
        op == model::kPartitionFromImage) {
        w_.computer.BuildDriveLetters();
    }
    jobSaved_ = SaveDataFile(w_, "operation");
    if (!jobSaved_ || !SaveAssessmentCopy(w_, "operation")) {
        w_.messages().ask(layout::Msg::DataFileError);
        return;
    }
    completed_ = true;
    animate();
    operationFailed = false;
}

void Progress::showPercent(int percent) {
    platform::Label& box = *w_.PercentBox;
    box.setCaption(" " + std::to_string(percent));
}

void Progress::animate() {
    const platform::Image& screen = *w_.IMAGE2BP;
    platform::Label& box = *w_.PercentBox;
    box.setAutoSize(false);
    box.setFont({"Microsoft Sans Serif", 7, false, platform::colors::black});
    box.setColor(layout::palette(1));
    box.setBounds(screen.left() + kPercentBoxAt.x, screen.top() + kPercentBoxAt.y, kPercentBoxWidth, kPercentBoxHeight);
    platform::Image& bar = *w_.ProgressBar;
    bar.setBounds(screen.left() + kProgressBarAt.x, screen.top() + kProgressBarAt.y, 1, kProgressBarHeight);
    box.bringToFront();
    box.show();
    bar.bringToFront();
    bar.show();
    // Each step is due at a fixed time after the start, so the whole bar takes
    // the same wall time on a busy machine as on an idle one; a step that is
    // already late is drawn without being shown, and the last one always is.
    // No input is taken meanwhile.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (int step = 0; step < kProgressBarSteps; ++step) {
        std::this_thread::sleep_until(start + stepDelay * (step + 1));
        bar.setWidth(step + 1);
        bar.canvas().bitmap().fill({0, 0, bar.width(), bar.height()}, layout::palette(5));
        showPercent(static_cast<int>(std::nearbyint(step * 100.0 / kProgressBarSteps)));
        const bool last = step + 1 == kProgressBarSteps;
        if (last || Clock::now() < start + stepDelay * (step + 2)) w_.app().repaint();
    }
}

void Progress::hide() {
    w_.IMAGE2BP->hide();
    for (int i = 1; i <= kDetailLabels; ++i) cell(w_.Label, i)->hide();
    w_.PercentBox->hide();
    w_.ProgressBar->hide();
}

}  // namespace vxr::operations
