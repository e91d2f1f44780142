#include "toolkit/TUpDown.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"
#include "toolkit/TEdit.h"

namespace toolkit {

namespace {

// The edit's number as the common controls read a buddy's text: separators dropped,
// leading blanks and one sign allowed, nothing after the digits.
std::optional<std::int64_t> ReadNumber(std::string_view text, char separator) {
  std::string digits;
  for (char c : text) {
    if (c != separator) digits += c;
  }
  std::string_view rest = digits;
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  if (rest.empty()) return 0;
  bool negative = false;
  if (rest.front() == '+' || rest.front() == '-') {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (rest.empty() || rest.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 16, 24);
}

TUpDown::~TUpDown() {
  if (associate_ != nullptr) associate_->upDown_ = nullptr;
}

void TUpDown::SetAssociate(TEdit* edit) {
  if (edit == associate_) return;
  if (associate_ != nullptr) associate_->upDown_ = nullptr;
  if (edit != nullptr && edit->upDown_ != nullptr) edit->upDown_->associate_ = nullptr;
  associate_ = edit;
  if (associate_ == nullptr) return;
  associate_->upDown_ = this;
  associate_->SetWidth(associate_->Width() - Width());
  SetParent(associate_->Parent());
  SetBounds(associate_->Left() + associate_->Width(), associate_->Top(), Width(),
            associate_->Height());
  WritePosition();
}

void TUpDown::SetMin(int min) {
  Assign(min_, min, TChange::kRange);
  position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::SetMax(int max) {
  Assign(max_, max, TChange::kRange);
  position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::SetPosition(int position) {
  Assign(position_, std::clamp(position, std::min(min_, max_), std::max(min_, max_)),
         TChange::kRange);
  WritePosition();
}

void TUpDown::Step(int direction) {
  std::int64_t value = position_;
  if (associate_ != nullptr) {
    value = ReadNumber(associate_->Text(), backend::ThousandSeparator()).value_or(position_);
  }
  value += static_cast<std::int64_t>(direction) * increment_;
  SetPosition(static_cast<int>(
      std::clamp<std::int64_t>(value, std::min(min_, max_), std::max(min_, max_))));
}

void TUpDown::WritePosition() {
  if (associate_ != nullptr) associate_->SetText(FormatPosition());
}

std::string TUpDown::FormatPosition() const {
  std::string digits = std::to_string(position_ < 0 ? -std::int64_t{position_} : position_);
  if (thousands_) {
    const char separator = backend::ThousandSeparator();
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
      digits.insert(at, 1, separator);
    }
  }
  return position_ < 0 ? "-" + digits : digits;
}

bool TUpDown::UserStep(int direction) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, direction] { Step(direction); });
  return true;
}

bool TUpDown::UserClickUp() {
  return UserStep(+1);
}

bool TUpDown::UserClickDown() {
  return UserStep(-1);
}

}  // namespace toolkit
