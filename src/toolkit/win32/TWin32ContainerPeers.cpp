// Frames, panels and group boxes: a window of our own class that paints its background,
// a panel's bevels or a group box's etched frame and caption, and holds the children.
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TPanel.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

UINT EdgeOf(TBevelCut cut, UINT raised, UINT sunken) {
  switch (cut) {
    case bvRaised:
      return raised;
    case bvLowered:
      return sunken;
    case bvNone:
      break;
  }
  return 0;
}

class TWin32ContainerPeer final : public TWin32Peer {
 public:
  explicit TWin32ContainerPeer(TWinControl& container) : TWin32Peer(container) {
    CreateWindowOf(OwnClass(L"PilgroveContainer", CS_HREDRAW | CS_VREDRAW),
                   WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kStyle || change == TChange::kCaption) {
      ::InvalidateRect(Window(), nullptr, TRUE);
    }
  }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_ERASEBKGND: {
        RECT area;
        ::GetClientRect(Window(), &area);
        ::FillRect(reinterpret_cast<HDC>(wParam), &area, BrushOf(Control().Color()));
        return 1;
      }
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(Window(), &paint);
        Paint(dc);
        ::EndPaint(Window(), &paint);
        return 0;
      }
      default:
        break;
    }
    return TWin32Peer::WindowProc(msg, wParam, lParam);
  }

 private:
  void Paint(HDC dc) {
    RECT area;
    ::GetClientRect(Window(), &area);
    HGDIOBJ oldFont = ::SelectObject(dc, FontOf(Control().Font()));
    ::SetTextColor(
        dc, ToColorRef(Control().EffectivelyEnabled() ? Control().Font().Color : clGrayText));
    ::SetBkColor(dc, ToColorRef(Control().Color()));
    const std::wstring caption = Widen(Control().Caption());
    switch (Control().ControlClass()) {
      case TControlClass::kPanel: {
        const auto& panel = static_cast<const TPanel&>(Control());
        if (const UINT outer = EdgeOf(panel.BevelOuter(), BDR_RAISEDINNER, BDR_SUNKENOUTER)) {
          ::DrawEdge(dc, &area, outer, BF_RECT | BF_ADJUST);
        }
        if (const UINT inner = EdgeOf(panel.BevelInner(), BDR_RAISEDINNER, BDR_SUNKENOUTER)) {
          ::DrawEdge(dc, &area, inner, BF_RECT | BF_ADJUST);
        }
        if (!caption.empty()) {
          ::DrawTextW(dc, caption.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        break;
      }
      case TControlClass::kGroupBox: {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        RECT frame = area;
        frame.top += metrics.tmHeight / 2;
        ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (!caption.empty()) {
          RECT text{8, 0, area.right - 8, metrics.tmHeight};
          ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
          text.right += 2;
          ::FillRect(dc, &text, BrushOf(Control().Color()));
          text.left += 1;
          ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
        }
        break;
      }
      default:  // a frame: a plain surface
        break;
    }
    ::SelectObject(dc, oldFont);
  }
};

}  // namespace

std::unique_ptr<TPeer> MakeContainerPeer(TWinControl& container) {
  return std::make_unique<TWin32ContainerPeer>(container);
}

}  // namespace toolkit::win32
