// A window that exists only to receive messages: a handle for PostMessage and the desktop
// (hot keys, the tray icon) without a control behind it.
#pragma once

#include "toolkit/Messages.h"
#include "toolkit/TComponent.h"

namespace toolkit {

class TMessageWindow final : public TObject, public TMessageReceiver {
 public:
  explicit TMessageWindow(TMessageHandler handler);
  ~TMessageWindow() override;
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;

  WindowHandle Handle() const { return handle_; }
  void Dispatch(TMessage& message) override;

 private:
  TMessageHandler handler_;
  WindowHandle handle_ = 0;
};

}  // namespace toolkit
