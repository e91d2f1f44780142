// The base of the Qt peers: one widget per control, showing the state the model holds.
#pragma once

#include <QFocusEvent>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include "toolkit/Backend.h"
#include "toolkit/TControl.h"
#include "toolkit/TWinControl.h"
#include "toolkit/qt/QtKeys.h"

namespace toolkit::qt {

class TQtPeer : public TPeer {
 public:
  ~TQtPeer() override;
  TQtPeer(const TQtPeer&) = delete;
  TQtPeer& operator=(const TQtPeer&) = delete;

  platform::WindowHandle Handle() const override { return handle_; }
  void Changed(TChange change) override;
  // WM_ERASEBKGND counts as erased: Qt paints the background itself.
  void DefaultHandler(TMessage& message) override;

  // Where the peers of the control's children put their widgets.
  virtual QWidget& ClientWidget() { return Widget(); }
  // The widget that shows the control (a form's: its window).
  QWidget& Widget() const { return *widget_; }

 protected:
  // widget: the peer's widget, made with new and given its Qt parent (ParentWidget); the
  // peer owns it from here on. A windowed control gets a window handle.
  TQtPeer(TControl& control, QWidget* widget);

  // Reads the whole state of the control; the derived constructors call it last.
  void Refresh();

  TControl& Control() const { return control_; }

  // What the derived peer shows beyond the common state, for each change.
  virtual void Update(TChange change) { static_cast<void>(change); }
  // Places the widget at the control's bounds; forms place their window.
  virtual void Place();
  virtual void ShowVisible();
  // The palette role that the control's colour fills.
  virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }
  // The widget that takes the keyboard focus when the model gives it to the control.
  virtual QWidget& FocusWidget() { return Widget(); }

  // While alive, the peer is changing its own widget: signals that the widget sends then
  // are not the user's and must not go back into the model.
  class TSyncScope {
   public:
    explicit TSyncScope(TQtPeer& peer) : peer_(peer), before_(peer.syncing_) {
      peer_.syncing_ = true;
    }
    ~TSyncScope() { peer_.syncing_ = before_; }
    TSyncScope(const TSyncScope&) = delete;
    TSyncScope& operator=(const TSyncScope&) = delete;

   private:
    TQtPeer& peer_;
    bool before_;
  };
  bool Syncing() const { return syncing_; }

 private:
  TControl& control_;
  QPointer<QWidget> widget_;
  platform::WindowHandle handle_ = 0;
  bool syncing_ = false;
};

// The widget that the peer of control's parent gives its children, or null when control
// has no parent with a peer (a form).
QWidget* ParentWidget(const TControl& control);

// A widget that stands for a control: it reports the focus that the user gives it.
template <class Base>
class TControlWidget : public Base {
 public:
  explicit TControlWidget(TControl& control, QWidget* parent) : Base(parent), control_(control) {}
  TControl& Control() const { return control_; }

 protected:
  void focusInEvent(QFocusEvent* event) override {
    Base::focusInEvent(event);
    if (auto* windowed = dynamic_cast<TWinControl*>(&control_)) {
      ReportFocus(*windowed, event->reason());
    }
  }

 private:
  TControl& control_;
};

}  // namespace toolkit::qt
