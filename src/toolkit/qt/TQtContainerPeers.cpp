// The containers: frames, panels with their bevels, and group boxes. Each takes the keys
// typed while it holds the focus and the clicks on its own surface, which do not reach
// the form behind it.
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TPanel.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

template <class Base>
class TSurface : public TControlWidget<Base> {
 public:
  TSurface(TWinControl& control, QWidget* parent)
      : TControlWidget<Base>(control, parent), control_(control) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!SendKey(control_, *event)) Base::keyPressEvent(event);
  }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint())) {
      control_.UserClick();
    }
  }

 private:
  TWinControl& control_;
};

// A frame paints nothing of its own (its WMEraseBkgnd says so, and its panel covers it).
class TQtFramePeer final : public TQtPeer {
 public:
  explicit TQtFramePeer(TFrame& frame)
      : TQtPeer(frame, new TSurface<QWidget>(frame, ParentWidget(frame))) {
    Refresh();
  }
};

// The bevels as the component library draws them: the outer one at the edge, the inner
// one just inside it, each a one-pixel frame, light above and left when raised.
class TPanelWidget final : public TSurface<QWidget> {
 public:
  TPanelWidget(TPanel& panel, QWidget* parent) : TSurface(panel, parent), panel_(panel) {
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QRect edge = rect();
    for (const TBevelCut cut : {panel_.BevelOuter(), panel_.BevelInner()}) {
      if (cut == bvNone) continue;
      const QColor light = palette().color(QPalette::Light);
      const QColor dark = palette().color(QPalette::Dark);
      const QColor& topLeft = cut == bvRaised ? light : dark;
      const QColor& bottomRight = cut == bvRaised ? dark : light;
      painter.setPen(topLeft);
      painter.drawLine(edge.topLeft(), edge.topRight());
      painter.drawLine(edge.topLeft(), edge.bottomLeft());
      painter.setPen(bottomRight);
      painter.drawLine(edge.bottomLeft(), edge.bottomRight());
      painter.drawLine(edge.topRight(), edge.bottomRight());
      edge.adjust(1, 1, -1, -1);
    }
    if (!panel_.Caption().empty()) {
      style()->drawItemText(&painter, edge, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                            isEnabled(), ToQString(panel_.Caption()), QPalette::WindowText);
    }
  }

 private:
  TPanel& panel_;
};

class TQtPanelPeer final : public TQtPeer {
 public:
  explicit TQtPanelPeer(TPanel& panel)
      : TQtPeer(panel, new TPanelWidget(panel, ParentWidget(panel))) {
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kCaption || change == TChange::kStyle) Widget().update();
  }
};

// A group box as the system draws one: an etched frame whose top line runs through the
// middle of the caption, so that controls placed just under the caption (at the heights the
// forms were laid out for) stay clear of it. Qt's group box puts its frame under the title.
class TGroupBoxWidget final : public TSurface<QWidget> {
 public:
  TGroupBoxWidget(TGroupBox& groupBox, QWidget* parent)
      : TSurface(groupBox, parent), groupBox_(groupBox) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2;
    const QRect frame = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    const QString caption = ToQString(groupBox_.Caption());
    if (caption.isEmpty()) return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
    QRect title = metrics.boundingRect(QRect(8, 0, width() - 16, metrics.height()), flags, caption);
    title.adjust(-2, 0, 2, 0);
    painter.fillRect(title, palette().color(backgroundRole()));
    style()->drawItemText(&painter, title.adjusted(2, 0, -2, 0), flags, palette(), isEnabled(),
                          caption, QPalette::WindowText);
  }

 private:
  TGroupBox& groupBox_;
};

class TQtGroupBoxPeer final : public TQtPeer {
 public:
  explicit TQtGroupBoxPeer(TGroupBox& groupBox)
      : TQtPeer(groupBox, new TGroupBoxWidget(groupBox, ParentWidget(groupBox))) {
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kCaption) Widget().update();
  }
};

}  // namespace

std::unique_ptr<TPeer> MakeFramePeer(TFrame& frame) {
  return std::make_unique<TQtFramePeer>(frame);
}

std::unique_ptr<TPeer> MakePanelPeer(TPanel& panel) {
  return std::make_unique<TQtPanelPeer>(panel);
}

std::unique_ptr<TPeer> MakeGroupBoxPeer(TGroupBox& groupBox) {
  return std::make_unique<TQtGroupBoxPeer>(groupBox);
}

}  // namespace toolkit::qt
