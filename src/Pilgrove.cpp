// The program: one main window and its message loop.
#include "matching/BitmapData.h"
#include "toolkit/TApplication.h"
#include "ui/uMain2.h"

int main() {
  toolkit::Application.Initialize();
  toolkit::Application.SetTitle("Pilgrove");
  // Screen grabs use the primary screen's size as it is now, for the whole run.
  RecordScreenSize();
  toolkit::Application.CreateForm<TMainForm>();
  toolkit::Application.Run();
  return 0;
}
