// A radio button. The check mark is the model's alone: the widget neither checks itself
// on a click nor unchecks its siblings; the model does both and says so.
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "toolkit/TRadioButton.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

class TRadioButtonWidget final : public TControlWidget<QRadioButton> {
 public:
  TRadioButtonWidget(TRadioButton& radioButton, QWidget* parent)
      : TControlWidget(radioButton, parent), radioButton_(radioButton) {
    setAutoExclusive(false);
  }

 protected:
  void nextCheckState() override {}
  // The whole control is the button, the caption's wrapped lines included.
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }

  // The indicator at the left, centred in the height; the caption beside it, wrapped
  // when the control says so (Qt's radio button never wraps).
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    indicator.moveTop((height() - indicator.height()) / 2);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = indicator;
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicatorOption);
    const int spacing = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    const QRect textArea = rect().adjusted(indicator.right() + 1 + spacing, 0, 0, 0);
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    if (radioButton_.WordWrap()) flags |= Qt::TextWordWrap;
    painter.drawItemText(textArea, flags, palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = style()->itemTextRect(fontMetrics(), textArea, flags, isEnabled(), text());
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->text().isEmpty() || !SendKey(radioButton_, *event)) {
      QRadioButton::keyPressEvent(event);
      return;
    }
    // Space also presses the button, which clicks it on release.
    if (event->key() == Qt::Key_Space) QRadioButton::keyPressEvent(event);
    event->accept();
  }

 private:
  TRadioButton& radioButton_;
};

class TQtRadioButtonPeer final : public TQtPeer {
 public:
  explicit TQtRadioButtonPeer(TRadioButton& radioButton)
      : TQtPeer(radioButton, new TRadioButtonWidget(radioButton, ParentWidget(radioButton))),
        radioButton_(radioButton) {
    auto& widget = static_cast<QRadioButton&>(Widget());
    QObject::connect(&widget, &QRadioButton::clicked, &widget, [this, &widget] {
      const QPointer<QWidget> alive(&widget);
      radioButton_.UserClick();
      if (alive.isNull()) return;  // the click's handler freed the control
      const TSyncScope sync(*this);
      Update(TChange::kChecked);
    });
    Refresh();
  }

 protected:
  void Update(TChange change) override {
    auto& widget = static_cast<QRadioButton&>(Widget());
    switch (change) {
      case TChange::kCaption:
        widget.setText(ToQString(radioButton_.Caption()));
        break;
      case TChange::kChecked:
        widget.setChecked(radioButton_.Checked());
        break;
      case TChange::kStyle:
        widget.update();
        break;
      default:
        break;
    }
  }

 private:
  TRadioButton& radioButton_;
};

}  // namespace

std::unique_ptr<TPeer> MakeRadioButtonPeer(TRadioButton& radioButton) {
  return std::make_unique<TQtRadioButtonPeer>(radioButton);
}

}  // namespace toolkit::qt
