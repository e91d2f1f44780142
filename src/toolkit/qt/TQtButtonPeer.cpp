// Push buttons and bitmap buttons. The caption is drawn here rather than by Qt's button,
// which cannot wrap it; the mnemonic ("&START") still works through the button's text.
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "toolkit/TBitBtn.h"
#include "toolkit/TButton.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

// A glyph's bottom-left pixel is its transparent colour, as the component library has it.
QPixmap GlyphPixmap(const TBitmap& glyph) {
  QImage image = ImageOf(glyph, QRect(0, 0, glyph.Width(), glyph.Height()))
                     .convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == transparent) row[x] = 0;
    }
  }
  return QPixmap::fromImage(image);
}

class TButtonWidget final : public TControlWidget<QPushButton> {
 public:
  TButtonWidget(TButton& button, QWidget* parent)
      : TControlWidget(button, parent), button_(button) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    const QIcon glyph = option.icon;
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (!glyph.isNull()) {
      const QSize size = iconSize();
      const QRect place(content.left() + 2, content.top() + (content.height() - size.height()) / 2,
                        size.width(), size.height());
      glyph.paint(&painter, place, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
      content.setLeft(place.right() + 3);
    }
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (button_.WordWrap()) flags |= Qt::TextWordWrap;
    painter.drawItemText(content, flags, palette(), isEnabled(), caption, QPalette::ButtonText);
    if (hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = content.adjusted(1, 1, -1, -1);
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }

  // Characters go to the model (the form's key preview sees them); Space and Enter also
  // press the button, as the system's button does.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->text().isEmpty() || !SendKey(button_, *event)) {
      QPushButton::keyPressEvent(event);
      return;
    }
    if (event->key() == Qt::Key_Space) QPushButton::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) click();
    event->accept();
  }

 private:
  TButton& button_;
};

class TQtButtonPeer final : public TQtPeer {
 public:
  explicit TQtButtonPeer(TButton& button)
      : TQtPeer(button, new TButtonWidget(button, ParentWidget(button))), button_(button) {
    auto& widget = static_cast<QPushButton&>(Widget());
    widget.setAutoDefault(false);
    QObject::connect(&widget, &QPushButton::clicked, &widget, [this] { button_.UserClick(); });
    Refresh();
  }

 protected:
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }

  void Update(TChange change) override {
    auto& widget = static_cast<QPushButton&>(Widget());
    switch (change) {
      case TChange::kCaption:
        widget.setText(ToQString(button_.Caption()));
        break;
      case TChange::kStyle:
        widget.setDefault(button_.Default());
        widget.update();
        break;
      case TChange::kPicture:
        if (const auto* bitBtn = dynamic_cast<const TBitBtn*>(&button_)) {
          widget.setIcon(bitBtn->Glyph().Empty() ? QIcon() : QIcon(GlyphPixmap(bitBtn->Glyph())));
          if (!bitBtn->Glyph().Empty()) {
            widget.setIconSize(QSize(bitBtn->Glyph().Width(), bitBtn->Glyph().Height()));
          }
        }
        break;
      default:
        break;
    }
  }

 private:
  TButton& button_;
};

}  // namespace

std::unique_ptr<TPeer> MakeButtonPeer(TButton& button) {
  return std::make_unique<TQtButtonPeer>(button);
}

}  // namespace toolkit::qt
