// Runs the X11 backend's end-to-end tests; they need an X server (xvfb-run) with XTEST.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The tray icon is Qt's and needs the application object that the program has too; the
  // backend must work beside Qt's own X connection, so it is there for every test.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
