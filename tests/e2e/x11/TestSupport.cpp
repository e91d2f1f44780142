#include "TestSupport.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/x11/X11Events.h"

extern char** environ;

namespace e2e {
namespace {

pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  return pid;
}

std::vector<PostedMessage>& Recorded() {
  static std::vector<PostedMessage> messages;
  return messages;
}

void Record(platform::WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam,
            std::intptr_t lParam) {
  Recorded().push_back({wnd, msg, wParam, lParam});
}

std::string Hex(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "%06x", rgb & 0xFFFFFF);
  return text;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv) {
  const pid_t pid = Spawn(argv);
  if (pid < 0) return nullptr;
  return std::unique_ptr<ChildProcess>(new ChildProcess(pid));
}

ChildProcess::~ChildProcess() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

int RunCommand(const std::vector<std::string>& argv) {
  const pid_t pid = Spawn(argv);
  if (pid < 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pilgrove-x11-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

ClickTarget::ClickTarget(const Rect& window, const std::vector<Rect>& painted)
    : window_(window), painted_(painted), logPath_(dir_.Path() + "/events.log") {
  std::vector<std::string> argv = {
      PILGROVE_CLICK_TARGET,
      "--geometry",
      std::to_string(window.width) + "x" + std::to_string(window.height) + "+" +
          std::to_string(window.x) + "+" + std::to_string(window.y),
      "--background",
      Hex(window.rgb),
      "--log",
      logPath_,
  };
  for (const Rect& rect : painted) {
    argv.push_back("--rect");
    argv.push_back(std::to_string(rect.x) + "," + std::to_string(rect.y) + "," +
                   std::to_string(rect.width) + "," + std::to_string(rect.height) + "," +
                   Hex(rect.rgb));
  }
  process_ = ChildProcess::Start(argv);
  ready_ = process_ != nullptr &&
           WaitFor([&] { return ReadFile(logPath_).starts_with("ready window=0x"); });
}

std::vector<TargetEvent> ClickTarget::Events() const {
  std::vector<TargetEvent> events;
  std::stringstream lines(ReadFile(logPath_));
  std::string line;
  while (std::getline(lines, line)) {
    std::stringstream words(line);
    TargetEvent event;
    words >> event.type;
    if (event.type == "ready") continue;
    std::string word;
    while (words >> word) {
      const auto equals = word.find('=');
      const std::string key = word.substr(0, equals);
      const std::string value = word.substr(equals + 1);
      if (key == "button") event.button = static_cast<unsigned>(std::stoul(value));
      if (key == "x_root") event.xRoot = std::stoi(value);
      if (key == "y_root") event.yRoot = std::stoi(value);
      if (key == "keysym") event.keysym = value;
      if (key == "time") event.time = std::stoul(value);
    }
    events.push_back(event);
  }
  return events;
}

bool ClickTarget::WaitForEvents(std::size_t count) const {
  return WaitFor([&] { return Events().size() >= count; });
}

std::int64_t ClickTarget::ColourAt(int x, int y) const {
  const auto inside = [](const Rect& r, int px, int py) {
    return px >= r.x && py >= r.y && px < r.x + r.width && py < r.y + r.height;
  };
  if (!inside(window_, x, y)) return -1;
  std::uint32_t colour = window_.rgb;
  for (const Rect& rect : painted_) {
    if (inside(rect, x - window_.x, y - window_.y)) colour = rect.rgb;
  }
  return colour;
}

MessageRecorder::MessageRecorder() {
  Recorded().clear();
  platform::SetMessagePoster(Record);
}

MessageRecorder::~MessageRecorder() {
  platform::SetMessagePoster(nullptr);
}

const std::vector<PostedMessage>& MessageRecorder::Messages() const {
  return Recorded();
}

void MessageRecorder::Clear() {
  Recorded().clear();
}

bool PumpX11Until(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const int fd = platform::x11::EventFd();
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    platform::x11::ProcessEvents();
    if (done()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd watched{fd, POLLIN, 0};
    poll(&watched, 1, static_cast<int>(std::min<long>(left.count(), 20)));
  }
}

bool TrayHostPresent() {
  const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                   XCloseDisplay);
  if (display == nullptr) return false;
  const Atom selection = XInternAtom(display.get(), "_NET_SYSTEM_TRAY_S0", False);
  return XGetSelectionOwner(display.get(), selection) != None;
}

}  // namespace e2e
