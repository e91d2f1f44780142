#include "toolkit/win32/TWin32Peer.h"

#include <set>
#include <string>

#include "platform/win32/WindowHandle.h"
#include "toolkit/Exception.h"
#include "toolkit/Messages.h"
#include "toolkit/win32/Win32Look.h"

namespace toolkit::win32 {

namespace {

constexpr wchar_t kPeerProperty[] = L"PilgrovePeer";

HCURSOR CursorOf(TCursor cursor) {
  switch (cursor) {
    case crArrow:
      return ::LoadCursorA(nullptr, IDC_ARROW);
    case crCross:
      return ::LoadCursorA(nullptr, IDC_CROSS);
    case crHandPoint:
      return ::LoadCursorA(nullptr, IDC_HAND);
    case crDefault:
      break;
  }
  return nullptr;
}

}  // namespace

TWin32Peer::TWin32Peer(TControl& control)
    : control_(control), windowed_(dynamic_cast<TWinControl*>(&control)) {}

TWin32Peer::~TWin32Peer() {
  if (window_ == nullptr) return;
  ::RemovePropW(window_, kPeerProperty);
  ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  ::DestroyWindow(window_);
}

platform::WindowHandle TWin32Peer::Handle() const {
  return windowed_ != nullptr ? platform::win32::FromHwnd(window_) : 0;
}

TWin32Peer* TWin32Peer::Of(HWND hwnd) {
  return hwnd == nullptr ? nullptr : static_cast<TWin32Peer*>(::GetPropW(hwnd, kPeerProperty));
}

void TWin32Peer::CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, HWND owner) {
  // A top-level window's owner goes where a child's parent goes, but the window must not
  // be made a child: WS_CHILD beside WS_POPUP is left to each system to interpret.
  HWND parent = ParentWindow(control_);
  if (parent != nullptr) {
    style |= WS_CHILD;
  } else {
    parent = owner;
  }
  const TRect bounds = control_.BoundsRect();
  window_ =
      ::CreateWindowExW(exStyle, className, L"", style, bounds.Left, bounds.Top, bounds.Width(),
                        bounds.Height(), parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    // The model cannot go on without the handle; the guarded path reports it.
    throw Exception("CreateWindowExW failed for a " + Narrow(className) + " window");
  }
  ::SetPropW(window_, kPeerProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void TWin32Peer::Refresh() {
  const TSyncScope sync(*this);
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control_.Font())), FALSE);
  Place();
  ShowEnabled();
  ::SetWindowTextW(window_, Widen(control_.Caption()).c_str());
  for (const TChange change :
       {TChange::kCaption, TChange::kText, TChange::kReadOnly, TChange::kMaxLength,
        TChange::kChecked, TChange::kItems, TChange::kItemIndex, TChange::kDateTime,
        TChange::kRange, TChange::kPicture, TChange::kWindowState, TChange::kMenu, TChange::kStyle,
        TChange::kSelection}) {
    Update(change);
  }
  ShowVisible();
}

void TWin32Peer::Restyle(DWORD own, DWORD style) {
  const auto kept = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)) & ~own;
  ::SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(kept | (style & own)));
  ::InvalidateRect(window_, nullptr, TRUE);
}

void TWin32Peer::Changed(TChange change) {
  const TSyncScope sync(*this);
  switch (change) {
    case TChange::kBounds:
      Place();
      break;
    case TChange::kVisible:
      ShowVisible();
      break;
    case TChange::kEnabled:
      ShowEnabled();
      break;
    case TChange::kFont:
      ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control_.Font())), TRUE);
      ::InvalidateRect(window_, nullptr, TRUE);
      break;
    case TChange::kColor:
      ::InvalidateRect(window_, nullptr, TRUE);
      break;
    case TChange::kCaption:
      ::SetWindowTextW(window_, Widen(control_.Caption()).c_str());
      break;
    case TChange::kFocus:
      if (windowed_ != nullptr && windowed_->Focused() && ::GetFocus() != window_) {
        ::SetFocus(window_);
      }
      break;
    default:
      break;
  }
  Update(change);
}

void TWin32Peer::ShowEnabled() {
  // Windows leaves the children of a disabled window looking enabled; the model's
  // effective state covers the whole chain, so every child's window follows it.
  ::EnableWindow(window_, control_.EffectivelyEnabled() ? TRUE : FALSE);
  if (windowed_ == nullptr) return;
  for (int i = 0; i < windowed_->ControlCount(); ++i) {
    if (auto* child = dynamic_cast<TWin32Peer*>(windowed_->Controls(i)->Peer())) {
      child->ShowEnabled();
    }
  }
}

void TWin32Peer::Place() {
  const TRect bounds = control_.BoundsRect();
  ::MoveWindow(window_, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), TRUE);
}

void TWin32Peer::ShowVisible() {
  ::ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

HBRUSH TWin32Peer::ControlColor(HDC dc) {
  ::SetTextColor(dc,
                 ToColorRef(control_.EffectivelyEnabled() ? control_.Font().Color : clGrayText));
  ::SetBkColor(dc, ToColorRef(control_.Color()));
  return BrushOf(control_.Color());
}

void TWin32Peer::DefaultHandler(TMessage& message) {
  message.Result = CallOriginal(message.Msg, message.WParam, message.LParam);
}

LRESULT TWin32Peer::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(original_, window_, msg, wParam, lParam);
}

LRESULT TWin32Peer::ToModel(UINT msg, WPARAM wParam, LPARAM lParam) {
  const WindowHandle handle = platform::win32::FromHwnd(window_);
  if (windowed_ == nullptr || FindReceiver(handle) == nullptr) {
    return CallOriginal(msg, wParam, lParam);
  }
  return toolkit::SendMessage(handle, msg, wParam, lParam);
}

LRESULT TWin32Peer::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam != 0) {
        if (TWin32Peer* child = Of(reinterpret_cast<HWND>(lParam))) {
          if (!child->Syncing()) child->Command(HIWORD(wParam));
          return 0;
        }
      }
      break;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (TWin32Peer* child = Of(header.hwndFrom)) {
        LRESULT result = 0;
        if (!child->Syncing() && child->Notify(header, result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (TWin32Peer* child = Of(item.hwndItem)) {
        child->DrawItem(item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWin32Peer* child = Of(reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wParam)));
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        if (HCURSOR cursor = CursorOf(control_.Cursor())) {
          ::SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_SETFOCUS: {
      const LRESULT result = CallOriginal(msg, wParam, lParam);
      if (windowed_ != nullptr && !syncing_ && !windowed_->Focused()) windowed_->UserFocus();
      return result;
    }
    case WM_CHAR:
      // Every character typed in a control passes the form's key preview (which ends a
      // point capture), then the control's own handling.
      if (windowed_ != nullptr && wParam < 0x80) windowed_->UserTypeChar(static_cast<char>(wParam));
      break;
    case WM_HOTKEY:
      return ToModel(msg, wParam, lParam);
    default:
      // The program's own messages; the common controls use WM_USER..WM_APP themselves.
      if (msg >= WM_APP && msg < 0xC000) return ToModel(msg, wParam, lParam);
      break;
  }
  return CallOriginal(msg, wParam, lParam);
}

bool TWin32Peer::WantsTab() {
  return (CallOriginal(WM_GETDLGCODE, VK_TAB, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0;
}

// Tab and Shift+Tab walk the form's controls as a dialog does: in the order the windows
// were made (the model's order), through containers, over disabled, hidden and
// non-tab-stop windows. The system's dialog manager (IsDialogMessage) would also press a
// button whose mnemonic is typed, and a key typed to end a point capture must do nothing
// else, so only Tab is taken from it.
bool TWin32Peer::MoveFocusOnTab() {
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0 || WantsTab()) return false;
  HWND form = ::GetAncestor(window_, GA_ROOT);
  if (form == nullptr) return false;
  const bool backward = ::GetKeyState(VK_SHIFT) < 0;
  HWND next = ::GetNextDlgTabItem(form, form == window_ ? nullptr : window_, backward);
  if (next != nullptr && next != window_) ::SetFocus(next);
  return true;
}

LRESULT CALLBACK TWin32Peer::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWin32Peer* peer = Of(hwnd);
  if (peer == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  // No exception may cross into the system's dispatcher. The model's entry points are
  // guarded; this catches what the peer's own code might raise (an allocation failing).
  try {
    // Before any peer's own keyboard handling.
    if (msg == WM_KEYDOWN && wParam == VK_TAB && peer->MoveFocusOnTab()) return 0;
    // The Tab that moved the focus comes once more as a character: nobody's text.
    if (msg == WM_CHAR && wParam == '\t' && !peer->WantsTab()) return 0;
    return peer->WindowProc(msg, wParam, lParam);
  } catch (...) {
    return peer->CallOriginal(msg, wParam, lParam);
  }
}

HWND ParentWindow(const TControl& control) {
  if (control.Parent() == nullptr) return nullptr;
  auto* peer = dynamic_cast<TWin32Peer*>(control.Parent()->Peer());
  return peer != nullptr ? peer->Window() : nullptr;
}

const wchar_t* OwnClass(const wchar_t* name, UINT style) {
  static std::set<std::wstring> registered;
  if (registered.insert(name).second) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(windowClass.hInstance, L"MAINICON");
    windowClass.hIconSm = static_cast<HICON>(::LoadImageW(
        windowClass.hInstance, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
  }
  return name;
}

}  // namespace toolkit::win32
