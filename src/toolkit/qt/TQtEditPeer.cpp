// An edit. The widget keeps no text of its own making: every key that would change the
// text goes to the model, which sends the new text back. Only moving the caret and
// selecting are left to the widget, and reported to the model as the user's selection.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <string>

#include "toolkit/Messages.h"
#include "toolkit/TEdit.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

// The model counts bytes of UTF-8, the widget UTF-16 units.
int ToModelPosition(const QString& text, int position) {
  return static_cast<int>(text.left(position).toUtf8().size());
}

int ToWidgetPosition(const std::string& text, int position) {
  return static_cast<int>(QString::fromUtf8(text.data(), position).size());
}

bool MovesCaretOnly(const QKeyEvent& event) {
  if ((event.modifiers() & Qt::AltModifier) != 0) return false;
  switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

class TEditWidget final : public TControlWidget<QLineEdit> {
 public:
  TEditWidget(TEdit& edit, QWidget* parent) : TControlWidget(edit, parent), edit_(edit) {
    setDragEnabled(false);
    setAcceptDrops(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    event->accept();
    if (event->matches(QKeySequence::Paste)) {
      edit_.UserPaste(ToStdString(QGuiApplication::clipboard()->text()));
    } else if (event->matches(QKeySequence::Copy)) {
      copy();
    } else if (event->matches(QKeySequence::Cut)) {
      copy();
      if (hasSelectedText()) edit_.UserKeyDown(kVkDelete);
    } else if (event->matches(QKeySequence::SelectAll)) {
      edit_.UserSelect(0, static_cast<int>(edit_.Text().size()));
    } else if (MovesCaretOnly(*event)) {
      QLineEdit::keyPressEvent(event);
    } else if (!SendKey(edit_, *event)) {
      event->ignore();
    }
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    for (const char c : event->commitString().toUtf8()) edit_.UserTypeChar(c);
    event->accept();
  }

  // The middle button pastes the X selection, through the model like any paste.
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::MiddleButton) QLineEdit::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::MiddleButton) {
      QLineEdit::mouseReleaseEvent(event);
      return;
    }
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
      edit_.UserPaste(ToStdString(clipboard->text(QClipboard::Selection)));
    }
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this, [this] { copy(); })
        ->setEnabled(hasSelectedText());
    menu.addAction(QStringLiteral("&Paste"), this,
                   [this] { edit_.UserPaste(ToStdString(QGuiApplication::clipboard()->text())); })
        ->setEnabled(!edit_.ReadOnly());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Select &All"), this,
                   [this] { edit_.UserSelect(0, static_cast<int>(edit_.Text().size())); });
    menu.exec(event->globalPos());
  }

 private:
  TEdit& edit_;
};

class TQtEditPeer final : public TQtPeer {
 public:
  explicit TQtEditPeer(TEdit& edit)
      : TQtPeer(edit, new TEditWidget(edit, ParentWidget(edit))), edit_(edit) {
    auto& widget = static_cast<QLineEdit&>(Widget());
    QObject::connect(&widget, &QLineEdit::cursorPositionChanged, &widget,
                     [this] { ReportSelection(); });
    QObject::connect(&widget, &QLineEdit::selectionChanged, &widget, [this] { ReportSelection(); });
    Refresh();
  }

 protected:
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

  void Update(TChange change) override {
    auto& widget = static_cast<QLineEdit&>(Widget());
    switch (change) {
      case TChange::kText:
        widget.setText(ToQString(edit_.Text()));
        ShowSelection();
        break;
      case TChange::kSelection:
        ShowSelection();
        break;
      case TChange::kReadOnly:
        widget.setReadOnly(edit_.ReadOnly());
        break;
      default:
        break;
    }
  }

 private:
  void ShowSelection() {
    auto& widget = static_cast<QLineEdit&>(Widget());
    const int start = ToWidgetPosition(edit_.Text(), edit_.SelStart());
    const int end = ToWidgetPosition(edit_.Text(), edit_.SelStart() + edit_.SelLength());
    const int shownStart =
        widget.hasSelectedText() ? widget.selectionStart() : widget.cursorPosition();
    const int shownLength = widget.hasSelectedText() ? widget.selectionLength() : 0;
    if (shownStart == start && shownLength == end - start) return;
    if (end > start) {
      widget.setSelection(start, end - start);
    } else {
      widget.setCursorPosition(start);
    }
  }

  void ReportSelection() {
    if (Syncing()) return;
    const auto& widget = static_cast<const QLineEdit&>(Widget());
    const QString text = widget.text();
    int start = widget.cursorPosition();
    int end = start;
    if (widget.hasSelectedText()) {
      start = widget.selectionStart();
      end = widget.selectionEnd();
    }
    const int modelStart = ToModelPosition(text, start);
    const int modelLength = ToModelPosition(text, end) - modelStart;
    if (modelStart == edit_.SelStart() && modelLength == edit_.SelLength()) return;
    edit_.UserSelect(modelStart, modelLength);
  }

  TEdit& edit_;
};

}  // namespace

std::unique_ptr<TPeer> MakeEditPeer(TEdit& edit) {
  return std::make_unique<TQtEditPeer>(edit);
}

}  // namespace toolkit::qt
