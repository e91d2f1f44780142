// What the peer tests of the GUI backends share: a form to put controls on, and a way to let
// the backend's loop run while the real windows catch up with the model.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

// Lets the loop run for a while.
inline void Pump(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    toolkit::Application.ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

class PeersFixture : public testing::Test {
 protected:
  void SetUp() override {
    form = toolkit::MakeForm<toolkit::TForm>();
    form->SetClientSize(320, 240);
  }

  // A control of the form at left, top with the size width x height.
  template <class T>
  T& Add(toolkit::TWinControl& parent, int left, int top, int width, int height) {
    T* control = toolkit::Create<T>(*form);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return *control;
  }

  std::unique_ptr<toolkit::TForm> form;
};
