// How the model's look becomes Qt's: colours, fonts, captions and bitmaps.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>

#include <string>

#include "toolkit/TBitmap.h"
#include "toolkit/TColor.h"
#include "toolkit/TControl.h"
#include "toolkit/TFont.h"
#include "toolkit/Types.h"

class QWidget;

namespace toolkit::qt {

QString ToQString(const std::string& text);
std::string ToStdString(const QString& text);
QRect ToQRect(const TRect& rect);

// A plain colour as it is; a system colour as the desktop's palette has it.
QColor ToQColor(TColor color);
// The model's font with a small sans-serif in place of the Windows faces, sized in pixels
// as the model gives it, so that the captions fit the bounds they were laid out for.
QFont ToQFont(const TFont& font);
// font, a pixel smaller at a time (down to 8 pixels) until text fits into width: the metric
// twins of the Windows faces run a little wider at some sizes.
QFont FittingFont(QFont font, const QString& text, int width);
// A caption without its accelerator marks, for widgets that draw no mnemonic: "&" before
// a character is dropped, "&&" is one "&".
QString WithoutAccelerators(const std::string& caption);

// Sets widget's font and colours from control: the text colour of the font and, in
// background, the control's colour. Disabled text keeps the desktop's grey.
void ApplyLook(QWidget& widget, const TControl& control, QPalette::ColorRole background);

// The area of bitmap (clipped to it) as an opaque image of its own.
QImage ImageOf(const TBitmap& bitmap, const QRect& area);

}  // namespace toolkit::qt
