#include "toolkit/qt/QtKeys.h"

#include <QByteArray>
#include <QString>

#include "toolkit/Messages.h"

namespace toolkit::qt {

namespace {

constexpr std::uint32_t kVkPrior = 0x21;
constexpr std::uint32_t kVkNext = 0x22;
constexpr std::uint32_t kVkEnd = 0x23;
constexpr std::uint32_t kVkHome = 0x24;
constexpr std::uint32_t kVkInsert = 0x2D;

}  // namespace

std::optional<std::uint32_t> VirtualKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    case Qt::Key_PageUp:
      return kVkPrior;
    case Qt::Key_PageDown:
      return kVkNext;
    case Qt::Key_Home:
      return kVkHome;
    case Qt::Key_End:
      return kVkEnd;
    case Qt::Key_Insert:
      return kVkInsert;
    case Qt::Key_Delete:
      return kVkDelete;
    default:
      return std::nullopt;
  }
}

bool SendKey(TWinControl& control, const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if ((modifiers & Qt::AltModifier) != 0) return false;
  const int key = event.key();
  if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (modifiers & Qt::ControlModifier) == 0) {
    return false;
  }
  if (const auto virtualKey = VirtualKey(key)) {
    control.UserKeyDown(*virtualKey);
    return true;
  }
  switch (key) {
    case Qt::Key_Backspace:
      control.UserTypeChar('\b');
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      control.UserTypeChar('\r');
      return true;
    case Qt::Key_Escape:
      control.UserTypeChar('\x1B');
      return true;
    default:
      break;
  }
  const QByteArray text = event.text().toUtf8();
  if (text.isEmpty()) return false;
  // One character at a time; a character beyond ASCII arrives as its UTF-8 bytes.
  for (const char c : text) control.UserTypeChar(c);
  return true;
}

void ReportFocus(TWinControl& control, Qt::FocusReason reason) {
  switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::ActiveWindowFocusReason:
      if (!control.Focused()) control.UserFocus();
      break;
    default:
      break;
  }
}

}  // namespace toolkit::qt
