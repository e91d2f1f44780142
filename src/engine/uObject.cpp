#include "engine/uObject.h"

#include "matching/uFunction.h"
#include "platform/Desktop.h"
#include "toolkit/Random.h"
#include "toolkit/Rounding.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TApplication.h"
#include "toolkit/TDateTime.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/TTimer.h"

namespace {

// Three blanks before "times:".
constexpr char kTimesCaption[] = "Pilgrove 4.1.6   times:";

constexpr std::uint32_t kCountdownPeriod = 1000;  // ms

// The timer's interval is unsigned, as the component library's is: a negative period
// becomes a huge one, so such a run never clicks in practice.
std::uint32_t TimerInterval(std::int64_t ms) {
  return static_cast<std::uint32_t>(ms);
}

// counter + 1, wrapping at the 32-bit limit instead of overflowing (a run at 1 ms gets
// there after 25 days).
void Increment(std::int32_t& counter) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u);
}

// A time of day as whole milliseconds since midnight.
std::int64_t MillisecondsOfDay(toolkit::TDateTime time) {
  return toolkit::Round(static_cast<long double>(time) * toolkit::kMSecsPerDay);
}

struct TButtonFlags {
  std::uint32_t down;
  std::uint32_t up;
};

TButtonFlags FlagsOf(TClickButton button) {
  switch (button) {
    case cbRight:
      return {platform::kMouseRightDown, platform::kMouseRightUp};
    case cbMiddle:
      return {platform::kMouseMiddleDown, platform::kMouseMiddleUp};
    case cbLeft:
      break;
  }
  return {platform::kMouseLeftDown, platform::kMouseLeftUp};
}

// A buffer that has a size but no pixel block lost its pixels to a failed allocation
// (a load that fails otherwise leaves either no size or the block).
bool LostPixels(const TBDBitmapData& picture) {
  return picture.pixels() == nullptr && picture.width() > 0 && picture.height() > 0;
}

}  // namespace

// ---- TMouseObj --------------------------------------------------------------------------

TMouseObj::TMouseObj() = default;

TMouseObj::~TMouseObj() = default;

TBDBitmapData* TMouseObj::GetPicture() {
  // A cache whose block could not be had holds no picture: it is filled again from the
  // text, so that one moment short of memory does not blind the rest of the run.
  if (pictureCache && !LostPixels(*pictureCache)) return pictureCache.get();
  if (pictureText.empty()) return pictureCache.get();
  // Raises for a text that does not decode; no cache is made then.
  const std::unique_ptr<toolkit::TMemoryStream> stream = TextToPicture(pictureText);
  stream->SetPosition(0);
  if (!pictureCache) pictureCache = std::make_unique<TBDBitmapData>();
  // Bytes the buffer rejects leave it empty; it stays the cache all the same.
  pictureCache->LoadFromStream(stream.get(), -1);
  return pictureCache.get();
}

// ---- TBaseCtrl --------------------------------------------------------------------------

TBaseCtrl::TBaseCtrl() = default;

TBaseCtrl::~TBaseCtrl() {
  if (timer) timer->SetEnabled(false);
  // The runner goes with the main window, that is with the program: no button that a
  // "Button Down" run pressed may stay held once it has gone.
  ReleaseHeldButtons();
}

void TBaseCtrl::Start(TRunnerOwner* owner) {
  ownerForm = owner;
  ++run_;
  if (!timer) timer = std::make_unique<toolkit::TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(kCountdownPeriod);
  timer->OnTimer = toolkit::Bind(this, &TBaseCtrl::CountdownTick);
  counter = 0;
  timer->SetEnabled(true);
}

void TBaseCtrl::Stop() {
  if (timer) timer->SetEnabled(false);
  running = false;
  ++run_;
}

bool TBaseCtrl::DispatchMessages(const TTickTicket& ticket) {
  toolkit::Application.ProcessMessages();
  // The runner may be gone now: look at the token before any member.
  return !ticket.life.expired() && run_ == ticket.run;
}

void TBaseCtrl::CountdownTick(toolkit::TObject*) {
  if (!DispatchMessages(Ticket())) return;
  Increment(counter);
  bool begin = false;
  switch (startMode) {
    case smNow:
      begin = true;
      break;
    case smAt:
      // Only the time of day counts: a start time already passed today begins at once.
      // A start time that is not a time raises here, and the countdown goes on.
      begin =
          MillisecondsOfDay(toolkit::StrToTime(startTime)) - MillisecondsOfDay(toolkit::Time()) <=
          0;
      break;
    case smAfter:
      begin = counter >= startDelay;
      break;
  }
  if (begin) EnterClickPhase();
}

void TBaseCtrl::EnterClickPhase() {
  timer->SetEnabled(false);
  timer->OnTimer = toolkit::Bind(this, &TBaseCtrl::ClickTick);
  if (randomInterval) {
    NextRandomInterval();
  } else {
    timer->SetInterval(TimerInterval(interval));
  }
  counter = 0;
  running = true;
  timer->SetEnabled(true);
}

void TBaseCtrl::NextRandomInterval() {
  if (!timer) return;
  toolkit::Randomize();
  const std::int32_t r = toolkit::Random(100);
  // The fraction first, then the product, in extended precision: the interval is one of
  // the 100 values randomMin + round(span * r / 100), exact halves to the even side.
  const long double fraction = static_cast<long double>(r) / 100.0L;
  const long double span = static_cast<long double>(std::int64_t(randomMax) - randomMin);
  timer->SetInterval(TimerInterval(randomMin + toolkit::Round(span * fraction)));
}

void TBaseCtrl::ClickTick(toolkit::TObject*) {
  const TTickTicket ticket = Ticket();
  platform::Point back;
  platform::GetCursorPos(back);
  if (!DispatchMessages(ticket)) return;

  platform::Point target;
  const bool whole = !partScreen;
  const std::int32_t left = whole ? 0 : scopeLeft;
  const std::int32_t top = whole ? 0 : scopeTop;
  const std::int32_t right = whole ? platform::ScreenWidth() : scopeRight;
  const std::int32_t bottom = whole ? platform::ScreenHeight() : scopeBottom;
  switch (targetMode) {
    case ctCurrent:
      platform::GetCursorPos(target);
      break;
    case ctFixed:
      if (!DispatchMessages(ticket)) return;
      target = {pointX, pointY};
      break;
    case ctColor:
      target = SearchColor(colorName, left, top, right, bottom, colorSimilar);
      break;
    case ctPicture:
      if (pictureText.empty()) return;
      target = SearchPicture(*GetPicture(), left, top, right, bottom, pictureSimilar);
      break;
  }
  if (target.x == -1) {
    // Nothing clicked or counted and no new interval: the next tick searches again.
    toolkit::Application.ProcessMessages();
    return;
  }

  platform::SetCursorPos(target.x, target.y);
  SendButtonEvents(target.x, target.y);
  Increment(counter);  // a double click counts once
  if (targetMode != ctCurrent && afterClick != acNothing) {
    platform::SetCursorPos(back.x, back.y);
    if (afterClick == acBackClick) {
      // Always the left button, whichever one the job clicks.
      SendButton(platform::kMouseLeftDown, back.x, back.y);
      SendButton(platform::kMouseLeftUp, back.x, back.y);
    }
  }
  if (ownerForm != nullptr) ownerForm->SetRunnerCaption(kTimesCaption + toolkit::IntToStr(counter));
  if (stopMode == stRepeat && counter >= repeatTimes) {
    Stop();
    if (ownerForm != nullptr) {
      ownerForm->btnStopClick(nullptr);
      if (ticket.life.expired()) return;
    }
  }
  // Also after the run ended: the stopped timer keeps the new interval unused.
  if (randomInterval) NextRandomInterval();
}

void TBaseCtrl::SendButtonEvents(std::int32_t x, std::int32_t y) {
  const TButtonFlags flags = FlagsOf(mouseButton);
  switch (mouseAction) {
    case caSingle:
      SendButton(flags.down, x, y);
      SendButton(flags.up, x, y);
      break;
    case caDouble:
      SendButton(flags.down, x, y);
      SendButton(flags.up, x, y);
      SendButton(flags.down, x, y);
      SendButton(flags.up, x, y);
      break;
    case caDown:
      SendButton(flags.down, x, y);
      break;
    case caUp:
      SendButton(flags.up, x, y);
      break;
  }
}

void TBaseCtrl::SendButton(std::uint32_t flag, std::int32_t x, std::int32_t y) {
  platform::MouseEvent(flag, x, y);
  for (const TClickButton button : {cbLeft, cbRight, cbMiddle}) {
    const TButtonFlags flags = FlagsOf(button);
    if (flag == flags.down) heldButtons_ |= flags.down;
    if (flag == flags.up) heldButtons_ &= ~flags.down;
  }
}

void TBaseCtrl::ReleaseHeldButtons() {
  if (heldButtons_ == 0) return;
  // Released where the cursor is now, as the user would let go of it.
  platform::Point at;
  platform::GetCursorPos(at);
  for (const TClickButton button : {cbLeft, cbRight, cbMiddle}) {
    const TButtonFlags flags = FlagsOf(button);
    if ((heldButtons_ & flags.down) != 0) SendButton(flags.up, at.x, at.y);
  }
}
