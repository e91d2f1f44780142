// A single-line edit. Typed and pasted text is bound by MaxLength; text set by code is
// taken as it is. Read-only edits take no text from the user.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/TWinControl.h"

namespace toolkit {

class TUpDown;

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  ~TEdit() override;
  TControlClass ControlClass() const override { return TControlClass::kEdit; }

  const std::string& Text() const { return text_; }
  // Neither filtered nor cut to MaxLength, fires no key event; the caret goes to the start.
  void SetText(std::string text);

  // The most characters the user can type or paste in; 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int maxLength) { Assign(maxLength_, maxLength, TChange::kMaxLength); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { Assign(readOnly_, readOnly, TChange::kReadOnly); }
  // Focusing the edit selects its whole text (on by default).
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

  // The caret and the selection, in characters; the selection runs from SelStart for
  // SelLength characters and the caret stands at its end.
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  // Kept inside the text.
  void Select(int start, int length);
  void SelectAll() { Select(0, static_cast<int>(text_.size())); }

  // The spinner attached to this edit, or null.
  TUpDown* UpDown() const { return upDown_; }

  // ---- User entry points ------------------------------------------------------------
  // The user pastes text at the caret, replacing the selection: only its first line, cut
  // to what MaxLength leaves room for; no key event sees it.
  bool UserPaste(std::string_view text);
  // The user moves the caret or selects.
  bool UserSelect(int start, int length);

 protected:
  // Inserts a typed character at the caret (within MaxLength); Backspace (8) deletes the
  // selection or the character before the caret; other control characters do nothing.
  void CharTyped(char key) override;
  // Up and Down step the attached spinner; Delete deletes the selection or the character
  // after the caret (no key event sees it, as no character is typed).
  void KeyDown(std::uint32_t virtualKey) override;
  void FocusEntered() override;

 private:
  friend class TUpDown;

  void Insert(std::string_view text);
  void Replace(std::string&& text, int caret);

  std::string text_;
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool autoSelect_ = true;
  int selStart_ = 0;
  int selLength_ = 0;
  TUpDown* upDown_ = nullptr;
};

}  // namespace toolkit
