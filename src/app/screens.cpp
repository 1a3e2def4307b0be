#include "app/screens.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/focus_frame.h"
#include "app/tform1.h"
#include "cmdline/command_line.h"
#include "dialogs/labels.h"
#include "dialogs/table_rows.h"
#include "input/menus.h"
#include "layout/menu_geometry.h"
#include "layout/palette.h"
#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/event_scope.h"
#include "platform/indexing.h"
#include "platform/jpeg.h"
#include "platform/record_file.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "platform/timing_marks.h"

namespace vxr::app {

namespace {

// The contact notice of the trainer's authors, one line per label.
constexpr const char* kContactNotice[4] = {
    "本模拟程序由培训中心考评组编制，",
    "仅供磁盘映像操作的培训与考核使用。",
    "如有疑问，请与监考老师或培训中心联系。",
    "谢谢使用！单击此处或按任意键退出。",
};

constexpr platform::Color kNoticeText = platform::Color::fromColorRef(0xE0E0E0);

}  // namespace

// ---- start ---------------------------------------------------------------

void Screens::plainMessage(const std::string& text) {
    w_.trace.write("messageBox", {{"text", text}});
    w_.app().messageBox(text);
}

// "C:\DATAS\VXR.DAT (/srv/c/DATAS/VXR.DAT)": the DOS name and the host
// file it stands for, so that whoever starts the program can find it.
std::string Screens::describeDataFile(const std::string& dosPath) const {
    std::error_code ignored;
    const auto mapped = w_.computer.hostPathOf(dosPath);
    const auto host = std::filesystem::absolute(mapped, ignored);
    return dosPath + " (" + (host.empty() ? mapped : host).string() + ")";
}

std::string Screens::describeDataFile() const { return describeDataFile(w_.computer.FileName); }

bool Screens::loadRecord() {
    model::TCOMPUTER& computer = w_.computer;
    computer.FileName = model::kPrimaryDataFile;
    if (computer.LoadRecord() == 0) return true;
    const std::string primary = describeDataFile() + ": " + platform::describeFileError(computer.loadError());
    computer.FileName = model::kFallbackDataFile;
    if (computer.LoadRecord() != 0) {
        std::cerr << "vxr: no usable data file: " << primary << "; " << describeDataFile() << ": "
                  << platform::describeFileError(computer.loadError()) << std::endl;
        plainMessage(kNoDataMessage);
        w_.endProgram(kExitNoData);
        return false;
    }
    if (computer.GetRestrictionFlags() & model::kAssessmentCopy) {
        std::cerr << "vxr: " << describeDataFile() << " is an assessment copy, which must be " << primary << std::endl;
        plainMessage(kNotFromDatasMessage);
        w_.endProgram(kExitNoData);
        return false;
    }
    return true;
}

bool Screens::FormCreate() {
    if (!loadRecord()) return false;
    // Copies meet only when they work on the same data file.
    w_.peerEvents.setScope(platform::eventScopeOf(w_.computer.hostFileName()));
    w_.restrictionFlags = w_.computer.GetRestrictionFlags();
    w_.peerEvents.HoldsSlaveFlag = false;
    startLoadingPictures();
    for (int t = 1; t <= model::bytes::kOptionWords; ++t) w_.options.setWord(t, w_.computer.record().optionWord(t));
    w_.ui.MainItem = input::kNoItem;
    w_.trace.write("start", {{"dataFile", w_.computer.FileName}, {"restrictions", w_.restrictionFlags}});
    return true;
}

std::string Screens::restrictionNotice(unsigned flags) {
    if ((flags & (model::kMouseLocked | model::kKeyboardLocked | model::kCommandLineLocked)) == 0) return "";
    std::string text = "封锁";
    if (flags & model::kMouseLocked) text += "鼠标";
    if (flags & model::kKeyboardLocked) text += "键盘";
    if (flags & model::kCommandLineLocked) text += "命令行";
    return text;
}

void Screens::showRestrictionNotice() {
    platform::Edit& notice = *w_.Edit[6];
    const std::string text = restrictionNotice(w_.restrictionFlags);
    if (text.empty()) {
        notice.hide();
        return;
    }
    notice.setColor(layout::palette(1));
    platform::Font font = notice.font();
    font.color = kNoticeText;
    notice.setFont(font);
    notice.setText(text);
    const int width = 6 * static_cast<int>(platform::cp936ByteCount(text));
    // At least as high as its characters, which the form's 11 pixels clip.
    platform::Bitmap scratch;
    platform::Canvas measure(scratch);
    measure.font() = font;
    notice.setBounds(616 - width, 35, width, std::max(notice.height(), measure.textHeight(text)));
    notice.bringToFront();
    notice.show();
}

void Screens::showMainScreenPicture() {
    w_.Image0->showAt(w_.catalogue.MainScreenPicture, 0, 0);
    w_.form().setClientSize(w_.Image0->width(), w_.Image0->height());
}

void Screens::FormActivate() {
    showRestrictionNotice();
    w_.ui.KeyDepth = 0;
    if (w_.ui.MainItem > 0) return;
    w_.ui.CtrlDown = w_.ui.ShiftDown = false;
    w_.ui.DialogCode = 0;
    showMainScreenPicture();
    w_.CommandLineRun = false;
    if (!w_.start().parameters.empty()) {
        finishLoadingPictures();
        w_.CommandLineRun = true;
        w_.commandLine().PROCCMDLINE();
        FormClose();
    } else if ((w_.restrictionFlags & model::kMouseLocked) && (w_.restrictionFlags & model::kKeyboardLocked)) {
        plainMessage(kCommandLineOnlyMessage);
        w_.CommandLineRun = true;
        w_.endProgram(kExitRefused);
        FormClose();
    }
    ++w_.ui.KeyDepth;
    ResetMainScreen();
    --w_.ui.KeyDepth;
    w_.Edit[5]->setFocus();  // keys reach the dispatcher through it
    showFirstFrame();
}

// The first screen's pictures are decoded before anything shows; the rest
// (about nine tenths of the decoding) on a second thread while the first
// frame is up. VXR_EAGER_PICTURES=1 decodes everything first, as a bench's
// point of comparison.
void Screens::startLoadingPictures() {
    const platform::ResourceTable resources = platform::ResourceTable::embedded();
    platform::JpegDecoder decoder;
    if (w_.start().env("VXR_EAGER_PICTURES") == "1") {
        LoadScreenCatalogue(w_.catalogue, resources, decoder);
        return;
    }
    LoadFirstScreenPictures(w_.catalogue, resources, decoder);
    pictureLoading_ = std::make_unique<PictureLoading>(w_.catalogue, resources);
}

// A picture that cannot be decoded stops the program here, before any input
// is taken (the exception carries the picture's name).
void Screens::finishLoadingPictures() {
    if (!pictureLoading_) return;
    const std::unique_ptr<PictureLoading> loading = std::move(pictureLoading_);
    loading->finish();
}

// Presents the main screen at once rather than at the first wait for input.
// Input is taken from then on: the main screen needs no other picture, and
// the first event waits for the rest (decoded long before a hand moves).
void Screens::showFirstFrame() {
    w_.app().repaint();
    platform::timingMark("firstFrame");
    w_.app().beforeNextInput([this] {
        finishLoadingPictures();
        platform::timingMark("allPictures");
    });
    platform::timingMark("ready");
}

// ---- the end ---------------------------------------------------------------

// The notice stands alone on the main picture: whatever was up (a menu, a
// message box and the labels over its text, option boxes, the progress bar,
// a focus frame) goes. The off-screen focus holder stays, so keys still
// reach the dispatcher and end the notice.
void Screens::clearForContactNotice() {
    const std::vector<platform::Control*> controls = w_.form().children();
    for (platform::Control* control : controls) {
        if (control != w_.Image0 && control != w_.Edit[5]) control->hide();
    }
}

void Screens::showContactNotice() {
    for (int i = 1; i <= 4; ++i) {
        dialogs::showLabel(*cell(w_.Label, i), kContactNotice[i - 1],
                           {"楷体_GB2312", 11, false, platform::colors::white}, layout::palette(7), 130, 110 + 40 * i);
    }
}

void Screens::FormClose() {
    if (w_.CommandLineRun) {
        w_.endProgram(kExitNormal);
        return;
    }
    HideDialog();
    clearForContactNotice();
    showContactNotice();
    w_.restrictionFlags = 0;
    w_.ui.MainItem = input::kClosingNotice;
    w_.trace.write("closingNotice");
    w_.waitUntil([this] { return w_.ui.MainItem == 0; });
    w_.endProgram(kExitNormal);
}

void Screens::Image0Click() {
    const bool mouseFree = (w_.restrictionFlags & model::kMouseLocked) == 0 || w_.ui.KeyDepth > 0;
    if (mouseFree && w_.ui.MainItem == input::kClosingNotice) w_.ui.MainItem = 0;
}

// ---- the main screen ---------------------------------------------------------

void Screens::ResetMainScreen() {
    if (w_.peerEvents.HoldsSlaveFlag) {
        w_.peerEvents.PeerEvent(PeerEventOp::Reset, kSlaveSlot, kSlaveFlag);
        w_.peerEvents.HoldsSlaveFlag = false;
    }
    w_.peerEvents.PeerEvent(PeerEventOp::Reset, kMasterSlot, kMasterFlag);
    w_.ui.PeerMode = 0;
    w_.ui.MainItem = 0;
    w_.tableRows().PendingSizeRow = 0;
    w_.Image1B->showAt(w_.catalogue.MainMenuPicture, layout::kMainMenuAt.x, layout::kMainMenuAt.y);
    w_.focusFrame().DrawFocusFrame(0, kFrameHidden);
    w_.ui.OpCode = 0;
    w_.ui.MainItem = 0;
    const layout::Offset first = layout::kMainMenuItems[0].offset;
    w_.menus().Image1BMouseMove(first.x + 1, first.y + 1);
}

void Screens::HideMainMenu() {
    w_.Image1B->hide();
    w_.Image1A->hide();
    w_.Image1A_0->hide();
}

void Screens::HideSubmenus() {
    w_.Image2B->hide();
    w_.Image2A->hide();
    w_.Image2A_0->hide();
    for (int i = 1; i <= 15; ++i) cell(w_.Label, i)->hide();
    for (int i = 21; i <= 24; ++i) cell(w_.Label, i)->hide();
    w_.ui.SubItem = 0;
}

void Screens::HideThirdMenus() {
    w_.Image3B->hide();
    w_.Image3A->hide();
    w_.Image3A_0->hide();
}

void Screens::HideDialog() {
    w_.Image1D.reset();
    w_.Image2D->hide();
    w_.Image3D->hide();
    for (int i = 1; i <= 4; ++i) cell(w_.Edit, i)->hide();
    w_.Image4A->hide();
    w_.ScrollBox1->hide();
    w_.Image4A_0->hide();
    w_.Image4B->hide();
    for (int i = 21; i <= 24; ++i) cell(w_.Label, i)->hide();
}

}  // namespace vxr::app
