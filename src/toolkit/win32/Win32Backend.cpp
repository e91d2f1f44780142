// The Win32 backend: the system's message loop, posted messages as real window messages,
// timers through SetTimer on a message-only window of ours, and one peer per control.
// First: it includes windows.h and takes back the names the toolkit shares with it.
#include "toolkit/win32/Win32Look.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "platform/win32/WindowHandle.h"
#include "toolkit/Backend.h"
#include "toolkit/Messages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButton.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TDateTimePicker.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TTimer.h"
#include "toolkit/TUpDown.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit {

namespace {

using platform::win32::FromHwnd;
using platform::win32::ToHwnd;

// Every message of a message-only window goes to its receiver; messages that arrive
// before the receiver is registered (creation) or after it is gone get the default.
LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WindowHandle handle = FromHwnd(hwnd);
  if ((msg == WM_HOTKEY || msg >= WM_USER) && FindReceiver(handle) != nullptr) {
    return toolkit::SendMessage(handle, msg, wParam, lParam);
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* MessageWindowClass() {
  static const wchar_t* const name = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MessageWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PilgroveMessageWindow";
    ::RegisterClassExW(&windowClass);
    return windowClass.lpszClassName;
  }();
  return name;
}

// The timers: SetTimer on one message-only window, each timer with an id never reused, so
// that a WM_TIMER still queued for a stopped timer finds nothing.
class TTimerHub {
 public:
  TTimerHub() {
    window_ = ::CreateWindowExW(0, TimerClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), this);
  }
  ~TTimerHub() {
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  TTimerHub(const TTimerHub&) = delete;
  TTimerHub& operator=(const TTimerHub&) = delete;

  void Start(TTimer& timer) {
    const UINT_PTR id = nextId_++;
    if (::SetTimer(window_, id, timer.Interval(), nullptr) == 0) {
      std::fprintf(stderr, "pilgrove: SetTimer failed (%lu)\n", ::GetLastError());
      return;
    }
    timers_[id] = &timer;
    ids_[&timer] = id;
  }

  void Stop(TTimer& timer) {
    const auto found = ids_.find(&timer);
    if (found == ids_.end()) return;
    ::KillTimer(window_, found->second);
    timers_.erase(found->second);
    ids_.erase(found);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
      auto* hub = reinterpret_cast<TTimerHub*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      if (hub != nullptr) {
        const auto found = hub->timers_.find(wParam);
        if (found != hub->timers_.end()) found->second->Tick();
      }
      return 0;
    }
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  static const wchar_t* TimerClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PilgroveTimers";
    ::RegisterClassExW(&windowClass);
    return windowClass.lpszClassName;
  }

  HWND window_ = nullptr;
  UINT_PTR nextId_ = 1;
  std::unordered_map<UINT_PTR, TTimer*> timers_;
  std::unordered_map<TTimer*, UINT_PTR> ids_;
};

bool hubGone = false;

TTimerHub& Hub() {
  struct TOwner {
    ~TOwner() { hubGone = true; }
    TTimerHub hub;
  };
  static TOwner owner;
  return owner.hub;
}

// Takes one message off the queue and dispatches it; false on WM_QUIT, which ends the
// program as the component library's loop does.
bool Pump(bool wait) {
  MSG message;
  if (wait) {
    if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
      Application.Terminate();
      return false;
    }
  } else if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    return false;
  } else if (message.message == WM_QUIT) {
    Application.Terminate();
    return false;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
  return true;
}

// While a form is modal, every other window of the program takes no input.
class TDisabledWindows {
 public:
  explicit TDisabledWindows(HWND modal) : modal_(modal) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
  }
  ~TDisabledWindows() {
    for (HWND window : disabled_) {
      if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
  }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    auto& windows = *reinterpret_cast<TDisabledWindows*>(self);
    if (window != windows.modal_ && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
      ::EnableWindow(window, FALSE);
      windows.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND modal_;
  std::vector<HWND> disabled_;
};

}  // namespace

namespace backend {

void Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES};
  ::InitCommonControlsEx(&controls);
  Hub();
  // WM_HOTKEY and the tray icon's messages come from the system itself.
  platform::SetMessagePoster(&backend::PostMessage);
}

std::unique_ptr<TPeer> CreatePeer(TControl& control) {
  switch (control.ControlClass()) {
    case TControlClass::kForm:
      return win32::MakeFormPeer(static_cast<TForm&>(control));
    case TControlClass::kFrame:
    case TControlClass::kPanel:
    case TControlClass::kGroupBox:
      return win32::MakeContainerPeer(static_cast<TWinControl&>(control));
    case TControlClass::kLabel:
      return win32::MakeLabelPeer(static_cast<TLabel&>(control));
    case TControlClass::kEdit:
    case TControlClass::kLabeledEdit:
      return win32::MakeEditPeer(static_cast<TEdit&>(control));
    case TControlClass::kUpDown:
      return win32::MakeUpDownPeer(static_cast<TUpDown&>(control));
    case TControlClass::kRadioButton:
      return win32::MakeRadioButtonPeer(static_cast<TRadioButton&>(control));
    case TControlClass::kComboBox:
      return win32::MakeComboBoxPeer(static_cast<TComboBox&>(control));
    case TControlClass::kDateTimePicker:
      return win32::MakeDateTimePickerPeer(static_cast<TDateTimePicker&>(control));
    case TControlClass::kButton:
    case TControlClass::kBitBtn:
      return win32::MakeButtonPeer(static_cast<TButton&>(control));
    case TControlClass::kImage:
      return win32::MakeImagePeer(static_cast<TImage&>(control));
    case TControlClass::kMainMenu:  // components that are no controls: the form shows
    case TControlClass::kMenuItem:  // the menu, and a timer shows nothing
    case TControlClass::kTimer:
      break;
  }
  return nullptr;
}

void RunLoop() {
  while (!Application.Terminated() && Pump(true)) {
  }
}

void ModalLoop(TForm& form) {
  auto* peer = form.Peer();
  const TDisabledWindows others(peer != nullptr ? ToHwnd(peer->Handle()) : nullptr);
  while (form.ModalResult() == mrNone && !Application.Terminated() && Pump(true)) {
  }
}

platform::WindowHandle CreateMessageWindow() {
  HWND window = ::CreateWindowExW(0, MessageWindowClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) throw Exception("CreateWindowExW failed for a message window");
  return FromHwnd(window);
}

void DestroyMessageWindow(platform::WindowHandle handle) {
  ::DestroyWindow(ToHwnd(handle));
}

void PostMessage(platform::WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  // A window that has gone drops the message, as the system drops it.
  ::PostMessageW(ToHwnd(handle), msg, wParam, lParam);
}

void ProcessMessages() {
  while (Pump(false)) {
  }
}

void StartTimer(TTimer& timer) {
  Hub().Start(timer);
}

void StopTimer(TTimer& timer) {
  if (hubGone) return;
  Hub().Stop(timer);
}

TDateTime Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay) +
         EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

std::int64_t PerformanceCounter() {
  LARGE_INTEGER counter;
  if (::QueryPerformanceCounter(&counter)) return counter.QuadPart;
  return static_cast<std::int64_t>(::GetTickCount64());
}

namespace {

char LocaleChar(LCTYPE type, char fallback) {
  wchar_t text[8] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 8) < 2) return fallback;
  if (text[0] > 0 && text[0] < 0x80) return static_cast<char>(text[0]);
  // A no-break or narrow space outside ASCII: the edits hold plain text.
  return text[0] == 0xA0 || text[0] == 0x202F ? ' ' : fallback;
}

}  // namespace

char TimeSeparator() {
  return LocaleChar(LOCALE_STIME, ':');
}

char ThousandSeparator() {
  return LocaleChar(LOCALE_STHOUSAND, ',');
}

void ShowException(const std::string& text) {
  std::fprintf(stderr, "pilgrove: %s\n", text.c_str());
  ::MessageBoxW(win32::MainWindow(), win32::Widen(text).c_str(), L"Pilgrove",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace backend

}  // namespace toolkit
