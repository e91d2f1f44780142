// A drop-down list. A choice made in the list, with the arrow keys or the wheel reaches
// the model as the user's selection; the widget then shows what the model kept.
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>

#include <vector>

#include "toolkit/TComboBox.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

class TComboBoxWidget final : public TControlWidget<QComboBox> {
 public:
  TComboBoxWidget(TComboBox& comboBox, QWidget* parent)
      : TControlWidget(comboBox, parent), comboBox_(comboBox) {
    setEditable(false);
  }

 protected:
  // Characters go to the model (the form's key preview sees them); the keys that move the
  // selection or open the list stay with the widget, which reports the choice.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->text().isEmpty() || !SendKey(comboBox_, *event)) {
      QComboBox::keyPressEvent(event);
      return;
    }
    if (event->key() == Qt::Key_Space) QComboBox::keyPressEvent(event);
    event->accept();
  }

 private:
  TComboBox& comboBox_;
};

class TQtComboBoxPeer final : public TQtPeer {
 public:
  explicit TQtComboBoxPeer(TComboBox& comboBox)
      : TQtPeer(comboBox, new TComboBoxWidget(comboBox, ParentWidget(comboBox))),
        comboBox_(comboBox) {
    auto& widget = static_cast<QComboBox&>(Widget());
    QObject::connect(&widget, &QComboBox::activated, &widget, [this, &widget](int index) {
      if (Syncing()) return;
      const QPointer<QWidget> alive(&widget);
      comboBox_.UserSelect(index);
      if (alive.isNull()) return;  // the change's handler freed the control
      const TSyncScope sync(*this);
      Update(TChange::kItemIndex);
    });
    Refresh();
  }

 protected:
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

  void Update(TChange change) override {
    auto& widget = static_cast<QComboBox&>(Widget());
    switch (change) {
      case TChange::kItems: {
        widget.clear();
        for (const std::string& item : comboBox_.Items()) widget.addItem(ToQString(item));
        widget.setCurrentIndex(comboBox_.ItemIndex());
        break;
      }
      case TChange::kItemIndex:
        widget.setCurrentIndex(comboBox_.ItemIndex());
        break;
      default:
        break;
    }
  }

 private:
  TComboBox& comboBox_;
};

}  // namespace

std::unique_ptr<TPeer> MakeComboBoxPeer(TComboBox& comboBox) {
  return std::make_unique<TQtComboBoxPeer>(comboBox);
}

}  // namespace toolkit::qt
