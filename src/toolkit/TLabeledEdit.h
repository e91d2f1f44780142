// An edit with a label of its own above it, which moves, shows and enables with the edit.
#pragma once

#include "toolkit/TEdit.h"
#include "toolkit/TLabel.h"

namespace toolkit {

class TLabeledEdit : public TEdit {
 public:
  explicit TLabeledEdit(TComponent* owner);
  TControlClass ControlClass() const override { return TControlClass::kLabeledEdit; }

  // The label: its caption is the labelled edit's label text.
  TLabel& EditLabel() const { return *label_; }
  // Pixels between the label's bottom and the edit's top (3 by default).
  int LabelSpacing() const { return labelSpacing_; }
  void SetLabelSpacing(int spacing);

 protected:
  void Changed(TChange change) override;
  void ParentChanged() override;

 private:
  void PlaceLabel();

  TLabel* label_;
  int labelSpacing_ = 3;
};

}  // namespace toolkit
