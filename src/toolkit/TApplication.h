// The application object: title, the exception event, the one guarded call path through
// which every handler runs, ProcessMessages, the main form and the message loop.
#pragma once

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Exception.h"
#include "toolkit/TComponent.h"

namespace toolkit {

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  // Frees the application's forms while the application is still whole.
  ~TApplication() override { DestroyComponents(); }

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

  // ---- Forms and the loop -----------------------------------------------------------
  // Creates a form owned by the application and runs its OnCreate; the first form
  // created becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = Create<T>(*this);
    if (mainForm_ == nullptr) mainForm_ = form;
    form->DoCreate();
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  // Shows the main form and runs the message loop until Terminate (closing the main form
  // calls it); then frees the application's forms, as the end of the program does.
  void Run();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // The innermost form in ShowModal, or null. While there is one, the user can act on
  // that form only.
  TForm* ModalForm() const { return modalForms_.empty() ? nullptr : modalForms_.back(); }

  // Back to the state of a program that has just started: the application's forms freed,
  // no main form, not terminated, no title, no OnException. For tests.
  void Clear();

 private:
  friend class TForm;

  void PushModal(TForm& form) { modalForms_.push_back(&form); }
  void PopModal(const TForm& form) { std::erase(modalForms_, &form); }
  void FormGone(const TForm& form);

  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::vector<TForm*> modalForms_;
};

extern TApplication Application;

}  // namespace toolkit
