#include "toolkit/TControl.h"

#include <algorithm>

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  // Parent and form are still whole here: a parent destroys its children first.
  if (TForm* form = Form(); form != nullptr && form != this) form->ControlGone(*this);
  DestroyPeer();
  if (parent_ != nullptr) std::erase(parent_->controls_, this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent != nullptr && parent->IsDescendantOf(this)) {
    throw Exception("a control cannot be its own parent");
  }
  if (TForm* form = Form(); form != nullptr && form != this) form->ControlGone(*this);
  DestroyPeer();
  if (parent_ != nullptr) std::erase(parent_->controls_, this);
  parent_ = parent;
  if (parent_ != nullptr) {
    parent_->controls_.push_back(this);
    Realign();
    if (parent_->Peer() != nullptr) CreatePeer();
  }
  ParentChanged();
}

TForm* TControl::Form() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
  }
  return nullptr;
}

bool TControl::IsDescendantOf(const TControl* ancestor) const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (c == ancestor) return true;
  }
  return false;
}

void TControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(TChange::kBounds);
  if (auto* self = dynamic_cast<TWinControl*>(this); self != nullptr && resized) {
    for (TControl* child : self->controls_) child->Realign();
  }
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  Realign();
}

void TControl::Realign() {
  if (align_ == alClient && parent_ != nullptr) {
    SetBounds(0, 0, parent_->ClientWidth(), parent_->ClientHeight());
  }
}

void TControl::SetVisible(bool visible) {
  Assign(visible_, visible, TChange::kVisible);
}

bool TControl::Showing() const {
  return visible_ && parent_ != nullptr && parent_->Showing();
}

void TControl::SetEnabled(bool enabled) {
  Assign(enabled_, enabled, TChange::kEnabled);
}

bool TControl::EffectivelyEnabled() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

void TControl::SetCaption(std::string caption) {
  Assign(caption_, std::move(caption), TChange::kCaption);
}

const TFont& TControl::Font() const {
  return parentFont_ && parent_ != nullptr ? parent_->Font() : font_;
}

void TControl::SetFont(const TFont& font) {
  const TFont before = Font();
  font_ = font;
  parentFont_ = false;
  if (before != font_) Changed(TChange::kFont);
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont == parentFont_) return;
  const TFont before = Font();
  parentFont_ = parentFont;
  if (before != Font()) Changed(TChange::kFont);
}

void TControl::SetColor(TColor color) {
  Assign(color_, color, TChange::kColor);
}

void TControl::SetCursor(TCursor cursor) {
  Assign(cursor_, cursor, TChange::kCursor);
}

bool TControl::AcceptsInput() const {
  if (!Showing() || !EffectivelyEnabled()) return false;
  const TForm* modal = Application.ModalForm();
  return modal == nullptr || Form() == modal;
}

bool TControl::UserClick() {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this] { Click(); });
  return true;
}

void TControl::Click() {
  Fire(OnClick, this);
}

void TControl::Changed(TChange change) {
  if (peer_ != nullptr) peer_->Changed(change);
  if (change == TChange::kFont) {
    // Children that follow this font change with it.
    if (auto* self = dynamic_cast<TWinControl*>(this)) {
      for (TControl* child : self->controls_) {
        if (child->parentFont_) child->Changed(TChange::kFont);
      }
    }
  }
}

void TControl::CreatePeer() {
  if (peer_ == nullptr) peer_ = backend::CreatePeer(*this);
}

void TControl::DestroyPeer() {
  peer_.reset();
}

}  // namespace toolkit
