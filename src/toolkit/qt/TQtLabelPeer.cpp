// A label: static text on its parent. It takes its own clicks, so that a click on a label
// without a handler does nothing rather than reach the form behind it.
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

#include "toolkit/TLabel.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

class TLabelWidget final : public QLabel {
 public:
  TLabelWidget(TLabel& label, QWidget* parent) : QLabel(parent), label_(label) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      label_.UserClick();
    }
  }

 private:
  TLabel& label_;
};

class TQtLabelPeer final : public TQtPeer {
 public:
  explicit TQtLabelPeer(TLabel& label)
      : TQtPeer(label, new TLabelWidget(label, ParentWidget(label))), label_(label) {
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    auto& widget = static_cast<QLabel&>(Widget());
    switch (change) {
      case TChange::kCaption:
        widget.setText(WithoutAccelerators(label_.Caption()));
        Place();
        break;
      case TChange::kStyle:
        widget.setWordWrap(label_.WordWrap());
        widget.setAutoFillBackground(!label_.Transparent());
        Place();
        break;
      case TChange::kFont:
        Place();
        break;
      default:
        break;
    }
  }

  // An auto-sized label takes the size of its text, at least the bounds' height, as the
  // component library sizes it; the model keeps the bounds it was given. A label of a fixed
  // size that holds one line gets a font small enough for its caption.
  void Place() override {
    QRect bounds = ToQRect(label_.BoundsRect());
    if (label_.WordWrap()) {
      Widget().setFont(ToQFont(label_.Font()));
    } else if (label_.AutoSize()) {
      Widget().setFont(ToQFont(label_.Font()));
      const QSize text = Widget().sizeHint();
      bounds.setSize(QSize(text.width(), std::max(bounds.height(), text.height())));
    } else {
      Widget().setFont(FittingFont(ToQFont(label_.Font()), WithoutAccelerators(label_.Caption()),
                                   bounds.width()));
    }
    Widget().setGeometry(bounds);
  }

 private:
  TLabel& label_;
};

}  // namespace

std::unique_ptr<TPeer> MakeLabelPeer(TLabel& label) {
  return std::make_unique<TQtLabelPeer>(label);
}

}  // namespace toolkit::qt
