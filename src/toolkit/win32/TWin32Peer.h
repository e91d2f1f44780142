// The base of the Win32 peers: one window per control, showing the state the model
// holds. Every peer's window is subclassed by the same procedure, which reflects the
// notifications a parent gets (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM) to the
// child's peer and hands the user's actions to the model's entry points.
#pragma once

// First: it includes windows.h and takes back the names the toolkit shares with it.
#include "toolkit/win32/Win32Look.h"

#include <cstdint>

#include "toolkit/Backend.h"
#include "toolkit/TControl.h"
#include "toolkit/TWinControl.h"

namespace toolkit::win32 {

class TWin32Peer : public TPeer {
 public:
  ~TWin32Peer() override;
  TWin32Peer(const TWin32Peer&) = delete;
  TWin32Peer& operator=(const TWin32Peer&) = delete;

  // The window handle for windowed controls; labels and images have a window of their
  // own too, but no handle in the model.
  platform::WindowHandle Handle() const override;
  void Changed(TChange change) override;
  // What the window's original procedure makes of the message.
  void DefaultHandler(TMessage& message) override;

  HWND Window() const { return window_; }
  TControl& Control() const { return control_; }

  // The peer whose window is hwnd, or null.
  static TWin32Peer* Of(HWND hwnd);

  // Reflected from the parent: a WM_COMMAND notification code, a WM_NOTIFY record (true
  // when handled, with its result), an owner-drawn item, the colours of WM_CTLCOLOR...
  virtual void Command(WORD code) { static_cast<void>(code); }
  virtual bool Notify(const NMHDR& header, LRESULT& result) {
    static_cast<void>(header);
    static_cast<void>(result);
    return false;
  }
  virtual void DrawItem(const DRAWITEMSTRUCT& item) { static_cast<void>(item); }
  virtual HBRUSH ControlColor(HDC dc);

 protected:
  explicit TWin32Peer(TControl& control);

  // Makes the window as a child of the parent's peer, or a top-level window owned by owner
  // when the control has no parent, and subclasses it.
  void CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle = 0,
                      HWND owner = nullptr);
  // Reads the whole state of the control; the derived constructors call it last.
  void Refresh();
  // Sets the style bits in own to style, keeping the others: WS_CHILD, WS_VISIBLE and
  // WS_DISABLED show the model's state and are the base's to change.
  void Restyle(DWORD own, DWORD style);

  // What the derived peer shows beyond the common state.
  virtual void Update(TChange change) { static_cast<void>(change); }
  virtual void Place();
  virtual void ShowVisible();
  // The peer's window procedure; the base handles what every peer shares.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam);
  // Hands the message to the model's handlers; what they leave goes to the original
  // procedure through DefaultHandler. Before the model knows the handle, straight there.
  LRESULT ToModel(UINT msg, WPARAM wParam, LPARAM lParam);

  // A windowed control, for the keyboard entry points; null for labels and images.
  TWinControl* Windowed() const { return windowed_; }

  // While alive, the peer is changing its own window: notifications the window sends then
  // are not the user's and must not go back into the model.
  class TSyncScope {
   public:
    explicit TSyncScope(TWin32Peer& peer) : peer_(peer), before_(peer.syncing_) {
      peer_.syncing_ = true;
    }
    ~TSyncScope() { peer_.syncing_ = before_; }
    TSyncScope(const TSyncScope&) = delete;
    TSyncScope& operator=(const TSyncScope&) = delete;

   private:
    TWin32Peer& peer_;
    bool before_;
  };
  bool Syncing() const { return syncing_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void ShowEnabled();
  // Whether the control takes Tab as input itself; else Tab moves the focus.
  bool WantsTab();
  bool MoveFocusOnTab();

  TControl& control_;
  TWinControl* windowed_;
  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
  bool syncing_ = false;
};

// The window that the peer of control's parent gives its children, or null.
HWND ParentWindow(const TControl& control);
// Registers a window class of ours once (DefWindowProc; the peers subclass it).
const wchar_t* OwnClass(const wchar_t* name, UINT style = 0);

}  // namespace toolkit::win32
