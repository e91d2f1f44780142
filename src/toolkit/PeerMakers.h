// How a GUI backend makes its peers: one maker per kind of control, and one place that knows
// which kind each control class is, so that every backend maps the classes alike.
#pragma once

#include <memory>

#include "toolkit/Backend.h"

namespace toolkit {

class TButton;
class TComboBox;
class TDateTimePicker;
class TEdit;
class TForm;
class TFrame;
class TGroupBox;
class TImage;
class TLabel;
class TPanel;
class TRadioButton;
class TUpDown;

struct TPeerMakers {
  std::unique_ptr<TPeer> (*form)(TForm&);
  std::unique_ptr<TPeer> (*frame)(TFrame&);
  std::unique_ptr<TPeer> (*panel)(TPanel&);
  std::unique_ptr<TPeer> (*groupBox)(TGroupBox&);
  std::unique_ptr<TPeer> (*label)(TLabel&);
  // Plain and labelled edits alike; a labelled edit's label has a peer of its own.
  std::unique_ptr<TPeer> (*edit)(TEdit&);
  std::unique_ptr<TPeer> (*upDown)(TUpDown&);
  std::unique_ptr<TPeer> (*radioButton)(TRadioButton&);
  std::unique_ptr<TPeer> (*comboBox)(TComboBox&);
  std::unique_ptr<TPeer> (*dateTimePicker)(TDateTimePicker&);
  // Push buttons and bitmap buttons alike.
  std::unique_ptr<TPeer> (*button)(TButton&);
  std::unique_ptr<TPeer> (*image)(TImage&);
};

// The peer of control from the maker of its kind, or none for the components that show
// nothing of their own: the form shows the main menu, and a timer shows nothing.
std::unique_ptr<TPeer> MakePeer(TControl& control, const TPeerMakers& makers);

}  // namespace toolkit
