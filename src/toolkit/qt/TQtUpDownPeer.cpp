// An up-down spinner: two arrow buttons stacked in the control's bounds, repeating while
// held down as the system's spinner does. Each click is one step through the model.
#include <QApplication>
#include <QPalette>
#include <QToolButton>
#include <QWidget>

#include "toolkit/TUpDown.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

class TUpDownWidget final : public QWidget {
 public:
  TUpDownWidget(TUpDown& upDown, QWidget* parent)
      : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    for (QToolButton* button : {up_, down_}) {
      button->setAutoRepeat(true);
      button->setFocusPolicy(Qt::NoFocus);
    }
    // The arrows keep the desktop's colours whatever font colour the spinner inherits.
    QPalette arrows = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText}) {
        arrows.setColor(group, role, QApplication::palette().color(group, role));
      }
    }
    for (QToolButton* button : {up_, down_}) button->setPalette(arrows);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [&upDown] { upDown.UserClickUp(); });
    connect(down_, &QToolButton::clicked, this, [&upDown] { upDown.UserClickDown(); });
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
  }

 private:
  QToolButton* up_;
  QToolButton* down_;
};

class TQtUpDownPeer final : public TQtPeer {
 public:
  explicit TQtUpDownPeer(TUpDown& upDown)
      : TQtPeer(upDown, new TUpDownWidget(upDown, ParentWidget(upDown))) {
    Refresh();
  }
};

}  // namespace

std::unique_ptr<TPeer> MakeUpDownPeer(TUpDown& upDown) {
  return std::make_unique<TQtUpDownPeer>(upDown);
}

}  // namespace toolkit::qt
