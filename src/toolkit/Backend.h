// The backend contract: what every toolkit backend (headless/, qt/, win32/) defines.
//
// Exactly one backend is linked into a binary. The portable model (the rest of toolkit/)
// holds all state and behaviour and calls the functions below; a backend only delivers
// messages and timer ticks, keeps the time of day and the locale, runs the loops, and
// shows what the model holds through one peer per control. A backend calls back into the
// model only through:
//   - DeliverMessage(handle, msg, wParam, lParam)   (Messages.h) for each queued message,
//   - TTimer::Tick()                                 for each due timer,
//   - the controls' user entry points (the User... methods), when the user acts,
// all of which run through Application's guarded call path, so no exception leaves them
// into a backend's loop or an OS callback. A peer never sets a control's state through
// its ordinary setters: what the user did goes in through an entry point, and the model
// then tells the peer what changed.
//
// ---- Peers ---------------------------------------------------------------------------
//
// The model creates a control's peer with CreatePeer when the control's form is first
// shown or its handle is first read, parents before children, and creates the peer of a
// control added later to a parent that has one at once. It destroys child peers before
// their parent's peer, and a control's peer before the control. After any change made by
// code the model calls peer.Changed(what); the peer re-reads that part of the state from
// the control's getters. The peer reads everything at creation. What each peer shows and
// which entry points it calls:
//
//   every control   BoundsRect (relative to the parent; a form's is its client area),
//                   Visible, EffectivelyEnabled, Font, Color, Cursor, Caption where the
//                   control shows one. A click: UserClick().
//   TWinControl     Handle(): the peer's window handle; every message the OS delivers
//                   to it that the model handles (WM_HOTKEY, WM_SYSCOMMAND, WM_CLOSE,
//                   WM_ERASEBKGND and the program's own numbers from kWmUser on) goes to
//                   DeliverMessage; what the model leaves to the system comes back to
//                   TPeer::DefaultHandler. Focus (TForm::ActiveControl): the peer focuses the
//                   widget; when the user moves the focus: UserFocus(). A typed
//                   character: UserTypeChar(c) (Backspace as character 8); a key without
//                   a character (arrows): UserKeyDown(vk). Both on the focused control.
//   TForm           Caption, client size, BorderStyle, BorderIcons, Position (placed at
//                   the first show), WindowState, Visible, Menu (TMainMenu items, with
//                   their Caption, Enabled, Visible; a chosen item: TMenuItem::
//                   UserClick()), the z-order (kZOrder: raise the window). The close box
//                   and Alt+F4: UserClose(); the minimise and maximise boxes:
//                   UserSystemCommand(kScMinimize / kScMaximize). A form that is modal
//                   (Application.ModalForm()) blocks input to every other form.
//   TFrame, TPanel, TGroupBox   containers; bevels (TPanel), caption.
//   TLabel          Caption, Transparent, AutoSize, WordWrap; not windowed (Handle 0).
//   TEdit           Text, SelStart/SelLength (the caret), ReadOnly, MaxLength (the model
//                   enforces it; the peer must not), Color. The peer keeps no text of its
//                   own: keys go to UserTypeChar/UserKeyDown, a paste to UserPaste(text),
//                   a caret move or selection to UserSelect(start, length).
//   TLabeledEdit    as TEdit; its EditLabel is a TLabel of its own with its own peer.
//   TUpDown         Min, Max, Position, its place beside its Associate. Arrow clicks:
//                   UserClickUp() / UserClickDown().
//   TRadioButton    Caption, Checked, WordWrap. A click: UserClick().
//   TComboBox       Items, ItemIndex (a drop-down list). A chosen item: UserSelect(i).
//   TDateTimePicker DateTime, Kind (time of day or date). The user's value:
//                   UserSetDateTime(value).
//   TButton/TBitBtn Caption, Default, WordWrap, Glyph (TBitBtn). A click: UserClick().
//   TImage          Picture (blit the bitmap at the control's top left, clipped), with
//                   PictureChanged(area) after canvas drawing so that only that area needs
//                   repainting. Mouse: UserMouseDown/UserMouseMove/UserMouseUp in the
//                   image's client coordinates; the peer captures the mouse from a press
//                   to the release, as Windows does for the component library.
//
// Colours are TColor values: plain 0x00BBGGRR, or a system colour (clBtnFace, clWindow,
// clWindowText ...) that the peer maps to the platform's. Font heights are the component
// library's (negative: character height in pixels). An entry point that returns false
// was refused by the model (the control is disabled, hidden or behind a modal form): the
// peer undoes nothing, since it shows only the model's state. Peers do not call entry
// points from inside Changed. The taskbar text is Application.Title(), read when the
// loop starts; a form's window handle (TWinControl::Handle) is the handle the program
// gives to the desktop services (hot keys, the tray icon).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Desktop.h"
#include "toolkit/Messages.h"
#include "toolkit/TControl.h"
#include "toolkit/TDateTime.h"
#include "toolkit/Types.h"

namespace toolkit {
class TForm;
class TTimer;

// Shows one control. Created and destroyed by the model only.
class TPeer {
 public:
  virtual ~TPeer() = default;
  // A windowed control's window handle (never 0); 0 for a control drawn on its parent.
  virtual platform::WindowHandle Handle() const = 0;
  // Code changed that part of the control's state.
  virtual void Changed(TChange change) = 0;
  // Canvas drawing changed this area of an image's picture (image client coordinates).
  virtual void PictureChanged(const TRect& area) {
    static_cast<void>(area);
    Changed(TChange::kPicture);
  }
  // The system's own handling of a message that the model leaves to it: a system command
  // it does not model (moving, sizing, the window menu), WM_ERASEBKGND without a handler.
  // Win32: DefWindowProc, its result in message.Result. Headless: WM_ERASEBKGND counts as
  // erased (Result 1), nothing else.
  virtual void DefaultHandler(TMessage& message) { static_cast<void>(message); }
};
}  // namespace toolkit

namespace toolkit::backend {

// Once, from Application.Initialize: prepare the backend and install PostMessage below
// as the desktop's message poster (platform::SetMessagePoster), so that the X11 and the
// simulated desktop deliver hot-key and tray messages through the toolkit's queue.
void Initialize();

// A peer for control, of the kind control.ControlClass() names. Called with the parent's
// peer already in place.
std::unique_ptr<TPeer> CreatePeer(TControl& control);

// ---- Loops ----------------------------------------------------------------------------

// Application.Run's loop: delivers messages and timers, and the user's actions through
// the peers, until Application.Terminated().
void RunLoop();
// TForm::ShowModal's loop, the form already shown and marked modal: runs like RunLoop
// until form.ModalResult() is not 0 or Application.Terminated(), then returns; the model
// then runs the form's close steps. Nested modal loops must work.
void ModalLoop(TForm& form);

// ---- Messages -------------------------------------------------------------------------

// A window handle that is only a message target (TMessageWindow). Win32: a message-only
// window whose window procedure hands every message to DeliverMessage. Other backends:
// any handle value unique among live handles, never 0.
platform::WindowHandle CreateMessageWindow();
void DestroyMessageWindow(platform::WindowHandle handle);

// Queues a message for handle. It is handed to DeliverMessage in posting order, from the
// loop, a modal loop or ProcessMessages, never from inside PostMessage itself. Safe to
// call from inside a handler.
void PostMessage(platform::WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam);

// Delivers every queued message and fires every due timer, then returns; messages posted
// meanwhile are delivered too. Queued messages go before timers (as WM_TIMER is only
// generated for an empty queue). May be called re-entrantly from inside any handler.
void ProcessMessages();

// ---- Timers ---------------------------------------------------------------------------

// Schedules timer: its Tick() comes timer.Interval() ms from now and then every
// Interval() ms, each period measured from when the last tick was due, so that the loop's
// wake-up and the ticks' own time do not add up over a run. A tick more than a period late
// is not repeated to catch up (one tick, then a new period). The model calls StopTimer
// before every StartTimer, and StartTimer only for an active timer (enabled, interval
// above 0).
void StartTimer(TTimer& timer);
// Unschedules timer; a timer that is not scheduled is ignored. Called from the timer's
// destructor too, also from inside its own Tick.
void StopTimer(TTimer& timer);

// ---- Time, locale, randomness ---------------------------------------------------------

// The current local date and time.
TDateTime Now();
// A high-resolution counter for seeding the random generator (QueryPerformanceCounter;
// the millisecond tick count where there is none).
std::int64_t PerformanceCounter();
// The user's time separator (":" by default) and thousands separator ("," by default).
char TimeSeparator();
char ThousandSeparator();

// ---- Errors ---------------------------------------------------------------------------

// An exception reached Application with no OnException handler: show its text to the
// user (Win32: a message box; Qt: a message dialog; headless: a line on stderr, counted).
// Must not throw.
void ShowException(const std::string& text);

}  // namespace toolkit::backend
