// The Win32 backend: the system's message loop, posted messages as real window messages,
// timers on the performance counter woken by a high-resolution waitable timer, and one
// peer per control.
// First: it includes windows.h and takes back the names the toolkit shares with it.
#include "toolkit/win32/Win32Look.h"

#include <windows.h>

#include <commctrl.h>
#include <timeapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/win32/WindowHandle.h"
#include "toolkit/Backend.h"
#include "toolkit/Messages.h"
#include "toolkit/PeerMakers.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TPanel.h"
#include "toolkit/TTimer.h"
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

// The timers. SetTimer rounds every period up to the system's tick (about 15.6 ms), so a
// 5 ms timer would fire every 15.6 ms: instead each period is kept on the performance
// counter, and the loop waits for the earliest one on a high-resolution waitable timer
// beside the message queue (MsgWaitForMultipleObjectsEx). Loops that are not ours (a menu
// being tracked, a window being moved or sized, a message box) only dispatch messages, so
// a SetTimer on a message-only window stays as a coarse backstop that fires what is due
// there. Each timer gets an id never reused, so a wake meant for a stopped timer finds
// nothing.
class TTimerHub {
 public:
  TTimerHub() {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    countsPerSecond_ = frequency.QuadPart;
    window_ = ::CreateWindowExW(0, TimerClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    wake_ = ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (wake_ == nullptr) {
      // Before Windows 10 1803 the flag is refused: a plain waitable timer, with the
      // system's tick set to 1 ms while the program runs.
      std::fprintf(stderr,
                   "pilgrove: CreateWaitableTimerExW(HIGH_RESOLUTION) failed (%lu), using a "
                   "plain waitable timer and timeBeginPeriod(1)\n",
                   ::GetLastError());
      periodBegun_ = ::timeBeginPeriod(1) == TIMERR_NOERROR;
      wake_ = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
      if (wake_ == nullptr) {
        std::fprintf(stderr, "pilgrove: CreateWaitableTimerExW failed (%lu)\n", ::GetLastError());
      }
    }
  }
  ~TTimerHub() {
    if (wake_ != nullptr) ::CloseHandle(wake_);
    if (periodBegun_) ::timeEndPeriod(1);
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  TTimerHub(const TTimerHub&) = delete;
  TTimerHub& operator=(const TTimerHub&) = delete;

  void Start(TTimer& timer) {
    const UINT_PTR id = nextId_++;
    const std::int64_t period = ToCounts(timer.Interval());
    timers_[id] = {&timer, timer.Interval(), period, Counter() + period, false};
    ids_[&timer] = id;
    UpdateBackstop();
  }

  void Stop(TTimer& timer) {
    const auto found = ids_.find(&timer);
    if (found == ids_.end()) return;
    timers_.erase(found->second);
    ids_.erase(found);
    UpdateBackstop();
  }

  // Fires each timer whose time has come once, earliest first; true when one fired. A
  // timer does not fire again inside its own tick: a tick that dispatches messages after
  // its period has passed would otherwise nest ticks without end.
  bool FireDue() {
    const std::int64_t now = Counter();
    std::vector<std::pair<std::int64_t, UINT_PTR>> due;
    for (const auto& [id, entry] : timers_) {
      if (!entry.ticking && entry.due <= now) due.emplace_back(entry.due, id);
    }
    std::sort(due.begin(), due.end());
    for (const auto& [when, id] : due) {
      // An earlier tick may have stopped, freed or restarted (under a new id) this one.
      const auto found = timers_.find(id);
      if (found == timers_.end() || found->second.ticking) continue;
      TEntry& entry = found->second;
      // The next period runs from when this one was due, so the time the loop took to
      // wake and the tick itself do not add up over a run; a tick more than a period late
      // is not repeated to catch up.
      entry.due += entry.period;
      const std::int64_t after = Counter();
      if (entry.due <= after) entry.due = after + entry.period;
      entry.ticking = true;
      entry.timer->Tick();
      // The tick may have freed the timer: only the id is looked at now.
      const auto still = timers_.find(id);
      if (still != timers_.end()) still->second.ticking = false;
    }
    return !due.empty();
  }

  // Waits until a message arrives or the next timer is due.
  void Wait() {
    std::int64_t earliest = 0;
    bool any = false;
    for (const auto& [id, entry] : timers_) {
      if (entry.ticking || (any && entry.due >= earliest)) continue;
      earliest = entry.due;
      any = true;
    }
    DWORD timeoutMs = INFINITE;
    DWORD count = 0;
    if (any) {
      const std::int64_t delay = earliest - Counter();
      if (delay <= 0) return;
      // Relative due times are negative, in 100 ns units.
      LARGE_INTEGER dueTime;
      dueTime.QuadPart = -FromCounts(delay, 10000000);
      if (wake_ != nullptr && ::SetWaitableTimer(wake_, &dueTime, 0, nullptr, nullptr, FALSE)) {
        count = 1;
      } else {
        if (wake_ != nullptr) {
          std::fprintf(stderr, "pilgrove: SetWaitableTimer failed (%lu)\n", ::GetLastError());
        }
        timeoutMs =
            static_cast<DWORD>(std::min<std::int64_t>(FromCounts(delay, 1000), INFINITE - 1));
      }
    }
    ::MsgWaitForMultipleObjectsEx(count, &wake_, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }

 private:
  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION; mingw-w64's headers predate it.
  static constexpr DWORD kHighResolutionTimer = 0x00000002;
  static constexpr UINT_PTR kBackstopId = 1;

  struct TEntry {
    TTimer* timer;
    std::uint32_t intervalMs;
    std::int64_t period;  // performance-counter counts
    std::int64_t due;
    bool ticking;
  };

  static std::int64_t Counter() {
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
  }

  // In two steps: a counter that runs at the processor's clock (older systems) times the
  // longest interval would overflow.
  std::int64_t ToCounts(std::uint32_t ms) const {
    return ms / 1000 * countsPerSecond_ + ms % 1000 * countsPerSecond_ / 1000;
  }

  // Counts in units of 1 / unitsPerSecond seconds, rounded up, so that a wait never ends
  // before the due time; in two steps for the same reason.
  std::int64_t FromCounts(std::int64_t counts, std::int64_t unitsPerSecond) const {
    return counts / countsPerSecond_ * unitsPerSecond +
           (counts % countsPerSecond_ * unitsPerSecond + countsPerSecond_ - 1) / countsPerSecond_;
  }

  // The backstop ticks at the shortest interval, no faster than the system allows.
  void UpdateBackstop() {
    UINT shortest = 0;
    for (const auto& [id, entry] : timers_) {
      if (shortest == 0 || entry.intervalMs < shortest) shortest = entry.intervalMs;
    }
    if (shortest != 0) shortest = std::max<UINT>(shortest, USER_TIMER_MINIMUM);
    if (shortest == backstopMs_) return;
    backstopMs_ = shortest;
    if (shortest == 0) {
      ::KillTimer(window_, kBackstopId);
    } else if (::SetTimer(window_, kBackstopId, shortest, nullptr) == 0) {
      std::fprintf(stderr, "pilgrove: SetTimer failed (%lu)\n", ::GetLastError());
    }
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
      auto* hub = reinterpret_cast<TTimerHub*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      if (hub != nullptr) hub->FireDue();
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
  HANDLE wake_ = nullptr;
  bool periodBegun_ = false;
  std::int64_t countsPerSecond_ = 1;
  UINT backstopMs_ = 0;
  UINT_PTR nextId_ = 1;
  std::unordered_map<UINT_PTR, TEntry> timers_;
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
// program as the component library's loop does. With `wait`, an empty queue is the
// timers' turn (as the system makes WM_TIMER only then): the due ones fire, or else it
// waits for a message or the next timer.
bool Pump(bool wait) {
  MSG message;
  if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!wait) return false;
    if (!Hub().FireDue()) Hub().Wait();
    return true;
  }
  if (message.message == WM_QUIT) {
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
  // Frames, panels and group boxes share one kind of window.
  static constexpr TPeerMakers kMakers{
      .form = &win32::MakeFormPeer,
      .frame = [](TFrame& frame) { return win32::MakeContainerPeer(frame); },
      .panel = [](TPanel& panel) { return win32::MakeContainerPeer(panel); },
      .groupBox = [](TGroupBox& groupBox) { return win32::MakeContainerPeer(groupBox); },
      .label = &win32::MakeLabelPeer,
      .edit = &win32::MakeEditPeer,
      .upDown = &win32::MakeUpDownPeer,
      .radioButton = &win32::MakeRadioButtonPeer,
      .comboBox = &win32::MakeComboBoxPeer,
      .dateTimePicker = &win32::MakeDateTimePickerPeer,
      .button = &win32::MakeButtonPeer,
      .image = &win32::MakeImagePeer,
  };
  return MakePeer(control, kMakers);
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
  if (Application.Terminated() || !Hub().FireDue()) return;
  // What the ticks posted.
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
