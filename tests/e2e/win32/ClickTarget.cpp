#include "ClickTarget.h"

#include <cstdio>
#include <fstream>

namespace e2e {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

bool ParseButtonMessage(const std::string& line, ButtonMessage& message) {
  char name[32] = {};
  if (std::sscanf(line.c_str(), "%31s x=%ld y=%ld time=%ld tick=%lu", name, &message.x, &message.y,
                  &message.time, &message.tick) != 5) {
    return false;
  }
  message.name = name;
  return message.name.rfind("WM_", 0) == 0;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() >= deadline) return condition();
    ::Sleep(20);
  }
  return true;
}

std::string BesideExecutable(const std::string& name) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

ClickTarget::ClickTarget(const ClickTargetOptions& options) {
  static int serial = 0;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  logPath_ = std::string(temp) + "pilgrove-click-target-" +
             std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial) + ".log";
  ::DeleteFileA(logPath_.c_str());

  std::string command = Quoted(BesideExecutable("win32_click_target.exe")) + " --log " +
                        Quoted(logPath_) + " --x " + std::to_string(options.x) + " --y " +
                        std::to_string(options.y) + " --w " + std::to_string(options.width) +
                        " --h " + std::to_string(options.height) + " --bg " + options.background;
  for (const std::string& rect : options.rects) command += " --rect " + rect;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    error_ = "CreateProcessA failed: " + command;
    return;
  }
  process_ = KernelHandle(info.hProcess);
  KernelHandle thread(info.hThread);

  const bool announced = WaitFor(
      [this] {
        for (const std::string& line : LogLines()) {
          void* wnd = nullptr;
          unsigned long pid = 0;
          if (std::sscanf(line.c_str(),
                          "ready pid=%lu hwnd=%p left=%ld top=%ld right=%ld bottom=%ld", &pid, &wnd,
                          &rect_.left, &rect_.top, &rect_.right, &rect_.bottom) == 6) {
            window_ = static_cast<HWND>(wnd);
            return true;
          }
        }
        return ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
      },
      20000);
  if (!announced || window_ == nullptr) {
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process_.Get(), &exitCode);
    error_ = "the click target did not announce itself (exit code " + std::to_string(exitCode) +
             "): " + command;
  }
}

ClickTarget::~ClickTarget() {
  if (process_) {
    if (window_ != nullptr) ::PostMessageA(window_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process_.Get(), 1);
      ::WaitForSingleObject(process_.Get(), 5000);
    }
  }
  ::DeleteFileA(logPath_.c_str());
}

std::vector<std::string> ClickTarget::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream log(logPath_);
  std::string line;
  while (std::getline(log, line)) lines.push_back(line);
  return lines;
}

std::vector<ButtonMessage> ClickTarget::ButtonMessages() const {
  std::vector<ButtonMessage> messages;
  for (const std::string& line : LogLines()) {
    ButtonMessage message;
    if (ParseButtonMessage(line, message)) messages.push_back(message);
  }
  return messages;
}

std::vector<ButtonMessage> ClickTarget::WaitForButtonMessages(std::size_t count,
                                                              DWORD timeoutMs) const {
  std::vector<ButtonMessage> messages;
  WaitFor(
      [&] {
        messages = ButtonMessages();
        return messages.size() >= count;
      },
      timeoutMs);
  return messages;
}

}  // namespace e2e
