#include "toolkit/qt/TQtPeer.h"

#include <QCursor>

#include "toolkit/Messages.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtRuntime.h"

namespace toolkit::qt {

namespace {

void ApplyCursor(QWidget& widget, TCursor cursor) {
  switch (cursor) {
    case crArrow:
      widget.setCursor(Qt::ArrowCursor);
      break;
    case crCross:
      widget.setCursor(Qt::CrossCursor);
      break;
    case crHandPoint:
      widget.setCursor(Qt::PointingHandCursor);
      break;
    case crDefault:
      widget.unsetCursor();
      break;
  }
}

}  // namespace

TQtPeer::TQtPeer(TControl& control, QWidget* widget) : control_(control), widget_(widget) {
  if (dynamic_cast<TWinControl*>(&control) != nullptr) handle_ = NewHandle();
}

TQtPeer::~TQtPeer() {
  // The model destroys child peers first, so the widget is normally still there; should
  // Qt have deleted it with a parent, the QPointer is null and nothing is deleted twice.
  delete widget_.data();
}

void TQtPeer::Changed(TChange change) {
  const TSyncScope sync(*this);
  switch (change) {
    case TChange::kBounds:
      Place();
      break;
    case TChange::kVisible:
      ShowVisible();
      break;
    case TChange::kEnabled:
      // Qt disables the children of a disabled widget, as the effective state says.
      widget_->setEnabled(control_.Enabled());
      break;
    case TChange::kFont:
    case TChange::kColor:
      ApplyLook(*widget_, control_, BackgroundRole());
      break;
    case TChange::kCursor:
      ApplyCursor(*widget_, control_.Cursor());
      break;
    case TChange::kFocus:
      if (const auto* windowed = dynamic_cast<const TWinControl*>(&control_);
          windowed != nullptr && windowed->Focused() && !FocusWidget().hasFocus()) {
        FocusWidget().setFocus(Qt::OtherFocusReason);
      }
      break;
    default:
      break;
  }
  Update(change);
}

void TQtPeer::DefaultHandler(TMessage& message) {
  if (message.Msg == kWmEraseBkgnd) message.Result = 1;
}

void TQtPeer::Refresh() {
  const TSyncScope sync(*this);
  Place();
  ApplyLook(*widget_, control_, BackgroundRole());
  ApplyCursor(*widget_, control_.Cursor());
  widget_->setEnabled(control_.Enabled());
  for (const TChange change :
       {TChange::kCaption, TChange::kText, TChange::kReadOnly, TChange::kMaxLength,
        TChange::kChecked, TChange::kItems, TChange::kItemIndex, TChange::kDateTime,
        TChange::kRange, TChange::kPicture, TChange::kWindowState, TChange::kMenu, TChange::kStyle,
        TChange::kSelection}) {
    Update(change);
  }
  ShowVisible();
}

void TQtPeer::Place() {
  widget_->setGeometry(ToQRect(control_.BoundsRect()));
}

void TQtPeer::ShowVisible() {
  widget_->setVisible(control_.Visible());
}

QWidget* ParentWidget(const TControl& control) {
  if (control.Parent() == nullptr) return nullptr;
  auto* peer = dynamic_cast<TQtPeer*>(control.Parent()->Peer());
  return peer != nullptr ? &peer->ClientWidget() : nullptr;
}

}  // namespace toolkit::qt
