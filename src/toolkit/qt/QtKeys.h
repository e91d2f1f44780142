// Key presses and focus changes of Qt widgets, handed to the model as the user's.
#pragma once

#include <QKeyEvent>
#include <Qt>

#include <cstdint>
#include <optional>

#include "toolkit/TWinControl.h"

namespace toolkit::qt {

// The virtual key of a key that makes no character by itself (arrows, Home, Delete ...).
std::optional<std::uint32_t> VirtualKey(int qtKey);

// Hands a key press to control: a character (Backspace 8, Enter 13, Escape 27 included)
// through UserTypeChar, a key of VirtualKey through UserKeyDown. Returns false for what the
// widget keeps: Tab and Shift+Tab (focus moves), Alt combinations (menus, mnemonics) and
// keys that mean nothing to the model (function and modifier keys).
bool SendKey(TWinControl& control, const QKeyEvent& event);

// The widget of control got the focus: when the user moved it there (a click, Tab, a
// mnemonic, the window becoming active), the model hears of it.
void ReportFocus(TWinControl& control, Qt::FocusReason reason);

}  // namespace toolkit::qt
