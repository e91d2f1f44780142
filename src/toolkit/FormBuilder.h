// Forms and frames described as data: a table of control descriptions, one row per
// control, like a form resource, from which the builder creates the controls.
//
//   const TFormDescription kAbout = {
//       .caption = "About", .clientWidth = 322, .clientHeight = 118,
//       .borderStyle = bsDialog, .position = poDesktopCenter,
//       .onShow = "FormShow", .onClick = "FormClick",
//       .controls = {
//           {.name = "Label5", .kind = TControlClass::kLabel, .bounds = {64, 67, 227, 13},
//            .caption = "...", .font = {.height = -11, .color = clBlue, .underline = true},
//            .cursor = crHandPoint, .autoSize = false, .onClick = "Label5Click"},
//       }};
//   BuildForm(*this, kAbout, {{"FormShow", Bind(this, &TFMAbout::FormShow)}, ...});
//
// Designated initialisers must follow the order of the fields below; fields left out
// keep the defaults given here, which are the component library's.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "toolkit/TColor.h"
#include "toolkit/TControl.h"
#include "toolkit/TDateTimePicker.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TPanel.h"

namespace toolkit {

// A row's kind is the class of what it builds.
using TComponentKind = TControlClass;

struct TBounds {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;  // 0 with height 0: the class's default size
  std::int32_t height = 0;
};

// Font fields left out keep the parent's; a row with any field given gets an own font,
// the parent's with those fields changed (.bold = false makes a bold parent's font plain).
struct TFontDescription {
  std::string_view name{};
  int height = 0;
  TColor color = clDefault;
  std::optional<bool> bold{};
  std::optional<bool> underline{};
};

struct TControlDescription {
  std::string_view name{};
  // kFrame: a frame the form creates itself (its own class) before building; the row
  // places the existing component of that name. kForm cannot be a row.
  TControlClass kind = TControlClass::kLabel;
  // A container, menu or menu item described in an earlier row, or an existing
  // component of the owner; empty: the form or frame being built.
  std::string_view parent{};
  TBounds bounds{};
  std::string_view caption{};  // caption (labels, buttons, radio buttons, boxes, panels, items)
  std::string_view text{};     // an edit's text
  std::string_view label{};    // a labelled edit's label caption
  std::vector<std::string_view> items{};  // a combo box's items
  int itemIndex = -1;                     // a combo box's selection
  bool checked = false;                   // a radio button
  bool enabled = true;                    // a control, menu item or timer
  bool visible = true;
  bool readOnly = false;         // an edit
  int maxLength = 0;             // an edit; 0: no limit
  std::string_view associate{};  // an up-down's edit, described in an earlier row
  int min = 0;                   // up-down
  int max = 100;
  int increment = 1;
  int position = 0;
  bool thousands = true;
  TAlign align = alNone;
  TColor color = clDefault;  // clDefault: the class's own colour
  TFontDescription font{};
  TCursor cursor = crDefault;
  bool wordWrap = false;          // labels, buttons, radio buttons
  bool autoSize = true;           // labels and images
  bool transparent = false;       // labels
  TBevelCut bevelInner = bvNone;  // panels
  TBevelCut bevelOuter = bvRaised;
  TModalResult modalResult = mrNone;  // buttons
  bool isDefault = false;             // buttons
  TDateTimeKind dateTimeKind = dtkDate;
  std::uint32_t interval = 1000;  // timers
  // Handlers, by name in the handler table.
  std::string_view onClick{};
  std::string_view onChange{};
  std::string_view onKeyPress{};
  std::string_view onMouseDown{};
  std::string_view onMouseMove{};
  std::string_view onMouseUp{};
  std::string_view onTimer{};
};

struct TFormDescription {
  std::string_view caption{};
  std::int32_t clientWidth = 0;  // 0 with clientHeight 0: unchanged
  std::int32_t clientHeight = 0;
  TBorderStyle borderStyle = bsSizeable;
  TBorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition position = poDesigned;
  TColor color = clBtnFace;
  TFontDescription font{};
  bool keyPreview = false;
  std::string_view onCreate{};
  std::string_view onClose{};
  std::string_view onShow{};
  std::string_view onClick{};
  std::string_view onKeyPress{};
  std::vector<TControlDescription> controls{};
};

// A handler of any event kind, found by the name a description gives.
using THandler =
    std::variant<TNotifyEvent, TKeyPressEvent, TMouseEvent, TMouseMoveEvent, TCloseEvent>;
using THandlers = std::map<std::string, THandler, std::less<>>;

// Creates the rows' components, owned by container (a form or frame), in row order, and
// sets them up; handlers are bound last, so that setting defaults fires nothing. Raises
// Exception for a row that cannot be built: an unknown parent or associate, a name used
// twice, a handler missing from handlers or of the wrong kind.
void BuildControls(TWinControl& container, const std::vector<TControlDescription>& controls,
                   const THandlers& handlers);
// Sets the form's own properties and events, then builds its controls.
void BuildForm(TForm& form, const TFormDescription& description, const THandlers& handlers);

}  // namespace toolkit
