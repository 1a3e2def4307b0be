#include "app/tform1.h"

#include <stdexcept>

#include "app/focus_frame.h"
#include "app/form_controls.h"
#include "app/screens.h"
#include "cmdline/command_line.h"
#include "dialogs/dialog_contents.h"
#include "dialogs/message_dialogs.h"
#include "dialogs/table_rows.h"
#include "input/dialog_pointer.h"
#include "input/keyboard.h"
#include "input/menus.h"
#include "operations/help_screen.h"
#include "operations/operation_sequence.h"
#include "operations/options_dialog.h"
#include "operations/peer_connection.h"
#include "operations/progress.h"
#include "platform/application.h"
#include "platform/indexing.h"

namespace vxr::app {

namespace {

using platform::Control;

std::unique_ptr<Control> makeControl(const ControlSpec& entry, platform::Container& parent) {
    switch (entry.kind) {
        case ControlKind::Image: return std::make_unique<platform::Image>(parent, entry.name);
        case ControlKind::Label: {
            auto label = std::make_unique<platform::Label>(parent, entry.name);
            label->setFont({entry.font, entry.points, false, platform::colors::black});
            return label;
        }
        case ControlKind::Edit: {
            auto edit = std::make_unique<platform::Edit>(parent, entry.name);
            edit->setFont({entry.font, entry.points, false, platform::colors::black});
            edit->setBordered(false);
            return edit;
        }
        case ControlKind::ScrollBox: return std::make_unique<platform::ScrollBox>(parent, entry.name);
    }
    throw std::logic_error("unknown control kind");
}

template <typename T>
T* named(platform::Form& form, const std::string& name) {
    T* control = form.findAs<T>(name);
    if (!control) throw std::logic_error("the window has no control " + name);
    return control;
}

}  // namespace

TForm1::TForm1(platform::Application& app, StartOptions start)
    : computer(platform::systemClock(), platform::systemRandom(), start.env),
      trace(Trace::fromEnvironment()),
      app_(app),
      start_(std::move(start)),
      form_(kWindowCaption),
      screens_(std::make_unique<Screens>(*this)),
      focusFrame_(std::make_unique<FocusFrame>(*this)),
      menus_(std::make_unique<input::Menus>(*this)),
      keyboard_(std::make_unique<input::Keyboard>(*this)),
      help_(std::make_unique<operations::HelpScreen>(*this)),
      optionsDialog_(std::make_unique<operations::OptionsDialog>(*this)),
      progress_(std::make_unique<operations::Progress>(*this)),
      sequence_(std::make_unique<operations::OperationSequence>(*this)),
      peerConnection_(std::make_unique<operations::PeerConnection>(*this)),
      dialogPointer_(std::make_unique<input::DialogPointer>(*this)),
      commandLine_(std::make_unique<cmdline::CommandLine>(*this)),
      messages_(std::make_unique<dialogs::MessageDialogs>(*this)),
      tableRows_(std::make_unique<dialogs::TableRows>(*this)),
      dialogContents_(std::make_unique<dialogs::DialogContents>(*this)) {
    createControls();
    bindHandlers();
}

TForm1::~TForm1() = default;

void TForm1::createControls() {
    for (const ControlSpec& entry : kFormControls) {
        platform::Container& parent = entry.parent[0] == '\0' ? static_cast<platform::Container&>(form_)
                                                              : *named<platform::ScrollBox>(form_, entry.parent);
        std::unique_ptr<Control> control = makeControl(entry, parent);
        control->setBounds(entry.left, entry.top, entry.width, entry.height);
        control->setVisible(entry.visible);
        control->setPassesMouseMoves(entry.moves == Moves::PassThrough);
        control->setTag(entry.tag);
        controls_.push_back(std::move(control));
    }
    Image0 = named<platform::Image>(form_, "Image0");
    Image1B = named<platform::Image>(form_, "Image1B");
    Image1A = named<platform::Image>(form_, "Image1A");
    Image1A_0 = named<platform::Image>(form_, "Image1A_0");
    Image2B = named<platform::Image>(form_, "Image2B");
    Image2A = named<platform::Image>(form_, "Image2A");
    Image2A_0 = named<platform::Image>(form_, "Image2A_0");
    Image3B = named<platform::Image>(form_, "Image3B");
    Image3A = named<platform::Image>(form_, "Image3A");
    Image3A_0 = named<platform::Image>(form_, "Image3A_0");
    IMAGE2BT = named<platform::Image>(form_, "IMAGE2BT");
    IMAGE2BP = named<platform::Image>(form_, "IMAGE2BP");
    Image4B = named<platform::Image>(form_, "Image4B");
    Image4A = named<platform::Image>(form_, "Image4A");
    Image4A_0 = named<platform::Image>(form_, "Image4A_0");
    Image4D = named<platform::Image>(form_, "Image4D");
    Image2D = named<platform::Image>(form_, "Image2D");
    Image3D = named<platform::Image>(form_, "Image3D");
    ImageTEMP = named<platform::Image>(form_, "ImageTEMP");
    Image5DA = named<platform::Image>(form_, "Image5DA");
    IMAGEH = named<platform::Image>(form_, "IMAGEH");
    ScrollBox1 = named<platform::ScrollBox>(form_, "ScrollBox1");
    PercentBox = named<platform::Label>(form_, "PercentBox");
    ProgressBar = named<platform::Image>(form_, "ProgressBar");
    for (int i = 1; i <= 9; ++i) cell(Image24x, i) = named<platform::Image>(form_, "Image24" + std::to_string(i));
    for (int i = 1; i <= 4; ++i) cell(BAR, i) = named<platform::Image>(form_, "BAR" + std::to_string(i));
    for (int i = 1; i <= 6; ++i) cell(Edit, i) = named<platform::Edit>(form_, "Edit" + std::to_string(i));
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 22, 23, 24}) {
        cell(Label, i) = named<platform::Label>(form_, "Label" + std::to_string(i));
    }
}

void TForm1::bindHandlers() {
    using platform::ShiftState;
    auto move = [](auto handler) { return [handler](Control&, ShiftState, int x, int y) { handler(x, y); }; };
    auto click = [](auto handler) { return [handler](Control&) { handler(); }; };
    Image0->onClick = click([this] { screens_->Image0Click(); });
    for (int i = 1; i <= 4; ++i) cell(Label, i)->onClick = Image0->onClick;
    Image1B->onMouseMove = move([this](int x, int y) { menus_->Image1BMouseMove(x, y); });
    Image1A->onClick = click([this] { menus_->IMAGE1AClick(); });
    Image2B->onMouseMove = move([this](int x, int y) { menus_->Image2BMouseMove(x, y); });
    Image2A->onClick = click([this] { menus_->Image2AClick(); });
    Image3B->onMouseMove = move([this](int x, int y) { menus_->Image3BMouseMove(x, y); });
    Image3A->onClick = click([this] { menus_->Image3AClick(); });
    ScrollBox1->onMouseMove = move([this](int, int) { menus_->ScrollBox1MouseMove(); });
    IMAGEH->onMouseMove = move([this](int, int) { menus_->IMAGEHMouseMove(); });
    IMAGE2BP->onMouseMove = move([this](int x, int y) { optionsDialog_->IMAGE2BPMouseMove(x, y); });
    IMAGE2BP->onClick = click([this] { optionsDialog_->IMAGE2BPClick(); });
    for (int i = 1; i <= 9; ++i) {
        cell(Image24x, i)->onClick = [this](Control& box) { optionsDialog_->Image241Click(box.tag()); };
    }
    Image4B->onMouseMove = move([this](int x, int y) { dialogPointer_->Image4BMouseMove(x, y); });
    Image4D->onMouseMove = move([this](int x, int y) { messages_->Image4DMouseMove(x, y); });
    Image4B->onClick = click([this] { dialogPointer_->Image4BClick(); });
    Image4A->onMouseMove = move([this](int, int) { dialogPointer_->Image4AMouseMove(); });
    Image4A->onClick = click([this] { dialogPointer_->Image4AClick(); });
    Image4A_0->onMouseMove = move([this](int, int) { dialogPointer_->Image4A_0MouseMove(); });
    Image5DA->onMouseMove = move([this](int x, int y) { dialogPointer_->Image5DAMouseMove(x, y); });
    Image5DA->onClick = click([this] { dialogPointer_->Image5DAClick(); });
    Image2D->onMouseMove = move([this](int x, int y) { dialogPointer_->Image2DMouseMove(x, y); });
    Image2D->onClick = click([this] { dialogPointer_->Image2DClick(); });
    form_.onCloseRequest = [this] { screens_->FormClose(); };
    bindKeys();
}

void TForm1::bindKeys() {
    using platform::ShiftState;
    Edit[5]->onKeyDown = [this](Control&, int& key, ShiftState) { keyboard_->Edit5KeyDown(key); };
    Edit[5]->onKeyUp = [this](Control&, int&, ShiftState) { keyboard_->Edit5KeyUp(); };
    for (int i = 1; i <= 4; ++i) {
        cell(Edit, i)->onKeyDown = [this](Control&, int& key, ShiftState) { keyboard_->EditKeyDown(key); };
    }
    // The four text edits are the size boxes of the destination tables.
    for (int i = 1; i <= 4; ++i) {
        platform::Edit& box = *cell(Edit, i);
        box.onKeyPress = [this](Control& sender, char32_t& character) {
            dialogPointer_->Edit2KeyPress(sender.tag(), character);
        };
        box.onClick = [this](Control& sender) { dialogPointer_->Edit2Click(sender.tag()); };
        box.onExit = [this](Control&) { tableRows_->SizeBoxExit(); };
    }
    // The restriction notice is an edit too; keys typed into it go to the
    // dispatcher like any other, and its text cannot change.
    Edit[6]->onKeyDown = Edit[5]->onKeyDown;
    form_.keyPreview = true;
    form_.onKeyPress = [this](char32_t& character) { keyboard_->FormKeyPress(character); };
    // When no control has the focus (a focused edit was hidden), keys still
    // reach the dispatcher: the focus goes back to the focus holder.
    form_.onKeyDown = [this](int& key, ShiftState) {
        if (form_.focusedControl() != nullptr) return;
        Edit[5]->setFocus();
        keyboard_->Edit5KeyDown(key);
    };
}

void TForm1::endProgram(int status) {
    if (!end.requested) {
        end = {true, status};
        trace.write("end", {{"status", status}});
    }
    app_.terminate();
}

void TForm1::processMessages() { app_.processMessages(); }

void TForm1::waitMessage() { app_.waitMessage(); }

}  // namespace vxr::app
