#include "toolkit/win32/Win32Look.h"

#include <map>
#include <tuple>

#include "platform/win32/GdiObject.h"

namespace toolkit::win32 {

namespace {

using Brush = platform::win32::GdiObject<HBRUSH>;
using Font = platform::win32::GdiObject<HFONT>;

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFace(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return false;
  ::EnumFontFamiliesExW(screen, &wanted, &FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

// The face to use for name: itself when installed, else the message font's face.
std::wstring FaceFor(const std::string& name) {
  static std::map<std::string, std::wstring> faces;
  const auto known = faces.find(name);
  if (known != faces.end()) return known->second;
  std::wstring face = Widen(name);
  if (!HasFace(face)) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      face = metrics.lfMessageFont.lfFaceName;
    }
  }
  faces.emplace(name, face);
  return face;
}

}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
  return narrow;
}

COLORREF ToColorRef(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if ((bits & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(bits & 0xFF));
  if (color == clNone || color == clDefault) return ::GetSysColor(COLOR_WINDOW);
  return static_cast<COLORREF>(bits & 0x00FFFFFFu);
}

HBRUSH BrushOf(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  // The system's own brushes follow colour scheme changes and are never deleted.
  if ((bits & 0xFF000000u) == 0xFF000000u) return ::GetSysColorBrush(static_cast<int>(bits & 0xFF));
  static std::map<COLORREF, Brush> brushes;
  const COLORREF rgb = ToColorRef(color);
  auto found = brushes.find(rgb);
  if (found == brushes.end()) {
    found = brushes.emplace(rgb, Brush(::CreateSolidBrush(rgb))).first;
  }
  return found->second.Get();
}

HFONT FontOf(const TFont& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool>;
  static std::map<Key, Font> fonts;
  const Key key{font.Name, font.Height, font.Bold, font.Italic, font.Underline};
  auto found = fonts.find(key);
  if (found == fonts.end()) {
    LOGFONTW wanted{};
    wanted.lfHeight = font.Height;
    wanted.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    wanted.lfItalic = font.Italic ? TRUE : FALSE;
    wanted.lfUnderline = font.Underline ? TRUE : FALSE;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wanted.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(wanted.lfFaceName, FaceFor(font.Name).c_str(), LF_FACESIZE);
    found = fonts.emplace(key, Font(::CreateFontIndirectW(&wanted))).first;
  }
  return found->second ? found->second.Get()
                       : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

BITMAPINFO DibInfoOf(const TBitmap& bitmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bitmap.Width();
  info.bmiHeader.biHeight = -bitmap.Height();  // top row first, as TBitmap holds it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace toolkit::win32
