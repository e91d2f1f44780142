// A form: a top-level window with an optional menu bar above a surface widget, which is
// the form's client area and holds the children's widgets.
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <map>

#include "toolkit/Messages.h"
#include "toolkit/TForm.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/TQtPeer.h"

namespace toolkit::qt {

namespace {

class TQtFormPeer;

// The client area: what the user types or clicks on the form itself goes to the form.
class TFormSurface final : public TControlWidget<QWidget> {
 public:
  TFormSurface(TForm& form, QWidget* parent) : TControlWidget(form, parent), form_(form) {
    setAutoFillBackground(true);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!SendKey(form_, *event)) QWidget::keyPressEvent(event);
  }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      form_.UserClick();
    }
  }

 private:
  TForm& form_;
};

class TFormWindow final : public QWidget {
 public:
  explicit TFormWindow(TQtFormPeer& peer) : QWidget(nullptr, Qt::Window), peer_(peer) {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  TQtFormPeer& peer_;
};

class TQtFormPeer final : public TQtPeer {
 public:
  explicit TQtFormPeer(TForm& form)
      : TQtPeer(form, new TFormWindow(*this)),
        form_(form),
        surface_(new TFormSurface(form, &Widget())),
        menuBar_(new QMenuBar(&Widget())) {
    menuBar_->setNativeMenuBar(false);
    Refresh();
  }

  QWidget& ClientWidget() override { return *surface_; }

  // The close box or Alt+F4, through the window manager.
  void CloseRequested() { form_.UserClose(); }

  // The window manager minimised or restored the window.
  void WindowStateChanged() {
    if (Syncing()) return;
    const bool minimized = (Widget().windowState() & Qt::WindowMinimized) != 0;
    if (minimized && form_.WindowState() != wsMinimized) {
      form_.UserSystemCommand(kScMinimize);
    } else if (!minimized && form_.WindowState() == wsMinimized) {
      form_.UserSystemCommand(kScRestore);
    }
    // Whatever the model made of it (a form may hide instead of minimising).
    const TSyncScope sync(*this);
    ApplyWindowState();
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kCaption:
        Widget().setWindowTitle(ToQString(form_.Caption()));
        break;
      case TChange::kStyle:
        ApplyWindowFlags();
        break;
      case TChange::kWindowState:
        ApplyWindowFlags();
        ApplyWindowState();
        break;
      case TChange::kMenu:
        BuildMenu();
        break;
      case TChange::kZOrder:
        if (form_.Visible()) {
          Widget().raise();
          Widget().activateWindow();
        }
        break;
      default:
        break;
    }
  }

  void Place() override {
    const TRect bounds = form_.BoundsRect();
    const int menuHeight = menuBar_->isHidden() ? 0 : menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, bounds.Width(), menuHeight);
    surface_->setGeometry(0, menuHeight, bounds.Width(), bounds.Height());
    Widget().setFixedSize(bounds.Width(), bounds.Height() + menuHeight);
    if (form_.Position() == poDesigned || form_.BorderStyle() == bsNone) {
      Widget().move(bounds.Left, bounds.Top);
    }
  }

  void ShowVisible() override {
    if (!form_.Visible()) {
      // A window hidden while minimised comes back restored.
      Widget().setWindowState(Widget().windowState() & ~Qt::WindowMinimized);
      Widget().hide();
      return;
    }
    if (!placed_) {
      placed_ = true;
      if (form_.Position() != poDesigned && form_.BorderStyle() != bsNone) Center();
    }
    Widget().setWindowModality(form_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
    ApplyWindowFlags();
    ApplyWindowState();
    Widget().show();
    Widget().raise();
    Widget().activateWindow();
  }

  QWidget& FocusWidget() override { return *surface_; }

 private:
  // A borderless maximised form covers the whole screen: without a window manager a
  // full-screen request does nothing, and with one it would cover a single monitor, so
  // the window bypasses the manager and takes the root window's size (the bounds the
  // model gave it) before it is shown.
  bool CoversScreen() const {
    return form_.BorderStyle() == bsNone && form_.WindowState() == wsMaximized;
  }

  void ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    const TBorderIcons icons = form_.BorderIcons();
    switch (form_.BorderStyle()) {
      case bsNone:
        flags |= Qt::FramelessWindowHint;
        if (CoversScreen()) flags |= Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint;
        break;
      case bsDialog:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if ((icons & biSystemMenu) != 0)
          flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
      case bsSingle:
      case bsSizeable:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if ((icons & biSystemMenu) != 0)
          flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((icons & biMinimize) != 0) flags |= Qt::WindowMinimizeButtonHint;
        break;
    }
    if (flags == Widget().windowFlags()) return;
    // Changing the flags of a shown window hides it; it shows again as it was.
    const bool shown = Widget().isVisible();
    Widget().setWindowFlags(flags);
    if (shown) Widget().show();
  }

  void ApplyWindowState() {
    Qt::WindowStates state = Widget().windowState() &
                             ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (form_.WindowState() == wsMinimized) state |= Qt::WindowMinimized;
    if (form_.WindowState() == wsMaximized && !CoversScreen()) state |= Qt::WindowMaximized;
    if (state != Widget().windowState()) Widget().setWindowState(state);
  }

  void Center() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize size = Widget().size();
    Widget().move(area.x() + (area.width() - size.width()) / 2,
                  area.y() + (area.height() - size.height()) / 2);
  }

  // The menu bar is rebuilt from the model's items after every change. A chosen item is
  // handed to the model once the menu has closed, as the system posts WM_COMMAND, so that
  // its handler may change the menu (which deletes these actions) or run a modal loop.
  void BuildMenu() {
    items_.clear();
    menuBar_->clear();
    const TMainMenu* menu = form_.Menu();
    bool any = false;
    if (menu != nullptr) {
      const TMenuItem& root = menu->Items();
      for (int i = 0; i < root.Count(); ++i) {
        TMenuItem& item = *root.Items(i);
        if (!item.Visible()) continue;
        any = true;
        if (item.Count() == 0) {
          AddItem(item, *menuBar_);
        } else {
          QMenu* sub = menuBar_->addMenu(ToQString(item.Caption()));
          sub->setEnabled(item.Enabled());
          AddItems(item, *sub);
        }
      }
    }
    menuBar_->setVisible(any);
    Place();
  }

  void AddItems(const TMenuItem& parent, QMenu& menu) {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem& item = *parent.Items(i);
      if (!item.Visible()) continue;
      if (item.Count() == 0) {
        AddItem(item, menu);
      } else {
        QMenu* sub = menu.addMenu(ToQString(item.Caption()));
        sub->setEnabled(item.Enabled());
        AddItems(item, *sub);
      }
    }
  }

  void AddItem(TMenuItem& item, QWidget& container) {
    auto* action = new QAction(ToQString(item.Caption()), &container);
    action->setEnabled(item.Enabled());
    container.addAction(action);
    items_[action] = &item;
    QObject::connect(action, &QAction::triggered, surface_, [this, action] {
      QTimer::singleShot(0, surface_, [this, chosen = QPointer<QAction>(action)] {
        if (chosen.isNull()) return;
        const auto found = items_.find(chosen.data());
        if (found != items_.end()) found->second->UserClick();
      });
    });
  }

  TForm& form_;
  TFormSurface* surface_;  // owned by the window
  QMenuBar* menuBar_;      // owned by the window
  std::map<QAction*, TMenuItem*> items_;
  bool placed_ = false;
};

void TFormWindow::closeEvent(QCloseEvent* event) {
  // The model decides: it hides the window, ends a modal loop or ends the program.
  event->ignore();
  if (event->spontaneous()) peer_.CloseRequested();
}

void TFormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) peer_.WindowStateChanged();
}

}  // namespace

std::unique_ptr<TPeer> MakeFormPeer(TForm& form) {
  return std::make_unique<TQtFormPeer>(form);
}

}  // namespace toolkit::qt
