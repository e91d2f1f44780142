// The Qt backend: the loops run on Qt's event loop, posted messages and timers go through
// one QObject of ours, and each control is shown by a Qt widget (the peers).
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QObject>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTime>
#include <QTimerEvent>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <unordered_map>

#include "platform/x11/X11Events.h"
#include "toolkit/Backend.h"
#include "toolkit/Messages.h"
#include "toolkit/PeerMakers.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"
#include "toolkit/qt/DesktopNotes.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtPeers.h"
#include "toolkit/qt/QtRuntime.h"

namespace toolkit {

namespace {

struct TPosted {
  WindowHandle handle;
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// Delivers the posted messages and fires the timers, both as Qt events of this object.
class TQtEventHub final : public QObject {
 public:
  void Post(const TPosted& posted) {
    queue_.push_back(posted);
    if (wakePending_) return;
    wakePending_ = true;
    QCoreApplication::postEvent(this, new QEvent(DeliverEventType()));
  }

  // Every queued message, also those posted meanwhile, in posting order.
  void DeliverPosted() {
    while (!queue_.empty()) {
      const TPosted posted = queue_.front();
      queue_.pop_front();
      DeliverMessage(posted.handle, posted.msg, posted.wParam, posted.lParam);
    }
  }

  void StartTimer(TTimer& timer) {
    // A precise timer's next timeout is the last one plus the interval (and the interval
    // from now when that has passed already), so a late wake-up or a long tick does not
    // push the later ticks back; the ticks it is late for are dropped, not caught up.
    const int id = startTimer(static_cast<int>(timer.Interval()), Qt::PreciseTimer);
    if (id == 0) {
      std::fprintf(stderr, "pilgrove: QObject::startTimer failed for an interval of %u ms\n",
                   timer.Interval());
      return;
    }
    timers_[id] = &timer;
    ids_[&timer] = id;
  }

  void StopTimer(TTimer& timer) {
    const auto found = ids_.find(&timer);
    if (found == ids_.end()) return;
    killTimer(found->second);
    timers_.erase(found->second);
    ids_.erase(found);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != DeliverEventType()) return QObject::event(event);
    wakePending_ = false;
    DeliverPosted();
    return true;
  }

  void timerEvent(QTimerEvent* event) override {
    // Messages first: the system makes a timer message only for an empty queue. A message
    // handler may have stopped or freed the timer.
    DeliverPosted();
    const auto found = timers_.find(event->timerId());
    if (found != timers_.end()) found->second->Tick();
  }

 private:
  static QEvent::Type DeliverEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }

  std::deque<TPosted> queue_;
  bool wakePending_ = false;
  std::unordered_map<int, TTimer*> timers_;
  std::unordered_map<TTimer*, int> ids_;
};

// The application object and the hub, made together on first use and never destroyed:
// Qt's own globals go at exit before any static of ours could take the application down,
// and the process's end closes the X connection anyway.
struct TRuntime {
  static int argc;
  static char* argv[];

  TRuntime() : application(argc, argv) {}

  QApplication application;
  TQtEventHub hub;
};

char kProgramName[] = "pilgrove";
int TRuntime::argc = 1;
char* TRuntime::argv[] = {kProgramName, nullptr};

TRuntime* MakeRuntime() {
  // The windows must be X11 clients like the desktop services, also under XWayland, and
  // the model's pixel bounds must be device pixels.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::fprintf(stderr,
                 "pilgrove: no X display (DISPLAY is not set); start it on an X11 desktop, "
                 "or run ./run.sh, which shows it on a virtual one\n");
    std::exit(1);
  }
  return new TRuntime;
}

TRuntime& Runtime() {
  static TRuntime* const runtime = MakeRuntime();
  return *runtime;
}

void HookX11Events(QApplication& application) {
  const int fd = platform::x11::EventFd();
  if (fd < 0) return;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &application,
                   [] { platform::x11::ProcessEvents(); });
  // Xlib may have read our events into its own queue while waiting for a reply; then the
  // descriptor stays quiet, so the queue is looked at whenever Qt is about to wait.
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                   &application, [] { platform::x11::ProcessEvents(); });
}

QIcon ProgramIcon() {
  QIcon icon = QIcon::fromTheme(QStringLiteral("pilgrove"));
  for (const char* file : {":/pilgrove/pilgrove-16.png", ":/pilgrove/pilgrove-48.png"}) {
    const QString path = QString::fromLatin1(file);
    if (QFile::exists(path)) icon.addFile(path);
  }
  return icon;
}

}  // namespace

namespace qt {

QApplication& EnsureApplication() {
  return Runtime().application;
}

platform::WindowHandle NewHandle() {
  static platform::WindowHandle next = 0x10000;
  return next++;
}

}  // namespace qt

namespace backend {

void Initialize() {
  QApplication& application = qt::EnsureApplication();
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setDesktopFileName(QStringLiteral("pilgrove"));
  // One look everywhere, close to the sizes the forms were laid out for, unless the user
  // asked for a style of their own.
  if (qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE")) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
  QApplication::setFont(qt::ToQFont(TFont{}));
  const QIcon icon = ProgramIcon();
  if (!icon.isNull()) QApplication::setWindowIcon(icon);
  platform::SetMessagePoster(&backend::PostMessage);
  HookX11Events(application);
  qt::ScheduleDesktopNotes();
}

std::unique_ptr<TPeer> CreatePeer(TControl& control) {
  static constexpr TPeerMakers kMakers{
      .form = &qt::MakeFormPeer,
      .frame = &qt::MakeFramePeer,
      .panel = &qt::MakePanelPeer,
      .groupBox = &qt::MakeGroupBoxPeer,
      .label = &qt::MakeLabelPeer,
      .edit = &qt::MakeEditPeer,
      .upDown = &qt::MakeUpDownPeer,
      .radioButton = &qt::MakeRadioButtonPeer,
      .comboBox = &qt::MakeComboBoxPeer,
      .dateTimePicker = &qt::MakeDateTimePickerPeer,
      .button = &qt::MakeButtonPeer,
      .image = &qt::MakeImagePeer,
  };
  return MakePeer(control, kMakers);
}

void RunLoop() {
  qt::EnsureApplication();
  while (!Application.Terminated()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // processEvents leaves deleteLater's work to an event loop; this is the outermost one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void ModalLoop(TForm& form) {
  qt::EnsureApplication();
  while (form.ModalResult() == mrNone && !Application.Terminated()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

platform::WindowHandle CreateMessageWindow() {
  return qt::NewHandle();
}

void DestroyMessageWindow(platform::WindowHandle) {}

void PostMessage(platform::WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  Runtime().hub.Post({handle, msg, wParam, lParam});
}

void ProcessMessages() {
  TQtEventHub& hub = Runtime().hub;
  platform::x11::ProcessEvents();
  hub.DeliverPosted();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  hub.DeliverPosted();
}

void StartTimer(TTimer& timer) {
  Runtime().hub.StartTimer(timer);
}

void StopTimer(TTimer& timer) {
  Runtime().hub.StopTimer(timer);
}

TDateTime Now() {
  static const QDate dayZero(1899, 12, 30);
  const QDateTime now = QDateTime::currentDateTime();
  return static_cast<double>(dayZero.daysTo(now.date())) +
         static_cast<double>(now.time().msecsSinceStartOfDay()) / kMSecsPerDay;
}

std::int64_t PerformanceCounter() {
  return std::chrono::steady_clock::now().time_since_epoch().count();
}

char TimeSeparator() {
  // The first character between the fields of the locale's time format ("HH:mm").
  for (const QChar c : QLocale().timeFormat(QLocale::ShortFormat)) {
    if (!c.isLetter() && !c.isSpace() && c.unicode() < 0x80) return static_cast<char>(c.unicode());
  }
  return ':';
}

char ThousandSeparator() {
  const QString separator = QLocale().groupSeparator();
  if (separator.isEmpty()) return ',';
  const QChar c = separator.front();
  if (c.unicode() < 0x80) return static_cast<char>(c.unicode());
  // A no-break or narrow space outside ASCII: the edits hold plain text.
  return c.isSpace() ? ' ' : ',';
}

void ShowException(const std::string& text) {
  std::fprintf(stderr, "pilgrove: %s\n", text.c_str());
  // Not modal: a modal box would run a loop of its own inside the failing handler.
  auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Pilgrove"),
                              QString::fromStdString(text), QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}

}  // namespace backend

}  // namespace toolkit
