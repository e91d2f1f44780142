// win32_click_target: a window that shows where synthesised clicks land.
//
//   win32_click_target.exe --log FILE [--x X --y Y --w W --h H] [--bg RRGGBB]
//                          [--rect LEFT,TOP,WIDTH,HEIGHT,RRGGBB]... [--title TEXT]
//
// Opens a borderless window whose client area covers W x H pixels at screen position (X, Y),
// filled with the background colour and the given rectangles (client coordinates), and
// appends one line per event to FILE, flushed at once so that a test can read it while the
// target runs:
//
//   ready pid=P hwnd=H left=L top=T right=R bottom=B    the window is shown and painted
//   WM_LBUTTONDOWN x=SX y=SY time=MT tick=TC             a button message: screen position,
//                                                        message time, GetTickCount
//   closed                                               the window was closed
//
// Button messages: WM_{L,R,M}BUTTON{DOWN,UP,DBLCLK}. The class has CS_DBLCLKS, so a second
// press within the double-click time and distance arrives as ...DBLCLK. Post WM_CLOSE to
// the window to end the program. Wine delivers synthesised input to Wine windows only, so
// the tests under Wine click this program rather than an X client.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/GdiObject.h"

namespace {

struct ColourRect {
  RECT rect;
  COLORREF colour;
};

struct Options {
  std::string log;
  int x = 100;
  int y = 100;
  int width = 400;
  int height = 300;
  COLORREF background = RGB(255, 255, 255);
  std::vector<ColourRect> rects;
  std::string title = "Pilgrove click target";
};

using Brush = platform::win32::GdiObject<HBRUSH>;

constexpr UINT kAnnounceReady = WM_APP + 1;

std::FILE* logFile = nullptr;
Options options;
bool announced = false;

void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

void LogLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(logFile, format, args);
  va_end(args);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

bool ParseColour(const char* text, COLORREF& colour) {
  char* end = nullptr;
  const unsigned long rgb = std::strtoul(text, &end, 16);
  if (end == text || *end != '\0' || std::strlen(text) != 6) return false;
  colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  return true;
}

bool ParseRect(const char* text, ColourRect& rect) {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  char colour[7] = {};
  if (std::sscanf(text, "%d,%d,%d,%d,%6s", &left, &top, &width, &height, colour) != 5) {
    return false;
  }
  rect.rect = RECT{left, top, left + width, top + height};
  return ParseColour(colour, rect.colour);
}

bool ParseOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (name == "--log") {
      options.log = value;
    } else if (name == "--x") {
      options.x = std::atoi(value);
    } else if (name == "--y") {
      options.y = std::atoi(value);
    } else if (name == "--w") {
      options.width = std::atoi(value);
    } else if (name == "--h") {
      options.height = std::atoi(value);
    } else if (name == "--bg") {
      if (!ParseColour(value, options.background)) return false;
    } else if (name == "--rect") {
      ColourRect rect{};
      if (!ParseRect(value, rect)) return false;
      options.rects.push_back(rect);
    } else if (name == "--title") {
      options.title = value;
    } else {
      return false;
    }
  }
  return !options.log.empty() && options.width > 0 && options.height > 0;
}

const char* ButtonMessageName(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
      return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
      return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN:
      return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
      return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK:
      return "WM_RBUTTONDBLCLK";
    case WM_MBUTTONDOWN:
      return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP:
      return "WM_MBUTTONUP";
    case WM_MBUTTONDBLCLK:
      return "WM_MBUTTONDBLCLK";
    default:
      return nullptr;
  }
}

void Paint(HWND wnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(wnd, &paint);
  RECT client;
  GetClientRect(wnd, &client);
  const Brush background(CreateSolidBrush(options.background));
  FillRect(dc, &client, background.Get());
  for (const ColourRect& rect : options.rects) {
    const Brush brush(CreateSolidBrush(rect.colour));
    FillRect(dc, &rect.rect, brush.Get());
  }
  EndPaint(wnd, &paint);
  // Announced after the first paint has been handed to the display, through the queue, so
  // that a test reading the screen after "ready" finds the picture there.
  if (!announced) {
    announced = true;
    GdiFlush();
    PostMessageA(wnd, kAnnounceReady, 0, 0);
  }
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (const char* name = ButtonMessageName(msg)) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(wnd, &point);
    LogLine("%s x=%ld y=%ld time=%ld tick=%lu", name, point.x, point.y, GetMessageTime(),
            GetTickCount());
    return 0;
  }
  switch (msg) {
    case WM_PAINT:
      Paint(wnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case kAnnounceReady: {
      RECT rect;
      GetWindowRect(wnd, &rect);
      LogLine("ready pid=%lu hwnd=%p left=%ld top=%ld right=%ld bottom=%ld", GetCurrentProcessId(),
              static_cast<void*>(wnd), rect.left, rect.top, rect.right, rect.bottom);
      return 0;
    }
    case WM_DESTROY:
      LogLine("closed");
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!ParseOptions(__argc, __argv)) return 2;
  logFile = std::fopen(options.log.c_str(), "a");
  if (logFile == nullptr) return 3;

  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "PilgroveClickTarget";
  if (!RegisterClassA(&windowClass)) return 4;

  // A popup has no frame, so its client area is exactly the requested rectangle.
  HWND wnd = CreateWindowExA(0, windowClass.lpszClassName, options.title.c_str(),
                             WS_POPUP | WS_VISIBLE, options.x, options.y, options.width,
                             options.height, nullptr, nullptr, instance, nullptr);
  if (wnd == nullptr) return 5;
  SetForegroundWindow(wnd);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::fclose(logFile);
  return 0;
}
