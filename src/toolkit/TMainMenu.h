// A form's main menu: a tree of menu items under the menu's root item.
#pragma once

#include <string>
#include <vector>

#include "toolkit/TComponent.h"

namespace toolkit {

class TForm;
class TMainMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Sub-items, in menu order. Add appends item (taking it out of any other item first).
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  void Add(TMenuItem& item);
  TMenuItem* Parent() const { return parent_; }
  // The menu this item is in, or null.
  TMainMenu* Menu() const;

  TNotifyEvent OnClick;

  // The user chooses the item: OnClick runs when the item, every item above it and the
  // menu's form accept input (enabled, visible, the form showing and not behind a modal
  // form). Returns whether it did.
  bool UserClick();

 private:
  friend class TMainMenu;
  void Changed();

  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  TMainMenu* menu_ = nullptr;  // set on the root item only
  std::vector<TMenuItem*> items_;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  // The root item, whose sub-items make the menu bar.
  TMenuItem& Items() { return root_; }
  const TMenuItem& Items() const { return root_; }
  // The form whose Menu this is, or null.
  TForm* Form() const { return form_; }

 private:
  friend class TForm;
  friend class TMenuItem;

  TMenuItem root_{nullptr};
  TForm* form_ = nullptr;
};

}  // namespace toolkit
