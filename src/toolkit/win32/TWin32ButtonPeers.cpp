// Push buttons, bitmap buttons and radio buttons: the system's button controls. A radio
// button is not an automatic one: the model checks it and unchecks its neighbours.
#include <vector>

#include "toolkit/TBitBtn.h"
#include "toolkit/TButton.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

// The style bits a button's or a radio button's peer derives from the model.
constexpr DWORD kButtonStyleBits = BS_TYPEMASK | BS_MULTILINE | WS_TABSTOP;

DWORD ButtonStyle(const TButton& button) {
  DWORD style = WS_TABSTOP | (button.WordWrap() ? BS_MULTILINE : 0);
  // A bitmap button draws itself: the system's buttons ignore the font's colour.
  if (button.ControlClass() == TControlClass::kBitBtn) return style | BS_OWNERDRAW;
  return style | (button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void DrawGlyph(HDC dc, const TBitmap& glyph, int left, int top) {
  const BITMAPINFO info = DibInfoOf(glyph);
  ::SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(glyph.Width()),
                      static_cast<DWORD>(glyph.Height()), 0, 0, 0,
                      static_cast<UINT>(glyph.Height()), glyph.ScanLine(0), &info, DIB_RGB_COLORS);
}

class TWin32ButtonPeer final : public TWin32Peer {
 public:
  explicit TWin32ButtonPeer(TButton& button) : TWin32Peer(button), button_(button) {
    CreateWindowOf(L"BUTTON", ButtonStyle(button));
    Refresh();
  }

  void Command(WORD code) override {
    if (code == BN_CLICKED) button_.UserClick();
  }

  void DrawItem(const DRAWITEMSTRUCT& item) override {
    RECT area = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    ::DrawFrameControl(
        item.hDC, &area, DFC_BUTTON,
        DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    if (pushed) ::OffsetRect(&area, 1, 1);
    if (button_.ControlClass() == TControlClass::kBitBtn) {
      const TBitmap& glyph = static_cast<const TBitBtn&>(button_).Glyph();
      if (!glyph.Empty()) {
        DrawGlyph(item.hDC, glyph, area.left + 4,
                  area.top + (area.bottom - area.top - glyph.Height()) / 2);
        area.left += glyph.Width() + 4;
      }
    }
    HGDIOBJ oldFont = ::SelectObject(item.hDC, FontOf(button_.Font()));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ToColorRef(disabled ? clGrayText : button_.Font().Color));
    const std::wstring caption = Widen(button_.Caption());
    ::DrawTextW(item.hDC, caption.c_str(), -1, &area,
                DT_CENTER | DT_VCENTER | (button_.WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
    ::SelectObject(item.hDC, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0) {
      RECT focus = item.rcItem;
      ::InflateRect(&focus, -4, -4);
      ::DrawFocusRect(item.hDC, &focus);
    }
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kStyle:
        Restyle(kButtonStyleBits, ButtonStyle(button_));
        break;
      case TChange::kPicture:
        ::InvalidateRect(Window(), nullptr, TRUE);
        break;
      default:
        break;
    }
  }

 private:
  TButton& button_;
};

class TWin32RadioButtonPeer final : public TWin32Peer {
 public:
  explicit TWin32RadioButtonPeer(TRadioButton& radio) : TWin32Peer(radio), radio_(radio) {
    CreateWindowOf(L"BUTTON", StyleOf(radio));
    Refresh();
  }

  void Command(WORD code) override {
    if (code == BN_CLICKED) radio_.UserClick();
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kChecked:
        ::SendMessageW(Window(), BM_SETCHECK, radio_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        Restyle(kButtonStyleBits, StyleOf(radio_));
        break;
      case TChange::kStyle:
        Restyle(kButtonStyleBits, StyleOf(radio_));
        break;
      default:
        break;
    }
  }

 private:
  // Tab stops at the checked button of a group only, as in a dialog.
  static DWORD StyleOf(const TRadioButton& radio) {
    return BS_RADIOBUTTON | (radio.Checked() ? WS_TABSTOP : 0) |
           (radio.WordWrap() ? BS_MULTILINE : 0);
  }

  TRadioButton& radio_;
};

}  // namespace

std::unique_ptr<TPeer> MakeButtonPeer(TButton& button) {
  return std::make_unique<TWin32ButtonPeer>(button);
}

std::unique_ptr<TPeer> MakeRadioButtonPeer(TRadioButton& radioButton) {
  return std::make_unique<TWin32RadioButtonPeer>(radioButton);
}

}  // namespace toolkit::win32
