// Runs the Linux program's end-to-end tests; they need an X server with XTEST (xvfb-run),
// xdotool, xclip and trayer.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // For Qt's double-click time, which a Qt widget would judge the program's clicks by.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
