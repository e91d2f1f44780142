// TControl: the base of every visual control. It holds the state every control has
// (parent, bounds, visibility, enabled flag, caption, font, colour, cursor), tells its
// peer about every change made by code, and offers the user entry points that peers and
// tests call when the user acts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "toolkit/TColor.h"
#include "toolkit/TComponent.h"
#include "toolkit/TFont.h"
#include "toolkit/Types.h"

namespace toolkit {

class TForm;
class TPeer;
class TWinControl;

// The classes of control, for backends creating peers and for form descriptions; the
// last three are components that form descriptions build too but that are no controls.
enum class TControlClass {
  kForm,
  kFrame,
  kPanel,
  kGroupBox,
  kLabel,
  kEdit,
  kLabeledEdit,
  kUpDown,
  kRadioButton,
  kComboBox,
  kDateTimePicker,
  kButton,
  kBitBtn,
  kImage,
  kMainMenu,  // becomes the form's Menu
  kMenuItem,  // parent: the menu or the item it belongs under
  kTimer,
};

// What changed in a control; the peer re-reads that part of the control's state.
enum class TChange {
  kBounds,       // Left, Top, Width, Height (a form: its client size)
  kVisible,      // Visible
  kEnabled,      // Enabled (own flag; EffectivelyEnabled for the whole chain)
  kCaption,      // Caption
  kFont,         // Font (also when a parent's font changes and ParentFont is set)
  kColor,        // Color
  kCursor,       // Cursor
  kText,         // TEdit Text
  kSelection,    // TEdit SelStart / SelLength
  kReadOnly,     // TEdit ReadOnly
  kMaxLength,    // TEdit MaxLength
  kChecked,      // TRadioButton Checked
  kItems,        // TComboBox Items (and ItemIndex)
  kItemIndex,    // TComboBox ItemIndex
  kDateTime,     // TDateTimePicker DateTime
  kRange,        // TUpDown Min, Max, Increment, Position
  kPicture,      // TImage Picture (size or content), TBitBtn Glyph
  kFocus,        // the control gained or lost the keyboard focus
  kWindowState,  // TForm WindowState
  kZOrder,       // TForm brought to the front
  kMenu,         // TForm Menu, or any item of it
  kStyle,        // the static look: border style and icons, position, bevels, alignment,
                 // word wrap, auto size, transparency, default button, date-time kind
};

enum TAlign : std::uint8_t { alNone, alClient };

// Cursor shapes, with the component library's numbers.
enum TCursor : std::int16_t { crDefault = 0, crArrow = -2, crCross = -3, crHandPoint = -21 };

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  virtual TControlClass ControlClass() const = 0;

  // ---- Place ------------------------------------------------------------------------
  TWinControl* Parent() const { return parent_; }
  // Moves the control into parent's child list (null: out of any). Radio exclusivity,
  // effective enabled state and parent fonts follow the parent.
  void SetParent(TWinControl* parent);
  // The form this control is on (itself for a form), or null.
  TForm* Form() const;

  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
  void SetLeft(std::int32_t left) { SetBounds(left, top_, width_, height_); }
  void SetTop(std::int32_t top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(std::int32_t width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(std::int32_t height) { SetBounds(left_, top_, width_, height); }
  // alClient: the control fills its parent's client area, following its size.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // ---- State ------------------------------------------------------------------------
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a visible form.
  virtual bool Showing() const;

  // The control's own flag.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled and every parent enabled: a disabled panel or group box blocks every control
  // inside it.
  bool EffectivelyEnabled() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // The font in effect: the parent's while ParentFont is set (the default), else own.
  const TFont& Font() const;
  // Sets an own font and clears ParentFont.
  void SetFont(const TFont& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  TNotifyEvent OnClick;

  // ---- User entry points ------------------------------------------------------------
  // Each acts only where a user could act: the control is showing, effectively enabled
  // and not behind a modal form; otherwise it does nothing and returns false. The event
  // handlers it runs go through Application's guarded call path.

  // The user clicks the control (a button, a label, a radio button, a form's surface).
  bool UserClick();
  // True when a user could act on the control now.
  bool AcceptsInput() const;

  // ---- For backends -----------------------------------------------------------------
  // The peer showing this control, null while the control has none.
  TPeer* Peer() const { return peer_.get(); }
  bool IsDescendantOf(const TControl* ancestor) const;

 protected:
  // Sets field to value and reports change, unless the field already has that value.
  template <class Field, class Value>
  void Assign(Field& field, Value&& value, TChange change) {
    if (field == value) return;
    field = std::forward<Value>(value);
    Changed(change);
  }
  // Reports a change to the peer. Derived controls that keep dependent state (a
  // labelled edit's label) override it and call the base.
  virtual void Changed(TChange change);
  // What a click does: OnClick, and whatever the control adds.
  virtual void Click();
  // The control has just been given another parent.
  virtual void ParentChanged() {}
  // Creates the peer of this control (and, for a windowed control, of its children) once
  // the parent has one; a form creates its peers when it is first shown or its handle is
  // first read.
  virtual void CreatePeer();
  virtual void DestroyPeer();
  // Lays out an alClient control in its parent's client area.
  void Realign();

 private:
  friend class TForm;
  friend class TWinControl;

  TWinControl* parent_ = nullptr;
  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
  std::unique_ptr<TPeer> peer_;
};

}  // namespace toolkit
