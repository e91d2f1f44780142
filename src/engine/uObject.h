// The click job (TMouseObj) and the click runner that carries it out (TBaseCtrl).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/TRunnerOwner.h"
#include "matching/BitmapData.h"

namespace toolkit {
class TObject;
class TTimer;
}  // namespace toolkit

enum TClickTarget : std::uint8_t { ctCurrent, ctFixed, ctColor, ctPicture };
enum TClickButton : std::uint8_t { cbLeft, cbRight, cbMiddle };
enum TClickAction : std::uint8_t { caSingle, caDouble, caDown, caUp };
enum TStartMode : std::uint8_t { smNow, smAt, smAfter };
enum TStopMode : std::uint8_t { stCommand, stRepeat };
enum TAfterClick : std::uint8_t { acNothing, acBack, acBackClick };

// One auto-click task: a plain record of settings plus the search picture decoded from
// pictureText. The settings panel overwrites every field before each run.
class TMouseObj {
 public:
  TMouseObj();
  virtual ~TMouseObj();
  TMouseObj(const TMouseObj&) = delete;
  TMouseObj& operator=(const TMouseObj&) = delete;

  // The search picture, decoded from pictureText on the first call and kept: later calls
  // return the same buffer without decoding again. Null when pictureText is empty. A
  // picture text that does not decode raises EConvertError and leaves no cache, so the
  // next call tries again. The buffer stays the job's.
  TBDBitmapData* GetPicture();

  // Built by GetPicture only. Whoever assigns a new pictureText reloads this cache (when
  // there is one) from the same BMP bytes; it is never decoded twice.
  std::unique_ptr<TBDBitmapData> pictureCache;
  std::int32_t pointX = 0;
  std::int32_t pointY = 0;
  std::string startTime;
  std::int32_t startDelay = 10000;  // seconds
  std::int32_t repeatTimes = 100;
  std::string colorName = "clBlack";
  std::int32_t scopeTop = 0;
  std::int32_t scopeBottom = 768;
  std::int32_t scopeLeft = 0;
  std::int32_t scopeRight = 1024;
  std::string pictureText;  // Base64 of a 24-bit BMP file; empty: no picture
  std::int32_t colorSimilar = 100;
  std::int32_t pictureSimilar = 100;
  std::int32_t randomMin = 100;  // ms
  std::int32_t randomMax = 5000;
  TClickTarget targetMode = ctCurrent;
  TClickButton mouseButton = cbLeft;
  TClickAction mouseAction = caSingle;
  TStartMode startMode = smNow;
  TStopMode stopMode = stCommand;
  TAfterClick afterClick = acNothing;
  bool partScreen = false;
  bool randomInterval = false;
  std::int32_t interval = 1000;  // ms
  std::uint8_t hotKeyStart = 1;  // F2, with Ctrl
  std::uint8_t hotKeyStop = 2;   // F3, with Ctrl
  std::string clickName = "New Click";
};

// The click runner: one timer, first counting down once a second to the start condition,
// then ticking at the click interval to find the target, click it and count.
class TBaseCtrl : public TMouseObj {
 public:
  TBaseCtrl();
  ~TBaseCtrl() override;

  // Begins a run with the current settings (again from the countdown's start when one is
  // under way). owner may be null: then no title is written and nobody is told of the end.
  void Start(TRunnerOwner* owner);
  // Ends a run at once; harmless before any Start. counter keeps its value.
  void Stop();

  // The timer's handlers, one per phase.
  void CountdownTick(toolkit::TObject* sender);
  void ClickTick(toolkit::TObject* sender);
  // Draws a new click interval between randomMin and randomMax into the timer.
  void NextRandomInterval();

  TRunnerOwner* ownerForm = nullptr;       // not owned
  std::unique_ptr<toolkit::TTimer> timer;  // created by the first Start
  std::int32_t counter = 0;  // countdown: ticks since Start; clicking: clicks of this run
  bool running = false;      // true in the click phase only

 private:
  // Both tick handlers dispatch the messages waiting in the queue, and any of them may
  // stop the run, start a new one or close the main window, which frees this runner.
  // A tick therefore notes which run it serves and keeps a weak reference to a token
  // the runner owns; after each dispatch it goes on only when the token still lives
  // (the runner was not freed) and the run is the same one (no Stop or Start came in
  // between). Noticing beats deferring the free: the close needs no cooperation from
  // the main window, and a freed runner is never touched.
  struct TTickTicket {
    std::weak_ptr<const char> life;
    std::uint64_t run;
  };
  TTickTicket Ticket() const { return {life_, run_}; }
  // Dispatches the waiting messages; true when the tick of ticket may go on. Touches no
  // member once the runner has been freed.
  bool DispatchMessages(const TTickTicket& ticket);
  // The first click phase tick comes one interval after this.
  void EnterClickPhase();
  void SendButtonEvents(std::int32_t x, std::int32_t y);
  // Sends one button event and notes which buttons it leaves held down.
  void SendButton(std::uint32_t flag, std::int32_t x, std::int32_t y);
  // Lets go of every button this runner pressed and did not release since.
  void ReleaseHeldButtons();

  std::shared_ptr<const char> life_ = std::make_shared<const char>();
  std::uint64_t run_ = 0;          // a new value for every Start and every Stop
  std::uint32_t heldButtons_ = 0;  // the down flags of the buttons held down
};
