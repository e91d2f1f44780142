// An image: blits the model's picture and reports the mouse over it. Qt grabs the mouse
// for the widget from a press to the release, as the system captures it for the image.
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "toolkit/TImage.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

bool ToMouseButton(Qt::MouseButton qtButton, TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton:
      button = mbLeft;
      return true;
    case Qt::RightButton:
      button = mbRight;
      return true;
    case Qt::MiddleButton:
      button = mbMiddle;
      return true;
    default:
      return false;
  }
}

// The keys held; the model adds the buttons it knows to be down.
TShiftState Keys(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if ((modifiers & Qt::ShiftModifier) != 0) shift |= ssShift;
  if ((modifiers & Qt::AltModifier) != 0) shift |= ssAlt;
  if ((modifiers & Qt::ControlModifier) != 0) shift |= ssCtrl;
  return shift;
}

class TImageWidget final : public QWidget {
 public:
  TImageWidget(TImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    const TBitmap& picture = image_.Picture();
    if (picture.Empty()) return;
    const QRect area = event->rect().intersected(QRect(0, 0, picture.Width(), picture.Height()));
    if (area.isEmpty()) return;
    QPainter painter(this);
    painter.drawImage(area.topLeft(), ImageOf(picture, area));
  }

  void mousePressEvent(QMouseEvent* event) override { Press(*event, 0); }
  // Qt gives the second press of a double click as a double-click event.
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(*event, ssDouble); }
  void mouseMoveEvent(QMouseEvent* event) override {
    event->accept();
    const QPoint at = event->position().toPoint();
    image_.UserMouseMove(at.x(), at.y(), Keys(event->modifiers()));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    TMouseButton button = mbLeft;
    if (!ToMouseButton(event->button(), button)) return;
    const QPoint at = event->position().toPoint();
    image_.UserMouseUp(button, at.x(), at.y(), Keys(event->modifiers()));
  }

 private:
  void Press(QMouseEvent& event, TShiftState extra) {
    event.accept();
    TMouseButton button = mbLeft;
    if (!ToMouseButton(event.button(), button)) return;
    const QPoint at = event.position().toPoint();
    image_.UserMouseDown(button, at.x(), at.y(), Keys(event.modifiers()) | extra);
  }

  TImage& image_;
};

class TQtImagePeer final : public TQtPeer {
 public:
  explicit TQtImagePeer(TImage& image)
      : TQtPeer(image, new TImageWidget(image, ParentWidget(image))) {
    Refresh();
  }

  void PictureChanged(const TRect& area) override { Widget().update(ToQRect(area)); }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kPicture) Widget().update();
  }
};

}  // namespace

std::unique_ptr<TPeer> MakeImagePeer(TImage& image) {
  return std::make_unique<TQtImagePeer>(image);
}

}  // namespace toolkit::qt
