// A fresh headless toolkit for each toolkit test: clock at 0, empty queues, default time
// and locale, no exception handler.
#pragma once

#include <gtest/gtest.h>

#include "toolkit/TApplication.h"
#include "toolkit/headless/Headless.h"

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::headless::Reset();
    toolkit::Application.OnException = nullptr;
  }
  void TearDown() override { toolkit::Application.OnException = nullptr; }
};
