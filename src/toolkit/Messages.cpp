#include "toolkit/Messages.h"

#include <unordered_map>

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"

namespace toolkit {

namespace {

std::unordered_map<WindowHandle, TMessageReceiver*>& Receivers() {
  // Never destroyed: receivers that outlive main still unregister safely at exit.
  static auto* receivers = new std::unordered_map<WindowHandle, TMessageReceiver*>;
  return *receivers;
}

}  // namespace

void RegisterReceiver(WindowHandle handle, TMessageReceiver& receiver) {
  Receivers()[handle] = &receiver;
}

void UnregisterReceiver(WindowHandle handle) {
  Receivers().erase(handle);
}

TMessageReceiver* FindReceiver(WindowHandle handle) {
  auto found = Receivers().find(handle);
  return found == Receivers().end() ? nullptr : found->second;
}

std::intptr_t SendMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                          std::intptr_t lParam) {
  TMessageReceiver* receiver = FindReceiver(handle);
  if (receiver == nullptr) return 0;
  TMessage message{msg, wParam, lParam, 0};
  Application.Guarded(dynamic_cast<TObject*>(receiver), [&] { receiver->Dispatch(message); });
  return message.Result;
}

bool DeliverMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                    std::intptr_t lParam) {
  if (FindReceiver(handle) == nullptr) return false;
  SendMessage(handle, msg, wParam, lParam);
  return true;
}

void PostMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  backend::PostMessage(handle, msg, wParam, lParam);
}

}  // namespace toolkit
