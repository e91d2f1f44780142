#include "toolkit/TComboBox.h"

#include "toolkit/TApplication.h"

namespace toolkit {

void TComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  Changed(TChange::kItems);
}

void TComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  Assign(itemIndex_, index, TChange::kItemIndex);
}

std::string TComboBox::Text() const {
  return itemIndex_ < 0 ? std::string() : items_[itemIndex_];
}

bool TComboBox::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= static_cast<int>(items_.size())) return false;
  Application.Guarded(this, [this, index] {
    if (index == itemIndex_) return;
    SetItemIndex(index);
    Fire(OnChange, this);
  });
  return true;
}

}  // namespace toolkit
