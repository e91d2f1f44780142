// A form: a top-level window of our own class, with the model's menu bar. Its client area
// holds the children's windows.
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/win32/WindowHandle.h"
#include "toolkit/Messages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

constexpr UINT kFirstMenuId = 100;

struct MenuDestroyer {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

DWORD StyleOf(const TForm& form) {
  const TBorderIcons icons = form.BorderIcons();
  DWORD style = WS_CLIPCHILDREN;
  switch (form.BorderStyle()) {
    case bsNone:
      return style | WS_POPUP;
    case bsDialog:
      style |= WS_CAPTION | WS_POPUP | WS_BORDER;
      break;
    case bsSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if ((icons & biSystemMenu) != 0) style |= WS_SYSMENU;
  if (form.BorderStyle() != bsDialog) {
    if ((icons & biMinimize) != 0) style |= WS_MINIMIZEBOX;
    if ((icons & biMaximize) != 0) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD ExStyleOf(const TForm& form) {
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (form.BorderStyle() == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
  // The region picker: a borderless maximised form lies above everything else.
  if (form.BorderStyle() == bsNone && form.WindowState() == wsMaximized) exStyle |= WS_EX_TOPMOST;
  return exStyle;
}

HWND mainWindow = nullptr;

// The application's window: it owns the main form and carries the program's taskbar
// button and task-switcher entry, whose text is the application's title while the main
// form's caption counts clicks. It has no size and lies off the screen, so nothing of it
// is seen, and it is shown exactly while the main form is: a hidden program has no
// button. What the user does to the button goes to the main form.
class TApplicationWindow {
 public:
  TApplicationWindow() {
    window_ =
        ::CreateWindowExW(0, Class(), Widen(Application.Title()).c_str(),
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kOffScreen,
                          kOffScreen, 0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
      std::fprintf(stderr, "pilgrove: CreateWindowExW failed for the application window (%lu)\n",
                   ::GetLastError());
    }
  }
  ~TApplicationWindow() {
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  TApplicationWindow(const TApplicationWindow&) = delete;
  TApplicationWindow& operator=(const TApplicationWindow&) = delete;

  HWND Window() const { return window_; }
  void Show(bool visible) {
    if (window_ != nullptr) ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
  }

 private:
  static constexpr int kOffScreen = -32000;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_SYSCOMMAND: {
        const WPARAM command = wParam & 0xFFF0;
        if (mainWindow != nullptr && (command == SC_CLOSE || command == SC_MINIMIZE ||
                                      command == SC_MAXIMIZE || command == SC_RESTORE)) {
          return ::SendMessageW(mainWindow, msg, wParam, lParam);
        }
        break;
      }
      case WM_CLOSE:
        if (mainWindow != nullptr) return ::SendMessageW(mainWindow, msg, wParam, lParam);
        break;
      case WM_ACTIVATE:
        // Activated through its button: the main form takes over.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow != nullptr &&
            ::IsWindowVisible(mainWindow) && ::IsWindowEnabled(mainWindow)) {
          ::SetForegroundWindow(mainWindow);
          return 0;
        }
        break;
      default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  static const wchar_t* Class() {
    static const wchar_t* const name = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &Proc;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.hIcon = ::LoadIconW(windowClass.hInstance, L"MAINICON");
      windowClass.lpszClassName = L"PilgroveApplication";
      ::RegisterClassExW(&windowClass);
      return windowClass.lpszClassName;
    }();
    return name;
  }

  HWND window_ = nullptr;
};

class TWin32FormPeer final : public TWin32Peer {
 public:
  explicit TWin32FormPeer(TForm& form) : TWin32Peer(form), form_(form) {
    const bool isMain = Application.MainForm() == &form || mainWindow == nullptr;
    if (isMain) application_ = std::make_unique<TApplicationWindow>();
    CreateWindowOf(OwnClass(L"PilgroveForm"), StyleOf(form), ExStyleOf(form),
                   isMain ? application_->Window() : mainWindow);
    if (isMain) mainWindow = Window();
    Refresh();
  }

  ~TWin32FormPeer() override {
    if (mainWindow == Window()) mainWindow = nullptr;
    // The application window goes first and would take its owned windows with it: the
    // main form's window is the base's to destroy.
    if (application_) ::SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, 0);
    // The menu goes with the window; the handle kept here must not be destroyed twice.
    if (menu_) {
      ::SetMenu(Window(), nullptr);
    }
  }

  void DefaultHandler(TMessage& message) override {
    if (message.Msg == kWmEraseBkgnd) {
      RECT area;
      ::GetClientRect(Window(), &area);
      ::FillRect(reinterpret_cast<HDC>(message.WParam), &area, BrushOf(form_.Color()));
      message.Result = 1;
      return;
    }
    TWin32Peer::DefaultHandler(message);
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kStyle:
      case TChange::kWindowState:
        ApplyStyle();
        ApplyWindowState();
        break;
      case TChange::kMenu:
        BuildMenu();
        break;
      case TChange::kZOrder:
        if (form_.Visible()) {
          ::SetWindowPos(Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
          ::SetForegroundWindow(Window());
        }
        break;
      default:
        break;
    }
  }

  void Place() override {
    const TRect bounds = form_.BoundsRect();
    RECT frame{0, 0, bounds.Width(), bounds.Height()};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Window(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(Window(), GWL_EXSTYLE));
    ::AdjustWindowRectEx(&frame, style, ::GetMenu(Window()) != nullptr, exStyle);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int left = bounds.Left + frame.left;
    int top = bounds.Top + frame.top;
    if (form_.BorderStyle() == bsNone) {
      left = bounds.Left;
      top = bounds.Top;
    } else if (form_.Position() != poDesigned) {
      // Centred when first shown; until then and afterwards the user places it.
      flags |= SWP_NOMOVE;
    }
    ::SetWindowPos(Window(), nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                   flags);
  }

  void ShowVisible() override {
    if (application_) application_->Show(form_.Visible());
    if (!form_.Visible()) {
      ::ShowWindow(Window(), SW_HIDE);
      return;
    }
    if (!placed_) {
      placed_ = true;
      if (form_.Position() != poDesigned && form_.BorderStyle() != bsNone) Center();
    }
    ApplyWindowState();
  }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_SYSCOMMAND: {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_CLOSE || command == SC_MINIMIZE || command == SC_MAXIMIZE ||
            command == SC_RESTORE) {
          form_.UserSystemCommand(command);
          return 0;
        }
        return ToModel(msg, wParam, lParam);
      }
      case WM_CLOSE:
      case WM_ERASEBKGND:
        return ToModel(msg, wParam, lParam);
      case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0) {
          const UINT index = LOWORD(wParam) - kFirstMenuId;
          if (index < items_.size()) items_[index]->UserClick();
          return 0;
        }
        break;
      case WM_LBUTTONUP:
        if (!Syncing()) form_.UserClick();
        return 0;
      case WM_ACTIVATE:
        // Back to the control that had the focus when the window was left.
        if (LOWORD(wParam) != WA_INACTIVE && form_.ActiveControl() != nullptr) {
          if (auto* peer = dynamic_cast<TWin32Peer*>(form_.ActiveControl()->Peer())) {
            const TSyncScope sync(*this);
            ::SetFocus(peer->Window());
            return 0;
          }
        }
        break;
      case WM_SIZE:
        // Restored from the taskbar while the model has it minimised.
        if (wParam == SIZE_RESTORED && form_.WindowState() == wsMinimized && !Syncing()) {
          form_.UserSystemCommand(kScRestore);
        }
        break;
      default:
        // The program's own messages (the tray icon's callback) and the desktop's.
        if (msg >= WM_USER && msg < 0xC000) return ToModel(msg, wParam, lParam);
        break;
    }
    return TWin32Peer::WindowProc(msg, wParam, lParam);
  }

 private:
  void ApplyStyle() {
    const DWORD style = StyleOf(form_) | (::IsWindowVisible(Window()) ? WS_VISIBLE : 0);
    ::SetWindowLongPtrW(Window(), GWL_STYLE, static_cast<LONG_PTR>(style));
    ::SetWindowLongPtrW(Window(), GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyleOf(form_)));
    const bool topmost = (ExStyleOf(form_) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(Window(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Place();
  }

  void ApplyWindowState() {
    if (!form_.Visible()) return;
    switch (form_.WindowState()) {
      case wsMinimized:
        ::ShowWindow(Window(), SW_SHOWMINIMIZED);
        break;
      case wsMaximized:
        // A borderless form already has the whole screen as its bounds: shown as it is,
        // since maximising a popup is not reliable everywhere.
        ::ShowWindow(Window(), form_.BorderStyle() == bsNone ? SW_SHOW : SW_SHOWMAXIMIZED);
        break;
      case wsNormal:
        ::ShowWindow(Window(), ::IsIconic(Window()) ? SW_RESTORE : SW_SHOW);
        break;
    }
    // Raised once shown: a stacking order set while the window was hidden does not reach
    // the X server under Wine.
    const bool topmost = (ExStyleOf(form_) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(Window(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(Window());
  }

  void Center() {
    RECT area;
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return;
    RECT window;
    ::GetWindowRect(Window(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(Window(), nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The menu bar is rebuilt from the model's items after every change.
  void BuildMenu() {
    items_.clear();
    OwnedMenu bar;
    if (const TMainMenu* menu = form_.Menu()) {
      bar.reset(::CreateMenu());
      AddItems(menu->Items(), bar.get());
    }
    ::SetMenu(Window(), bar.get());
    menu_ = std::move(bar);
    ::DrawMenuBar(Window());
    Place();
  }

  void AddItems(const TMenuItem& parent, HMENU menu) {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem& item = *parent.Items(i);
      if (!item.Visible()) continue;
      const std::wstring caption = Widen(item.Caption());
      const UINT enabled = item.Enabled() ? MF_ENABLED : MF_GRAYED;
      if (item.Count() == 0) {
        items_.push_back(&item);
        ::AppendMenuW(menu, MF_STRING | enabled,
                      kFirstMenuId + static_cast<UINT>(items_.size() - 1), caption.c_str());
      } else {
        HMENU sub = ::CreatePopupMenu();
        AddItems(item, sub);
        ::AppendMenuW(menu, MF_POPUP | enabled, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
      }
    }
  }

  TForm& form_;
  std::unique_ptr<TApplicationWindow> application_;  // the main form's only
  OwnedMenu menu_;
  std::vector<TMenuItem*> items_;
  bool placed_ = false;
};

}  // namespace

std::unique_ptr<TPeer> MakeFormPeer(TForm& form) {
  return std::make_unique<TWin32FormPeer>(form);
}

HWND MainWindow() {
  return mainWindow;
}

}  // namespace toolkit::win32
