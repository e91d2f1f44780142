// What the click runner asks of the window that owns it: the main window shows the click
// count in its caption and ends a run through its Stop button's handler.
#pragma once

#include <string>

namespace toolkit {
class TObject;
}

class TRunnerOwner {
 public:
  // Writes caption into the window's title.
  virtual void SetRunnerCaption(const std::string& caption) = 0;
  // The Stop button's click handler; the runner calls it with no sender when its click
  // count is reached. It stops the runner and brings the window back.
  virtual void btnStopClick(toolkit::TObject* sender) = 0;

 protected:
  ~TRunnerOwner() = default;
};
