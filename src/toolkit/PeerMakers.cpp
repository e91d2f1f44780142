#include "toolkit/PeerMakers.h"

#include "toolkit/TBitBtn.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TDateTimePicker.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TUpDown.h"

namespace toolkit {

std::unique_ptr<TPeer> MakePeer(TControl& control, const TPeerMakers& makers) {
  switch (control.ControlClass()) {
    case TControlClass::kForm:
      return makers.form(static_cast<TForm&>(control));
    case TControlClass::kFrame:
      return makers.frame(static_cast<TFrame&>(control));
    case TControlClass::kPanel:
      return makers.panel(static_cast<TPanel&>(control));
    case TControlClass::kGroupBox:
      return makers.groupBox(static_cast<TGroupBox&>(control));
    case TControlClass::kLabel:
      return makers.label(static_cast<TLabel&>(control));
    case TControlClass::kEdit:
    case TControlClass::kLabeledEdit:
      return makers.edit(static_cast<TEdit&>(control));
    case TControlClass::kUpDown:
      return makers.upDown(static_cast<TUpDown&>(control));
    case TControlClass::kRadioButton:
      return makers.radioButton(static_cast<TRadioButton&>(control));
    case TControlClass::kComboBox:
      return makers.comboBox(static_cast<TComboBox&>(control));
    case TControlClass::kDateTimePicker:
      return makers.dateTimePicker(static_cast<TDateTimePicker&>(control));
    case TControlClass::kButton:
    case TControlClass::kBitBtn:
      return makers.button(static_cast<TButton&>(control));
    case TControlClass::kImage:
      return makers.image(static_cast<TImage&>(control));
    case TControlClass::kMainMenu:
    case TControlClass::kMenuItem:
    case TControlClass::kTimer:
      break;
  }
  return nullptr;
}

}  // namespace toolkit
