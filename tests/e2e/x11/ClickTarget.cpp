// x11_click_target: a plain Xlib window that shows where clicks land.
//
//   x11_click_target --geometry WxH+X+Y [--background RRGGBB] [--rect X,Y,W,H,RRGGBB]...
//                    [--title TEXT] [--log FILE]
//
// Opens one window at the given root position and size, filled with the background colour
// (white unless given) and the rectangles painted over it in the order given (window
// coordinates, colours as six hex digits), named TEXT (default "x11_click_target") so that
// xdotool search --name finds it. Once the window is on the screen and painted it writes
//
//   ready window=0x<id>
//
// and then one line per event it receives, flushed at once:
//
//   ButtonPress button=1 x=12 y=34 x_root=112 y_root=134 state=0x0 time=123456
//   ButtonRelease button=1 x=12 y=34 x_root=112 y_root=134 state=0x100 time=123460
//   KeyPress keycode=68 keysym=F2 state=0x5 time=123470
//
// (x, y in the window; state the X modifier and button mask before the event; time the X
// server's timestamp in milliseconds). Lines go to FILE, or to stdout. It runs until killed.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rectangle {
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned long rgb = 0;
};

struct Options {
  Rectangle window;
  bool hasGeometry = false;
  unsigned long background = 0xFFFFFF;
  std::vector<Rectangle> rectangles;
  std::string title = "x11_click_target";
  std::string logPath;
};

bool ParseColour(const char* text, unsigned long& rgb) {
  char* end = nullptr;
  if (std::strlen(text) != 6) return false;
  rgb = std::strtoul(text, &end, 16);
  return *end == '\0';
}

bool ParseGeometry(const char* text, Rectangle& window) {
  int chars = 0;
  if (std::sscanf(text, "%ux%u+%d+%d%n", &window.width, &window.height, &window.x, &window.y,
                  &chars) != 4 ||
      text[chars] != '\0') {
    return false;
  }
  return window.width > 0 && window.height > 0;
}

bool ParseRectangle(const char* text, Rectangle& rect) {
  char colour[7] = {};
  int chars = 0;
  if (std::sscanf(text, "%d,%d,%u,%u,%6[0-9a-fA-F]%n", &rect.x, &rect.y, &rect.width, &rect.height,
                  colour, &chars) != 5 ||
      text[chars] != '\0') {
    return false;
  }
  return ParseColour(colour, rect.rgb);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    bool ok = true;
    if (option == "--geometry") {
      ok = options.hasGeometry = ParseGeometry(value, options.window);
    } else if (option == "--background") {
      ok = ParseColour(value, options.background);
    } else if (option == "--rect") {
      options.rectangles.emplace_back();
      ok = ParseRectangle(value, options.rectangles.back());
    } else if (option == "--title") {
      options.title = value;
    } else if (option == "--log") {
      options.logPath = value;
    } else {
      ok = false;
    }
    if (!ok) return false;
  }
  return options.hasGeometry;
}

// The nearest colour the screen has (exact on 24-bit screens).
bool AllocatePixel(Display* display, unsigned long rgb, unsigned long& pixel) {
  XColor colour{};
  colour.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 257);
  colour.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 257);
  colour.blue = static_cast<unsigned short>((rgb & 0xFF) * 257);
  if (!XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &colour)) {
    return false;
  }
  pixel = colour.pixel;
  return true;
}

void LogButton(std::FILE* log, const XButtonEvent& event) {
  std::fprintf(log, "%s button=%u x=%d y=%d x_root=%d y_root=%d state=0x%x time=%lu\n",
               event.type == ButtonPress ? "ButtonPress" : "ButtonRelease", event.button, event.x,
               event.y, event.x_root, event.y_root, event.state, event.time);
  std::fflush(log);
}

void LogKey(std::FILE* log, XKeyEvent& event) {
  const char* name = XKeysymToString(XLookupKeysym(&event, 0));
  std::fprintf(log, "KeyPress keycode=%u keysym=%s state=0x%x time=%lu\n", event.keycode,
               name != nullptr ? name : "none", event.state, event.time);
  std::fflush(log);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s --geometry WxH+X+Y [--background RRGGBB] "
                 "[--rect X,Y,W,H,RRGGBB]... [--title TEXT] [--log FILE]\n",
                 argv[0]);
    return 2;
  }
  std::FILE* log = stdout;
  if (!options.logPath.empty()) {
    log = std::fopen(options.logPath.c_str(), "w");
    if (log == nullptr) {
      std::perror(options.logPath.c_str());
      return 1;
    }
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  unsigned long background = 0;
  std::vector<unsigned long> pixels(options.rectangles.size());
  bool allocated = AllocatePixel(display, options.background, background);
  for (std::size_t i = 0; i < pixels.size() && allocated; ++i) {
    allocated = AllocatePixel(display, options.rectangles[i].rgb, pixels[i]);
  }
  if (!allocated) {
    std::fprintf(stderr, "%s: cannot allocate the colours\n", argv[0]);
    return 1;
  }

  const Rectangle& geometry = options.window;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), geometry.x, geometry.y,
                          geometry.width, geometry.height, 0, 0, background);
  XStoreName(display, window, options.title.c_str());
  // Asks a window manager, if one runs, to keep the position and size we were given.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = geometry.x;
  hints.y = geometry.y;
  hints.width = static_cast<int>(geometry.width);
  hints.height = static_cast<int>(geometry.height);
  XSetWMNormalHints(display, window, &hints);
  XSelectInput(display, window, ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask);
  const GC gc = XCreateGC(display, window, 0, nullptr);
  XMapWindow(display, window);

  bool ready = false;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case Expose:
        if (event.xexpose.count != 0) break;
        for (std::size_t i = 0; i < options.rectangles.size(); ++i) {
          const Rectangle& rect = options.rectangles[i];
          XSetForeground(display, gc, pixels[i]);
          XFillRectangle(display, window, gc, rect.x, rect.y, rect.width, rect.height);
        }
        XSync(display, False);
        if (!ready) {
          ready = true;
          std::fprintf(log, "ready window=0x%lx\n", window);
          std::fflush(log);
        }
        break;
      case ButtonPress:
      case ButtonRelease:
        LogButton(log, event.xbutton);
        break;
      case KeyPress:
        LogKey(log, event.xkey);
        break;
      default:
        break;
    }
  }
}
