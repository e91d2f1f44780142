// The peers of the Qt backend, one maker per kind of control.
#pragma once

#include <memory>

#include "toolkit/Backend.h"
#include "toolkit/PeerMakers.h"

namespace toolkit::qt {

std::unique_ptr<TPeer> MakeFormPeer(TForm& form);
std::unique_ptr<TPeer> MakeFramePeer(TFrame& frame);
std::unique_ptr<TPeer> MakePanelPeer(TPanel& panel);
std::unique_ptr<TPeer> MakeGroupBoxPeer(TGroupBox& groupBox);
std::unique_ptr<TPeer> MakeLabelPeer(TLabel& label);
// Plain and labelled edits alike; a labelled edit's label has a peer of its own.
std::unique_ptr<TPeer> MakeEditPeer(TEdit& edit);
std::unique_ptr<TPeer> MakeUpDownPeer(TUpDown& upDown);
std::unique_ptr<TPeer> MakeRadioButtonPeer(TRadioButton& radioButton);
std::unique_ptr<TPeer> MakeComboBoxPeer(TComboBox& comboBox);
std::unique_ptr<TPeer> MakeDateTimePickerPeer(TDateTimePicker& picker);
// Push buttons and bitmap buttons alike.
std::unique_ptr<TPeer> MakeButtonPeer(TButton& button);
std::unique_ptr<TPeer> MakeImagePeer(TImage& image);

}  // namespace toolkit::qt
