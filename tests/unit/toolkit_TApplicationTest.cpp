#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/Messages.h"
#include "toolkit/TMessageWindow.h"
#include "toolkit/TTimer.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

class ApplicationTest : public ToolkitTest {
 protected:
  // Records every exception that reaches OnException.
  void CatchExceptions() {
    Application.OnException = [this](TObject* sender, const Exception& e) {
      caught.push_back(e.what());
      senders.push_back(sender);
    };
  }
  std::vector<std::string> caught;
  std::vector<TObject*> senders;
};

TEST_F(ApplicationTest, PostedMessagesWaitForProcessMessagesAndComeInOrder) {
  std::vector<TMessage> got;
  TMessageWindow window([&](TMessage& m) { got.push_back(m); });
  PostMessage(window.Handle(), 786, 1, 0x710002);
  PostMessage(window.Handle(), 2102, 0, 514);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(headless::PendingMessages(), 2u);
  Application.ProcessMessages();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].Msg, 786u);
  EXPECT_EQ(got[0].WParam, 1u);
  EXPECT_EQ(got[0].LParam, 0x710002);
  EXPECT_EQ(got[1].Msg, 2102u);
  EXPECT_EQ(headless::PendingMessages(), 0u);
}

TEST_F(ApplicationTest, DesktopMessagesArriveThroughTheInstalledPoster) {
  // The simulated desktop posts hot-key messages with the poster Reset installed.
  std::vector<std::uint32_t> got;
  TMessageWindow window([&](TMessage& m) { got.push_back(m.Msg); });
  platform::sim::Reset();
  ASSERT_TRUE(
      platform::RegisterHotKey(window.Handle(), 1, platform::kModControl, platform::kVkF1 + 1));
  ASSERT_TRUE(platform::sim::PressHotKey(platform::kModControl, platform::kVkF1 + 1));
  EXPECT_TRUE(got.empty());  // posted, not sent
  headless::Advance(0);
  EXPECT_EQ(got, (std::vector<std::uint32_t>{platform::kWmHotKey}));
}

TEST_F(ApplicationTest, MessageToAGoneWindowIsDropped) {
  WindowHandle handle;
  int calls = 0;
  {
    TMessageWindow window([&](TMessage&) { ++calls; });
    handle = window.Handle();
    PostMessage(handle, 20, 0, 0);
  }
  Application.ProcessMessages();
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(DeliverMessage(handle, 20, 0, 0));
}

TEST_F(ApplicationTest, SendMessageReturnsTheResult) {
  TMessageWindow window([](TMessage& m) { m.Result = static_cast<std::intptr_t>(m.WParam) + 1; });
  EXPECT_EQ(SendMessage(window.Handle(), 20, 41, 0), 42);
}

TEST_F(ApplicationTest, ProcessMessagesInsideAHandlerRunsDueTimersReentrantly) {
  std::vector<std::string> log;
  TTimer slow(nullptr);
  TTimer fast(nullptr);
  slow.SetInterval(100);
  fast.SetInterval(30);
  fast.OnTimer = [&](TObject*) {
    log.push_back("fast@" + std::to_string(platform::sim::ClockMs()));
  };
  int slowTicks = 0;
  slow.OnTimer = [&](TObject*) {
    const int mine = ++slowTicks;
    log.push_back("slow" + std::to_string(mine) + " begins");
    if (mine == 1) platform::Sleep(150);  // the simulated Sleep moves the clock on
    Application.ProcessMessages();
    log.push_back("slow" + std::to_string(mine) + " ends");
  };
  headless::Advance(100);
  // The first slow tick sleeps from 100 to 250; inside it the overdue fast timer ticks
  // once, and so does the slow timer itself (its next period began at 100), nested in
  // its own tick.
  const std::vector<std::string> expected = {"fast@30",      "fast@60",   "fast@90",
                                             "slow1 begins", "fast@250",  "slow2 begins",
                                             "slow2 ends",   "slow1 ends"};
  EXPECT_EQ(log, expected);
}

TEST_F(ApplicationTest, ExceptionsGoToOnExceptionAndKeepEarlierEffects) {
  CatchExceptions();
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int before = 0;
  int after = 0;
  timer.OnTimer = [&](TObject*) {
    ++before;
    throw EConvertError("'x' is not a valid integer value");
    ++after;
  };
  headless::Advance(30);
  EXPECT_EQ(before, 3);  // the timer keeps running after a failed tick
  EXPECT_EQ(after, 0);
  ASSERT_EQ(caught.size(), 3u);
  EXPECT_EQ(caught[0], "'x' is not a valid integer value");
  EXPECT_EQ(senders[0], &timer);

  // A failing message handler ends that message only; the next one is delivered.
  std::vector<std::uintptr_t> handled;
  TMessageWindow window([&](TMessage& m) {
    handled.push_back(m.WParam);
    if (m.WParam == 1) throw std::runtime_error("not a toolkit exception");
  });
  PostMessage(window.Handle(), 20, 1, 0);
  PostMessage(window.Handle(), 20, 2, 0);
  timer.SetEnabled(false);
  Application.ProcessMessages();
  EXPECT_EQ(handled, (std::vector<std::uintptr_t>{1, 2}));
  EXPECT_EQ(caught.back(), "not a toolkit exception");
  EXPECT_EQ(senders.back(), &window);
}

TEST_F(ApplicationTest, AbortIsSilentAndUnhandledExceptionsAreShown) {
  TMessageWindow window([](TMessage& m) {
    if (m.WParam == 0) throw EAbort("");
    throw Exception("boom");
  });
  SendMessage(window.Handle(), 20, 0, 0);
  EXPECT_EQ(headless::ShownExceptionCount(), 0);
  SendMessage(window.Handle(), 20, 1, 0);
  EXPECT_EQ(headless::ShownExceptionCount(), 1);
  EXPECT_EQ(headless::LastShownException(), "boom");

  CatchExceptions();
  SendMessage(window.Handle(), 20, 0, 0);
  EXPECT_TRUE(caught.empty());  // EAbort never reaches OnException either

  // An exception thrown by the handler of OnException does not escape either.
  Application.OnException = [](TObject*, const Exception&) { throw Exception("again"); };
  SendMessage(window.Handle(), 20, 1, 0);
  EXPECT_EQ(headless::LastShownException(), "again");
}

}  // namespace
