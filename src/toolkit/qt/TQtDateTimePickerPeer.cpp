// A date or time-of-day picker. Its fields are edited in the widget, as in the system's
// picker; each value the user makes reaches the model, and the widget shows what the
// model kept.
#include <QDate>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QPointer>
#include <QTime>

#include <cmath>

#include "toolkit/TDateTimePicker.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

// A TDateTime counts days from 30 December 1899; the fraction is the time of day.
const QDate kDayZero(1899, 12, 30);

QDateTime ToQDateTime(TDateTime value) {
  const double day = std::floor(value);
  auto msecs = static_cast<int>(std::lround((value - day) * kMSecsPerDay));
  auto days = static_cast<qint64>(day);
  if (msecs >= kMSecsPerDay) {
    msecs -= static_cast<int>(kMSecsPerDay);
    ++days;
  }
  // In UTC, where no daylight-saving change moves or drops a time of day.
  return QDateTime(kDayZero.addDays(days), QTime::fromMSecsSinceStartOfDay(msecs), Qt::UTC);
}

TDateTime ToTDateTime(const QDateTime& value) {
  return static_cast<double>(kDayZero.daysTo(value.date())) +
         static_cast<double>(value.time().msecsSinceStartOfDay()) / kMSecsPerDay;
}

class TPickerWidget final : public TControlWidget<QDateTimeEdit> {
 public:
  TPickerWidget(TDateTimePicker& picker, QWidget* parent)
      : TControlWidget(picker, parent), picker_(picker) {
    setTimeSpec(Qt::UTC);
  }

 protected:
  // A character is the user's for the model (the form's key preview sees it) and then
  // edits the field, as in the system's picker.
  void keyPressEvent(QKeyEvent* event) override {
    if (!event->text().isEmpty() && event->key() != Qt::Key_Tab &&
        event->key() != Qt::Key_Backtab && (event->modifiers() & Qt::AltModifier) == 0) {
      const QPointer<QWidget> alive(this);
      SendKey(picker_, *event);
      if (alive.isNull()) return;
      QDateTimeEdit::keyPressEvent(event);
      event->accept();
      return;
    }
    QDateTimeEdit::keyPressEvent(event);
  }

 private:
  TDateTimePicker& picker_;
};

class TQtDateTimePickerPeer final : public TQtPeer {
 public:
  explicit TQtDateTimePickerPeer(TDateTimePicker& picker)
      : TQtPeer(picker, new TPickerWidget(picker, ParentWidget(picker))), picker_(picker) {
    auto& widget = static_cast<QDateTimeEdit&>(Widget());
    QObject::connect(&widget, &QDateTimeEdit::dateTimeChanged, &widget,
                     [this, &widget](const QDateTime& value) {
                       if (Syncing()) return;
                       const QPointer<QWidget> alive(&widget);
                       picker_.UserSetDateTime(ToTDateTime(value));
                       if (alive.isNull()) return;
                       const TSyncScope sync(*this);
                       Update(TChange::kDateTime);
                     });
    Refresh();
  }

 protected:
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

  void Update(TChange change) override {
    auto& widget = static_cast<QDateTimeEdit&>(Widget());
    switch (change) {
      case TChange::kDateTime: {
        const QDateTime value = ToQDateTime(picker_.DateTime());
        if (widget.dateTime() != value) widget.setDateTime(value);
        break;
      }
      case TChange::kStyle:
        if (picker_.Kind() == dtkTime) {
          widget.setDisplayFormat(QStringLiteral("HH:mm:ss"));
          widget.setCalendarPopup(false);
        } else {
          widget.setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
          widget.setCalendarPopup(true);
        }
        break;
      default:
        break;
    }
  }

 private:
  TDateTimePicker& picker_;
};

}  // namespace

std::unique_ptr<TPeer> MakeDateTimePickerPeer(TDateTimePicker& picker) {
  return std::make_unique<TQtDateTimePickerPeer>(picker);
}

}  // namespace toolkit::qt
