// How the model's look becomes Win32's: text, colours, brushes, fonts and pictures.
#pragma once

#include <windows.h>
// windows.h maps these names to its A and W functions; here they are the toolkit's own
// (toolkit::SendMessage, backend::PostMessage), and the system's are called by full name.
#undef PostMessage
#undef SendMessage

#include <string>

#include "toolkit/TBitmap.h"
#include "toolkit/TColor.h"
#include "toolkit/TFont.h"

namespace toolkit::win32 {

// The model holds UTF-8; the windows are UTF-16.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// A plain colour as it is; a system colour as the desktop has it now.
COLORREF ToColorRef(TColor color);
// A solid brush of color, kept for the whole run (the few colours the forms use).
HBRUSH BrushOf(TColor color);
// The font, made once per distinct font and kept for the whole run. "MS Sans Serif" is
// used where the system has it, else the system's message font in its place.
HFONT FontOf(const TFont& font);
// The header that hands a TBitmap's 32-bit rows, top row first, to SetDIBitsToDevice and
// StretchDIBits.
BITMAPINFO DibInfoOf(const TBitmap& bitmap);

}  // namespace toolkit::win32
