// A label: a static control. "&" marks an accelerator, as the component library shows it.
#include <algorithm>

#include "toolkit/TLabel.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

class TWin32LabelPeer final : public TWin32Peer {
 public:
  explicit TWin32LabelPeer(TLabel& label) : TWin32Peer(label), label_(label) {
    CreateWindowOf(L"STATIC", StyleOf(label));
    Refresh();
  }

  void Command(WORD code) override {
    if (code == STN_CLICKED) label_.UserClick();
  }

  HBRUSH ControlColor(HDC dc) override {
    HBRUSH brush = TWin32Peer::ControlColor(dc);
    if (!label_.Transparent() || label_.Parent() == nullptr) return brush;
    ::SetBkMode(dc, TRANSPARENT);
    return BrushOf(label_.Parent()->Color());
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kStyle:
        Restyle(SS_TYPEMASK | SS_NOTIFY, StyleOf(label_));
        Place();
        break;
      case TChange::kCaption:
      case TChange::kFont:
        Place();
        break;
      default:
        break;
    }
  }

  // An auto-sized label takes the size of its text, at least the bounds' height, as the
  // component library sizes it; the model keeps the bounds it was given.
  void Place() override {
    TRect bounds = label_.BoundsRect();
    if (label_.AutoSize() && !label_.WordWrap()) {
      HDC dc = ::GetDC(Window());
      HGDIOBJ old = ::SelectObject(dc, FontOf(label_.Font()));
      RECT text{0, 0, 0, 0};
      const std::wstring caption = Widen(label_.Caption());
      ::DrawTextW(dc, caption.empty() ? L" " : caption.c_str(), -1, &text,
                  DT_CALCRECT | DT_SINGLELINE);
      ::SelectObject(dc, old);
      ::ReleaseDC(Window(), dc);
      bounds.Right = bounds.Left + text.right;
      bounds.Bottom = bounds.Top + std::max<std::int32_t>(bounds.Height(), text.bottom);
    }
    ::MoveWindow(Window(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), TRUE);
  }

 private:
  static DWORD StyleOf(const TLabel& label) {
    return SS_NOTIFY | (label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP);
  }

  TLabel& label_;
};

}  // namespace

std::unique_ptr<TPeer> MakeLabelPeer(TLabel& label) {
  return std::make_unique<TWin32LabelPeer>(label);
}

}  // namespace toolkit::win32
