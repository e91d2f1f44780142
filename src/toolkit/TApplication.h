// The application object: title, the exception event, the one guarded call path through
// which every handler runs, and ProcessMessages.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "toolkit/Exception.h"
#include "toolkit/TComponent.h"

namespace toolkit {

class TApplication : public TComponent {
 public:
  TApplication();

  // Prepares the backend (installs its PostMessage as the desktop's message poster).
  void Initialize();

  // The taskbar and task-switcher text.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // Receives every exception that escapes an event handler, a message handler or a timer
  // tick (EAbort excepted, which is dropped). Without a handler the backend shows the
  // exception's text (headless: a line on stderr) and the program goes on.
  TExceptionEvent OnException;

  // Dispatches every posted message that is waiting and every timer that is due, then
  // returns. May be called from inside any handler; a handler may so run inside another,
  // including a further tick of the timer whose tick is running.
  void ProcessMessages();

  // Runs action; an exception escaping it goes to HandleException and Guarded returns
  // false. Every user entry point, message and timer tick runs through here, and nothing
  // else: an event fired by code (a property set in a handler) raises into that code.
  template <class Action>
  bool Guarded(TObject* sender, Action&& action) {
    try {
      std::forward<Action>(action)();
      return true;
    } catch (const Exception& e) {
      HandleException(sender, e);
    } catch (const std::exception& e) {
      HandleException(sender, Exception(e.what()));
    } catch (...) {
      HandleException(sender, Exception("unknown exception"));
    }
    return false;
  }
  void HandleException(TObject* sender, const Exception& e);

 private:
  std::string title_;
};

extern TApplication Application;

}  // namespace toolkit
