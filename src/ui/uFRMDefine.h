// The settings panel: a frame holding every setting of the click job in its controls,
// with the point and colour capture, the digit filter, the enabling rule, the copy of
// every setting into the click runner and the picture and scope captures.
#pragma once

#include <string>
#include <utility>

#include "toolkit/Exception.h"
#include "toolkit/Messages.h"
#include "toolkit/TButton.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TDateTimePicker.h"
#include "toolkit/TEdit.h"
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TLabeledEdit.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TTimer.h"
#include "toolkit/TUpDown.h"

class TBaseCtrl;

// ApplyTo's conversion error: the toolkit's, naming the edit whose text is not a number
// so that the main window can send the user there.
class ENotANumber : public toolkit::EConvertError {
 public:
  ENotANumber(toolkit::TEdit& edit, std::string fieldName, const std::string& message)
      : EConvertError(message), edit_(&edit), fieldName_(std::move(fieldName)) {}
  toolkit::TEdit& Edit() const { return *edit_; }
  // The field as the user knows it from the panel ("Click Interval, Sec").
  const std::string& FieldName() const { return fieldName_; }

 private:
  toolkit::TEdit* edit_;
  std::string fieldName_;
};

class TfrmDefine : public toolkit::TFrame {
 public:
  explicit TfrmDefine(toolkit::TComponent* owner);

  // ---- Controls, owned by the frame --------------------------------------------------
  toolkit::TPanel* plMain;
  toolkit::TGroupBox* GroupBox1;
  toolkit::TRadioButton* rbCurrent;
  toolkit::TRadioButton* rbFixed;
  toolkit::TGroupBox* gbPoint;
  toolkit::TButton* btnCapture;
  toolkit::TEdit* edPX;
  toolkit::TEdit* edPY;
  toolkit::TRadioButton* rbColor;
  toolkit::TGroupBox* gbColor;
  toolkit::TButton* btnCaptureColor;
  toolkit::TEdit* edCl;
  toolkit::TEdit* edColor;
  toolkit::TEdit* edSimilar;
  toolkit::TUpDown* UpDown9;
  toolkit::TRadioButton* rbBMP;
  toolkit::TGroupBox* gbBMP;
  toolkit::TButton* btnBMP;
  toolkit::TPanel* Panel1;
  toolkit::TImage* ImageBMP;
  toolkit::TEdit* edBMPSimilar;
  toolkit::TUpDown* UpDown10;
  toolkit::TPanel* Panel3;
  toolkit::TRadioButton* rbFulll;
  toolkit::TRadioButton* rbPart;
  toolkit::TButton* Button1;
  toolkit::TPanel* Panel2;
  toolkit::TEdit* edColorL;
  toolkit::TEdit* edColorR;
  toolkit::TEdit* edColorT;
  toolkit::TEdit* edColorB;
  toolkit::TGroupBox* GroupBox2;
  toolkit::TComboBox* cbButton;
  toolkit::TComboBox* cbClick;
  toolkit::TGroupBox* GroupBox3;
  toolkit::TRadioButton* rbIntFixed;
  toolkit::TLabeledEdit* edIntHour;
  toolkit::TLabeledEdit* edIntMinute;
  toolkit::TLabeledEdit* edIntSecond;
  toolkit::TLabeledEdit* edIntTen;
  toolkit::TLabeledEdit* edIntTen2;
  toolkit::TLabeledEdit* edIntTen3;
  toolkit::TRadioButton* rbIntRan;
  toolkit::TLabeledEdit* lblRanB;
  toolkit::TLabeledEdit* lblRanE;
  toolkit::TUpDown* UpDown1;
  toolkit::TUpDown* UpDown2;
  toolkit::TUpDown* UpDown3;
  toolkit::TUpDown* UpDown4;
  toolkit::TUpDown* UpDown11;
  toolkit::TUpDown* UpDown12;
  toolkit::TUpDown* UpDown13;
  toolkit::TUpDown* UpDown14;
  toolkit::TGroupBox* GroupBox6;
  toolkit::TRadioButton* rbNow;
  toolkit::TRadioButton* rbAt;
  toolkit::TDateTimePicker* dtpTime;
  toolkit::TRadioButton* rbAfter;
  toolkit::TLabeledEdit* edtStartHour;
  toolkit::TLabeledEdit* edtStartMin;
  toolkit::TLabeledEdit* edtStartSec;
  toolkit::TUpDown* UpDown5;
  toolkit::TUpDown* UpDown7;
  toolkit::TUpDown* UpDown8;
  toolkit::TGroupBox* GroupBox4;
  toolkit::TRadioButton* rbStopOrder;
  toolkit::TRadioButton* rbStopClick;
  toolkit::TEdit* edStopTimes;
  toolkit::TUpDown* UpDown6;
  toolkit::TGroupBox* GroupBox7;
  toolkit::TRadioButton* rbNo;
  toolkit::TRadioButton* rbBack;
  toolkit::TRadioButton* rbBackClick;
  toolkit::TGroupBox* GroupBox5;
  toolkit::TComboBox* cbHKStart;
  toolkit::TComboBox* cbHKStop;
  toolkit::TTimer* timerSetPoint;

  // ---- Handlers ----------------------------------------------------------------------
  // The enabling rule of the click target, then StopCapture.
  void rbFixedClick(toolkit::TObject* sender);
  void btnCaptureClick(toolkit::TObject* sender);
  void btnCaptureColorClick(toolkit::TObject* sender);
  // The digit filter of the numeric edits: typed characters only.
  void edPXKeyPress(toolkit::TObject* sender, char& key);
  void timerSetPointTimer(toolkit::TObject* sender);
  // "Capture Picture" and "Capture Scope", through the region picker.
  void btnBMPClick(toolkit::TObject* sender);
  void Button1Click(toolkit::TObject* sender);
  void WMEraseBkgnd(toolkit::TMessage& message);

  // ---- Operations --------------------------------------------------------------------
  // Ends a running point or colour capture; harmless when none runs.
  void StopCapture();
  // The main window's key preview: any typed character ends a capture; the key goes on.
  void OwnerKeyPress(toolkit::TObject* sender, char& key);
  // Copies every setting into ctrl's job fields, in the panel's fixed order. Raises
  // ENotANumber at the first numeric text that does not convert, leaving the fields
  // before it copied and the later ones as they were.
  void ApplyTo(TBaseCtrl& ctrl);

 private:
  bool capturingPoint = false;
  bool capturingColor = false;
};
