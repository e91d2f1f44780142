#include "toolkit/TMainMenu.h"

#include <algorithm>

#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

namespace toolkit {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  if (parent_ != nullptr) {
    std::erase(parent_->items_, this);
    parent_->Changed();
  }
}

void TMenuItem::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::Add(TMenuItem& item) {
  for (const TMenuItem* above = this; above != nullptr; above = above->parent_) {
    if (above == &item) throw Exception("a menu item cannot hold itself");
  }
  if (item.parent_ != nullptr) std::erase(item.parent_->items_, &item);
  item.parent_ = this;
  items_.push_back(&item);
  Changed();
}

TMainMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Changed() {
  const TMainMenu* menu = Menu();
  if (menu != nullptr && menu->form_ != nullptr) menu->form_->Changed(TChange::kMenu);
}

bool TMenuItem::UserClick() {
  const TMainMenu* menu = Menu();
  if (menu == nullptr || menu->form_ == nullptr || !menu->form_->AcceptsInput()) return false;
  for (const TMenuItem* item = this; item != nullptr; item = item->parent_) {
    if (!item->enabled_ || !item->visible_) return false;
  }
  Application.Guarded(this, [this] { Fire(OnClick, this); });
  return true;
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {
  root_.menu_ = this;
}

TMainMenu::~TMainMenu() {
  if (form_ != nullptr) form_->SetMenu(nullptr);
}

}  // namespace toolkit
