#include "toolkit/FormBuilder.h"

#include <functional>

#include "toolkit/TBitBtn.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TLabeledEdit.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TTimer.h"
#include "toolkit/TUpDown.h"

namespace toolkit {

namespace {

// Builds the rows of one container; handler bindings wait in binders until every row is
// built.
class TBuilder {
 public:
  TBuilder(TWinControl& container, const THandlers& handlers)
      : container_(container), handlers_(handlers) {}

  void Build(const TControlDescription& row);
  void BindHandlers() {
    for (const auto& bind : binders_) bind();
  }

  template <class Event>
  void Bind(Event& event, std::string_view name, std::string_view row) {
    if (name.empty()) return;
    auto found = handlers_.find(name);
    if (found == handlers_.end()) Fail(row, "no handler \"" + std::string(name) + "\"");
    const Event* handler = std::get_if<Event>(&found->second);
    if (handler == nullptr) Fail(row, "handler \"" + std::string(name) + "\" is of another kind");
    binders_.push_back([&event, handler = *handler] { event = handler; });
  }

  [[noreturn]] static void Fail(std::string_view row, const std::string& why) {
    throw Exception("form description, row \"" + std::string(row) + "\": " + why);
  }

 private:
  TComponent& Parent(const TControlDescription& row) {
    if (row.parent.empty()) return container_;
    TComponent* parent = container_.FindComponent(row.parent);
    if (parent == nullptr) Fail(row.name, "no parent \"" + std::string(row.parent) + "\"");
    return *parent;
  }
  TControl& MakeControl(const TControlDescription& row);
  void BuildMenuItem(const TControlDescription& row);
  void SetUpControl(TControl& control, const TControlDescription& row);

  TWinControl& container_;
  const THandlers& handlers_;
  std::vector<std::function<void()>> binders_;
};

void ApplyFont(TControl& control, const TFontDescription& font) {
  if (font.name.empty() && font.height == 0 && font.color == clDefault && !font.bold &&
      !font.underline) {
    return;
  }
  TFont own = control.Font();
  if (!font.name.empty()) own.Name = font.name;
  if (font.height != 0) own.Height = font.height;
  if (font.color != clDefault) own.Color = font.color;
  if (font.bold) own.Bold = *font.bold;
  if (font.underline) own.Underline = *font.underline;
  control.SetFont(own);
}

template <class T>
T& Made(TComponent& owner, const TControlDescription& row) {
  T* made = Create<T>(owner);
  made->SetName(std::string(row.name));
  return *made;
}

TControl& TBuilder::MakeControl(const TControlDescription& row) {
  switch (row.kind) {
    case TControlClass::kFrame: {
      auto* frame = dynamic_cast<TFrame*>(container_.FindComponent(row.name));
      if (frame == nullptr) Fail(row.name, "no frame of that name was created");
      return *frame;
    }
    case TControlClass::kPanel: {
      auto& panel = Made<TPanel>(container_, row);
      panel.SetBevelInner(row.bevelInner);
      panel.SetBevelOuter(row.bevelOuter);
      return panel;
    }
    case TControlClass::kGroupBox:
      return Made<TGroupBox>(container_, row);
    case TControlClass::kLabel: {
      auto& label = Made<TLabel>(container_, row);
      label.SetAutoSize(row.autoSize);
      label.SetWordWrap(row.wordWrap);
      label.SetTransparent(row.transparent);
      return label;
    }
    case TControlClass::kEdit:
    case TControlClass::kLabeledEdit: {
      TEdit& edit = row.kind == TControlClass::kEdit ? Made<TEdit>(container_, row)
                                                     : Made<TLabeledEdit>(container_, row);
      edit.SetText(std::string(row.text));
      edit.SetMaxLength(row.maxLength);
      edit.SetReadOnly(row.readOnly);
      if (auto* labeled = dynamic_cast<TLabeledEdit*>(&edit)) {
        labeled->EditLabel().SetCaption(std::string(row.label));
      }
      Bind(edit.OnKeyPress, row.onKeyPress, row.name);
      return edit;
    }
    case TControlClass::kUpDown:
      return Made<TUpDown>(container_, row);
    case TControlClass::kRadioButton: {
      auto& radio = Made<TRadioButton>(container_, row);
      radio.SetWordWrap(row.wordWrap);
      return radio;
    }
    case TControlClass::kComboBox: {
      auto& combo = Made<TComboBox>(container_, row);
      combo.SetItems({row.items.begin(), row.items.end()});
      combo.SetItemIndex(row.itemIndex);
      Bind(combo.OnChange, row.onChange, row.name);
      return combo;
    }
    case TControlClass::kDateTimePicker: {
      auto& picker = Made<TDateTimePicker>(container_, row);
      picker.SetKind(row.dateTimeKind);
      Bind(picker.OnChange, row.onChange, row.name);
      return picker;
    }
    case TControlClass::kButton:
    case TControlClass::kBitBtn: {
      TButton& button = row.kind == TControlClass::kButton ? Made<TButton>(container_, row)
                                                           : Made<TBitBtn>(container_, row);
      button.SetModalResult(row.modalResult);
      button.SetDefault(row.isDefault);
      button.SetWordWrap(row.wordWrap);
      return button;
    }
    case TControlClass::kImage: {
      auto& image = Made<TImage>(container_, row);
      image.SetAutoSize(row.autoSize);
      Bind(image.OnMouseDown, row.onMouseDown, row.name);
      Bind(image.OnMouseMove, row.onMouseMove, row.name);
      Bind(image.OnMouseUp, row.onMouseUp, row.name);
      return image;
    }
    case TControlClass::kForm:
    case TControlClass::kMainMenu:
    case TControlClass::kMenuItem:
    case TControlClass::kTimer:
      break;
  }
  Fail(row.name, "not a control that a row can build");
}

void TBuilder::SetUpControl(TControl& control, const TControlDescription& row) {
  auto* parent = dynamic_cast<TWinControl*>(&Parent(row));
  if (parent == nullptr) Fail(row.name, "the parent is not a container");
  control.SetParent(parent);
  const bool sized = row.bounds.width != 0 || row.bounds.height != 0;
  control.SetBounds(row.bounds.left, row.bounds.top, sized ? row.bounds.width : control.Width(),
                    sized ? row.bounds.height : control.Height());
  control.SetAlign(row.align);
  if (!row.caption.empty()) control.SetCaption(std::string(row.caption));
  control.SetVisible(row.visible);
  control.SetEnabled(row.enabled);
  if (row.color != clDefault) control.SetColor(row.color);
  ApplyFont(control, row.font);
  control.SetCursor(row.cursor);
  Bind(control.OnClick, row.onClick, row.name);
}

void TBuilder::BuildMenuItem(const TControlDescription& row) {
  TComponent& parent = Parent(row);
  auto& item = *Create<TMenuItem>(container_);
  item.SetName(std::string(row.name));
  if (auto* menu = dynamic_cast<TMainMenu*>(&parent)) {
    menu->Items().Add(item);
  } else if (auto* above = dynamic_cast<TMenuItem*>(&parent)) {
    above->Add(item);
  } else {
    Fail(row.name, "a menu item belongs under a menu or a menu item");
  }
  item.SetCaption(std::string(row.caption));
  item.SetEnabled(row.enabled);
  item.SetVisible(row.visible);
  Bind(item.OnClick, row.onClick, row.name);
}

void TBuilder::Build(const TControlDescription& row) {
  if (row.kind != TControlClass::kFrame && !row.name.empty() &&
      container_.FindComponent(row.name) != nullptr) {
    Fail(row.name, "the name is taken");
  }
  switch (row.kind) {
    case TControlClass::kMainMenu: {
      auto* form = dynamic_cast<TForm*>(&container_);
      if (form == nullptr) Fail(row.name, "only a form has a main menu");
      auto* menu = Create<TMainMenu>(container_);
      menu->SetName(std::string(row.name));
      form->SetMenu(menu);
      return;
    }
    case TControlClass::kMenuItem:
      BuildMenuItem(row);
      return;
    case TControlClass::kTimer: {
      auto* timer = Create<TTimer>(container_);
      timer->SetName(std::string(row.name));
      timer->SetInterval(row.interval);
      timer->SetEnabled(row.enabled);
      Bind(timer->OnTimer, row.onTimer, row.name);
      return;
    }
    default:
      break;
  }
  TControl& control = MakeControl(row);
  SetUpControl(control, row);
  if (auto* upDown = dynamic_cast<TUpDown*>(&control)) {
    upDown->SetMin(row.min);
    upDown->SetMax(row.max);
    upDown->SetIncrement(row.increment);
    upDown->SetThousands(row.thousands);
    upDown->SetPosition(row.position);
    if (!row.associate.empty()) {
      auto* edit = dynamic_cast<TEdit*>(container_.FindComponent(row.associate));
      if (edit == nullptr) Fail(row.name, "no edit \"" + std::string(row.associate) + "\"");
      upDown->SetAssociate(edit);
    }
  }
  if (auto* radio = dynamic_cast<TRadioButton*>(&control)) radio->SetChecked(row.checked);
}

}  // namespace

void BuildControls(TWinControl& container, const std::vector<TControlDescription>& controls,
                   const THandlers& handlers) {
  TBuilder builder(container, handlers);
  for (const TControlDescription& row : controls) builder.Build(row);
  builder.BindHandlers();
}

void BuildForm(TForm& form, const TFormDescription& description, const THandlers& handlers) {
  TBuilder builder(form, handlers);
  form.SetCaption(std::string(description.caption));
  if (description.clientWidth != 0 || description.clientHeight != 0) {
    form.SetClientSize(description.clientWidth, description.clientHeight);
  }
  form.SetBorderStyle(description.borderStyle);
  form.SetBorderIcons(description.borderIcons);
  form.SetPosition(description.position);
  form.SetColor(description.color);
  ApplyFont(form, description.font);
  form.SetKeyPreview(description.keyPreview);
  builder.Bind(form.OnCreate, description.onCreate, "form");
  builder.Bind(form.OnClose, description.onClose, "form");
  builder.Bind(form.OnShow, description.onShow, "form");
  builder.Bind(form.OnClick, description.onClick, "form");
  builder.Bind(form.OnKeyPress, description.onKeyPress, "form");
  for (const TControlDescription& row : description.controls) builder.Build(row);
  builder.BindHandlers();
}

}  // namespace toolkit
