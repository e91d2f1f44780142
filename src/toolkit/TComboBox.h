// A drop-down list (selection only, no typing).
#pragma once

#include <string>
#include <vector>

#include "toolkit/TWinControl.h"

namespace toolkit {

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
  }
  TControlClass ControlClass() const override { return TControlClass::kComboBox; }

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the items; nothing is selected afterwards.
  void SetItems(std::vector<std::string> items);
  // The selected item, -1 for none. Set by code it fires nothing; an index outside the
  // items selects none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The selected item's text, or empty.
  std::string Text() const;

  // Runs when the user selects another item; never for a change made by code.
  TNotifyEvent OnChange;

  // The user selects item index; false for an index that is not an item.
  bool UserSelect(int index);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace toolkit
