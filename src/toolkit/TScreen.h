// The screen object: the primary screen's size and the forms in their z-order.
#pragma once

#include <cstdint>

namespace toolkit {

class TForm;

class TScreen {
 public:
  // The primary screen's size in pixels, read from the desktop at each call.
  std::int32_t Width() const;
  std::int32_t Height() const;

  // Every existing form, the frontmost first.
  int FormCount() const;
  TForm* Forms(int index) const;
  // The frontmost visible form, or null.
  TForm* ActiveForm() const;

 private:
  friend class TForm;
  void AddForm(TForm& form);
  void RemoveForm(TForm& form);
  void BringToFront(TForm& form);
};

extern TScreen Screen;

}  // namespace toolkit
