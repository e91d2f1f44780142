#include "toolkit/TWinControl.h"

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

namespace toolkit {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Owned components first, while this control is still whole (children unlink
  // themselves from controls_); children owned elsewhere are orphaned.
  DestroyComponents();
  for (TControl* child : controls_) {
    child->DestroyPeer();
    child->parent_ = nullptr;
  }
  controls_.clear();
  TWinControl::DestroyPeer();
}

WindowHandle TWinControl::Handle() {
  if (Peer() == nullptr) {
    // The window needs its parent's: create the peers from the top of the tree down.
    TControl* top = this;
    while (top->Parent() != nullptr) top = top->Parent();
    top->CreatePeer();
  }
  return Peer()->Handle();
}

bool TWinControl::HandleAllocated() const {
  return Peer() != nullptr;
}

void TWinControl::CreatePeer() {
  if (Peer() == nullptr) {
    TControl::CreatePeer();
    RegisterReceiver(Peer()->Handle(), *this);
  }
  for (TControl* child : controls_) child->CreatePeer();
}

void TWinControl::DestroyPeer() {
  if (Peer() == nullptr) return;
  for (TControl* child : controls_) child->DestroyPeer();
  UnregisterReceiver(Peer()->Handle());
  TControl::DestroyPeer();
}

void TWinControl::SetMessageHandler(std::uint32_t msg, TMessageHandler handler) {
  if (handler) {
    handlers_[msg] = std::move(handler);
  } else {
    handlers_.erase(msg);
  }
}

void TWinControl::Dispatch(TMessage& message) {
  auto found = handlers_.find(message.Msg);
  if (found == handlers_.end()) {
    DefaultHandler(message);
    return;
  }
  Fire(found->second, message);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (Peer() != nullptr) Peer()->DefaultHandler(message);
}

std::intptr_t TWinControl::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  TMessage message{msg, wParam, lParam, 0};
  Dispatch(message);
  return message.Result;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
  TForm* form = Form();
  if (form == nullptr) return;
  form->SetActiveControl(form == this ? nullptr : this);
}

bool TWinControl::Focused() const {
  const TForm* form = Form();
  if (form == nullptr) return false;
  return form == this ? form->ActiveControl() == nullptr : form->ActiveControl() == this;
}

bool TWinControl::UserFocus() {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this] {
    if (!Focused()) SetFocus();
  });
  return true;
}

bool TWinControl::UserTypeChar(char key) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, key]() mutable {
    if (!Focused()) SetFocus();
    TForm* form = Form();
    if (form != nullptr && form != this && form->KeyPreview()) {
      Fire(form->OnKeyPress, form, key);
      if (key == 0) return;
    }
    Fire(OnKeyPress, this, key);
    if (key != 0) CharTyped(key);
  });
  return true;
}

bool TWinControl::UserKeyDown(std::uint32_t virtualKey) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, virtualKey] {
    if (!Focused()) SetFocus();
    KeyDown(virtualKey);
  });
  return true;
}

void TWinControl::CharTyped(char) {}

void TWinControl::KeyDown(std::uint32_t) {}

void TWinControl::FocusEntered() {}

}  // namespace toolkit
