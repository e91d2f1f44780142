#include "toolkit/qt/QtLook.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace toolkit::qt {

namespace {

// The palette role that stands for each of the system's colour indexes (0 to 30).
struct TSystemRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};
constexpr std::array<std::optional<TSystemRole>, 31> kSystemRoles = {{
    TSystemRole{QPalette::Active, QPalette::Mid},              // scroll bar
    TSystemRole{QPalette::Active, QPalette::Shadow},           // desktop background
    TSystemRole{QPalette::Active, QPalette::Highlight},        // active caption
    TSystemRole{QPalette::Inactive, QPalette::Mid},            // inactive caption
    TSystemRole{QPalette::Active, QPalette::Window},           // menu
    TSystemRole{QPalette::Active, QPalette::Base},             // window
    TSystemRole{QPalette::Active, QPalette::Shadow},           // window frame
    TSystemRole{QPalette::Active, QPalette::WindowText},       // menu text
    TSystemRole{QPalette::Active, QPalette::WindowText},       // window text
    TSystemRole{QPalette::Active, QPalette::HighlightedText},  // caption text
    TSystemRole{QPalette::Active, QPalette::Window},           // active border
    TSystemRole{QPalette::Inactive, QPalette::Window},         // inactive border
    TSystemRole{QPalette::Active, QPalette::Dark},             // application work space
    TSystemRole{QPalette::Active, QPalette::Highlight},        // highlight
    TSystemRole{QPalette::Active, QPalette::HighlightedText},  // highlight text
    TSystemRole{QPalette::Active, QPalette::Window},           // button face
    TSystemRole{QPalette::Active, QPalette::Dark},             // button shadow
    TSystemRole{QPalette::Disabled, QPalette::Text},           // grey text
    TSystemRole{QPalette::Active, QPalette::ButtonText},       // button text
    TSystemRole{QPalette::Inactive, QPalette::WindowText},     // inactive caption text
    TSystemRole{QPalette::Active, QPalette::Light},            // button highlight
    TSystemRole{QPalette::Active, QPalette::Shadow},           // 3-D dark shadow
    TSystemRole{QPalette::Active, QPalette::Midlight},         // 3-D light
    TSystemRole{QPalette::Active, QPalette::ToolTipText},      // info text
    TSystemRole{QPalette::Active, QPalette::ToolTipBase},      // info background
    std::nullopt,                                              // (unused index 25)
    TSystemRole{QPalette::Active, QPalette::Link},             // hot light
    TSystemRole{QPalette::Active, QPalette::Highlight},        // gradient active caption
    TSystemRole{QPalette::Inactive, QPalette::Mid},            // gradient inactive caption
    TSystemRole{QPalette::Active, QPalette::Highlight},        // menu highlight
    TSystemRole{QPalette::Active, QPalette::Window},           // menu bar
}};

// Metric twins of the Windows sans-serif faces first, then what every desktop has.
const QStringList& SansSerifFamilies() {
  static const QStringList families = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                       QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                                       QStringLiteral("DejaVu Sans")};
  return families;
}

bool IsWindowsSansSerif(const std::string& name) {
  for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Segoe UI", "Arial",
                           "MS Shell Dlg", "MS Shell Dlg 2"}) {
    if (name == face) return true;
  }
  return name.empty();
}

}  // namespace

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

std::string ToStdString(const QString& text) {
  return text.toStdString();
}

QRect ToQRect(const TRect& rect) {
  return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

QColor ToQColor(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if (color == clNone || color == clDefault) return {};
  if ((bits & 0xFF000000u) == 0xFF000000u) {
    const std::uint32_t index = bits & 0xFFu;
    if (index >= kSystemRoles.size() || !kSystemRoles[index]) return {};
    const TSystemRole& system = *kSystemRoles[index];
    return QApplication::palette().color(system.group, system.role);
  }
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

QFont ToQFont(const TFont& font) {
  QFont result;
  QStringList families = SansSerifFamilies();
  if (!IsWindowsSansSerif(font.Name)) families.prepend(ToQString(font.Name));
  result.setFamilies(families);
  result.setStyleHint(QFont::SansSerif);
  // A negative height is the character height in pixels; a positive one the cell height,
  // of which the internal leading takes about a sixth.
  int pixels = 11;
  if (font.Height < 0) pixels = -font.Height;
  if (font.Height > 0) pixels = static_cast<int>(std::lround(font.Height * 5.0 / 6.0));
  result.setPixelSize(pixels > 0 ? pixels : 1);
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  result.setUnderline(font.Underline);
  return result;
}

QFont FittingFont(QFont font, const QString& text, int width) {
  constexpr int kSmallest = 8;
  while (font.pixelSize() > kSmallest && QFontMetrics(font).horizontalAdvance(text) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

QString WithoutAccelerators(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return ToQString(shown);
}

void ApplyLook(QWidget& widget, const TControl& control, QPalette::ColorRole background) {
  widget.setFont(ToQFont(control.Font()));
  QPalette palette = widget.palette();
  const QColor text = ToQColor(control.Font().Color);
  if (text.isValid()) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      for (const QPalette::ColorRole role :
           {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(group, role, text);
      }
    }
  }
  const QColor fill = ToQColor(control.Color());
  if (fill.isValid()) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, background, fill);
    }
    if (background != QPalette::Base) palette.setColor(QPalette::Disabled, background, fill);
  }
  widget.setPalette(palette);
}

QImage ImageOf(const TBitmap& bitmap, const QRect& area) {
  const QRect clipped = area.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
  QImage image(clipped.size(), QImage::Format_RGB32);
  for (int y = 0; y < clipped.height(); ++y) {
    const std::uint32_t* source = bitmap.ScanLine(clipped.top() + y) + clipped.left();
    auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    // The bitmap's pixels are 0x00RRGGBB; Qt's RGB32 wants the top byte set.
    for (int x = 0; x < clipped.width(); ++x) target[x] = 0xFF000000u | source[x];
  }
  return image;
}

}  // namespace toolkit::qt
