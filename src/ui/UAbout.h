// The About box: the program's name and version, the web page and the support address.
#pragma once

#include "toolkit/TForm.h"
#include "toolkit/TLabel.h"

class TFMAbout : public toolkit::TForm {
 public:
  explicit TFMAbout(toolkit::TComponent* owner);

  toolkit::TLabel* Label1;
  toolkit::TLabel* Label2;
  toolkit::TLabel* Label4;
  toolkit::TLabel* Label5;
  toolkit::TLabel* Label6;
  toolkit::TLabel* Label7;

  // The links open their target each time and leave the box open.
  void Label5Click(toolkit::TObject* sender);
  void Label7Click(toolkit::TObject* sender);
  void FormShow(toolkit::TObject* sender);
  // A click on the box's free surface closes it.
  void FormClick(toolkit::TObject* sender);
};
