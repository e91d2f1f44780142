// A date or time-of-day picker: the common controls' date-time picker.
#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "toolkit/TDateTimePicker.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

// TDateTime counts days from 30 December 1899; FILETIME counts 100 ns from 1601.
constexpr double kTicksPerDay = 864000000000.0;

std::int64_t DayZeroTicks() {
  SYSTEMTIME dayZero{};
  dayZero.wYear = 1899;
  dayZero.wMonth = 12;
  dayZero.wDay = 30;
  FILETIME file{};
  ::SystemTimeToFileTime(&dayZero, &file);
  return (static_cast<std::int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

SYSTEMTIME ToSystemTime(TDateTime value) {
  const auto ticks = DayZeroTicks() + static_cast<std::int64_t>(std::llround(value * kTicksPerDay));
  FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME time{};
  ::FileTimeToSystemTime(&file, &time);
  return time;
}

TDateTime FromSystemTime(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!::SystemTimeToFileTime(&time, &file)) return 0;
  const auto ticks = (static_cast<std::int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return static_cast<double>(ticks - DayZeroTicks()) / kTicksPerDay;
}

class TWin32DateTimePickerPeer final : public TWin32Peer {
 public:
  explicit TWin32DateTimePickerPeer(TDateTimePicker& picker) : TWin32Peer(picker), picker_(picker) {
    CreateWindowOf(DATETIMEPICK_CLASSW,
                   WS_TABSTOP | (picker.Kind() == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT));
    // The time of day as the model's text shows it, two digits each: the system's own time
    // format pads a one-digit hour with a blank.
    if (picker.Kind() == dtkTime) {
      ::SendMessageW(Window(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm:ss"));
    }
    Refresh();
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.code != DTN_DATETIMECHANGE) return false;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
    if (change.dwFlags == GDT_VALID) picker_.UserSetDateTime(FromSystemTime(change.st));
    ShowDateTime();
    result = 0;
    return true;
  }

 protected:
  void Update(TChange change) override {
    if (change == TChange::kDateTime) ShowDateTime();
  }

 private:
  void ShowDateTime() {
    const TSyncScope sync(*this);
    SYSTEMTIME time = ToSystemTime(picker_.DateTime());
    ::SendMessageW(Window(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }

  TDateTimePicker& picker_;
};

}  // namespace

std::unique_ptr<TPeer> MakeDateTimePickerPeer(TDateTimePicker& picker) {
  return std::make_unique<TWin32DateTimePickerPeer>(picker);
}

}  // namespace toolkit::win32
