// The class the application creates as its main form and the runner's owner.
#pragma once

#include "ui/uFMain.h"

class TMainForm : public TMForm {
 public:
  explicit TMainForm(toolkit::TComponent* owner) : TMForm(owner) { SetName("MainForm"); }
};
