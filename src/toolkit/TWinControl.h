// TWinControl: a control with a window of its own. It has child controls, can hold the
// keyboard focus, has a window handle and receives messages, which it dispatches by
// number to the handlers registered for them.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "toolkit/Messages.h"
#include "toolkit/TControl.h"

namespace toolkit {

class TWinControl : public TControl, public TMessageReceiver {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // ---- Children ---------------------------------------------------------------------
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // The client area's size (the control's own size; a form's is its client size).
  std::int32_t ClientWidth() const { return Width(); }
  std::int32_t ClientHeight() const { return Height(); }

  // ---- Window and messages ----------------------------------------------------------
  // The window handle. Reading it creates the window (the peers of the whole form) if
  // there is none yet, as the component library does.
  WindowHandle Handle();
  bool HandleAllocated() const;

  // Registers the handler of one message number (WM_HOTKEY, WM_SYSCOMMAND ...), replacing
  // an earlier one; a null handler removes it. Messages without a handler get the
  // default handling.
  void SetMessageHandler(std::uint32_t msg, TMessageHandler handler);
  // Runs the handler of message.Msg, or DefaultHandler. Not guarded: the entry is
  // DeliverMessage/SendMessage, or Perform from code.
  void Dispatch(TMessage& message) override;
  // The handling a message gets without a handler, and that a handler asks for when it
  // passes a message on ("inherited"): the system's (TPeer::DefaultHandler); TForm
  // handles the system commands it models and WM_CLOSE itself.
  virtual void DefaultHandler(TMessage& message);
  // Dispatches a message to this control at once and returns its Result.
  std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

  // ---- Focus and keys ---------------------------------------------------------------
  // Showing and effectively enabled.
  bool CanFocus() const { return Showing() && EffectivelyEnabled(); }
  // Gives this control the keyboard focus of its form; raises Exception when it cannot
  // take it (hidden or disabled), as the component library does.
  void SetFocus();
  bool Focused() const;

  // A typed character; the handler may change it, the null character swallows it.
  TKeyPressEvent OnKeyPress;

  // The user types a character into this control (focusing it first): the form's
  // OnKeyPress runs first when the form has KeyPreview, then this control's OnKeyPress,
  // then, if the key is still not null, the control's own handling (an edit inserts it;
  // Backspace, character 8, deletes). Control characters reach the handlers like any other.
  bool UserTypeChar(char key);
  // The user presses a key that makes no character by itself (an arrow key, kVkUp ...)
  // in this control, focusing it first. It reaches no OnKeyPress: only the control's own
  // handling (an edit with a spinner steps it on Up and Down).
  bool UserKeyDown(std::uint32_t virtualKey);
  // The user puts the focus into this control (clicking into an edit, tabbing).
  bool UserFocus();

 protected:
  void CreatePeer() override;
  void DestroyPeer() override;
  // What the control does with a character that got through the handlers.
  virtual void CharTyped(char key);
  // What the control does with a key without a character.
  virtual void KeyDown(std::uint32_t virtualKey);
  // The control has just received the focus.
  virtual void FocusEntered();

 private:
  friend class TControl;
  friend class TForm;

  std::vector<TControl*> controls_;
  std::unordered_map<std::uint32_t, TMessageHandler> handlers_;
};

}  // namespace toolkit
