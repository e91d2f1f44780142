#include "toolkit/TEdit.h"

#include <algorithm>

#include "toolkit/Messages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TUpDown.h"

namespace toolkit {

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
}

TEdit::~TEdit() {
  if (upDown_ != nullptr) upDown_->associate_ = nullptr;
}

void TEdit::SetText(std::string text) {
  Replace(std::move(text), 0);
}

void TEdit::Replace(std::string&& text, int caret) {
  const bool textChanged = text != text_;
  text_ = std::move(text);
  if (textChanged) Changed(TChange::kText);
  Select(caret, 0);
}

void TEdit::Select(int start, int length) {
  const int size = static_cast<int>(text_.size());
  int from = std::clamp(start, 0, size);
  int to = std::clamp(start + length, 0, size);
  if (to < from) std::swap(from, to);
  if (from == selStart_ && to - from == selLength_) return;
  selStart_ = from;
  selLength_ = to - from;
  Changed(TChange::kSelection);
}

void TEdit::Insert(std::string_view text) {
  const std::size_t kept = text_.size() - selLength_;
  if (maxLength_ > 0) {
    const std::size_t room = kept < static_cast<std::size_t>(maxLength_) ? maxLength_ - kept : 0;
    text = text.substr(0, room);
  }
  if (text.empty()) return;
  std::string result = text_;
  result.replace(selStart_, selLength_, text);
  Replace(std::move(result), selStart_ + static_cast<int>(text.size()));
}

void TEdit::CharTyped(char key) {
  if (readOnly_) return;
  if (key == '\b') {
    if (selLength_ == 0 && selStart_ == 0) return;
    const int from = selLength_ > 0 ? selStart_ : selStart_ - 1;
    const int count = selLength_ > 0 ? selLength_ : 1;
    std::string rest = text_;
    rest.erase(from, count);
    Replace(std::move(rest), from);
    return;
  }
  if (static_cast<unsigned char>(key) < 32) return;
  Insert(std::string_view(&key, 1));
}

void TEdit::KeyDown(std::uint32_t virtualKey) {
  if (virtualKey == kVkDelete) {
    const int size = static_cast<int>(text_.size());
    if (readOnly_ || (selLength_ == 0 && selStart_ >= size)) return;
    std::string rest = text_;
    rest.erase(selStart_, selLength_ > 0 ? selLength_ : 1);
    Replace(std::move(rest), selStart_);
    return;
  }
  if (upDown_ == nullptr || !upDown_->EffectivelyEnabled()) return;
  if (virtualKey == kVkUp) upDown_->Step(+1);
  if (virtualKey == kVkDown) upDown_->Step(-1);
}

void TEdit::FocusEntered() {
  if (autoSelect_) SelectAll();
}

bool TEdit::UserPaste(std::string_view text) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, text] {
    if (!Focused()) SetFocus();
    if (!readOnly_) Insert(text.substr(0, text.find_first_of("\r\n")));
  });
  return true;
}

bool TEdit::UserSelect(int start, int length) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, start, length] {
    if (!Focused()) SetFocus();
    Select(start, length);
  });
  return true;
}

}  // namespace toolkit
