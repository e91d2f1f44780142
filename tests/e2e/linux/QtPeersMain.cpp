// Runs the Qt toolkit backend's tests; they need an X server (xvfb-run).
#include <gtest/gtest.h>

#include "toolkit/TApplication.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The backend makes its QApplication here, as the program does.
  toolkit::Application.Initialize();
  return RUN_ALL_TESTS();
}
