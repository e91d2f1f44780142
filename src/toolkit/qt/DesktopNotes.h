// Notes to the user about the desktop the program runs on, each shown once per run.
#pragma once

namespace toolkit::qt {

// Once the loop runs: when no system tray is there, a note that the window comes back
// with the stop hot key; under a Wayland session, a note that only X11 programs are
// reached. Each note is a window that blocks nothing, and a line on stderr.
void ScheduleDesktopNotes();

}  // namespace toolkit::qt
