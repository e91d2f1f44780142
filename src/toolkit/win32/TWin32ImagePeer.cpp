// An image: a window of our own class that blits the model's bitmap and reports the
// mouse, capturing it from a press to the release as Windows does for the component
// library.
#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "toolkit/TImage.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

TShiftState ShiftOf(WPARAM keys) {
  TShiftState shift = 0;
  if ((keys & MK_SHIFT) != 0) shift |= ssShift;
  if ((keys & MK_CONTROL) != 0) shift |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

class TWin32ImagePeer final : public TWin32Peer {
 public:
  explicit TWin32ImagePeer(TImage& image) : TWin32Peer(image), image_(image) {
    CreateWindowOf(OwnClass(L"PilgroveImage"), WS_CLIPSIBLINGS);
    Refresh();
  }

  void PictureChanged(const TRect& area) override {
    RECT dirty{area.Left, area.Top, area.Right, area.Bottom};
    ::InvalidateRect(Window(), &dirty, FALSE);
  }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kPicture) ::InvalidateRect(Window(), nullptr, TRUE);
  }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
      case WM_PAINT:
        Paint();
        return 0;
      case WM_LBUTTONDOWN:
        return Press(mbLeft, x, y, wParam);
      case WM_RBUTTONDOWN:
        return Press(mbRight, x, y, wParam);
      case WM_MBUTTONDOWN:
        return Press(mbMiddle, x, y, wParam);
      case WM_LBUTTONUP:
        return Release(mbLeft, x, y, wParam, MK_LBUTTON);
      case WM_RBUTTONUP:
        return Release(mbRight, x, y, wParam, MK_RBUTTON);
      case WM_MBUTTONUP:
        return Release(mbMiddle, x, y, wParam, MK_MBUTTON);
      case WM_MOUSEMOVE:
        image_.UserMouseMove(x, y, ShiftOf(wParam));
        return 0;
      default:
        break;
    }
    return TWin32Peer::WindowProc(msg, wParam, lParam);
  }

 private:
  LRESULT Press(TMouseButton button, int x, int y, WPARAM keys) {
    ::SetCapture(Window());
    image_.UserMouseDown(button, x, y, ShiftOf(keys));
    return 0;
  }

  LRESULT Release(TMouseButton button, int x, int y, WPARAM keys, WPARAM released) {
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON) & ~released) == 0 &&
        ::GetCapture() == Window()) {
      ::ReleaseCapture();
    }
    image_.UserMouseUp(button, x, y, ShiftOf(keys));
    return 0;
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Window(), &paint);
    RECT client;
    ::GetClientRect(Window(), &client);
    const TBitmap& picture = image_.Picture();
    const int width = std::min<int>(picture.Width(), client.right);
    const int height = std::min<int>(picture.Height(), client.bottom);
    if (width > 0 && height > 0) {
      const BITMAPINFO info = DibInfoOf(picture);
      ::StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, picture.ScanLine(0), &info,
                      DIB_RGB_COLORS, SRCCOPY);
    }
    // What the picture does not cover shows the parent's colour.
    const TColor background = image_.Parent() != nullptr ? image_.Parent()->Color() : clBtnFace;
    RECT right{width, 0, client.right, client.bottom};
    RECT below{0, height, std::max(width, 0), client.bottom};
    if (!::IsRectEmpty(&right)) ::FillRect(dc, &right, BrushOf(background));
    if (!::IsRectEmpty(&below)) ::FillRect(dc, &below, BrushOf(background));
    ::EndPaint(Window(), &paint);
  }

  TImage& image_;
};

}  // namespace

std::unique_ptr<TPeer> MakeImagePeer(TImage& image) {
  return std::make_unique<TWin32ImagePeer>(image);
}

}  // namespace toolkit::win32
