// An edit. The window keeps no text of its own making: every key that would change the
// text goes to the model, which sends the new text back. Moving the caret and selecting
// are left to the window and reported to the model as the user's selection.
#include <string>

#include "toolkit/Messages.h"
#include "toolkit/TEdit.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

constexpr WPARAM kCtrlA = 0x01;
constexpr WPARAM kCtrlC = 0x03;
constexpr WPARAM kCtrlV = 0x16;
constexpr WPARAM kCtrlX = 0x18;
constexpr WPARAM kCtrlZ = 0x1A;

// The model counts bytes of UTF-8, the window UTF-16 units.
int ToModelPosition(const std::wstring& text, int position) {
  return static_cast<int>(Narrow(text.substr(0, static_cast<std::size_t>(position))).size());
}

int ToWindowPosition(const std::string& text, int position) {
  return static_cast<int>(Widen(text.substr(0, static_cast<std::size_t>(position))).size());
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = Narrow(chars);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

class TWin32EditPeer final : public TWin32Peer {
 public:
  explicit TWin32EditPeer(TEdit& edit) : TWin32Peer(edit), edit_(edit) {
    CreateWindowOf(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kText:
        ::SetWindowTextW(Window(), Widen(edit_.Text()).c_str());
        ShowSelection();
        break;
      case TChange::kSelection:
        ShowSelection();
        break;
      case TChange::kReadOnly:
        ::SendMessageW(Window(), EM_SETREADONLY, edit_.ReadOnly() ? TRUE : FALSE, 0);
        break;
      default:
        break;
    }
  }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_CHAR:
        TypeChar(wParam);
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_DELETE) {
          edit_.UserKeyDown(static_cast<std::uint32_t>(wParam));
          return 0;
        }
        return WithSelection(msg, wParam, lParam);
      case WM_PASTE:
        edit_.UserPaste(ClipboardText(Window()));
        return 0;
      case WM_CUT:
        CallOriginal(WM_COPY, 0, 0);
        if (edit_.SelLength() > 0) edit_.UserKeyDown(kVkDelete);
        return 0;
      case WM_CLEAR:
        if (edit_.SelLength() > 0) edit_.UserKeyDown(kVkDelete);
        return 0;
      case WM_UNDO:
      case EM_UNDO:
        // The window's undo buffer would hold text the model never had.
        return 0;
      case WM_IME_CHAR:
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_MOUSEMOVE:
      case WM_KEYUP:
      case EM_SETSEL:
        return WithSelection(msg, wParam, lParam);
      default:
        break;
    }
    return TWin32Peer::WindowProc(msg, wParam, lParam);
  }

 private:
  void TypeChar(WPARAM key) {
    switch (key) {
      case kCtrlA:
        edit_.UserSelect(0, static_cast<int>(edit_.Text().size()));
        return;
      case kCtrlC:
        CallOriginal(WM_COPY, 0, 0);
        return;
      case kCtrlV:
        edit_.UserPaste(ClipboardText(Window()));
        return;
      case kCtrlX:
        CallOriginal(WM_COPY, 0, 0);
        if (edit_.SelLength() > 0) edit_.UserKeyDown(kVkDelete);
        return;
      case kCtrlZ:
        return;
      default:
        break;
    }
    if (key < 0x80) {
      edit_.UserTypeChar(static_cast<char>(key));
      return;
    }
    // A character beyond ASCII reaches the model as its UTF-8 bytes.
    for (const char byte : Narrow(std::wstring(1, static_cast<wchar_t>(key)))) {
      edit_.UserTypeChar(byte);
    }
  }

  LRESULT WithSelection(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallOriginal(msg, wParam, lParam);
    if (!Syncing()) ReportSelection();
    return result;
  }

  std::wstring WindowText() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(Window())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(Window(), text.data(), static_cast<int>(text.size()))));
    return text;
  }

  void ShowSelection() {
    const int start = ToWindowPosition(edit_.Text(), edit_.SelStart());
    const int end = ToWindowPosition(edit_.Text(), edit_.SelStart() + edit_.SelLength());
    const TSyncScope sync(*this);
    CallOriginal(EM_SETSEL, static_cast<WPARAM>(start), end);
  }

  void ReportSelection() {
    DWORD start = 0;
    DWORD end = 0;
    CallOriginal(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText();
    const int modelStart = ToModelPosition(text, static_cast<int>(start));
    const int modelLength = ToModelPosition(text, static_cast<int>(end)) - modelStart;
    if (modelStart == edit_.SelStart() && modelLength == edit_.SelLength()) return;
    edit_.UserSelect(modelStart, modelLength);
  }

  TEdit& edit_;
};

}  // namespace

std::unique_ptr<TPeer> MakeEditPeer(TEdit& edit) {
  return std::make_unique<TWin32EditPeer>(edit);
}

}  // namespace toolkit::win32
