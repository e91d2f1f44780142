#include "toolkit/TScreen.h"

#include <algorithm>
#include <vector>

#include "platform/Desktop.h"
#include "toolkit/TForm.h"

namespace toolkit {

TScreen Screen;

namespace {

std::vector<TForm*>& FormList() {
  // Never destroyed: forms that the application frees during static destruction still
  // find it.
  static auto* forms = new std::vector<TForm*>;
  return *forms;
}

}  // namespace

std::int32_t TScreen::Width() const {
  return platform::ScreenWidth();
}

std::int32_t TScreen::Height() const {
  return platform::ScreenHeight();
}

int TScreen::FormCount() const {
  return static_cast<int>(FormList().size());
}

TForm* TScreen::Forms(int index) const {
  return FormList().at(index);
}

TForm* TScreen::ActiveForm() const {
  for (TForm* form : FormList()) {
    if (form->Visible()) return form;
  }
  return nullptr;
}

void TScreen::AddForm(TForm& form) {
  FormList().push_back(&form);
}

void TScreen::RemoveForm(TForm& form) {
  std::erase(FormList(), &form);
}

void TScreen::BringToFront(TForm& form) {
  auto& forms = FormList();
  auto found = std::find(forms.begin(), forms.end(), &form);
  if (found != forms.end()) std::rotate(forms.begin(), found, found + 1);
}

}  // namespace toolkit
