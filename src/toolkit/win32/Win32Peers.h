// The peers of the Win32 backend, one maker per kind of control.
#pragma once

#include <memory>

#include "toolkit/Backend.h"
#include "toolkit/PeerMakers.h"

namespace toolkit {
class TWinControl;
}  // namespace toolkit

namespace toolkit::win32 {

std::unique_ptr<TPeer> MakeFormPeer(TForm& form);
// Frames, panels and group boxes: a window of ours that draws the bevel or the frame.
std::unique_ptr<TPeer> MakeContainerPeer(TWinControl& container);
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

// The window of the form that is the main form, or null; the other forms' owner.
HWND MainWindow();

}  // namespace toolkit::win32
