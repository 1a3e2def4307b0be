// The interactive part of an operation: the selection dialogs that choose
// the source, the image file, the destination and the new partition sizes,
// and the compression question. A command-line run has made these choices
// already and skips all of this.

#include <algorithm>

#include "app/focus_frame.h"
#include "app/screens.h"
#include "app/tform1.h"
#include "dialogs/dialog_contents.h"
#include "dialogs/image_names.h"
#include "dialogs/message_dialogs.h"
#include "layout/dialog_areas.h"
#include "layout/palette.h"
#include "model/size_rules.h"
#include "operations/operation_sequence.h"

namespace vxr::operations {

using layout::Step;

namespace {

using namespace model;

using layout::Msg;

// Compression factors of the answers No, Fast and High.
constexpr double kNoCompression = 1.0, kFastCompression = 0.5, kHighCompression = 0.45;

bool among(int op, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), op) != codes.end();
}

}  // namespace

// Step 1 of the run: the menus go, the choices of the last run are cleared.
void OperationSequence::prepareInteractiveRun() {
    OperationState& s = w_.op;
    s.TargetSizes.fill(0);
    s.OpCode = w_.ui.SubItem * 10 + w_.ui.LeafItem;
    app::Screens& screens = w_.screens();
    screens.HideThirdMenus();
    w_.ui.LeafItem = 0;
    screens.HideSubmenus();
    screens.HideMainMenu();
    s.SourceDisk = s.TargetDisk = s.SourcePartitions = s.TargetPartition = s.SourcePartCount = 0;
    s.NewPartitionData = 0;
}

bool OperationSequence::askSource() {
    const int op = w_.op.OpCode;
    if (among(op, {kDiskToDisk, kDiskToImage, kPartitionToPartition, kPartitionToImage, kCheckDisk})) {
        if (AskStep(Step::SourceDisk) != 1) return false;
        if (op == kDiskToDisk) w_.op.SourcePartCount = w_.computer.record().partitionsInUse(0, w_.op.SourceDisk);
    }
    if (among(op, {kPartitionToPartition, kPartitionToImage})) {
        if (AskStep(Step::SourcePartitions) != 1) return false;
    }
    return true;
}

// The image of a restore; a name that is no image there is reported and
// asked again.
bool OperationSequence::askImageToRead() {
    const int op = w_.op.OpCode;
    if (op != kDiskFromImage && op != kPartitionFromImage) return true;
    while (true) {
        if (AskStep(Step::ImageToRestore) != 1) return false;
        if (w_.op.ImageIndex != 0) break;
        w_.focusFrame().DrawFocusFrame(1, app::kFrameHidden);
        w_.messages().ask(Msg::NotAnImage);
        if (w_.end.requested) return false;
    }
    if (op == kDiskFromImage) {
        w_.op.SourcePartCount = w_.computer.record().imagePartitionsInUse(w_.ui.PeerMode, w_.op.ImageIndex);
    }
    return true;
}

// The partition inside the image of a partition restore, or the image to
// check.
bool OperationSequence::askImageContents() {
    const int op = w_.op.OpCode;
    if (op == kPartitionFromImage) {
        return AskStep(Step::ImagePartition) == 1;
    }
    if (op != kCheckImage) return true;
    while (true) {
        if (AskStep(Step::ImageToCheck) != 1) return false;
        if (w_.op.ImageIndex != 0) return true;
        w_.messages().ask(Msg::NotAnImage);
        if (w_.end.requested) return false;
    }
}

bool OperationSequence::askDestination() {
    const int op = w_.op.OpCode;
    if (!among(op, {kDiskToDisk, kDiskFromImage, kPartitionToPartition, kPartitionFromImage})) return true;
    if (AskStep(Step::DestinationDisk) != 1) return false;
    if (op == kPartitionToPartition || op == kPartitionFromImage) {
        if (AskStep(Step::DestinationPartition) != 1) return false;
        carrySourceDataToNewPartition();
    }
    return true;
}

// The free-space row was written as the source's entry without its data
// (the table shows a new partition empty); the copy fills it, so the new
// partition gets the source's data size, as in a command-line run.
void OperationSequence::carrySourceDataToNewPartition() {
    const OperationState& s = w_.op;
    MachineRecord& record = w_.computer.record();
    const int computer = w_.ui.PeerMode;
    if (s.TargetPartition <= record.partitionsInUse(computer, s.TargetDisk)) return;
    PartitionEntry entry = record.partition(computer, s.TargetDisk, s.TargetPartition);
    entry.dataSize = s.NewPartitionData;
    record.setPartition(computer, s.TargetDisk, s.TargetPartition, entry);
}

// The file name of a new image: a bad place ends the run, an existing name
// asks whether to overwrite it (No asks for a name again).
bool OperationSequence::askNewImageName() {
    const int op = w_.op.OpCode;
    if (op != kDiskToImage && op != kPartitionToImage) return true;
    while (true) {
        int answer = AskStep(Step::NewImageName);
        if (w_.ui.DialogCode != 0) {
            // The name was refused; the step left the message that says why.
            w_.messages().ask(static_cast<Msg>(w_.ui.DialogCode));
            answer = 2;
        }
        if (answer != 1 || w_.end.requested) return false;
        if (w_.op.ImageIndex >= 0) break;
        if (w_.messages().ask(Msg::OverwriteQuestion) == 1) {
            w_.op.ImageIndex = -w_.op.ImageIndex;
            break;
        }
        if (w_.end.requested) return false;
    }
    w_.op.ImagePassword.clear();
    return true;
}

// A disk copy needs room for the source's data on the destination.
bool OperationSequence::cloneFits() {
    const OperationState& s = w_.op;
    if (s.OpCode != kDiskToDisk) return true;
    const std::int64_t data = w_.computer.SumDataSize(0, s.SourceDisk);
    if (data <= w_.computer.record().disk(w_.ui.PeerMode, s.TargetDisk).capacity) return true;
    return destinationTooSmall();
}

// The new sizes of a disk copy or restore, as settled in the details dialog
// or on the command line, must each hold their partition's data: the sizes
// may fit the disk only by cutting a partition below it.
bool OperationSequence::newPartitionsHoldData() {
    if (SizeRules(w_.computer, w_.op, w_.options).NewSizesHoldData(w_.ui.PeerMode)) return true;
    return destinationTooSmall();
}

bool OperationSequence::destinationTooSmall() {
    w_.messages().ask(Msg::DestinationTooSmall);
    return false;
}

bool OperationSequence::askDestinationDetails() {
    if (w_.op.OpCode != kDiskToDisk && w_.op.OpCode != kDiskFromImage) return true;
    return AskStep(Step::DestinationDetails) == 1;
}

void OperationSequence::askCompression() {
    if (w_.op.OpCode != kDiskToImage && w_.op.OpCode != kPartitionToImage) return;
    switch (AskStep(Step::Compression)) {
        case 2: w_.op.CompressionFactor = kFastCompression; break;
        case 3: w_.op.CompressionFactor = kHighCompression; break;
        default: w_.op.CompressionFactor = kNoCompression; break;
    }
}

// ---- the file dialogs ----------------------------------------------------------------

// The first drive offered for a new image is one that does not hold what
// is being imaged. When every drive does, the first is offered and a name
// there is refused as lying on the source.
void OperationSequence::chooseFirstLookInLetter() {
    OperationState& s = w_.op;
    s.LookInLetter = 1;
    if (w_.ui.PeerMode != 0) return;
    const int letters = w_.computer.driveLetters(0).count;
    const auto onSource = [&](int letter) { return w_.computer.driveLetter(0, letter).disk == s.SourceDisk; };
    if (s.OpCode == kDiskToImage) {
        while (s.LookInLetter <= letters && onSource(s.LookInLetter)) ++s.LookInLetter;
    } else if (s.OpCode == kPartitionToImage) {
        for (int p = 1; p <= bytes::kPartitions; ++p) {
            if ((s.SourcePartitions >> (p - 1) & 1) == 0) continue;
            if (onSource(s.LookInLetter) && w_.computer.driveLetter(0, s.LookInLetter).partition == p) ++s.LookInLetter;
        }
    }
    if (s.LookInLetter > letters) s.LookInLetter = 1;
}

platform::Edit& showDialogEdit(app::TForm1& w, layout::Offset at, int width, int height) {
    platform::Edit& edit = *w.Edit[1];
    edit.setBounds(w.Image4B->left() + at.x, w.Image4B->top() + at.y, width, height);
    edit.setColor(layout::palette(4));
    edit.setFont({"Microsoft Sans Serif", 7, false, platform::colors::black});
    edit.setMaxLength(0);
    edit.setPasswordChar(0);
    edit.setText("");
    edit.bringToFront();
    edit.show();
    return edit;
}

void OperationSequence::showFileNameEdit() {
    showDialogEdit(w_, layout::kFileNameEditAt, layout::kFileNameEditWidth, layout::kFileNameEditHeight);
}

void OperationSequence::openFileDialog() {
    chooseFirstLookInLetter();
    w_.ui.RowSel = 1;
    w_.op.LookInDirectory = 0;
    w_.op.ImageIndex = 0;
    w_.dialogContents().DrawLookInLine();
    showFileNameEdit();
}

// The file dialog was answered with its first button: a typed name is
// resolved; an image clicked in the list for a new image must not lie on
// what is being imaged either (the list may show such a drive when every
// drive does).
bool OperationSequence::takeChosenName(Step step) {
    OperationState& s = w_.op;
    if (s.ImageIndex == 0) return takeTypedName(step);
    if (step != Step::NewImageName) return true;
    int letter = s.LookInLetter, directory = s.LookInDirectory;
    std::string name = s.ImageFileName;
    if (dialogs::ResolveImageName(w_.computer, s, w_.ui.PeerMode, letter, directory, name) !=
        dialogs::kOnImagedSource) {
        return true;
    }
    w_.ui.DialogCode = layout::code(s.OpCode == kDiskToImage ? Msg::OnImagedDrive : Msg::OnImagedPartition);
    return false;
}

// A name typed into a file dialog answered with OK. Paths are taken from
// the drive and directory shown. A new image's name gets a fresh entry or,
// when it exists, that entry (negative: the overwrite question follows).
// False when the name cannot be used: DialogCode then tells why.
bool OperationSequence::takeTypedName(Step step) {
    OperationState& s = w_.op;
    const int computer = w_.ui.PeerMode;
    s.ImageFileName = trimmedUpper(w_.Edit[1]->text());
    int letter = s.LookInLetter, directory = s.LookInDirectory;
    std::string name = s.ImageFileName;
    const int resolved = dialogs::ResolveImageName(w_.computer, s, computer, letter, directory, name);
    if (step != Step::NewImageName) {
        // A restore or check reads a file: a name that leads nowhere is
        // simply no image, reported with the directory shown.
        if (resolved == dialogs::kNameAccepted) {
            s.LookInLetter = letter;
            s.LookInDirectory = directory;
            s.ImageFileName = name;
        }
        s.ImageIndex = resolved == dialogs::kNameAccepted ? w_.computer.FindImage(computer, directory, name) : 0;
        return true;
    }
    // A path ending in a backslash, or a bare extension, names no file.
    if (resolved == dialogs::kNameAccepted && TCOMPUTER::NormaliseName(name).empty()) {
        w_.ui.DialogCode = layout::code(Msg::NoSuchDirectory);
        return false;
    }
    if (resolved != dialogs::kNameAccepted) {
        w_.ui.DialogCode = layout::code(resolved == dialogs::kNoSuchDriveOrDirectory ? Msg::NoSuchDirectory
                                        : s.OpCode == kDiskToImage                   ? Msg::OnImagedDrive
                                                                                     : Msg::OnImagedPartition);
        return false;
    }
    s.LookInLetter = letter;
    s.LookInDirectory = directory;
    s.ImageFileName = name;
    if (const int existing = w_.computer.FindImage(computer, directory, name); existing != 0) {
        s.ImageIndex = -existing;
        s.OverwriteImage = true;
    } else {
        s.ImageIndex = w_.computer.AddImage(computer, directory, name);
        s.OverwriteImage = false;
    }
    return true;
}

// What a step answered with its first button chose, for the trace.
nlohmann::json OperationSequence::stepChoice(Step step) const {
    const OperationState& s = w_.op;
    switch (step) {
        case Step::SourceDisk: return {{"sourceDisk", s.SourceDisk}};
        case Step::SourcePartitions:
        case Step::ImagePartition: return {{"sourcePartitions", s.SourcePartitions}};
        case Step::ImageToRestore:
        case Step::ImageToCheck:
        case Step::NewImageName:
            return {{"image", s.ImageIndex}, {"name", s.ImageFileName}, {"directory", s.LookInDirectory}};
        case Step::DestinationDisk: return {{"targetDisk", s.TargetDisk}};
        case Step::DestinationPartition:
            return {{"targetPartition", s.TargetPartition}, {"targetSizes", s.TargetSizes}};
        case Step::DestinationDetails: return {{"targetSizes", s.TargetSizes}};
        default: return nlohmann::json::object();
    }
}

}  // namespace vxr::operations
