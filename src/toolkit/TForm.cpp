#include "toolkit/TForm.h"

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/TScreen.h"

namespace toolkit {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  Screen.AddForm(*this);
}

TForm::~TForm() {
  Application.FormGone(*this);
  Screen.RemoveForm(*this);
  if (menu_ != nullptr) menu_->form_ = nullptr;
}

void TForm::SetClientSize(std::int32_t width, std::int32_t height) {
  SetBounds(Left(), Top(), width, height);
}

void TForm::SetBorderStyle(TBorderStyle style) {
  Assign(borderStyle_, style, TChange::kStyle);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  Assign(borderIcons_, icons, TChange::kStyle);
}

void TForm::SetPosition(TPosition position) {
  Assign(position_, position, TChange::kStyle);
}

void TForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  if (state == wsMaximized && borderStyle_ == bsNone) {
    SetBounds(0, 0, Screen.Width(), Screen.Height());
  }
  Changed(TChange::kWindowState);
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    Handle();  // the peers exist before the window shows
    Fire(OnShow, this);
    TControl::SetVisible(true);
    BringToFront();
  } else {
    TControl::SetVisible(false);
  }
}

void TForm::BringToFront() {
  Screen.BringToFront(*this);
  Changed(TChange::kZOrder);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_ != nullptr) menu_->form_ = nullptr;
  menu_ = menu;
  if (menu_ != nullptr) menu_->form_ = this;
  Changed(TChange::kMenu);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  TWinControl* before = activeControl_;
  activeControl_ = control;
  (before != nullptr ? static_cast<TControl&>(*before) : *this).Changed(TChange::kFocus);
  TWinControl& now = control != nullptr ? *control : *this;
  now.Changed(TChange::kFocus);
  now.FocusEntered();
}

void TForm::ControlGone(const TControl& control) {
  if (activeControl_ != nullptr && activeControl_->IsDescendantOf(&control)) {
    activeControl_ = nullptr;
  }
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  modalResult_ = mrNone;
  modal_ = true;
  Application.PushModal(*this);
  // However the loop ends, also by an exception: out of the modal state and hidden.
  struct TModalScope {
    TForm& form;
    ~TModalScope() {
      form.modal_ = false;
      Application.PopModal(form);
      form.Hide();
    }
  } scope{*this};
  Show();
  for (;;) {
    backend::ModalLoop(*this);
    if (Application.Terminated()) {
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
    TCloseAction action = caHide;
    Fire(OnClose, this, action);
    if (action != caNone) break;
    modalResult_ = mrNone;
  }
  return modalResult_;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = caHide;
  Fire(OnClose, this, action);
  if (action == caNone) return;
  if (Application.MainForm() == this) {
    Application.Terminate();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    // caFree too: the form's owner frees it.
    Hide();
  }
}

void TForm::DefaultHandler(TMessage& message) {
  if (message.Msg == kWmClose) {
    Close();
  } else if (message.Msg == kWmSysCommand) {
    // The low four bits of a system command are the system's own.
    switch (message.WParam & 0xFFF0) {
      case kScClose:
        Close();
        break;
      case kScMinimize:
        SetWindowState(wsMinimized);
        break;
      case kScMaximize:
        SetWindowState(wsMaximized);
        break;
      case kScRestore:
        SetWindowState(wsNormal);
        break;
      default:
        TWinControl::DefaultHandler(message);
        break;
    }
  } else {
    TWinControl::DefaultHandler(message);
  }
}

void TForm::DoCreate() {
  Application.Guarded(this, [this] { Fire(OnCreate, this); });
}

bool TForm::UserSystemCommand(std::uintptr_t command) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, command] { Perform(kWmSysCommand, command, 0); });
  return true;
}

TWinControl& TForm::FocusTarget() {
  return activeControl_ != nullptr ? *activeControl_ : *this;
}

bool TForm::UserTypeCharToFocus(char key) {
  return FocusTarget().UserTypeChar(key);
}

bool TForm::UserKeyDownToFocus(std::uint32_t virtualKey) {
  return FocusTarget().UserKeyDown(virtualKey);
}

}  // namespace toolkit
