// Window messages: the TMessage record, the message numbers the program handles, and the
// delivery of a message to whatever receives the messages of a window handle.
//
// Every window the toolkit knows (a TWinControl's handle, a TMessageWindow) registers
// itself as the receiver of its handle. Backends hand each message they take off their
// queue to DeliverMessage; on Windows the same numbers are the real window messages, on
// Linux and in tests the desktop backend posts them through PostMessage.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Desktop.h"

namespace toolkit {

using platform::WindowHandle;

struct TMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

using TMessageHandler = std::function<void(TMessage& message)>;

// Message numbers (the Windows values).
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmEraseBkgnd = 0x0014;  // 20
constexpr std::uint32_t kWmSysCommand = 0x0112;  // 274
using platform::kWmHotKey;                       // 786
constexpr std::uint32_t kWmUser = 0x0400;        // first number free for a program's own

// WM_SYSCOMMAND commands in WParam.
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScMaximize = 0xF030;
constexpr std::uintptr_t kScClose = 0xF060;
constexpr std::uintptr_t kScRestore = 0xF120;

// Virtual keys of the keys that the controls handle without a character.
constexpr std::uint32_t kVkBack = 0x08;
constexpr std::uint32_t kVkReturn = 0x0D;
constexpr std::uint32_t kVkEscape = 0x1B;
constexpr std::uint32_t kVkLeft = 0x25;
constexpr std::uint32_t kVkUp = 0x26;
constexpr std::uint32_t kVkRight = 0x27;
constexpr std::uint32_t kVkDown = 0x28;
constexpr std::uint32_t kVkDelete = 0x2E;

// What receives the messages of one window handle.
class TMessageReceiver {
 public:
  virtual void Dispatch(TMessage& message) = 0;

 protected:
  ~TMessageReceiver() = default;
};

// The registry of receivers by handle. A receiver registers when its handle comes into
// being and unregisters before it goes.
void RegisterReceiver(WindowHandle handle, TMessageReceiver& receiver);
void UnregisterReceiver(WindowHandle handle);
TMessageReceiver* FindReceiver(WindowHandle handle);

// Dispatches the message to the receiver of handle through Application's guarded call
// path: an exception ends this message only and goes to Application.OnException.
// Returns false when no receiver has that handle (a message to a window that has gone
// is dropped, as the system drops it).
bool DeliverMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                    std::intptr_t lParam);
// The same, returning the message's Result (0 when nobody received it): a SendMessage.
std::intptr_t SendMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                          std::intptr_t lParam);
// Queues the message; it is delivered when the loop or ProcessMessages next runs.
void PostMessage(WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam);

}  // namespace toolkit
