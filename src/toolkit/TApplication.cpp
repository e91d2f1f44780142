#include "toolkit/TApplication.h"

#include <algorithm>

#include "toolkit/Backend.h"
#include "toolkit/TForm.h"

namespace toolkit {

TApplication Application;

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() {
  backend::Initialize();
}

void TApplication::ProcessMessages() {
  backend::ProcessMessages();
}

void TApplication::HandleException(TObject* sender, const Exception& e) {
  if (dynamic_cast<const EAbort*>(&e) != nullptr) return;
  if (!OnException) {
    backend::ShowException(e.what());
    return;
  }
  // The handler itself must not throw into a backend's loop or a C callback.
  try {
    Fire(OnException, sender, e);
  } catch (const std::exception& inner) {
    backend::ShowException(inner.what());
  } catch (...) {
    backend::ShowException("unknown exception in OnException");
  }
}

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->Show();
  backend::RunLoop();
  DestroyComponents();
}

void TApplication::FormGone(const TForm& form) {
  if (mainForm_ == &form) mainForm_ = nullptr;
  std::erase(modalForms_, &form);
}

void TApplication::Clear() {
  DestroyComponents();
  mainForm_ = nullptr;
  terminated_ = false;
  modalForms_.clear();
  title_.clear();
  OnException = nullptr;
}

}  // namespace toolkit
