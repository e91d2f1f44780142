#include "toolkit/TMessageWindow.h"

#include "toolkit/Backend.h"

namespace toolkit {

TMessageWindow::TMessageWindow(TMessageHandler handler)
    : handler_(std::move(handler)), handle_(backend::CreateMessageWindow()) {
  RegisterReceiver(handle_, *this);
}

TMessageWindow::~TMessageWindow() {
  UnregisterReceiver(handle_);
  backend::DestroyMessageWindow(handle_);
}

void TMessageWindow::Dispatch(TMessage& message) {
  Fire(handler_, message);
}

}  // namespace toolkit
