// TForm: a top-level window, shown plainly or modally, with a modal result, a main menu,
// key preview and the system commands of its caption bar.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "toolkit/TWinControl.h"

namespace toolkit {

class TMainMenu;

// ShowModal's result; the numbers of the component library.
using TModalResult = int;
enum : TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

enum TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog };
using TBorderIcons = std::uint8_t;
enum : TBorderIcons { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum TPosition : std::uint8_t { poDesigned, poDesktopCenter, poScreenCenter };
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

class TForm : public TWinControl {
 public:
  // Hidden at creation. Form classes build their controls in their constructor; OnCreate
  // runs after the whole object is built (Application.CreateForm, MakeForm).
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TControlClass ControlClass() const override { return TControlClass::kForm; }

  // A form's bounds are its client area; the peer adds the frame.
  void SetClientSize(std::int32_t width, std::int32_t height);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position);

  // Maximising a borderless form makes it cover the primary screen.
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);

  // Showing a form creates its peers, fires OnShow and brings it to the front.
  void SetVisible(bool visible) override;
  bool Showing() const override { return Visible(); }
  // Raises the form above the other forms (Screen.Forms order).
  void BringToFront();

  // The form's OnKeyPress sees every character typed in any of its controls before the
  // control does.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  // The control holding the keyboard focus; null: the form itself.
  TWinControl* ActiveControl() const { return activeControl_; }

  // ---- Showing and closing ----------------------------------------------------------
  // Shows the form modally and runs the modal loop until ModalResult is set (by code,
  // a button with a ModalResult, or a close request, which gives mrCancel); then runs
  // OnClose (caHide; caNone keeps the form open and the loop running), hides the form
  // and returns the result. Raises Exception for a form that is already visible.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }

  // A close request from code: a modal form gets ModalResult mrCancel; any other form
  // runs OnClose (action caHide) and is hidden, minimised or kept as the action says;
  // closing the main form ends the application.
  void Close();

  // The close steps' event; the action may be changed.
  TCloseEvent OnClose;
  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;

  // WM_SYSCOMMAND: kScClose closes, kScMinimize minimises, kScMaximize maximises,
  // kScRestore restores, other commands go to the system; WM_CLOSE closes.
  void DefaultHandler(TMessage& message) override;

  // Runs OnCreate through the guarded path; called once, right after construction, by
  // Application.CreateForm and MakeForm.
  void DoCreate();

  // ---- User entry points ------------------------------------------------------------
  // The close box or Alt+F4: WM_SYSCOMMAND with kScClose, through the form's handlers.
  bool UserClose() { return UserSystemCommand(kScClose); }
  // A command of the caption bar or system menu (kScMinimize ...), dispatched as
  // WM_SYSCOMMAND through the form's message handlers.
  bool UserSystemCommand(std::uintptr_t command);
  // A character typed or a key pressed while the form is the active window: it goes to
  // the focused control, or the form itself.
  bool UserTypeCharToFocus(char key);
  bool UserKeyDownToFocus(std::uint32_t virtualKey);

 private:
  friend class TControl;
  friend class TMenuItem;
  friend class TWinControl;

  void SetActiveControl(TWinControl* control);
  // control leaves the form (destroyed or moved): the focus is not left on it.
  void ControlGone(const TControl& control);
  TWinControl& FocusTarget();

  TBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  bool keyPreview_ = false;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
};

// Creates a form that no component owns, runs its OnCreate, and hands it over.
template <class T, class... Args>
std::unique_ptr<T> MakeForm(Args&&... args) {
  auto form = std::make_unique<T>(nullptr, std::forward<Args>(args)...);
  form->DoCreate();
  return form;
}

}  // namespace toolkit
