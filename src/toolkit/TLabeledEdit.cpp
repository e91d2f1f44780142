#include "toolkit/TLabeledEdit.h"

namespace toolkit {

TLabeledEdit::TLabeledEdit(TComponent* owner) : TEdit(owner), label_(Create<TLabel>(*this)) {
  label_->SetName("SubLabel");
  PlaceLabel();
}

void TLabeledEdit::SetLabelSpacing(int spacing) {
  labelSpacing_ = spacing;
  PlaceLabel();
}

void TLabeledEdit::Changed(TChange change) {
  TEdit::Changed(change);
  if (change == TChange::kBounds) PlaceLabel();
  if (change == TChange::kVisible) label_->SetVisible(Visible());
  if (change == TChange::kEnabled) label_->SetEnabled(Enabled());
}

void TLabeledEdit::ParentChanged() {
  label_->SetParent(Parent());
}

void TLabeledEdit::PlaceLabel() {
  label_->SetBounds(Left(), Top() - label_->Height() - labelSpacing_, label_->Width(),
                    label_->Height());
}

}  // namespace toolkit
