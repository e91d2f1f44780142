#include "ProgramDriver.h"

#include <X11/Xutil.h>

#include <cstdlib>
#include <thread>

namespace e2e {
namespace {

// The main window's client area; the menu bar above it takes the rest of the window.
constexpr int kClientHeight = 607;

void Settle() {
  // Lets the program handle one action before the next comes.
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
}

}  // namespace

bool Xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunCommand(argv) == 0;
}

XConnection::XConnection() : display_(XOpenDisplay(nullptr)) {}

XConnection::~XConnection() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::vector<Window> XConnection::Children(Window window) const {
  std::vector<Window> found;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (display_ == nullptr || !XQueryTree(display_, window, &root, &parent, &children, &count)) {
    return found;
  }
  found.assign(children, children + count);
  if (children != nullptr) XFree(children);
  return found;
}

std::vector<Window> XConnection::TopLevels(const std::string& windowClass,
                                           const std::string& prefix) const {
  std::vector<Window> found;
  if (display_ == nullptr) return found;
  for (const Window window : Children(DefaultRootWindow(display_))) {
    if (!windowClass.empty() && Class(window) != windowClass) continue;
    if (Name(window).starts_with(prefix)) found.push_back(window);
  }
  return found;
}

std::string XConnection::Name(Window window) const {
  char* name = nullptr;
  if (display_ == nullptr || !XFetchName(display_, window, &name) || name == nullptr) return {};
  std::string result = name;
  XFree(name);
  return result;
}

std::string XConnection::Class(Window window) const {
  XClassHint hint{};
  if (display_ == nullptr || !XGetClassHint(display_, window, &hint)) return {};
  std::string result = hint.res_class != nullptr ? hint.res_class : "";
  XFree(hint.res_name);
  XFree(hint.res_class);
  return result;
}

bool XConnection::Viewable(Window window) const {
  XWindowAttributes attributes{};
  return display_ != nullptr && XGetWindowAttributes(display_, window, &attributes) &&
         attributes.map_state == IsViewable;
}

bool XConnection::Geometry(Window window, int& x, int& y, int& width, int& height) const {
  XWindowAttributes attributes{};
  Window child = 0;
  if (display_ == nullptr || !XGetWindowAttributes(display_, window, &attributes) ||
      !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child)) {
    return false;
  }
  width = attributes.width;
  height = attributes.height;
  return true;
}

bool XConnection::AnyRedPixel(int x, int y, int width, int height) const {
  if (display_ == nullptr) return false;
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool found = false;
  for (int row = 0; row < height && !found; ++row) {
    for (int column = 0; column < width && !found; ++column) {
      const auto rgb = static_cast<std::uint32_t>(XGetPixel(image, column, row));
      found = ((rgb >> 16) & 0xFF) >= 0xC0 && ((rgb >> 8) & 0xFF) < 0x60 && (rgb & 0xFF) < 0x60;
    }
  }
  XDestroyImage(image);
  return found;
}

Pilgrove::Pilgrove(const std::vector<std::string>& env) : stderrPath_(dir_.Path() + "/stderr.log") {
  std::vector<std::string> argv = {"env"};
  argv.insert(argv.end(), env.begin(), env.end());
  // The shell only sends stderr to the file and becomes the program.
  for (const char* arg : {"sh", "-c", "exec \"$0\" 2>\"$1\"", PILGROVE_PROGRAM})
    argv.push_back(arg);
  argv.push_back(stderrPath_);
  process_ = ChildProcess::Start(argv);
  if (process_ == nullptr) return;
  WaitFor(
      [&] {
        for (const Window window : x_.TopLevels("pilgrove", "Pilgrove 4.1.6")) {
          if (x_.Viewable(window)) window_ = window;
        }
        return window_ != 0;
      },
      std::chrono::seconds(15));
}

bool Pilgrove::WaitViewable(bool viewable, std::chrono::milliseconds timeout) const {
  return WaitFor([&] { return Viewable() == viewable; }, timeout);
}

void Pilgrove::RootOf(Spot spot, int& x, int& y) const {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  x_.Geometry(window_, left, top, width, height);
  x = left + spot.x;
  y = top + (height - kClientHeight) + spot.y;
}

void Pilgrove::Click(Spot spot) const {
  int x = 0;
  int y = 0;
  RootOf(spot, x, y);
  Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
  Settle();
}

void Pilgrove::SetText(Spot edit, const std::string& text) const {
  Click(edit);
  Xdotool({"key", "ctrl+a"});
  Xdotool({"type", "--delay", "20", text});
  Settle();
}

std::string Pilgrove::Text(Spot edit) const {
  Click(edit);
  Xdotool({"key", "ctrl+a", "ctrl+c"});
  Settle();
  const std::string copied = dir_.Path() + "/clipboard";
  RunCommand({"sh", "-c", "xclip -o -selection clipboard >\"$0\"", copied});
  return ReadFile(copied);
}

void Pilgrove::Choose(Spot comboBox, int index) const {
  Click(comboBox);  // opens the list
  std::vector<std::string> keys = {"key", "Home"};
  for (int i = 0; i < index; ++i) keys.push_back("Down");
  keys.push_back("Return");
  Xdotool(keys);
  Settle();
}

TrayHost::TrayHost()
    : process_(ChildProcess::Start({"trayer", "--edge", "top", "--align", "right"})) {
  if (process_ != nullptr && !WaitFor(TrayHostPresent)) process_.reset();
}

TrayHost::~TrayHost() {
  process_.reset();
  // The next program must not find the tray selection of a host that is going.
  WaitFor([] { return !TrayHostPresent(); });
}

std::unique_ptr<TrayHost> WithTrayHost::tray_;

void WithTrayHost::SetUpTestSuite() {
  tray_ = std::make_unique<TrayHost>();
}

void WithTrayHost::TearDownTestSuite() {
  tray_.reset();
}

void WithTrayHost::SetUp() {
  ASSERT_TRUE(tray_ != nullptr && tray_->Running()) << "trayer did not start";
}

std::vector<TargetEvent> EventsAfter(const ClickTarget& target, std::size_t skip) {
  std::vector<TargetEvent> events = target.Events();
  events.erase(events.begin(), events.begin() + std::min(skip, events.size()));
  return events;
}

}  // namespace e2e
