#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimClock.h"
#include "toolkit/Backend.h"
#include "toolkit/Messages.h"
#include "toolkit/TButton.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TLabel.h"
#include "toolkit/TScreen.h"
#include "toolkit/TTimer.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

using FormsTest = ToolkitTest;

TEST_F(FormsTest, MessagesAreDispatchedByNumberToTheFormsHandlers) {
  auto form = MakeForm<TForm>();
  std::vector<std::string> log;
  form->SetMessageHandler(
      kWmHotKey, [&](TMessage& m) { log.push_back("hotkey " + std::to_string(m.LParam >> 16)); });
  form->SetMessageHandler(2102,
                          [&](TMessage& m) { log.push_back("tray " + std::to_string(m.LParam)); });
  // A WM_SYSCOMMAND handler that takes minimise and passes the rest on.
  form->SetMessageHandler(kWmSysCommand, [&](TMessage& m) {
    log.push_back("syscommand");
    if (m.WParam == kScMinimize) {
      form->Hide();
    } else {
      form->DefaultHandler(m);
    }
  });
  form->Show();

  const WindowHandle handle = form->Handle();
  PostMessage(handle, kWmHotKey, 0xC000, 2 | (0x71 << 16));
  PostMessage(handle, 2102, 1, 514);
  PostMessage(handle, 999, 0, 0);  // no handler: default handling, nothing happens
  EXPECT_TRUE(log.empty());
  Application.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"hotkey 113", "tray 514"}));

  EXPECT_TRUE(form->UserSystemCommand(kScMaximize));
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_TRUE(form->UserSystemCommand(kScMinimize));
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsMaximized);  // hidden, not minimised

  // WM_ERASEBKGND: erased by default (Result 1), or as a handler says.
  EXPECT_EQ(SendMessage(handle, kWmEraseBkgnd, 0, 0), 1);
  form->SetMessageHandler(kWmEraseBkgnd, [](TMessage& m) { m.Result = 7; });
  EXPECT_EQ(SendMessage(handle, kWmEraseBkgnd, 0, 0), 7);
}

TEST_F(FormsTest, ModalResultEndsTheModalLoop) {
  auto dialog = MakeForm<TForm>();
  TButton* ok = Create<TButton>(*dialog);
  ok->SetParent(dialog.get());
  ok->SetModalResult(mrOk);
  std::vector<std::string> log;
  ok->OnClick = [&](TObject*) { log.push_back("ok clicked"); };
  dialog->OnClose = [&](TObject*, TCloseAction& action) {
    log.push_back("close " + std::to_string(dialog->ModalResult()));
    EXPECT_EQ(action, caHide);
  };
  headless::QueueUserStep([&] {
    log.push_back("step 1");
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(Application.ModalForm(), dialog.get());
  });
  headless::QueueUserStep([&] { ok->UserClick(); });
  headless::QueueUserStep([&] { log.push_back("never"); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(log, (std::vector<std::string>{"step 1", "ok clicked", "close 1"}));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(Application.ModalForm(), nullptr);
  EXPECT_EQ(headless::QueuedUserSteps(), 1u);  // left for the next loop
}

TEST_F(FormsTest, CloseRequestGivesCancelAndOnCloseMayRefuse) {
  auto dialog = MakeForm<TForm>();
  int refusals = 1;
  dialog->OnClose = [&](TObject*, TCloseAction& action) {
    if (refusals-- > 0) action = caNone;
  };
  headless::QueueUserStep([&] { dialog->UserClose(); });  // refused: the loop goes on
  headless::QueueUserStep([&] {
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(dialog->ModalResult(), mrNone);
    dialog->UserClose();
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(headless::QueuedUserSteps(), 0u);

  // With no step at all the user closes the dialog; a visible form cannot go modal.
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), Exception);
}

TEST_F(FormsTest, ModalFormBlocksTheOthersWhileTimersRunOn) {
  auto main = MakeForm<TForm>();
  TButton* button = Create<TButton>(*main);
  button->SetParent(main.get());
  main->Show();
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };

  auto dialog = MakeForm<TForm>();
  headless::QueueUserStep([&] {
    EXPECT_FALSE(button->UserClick());  // behind the modal form
    EXPECT_FALSE(main->UserClose());
    headless::Advance(100);
    dialog->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(ticks, 10);
  EXPECT_TRUE(button->UserClick());
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheRun) {
  std::vector<std::string> log;
  struct TMainWindow : TForm {
    explicit TMainWindow(TComponent* owner) : TForm(owner) {}
  };
  TMainWindow* main = Application.CreateForm<TMainWindow>();
  EXPECT_EQ(Application.MainForm(), main);
  main->OnClose = [&](TObject*, TCloseAction&) { log.push_back("OnClose"); };
  TTimer* timer = Create<TTimer>(*main);
  timer->SetInterval(250);
  timer->OnTimer = [&](TObject*) {
    log.push_back("tick@" + std::to_string(platform::sim::ClockMs()));
  };
  headless::QueueUserStep([&] {
    EXPECT_TRUE(main->Visible());
    headless::Advance(600);
  });
  headless::QueueUserStep([&] { main->UserClose(); });
  headless::QueueUserStep([&] { log.push_back("never"); });
  Application.Run();
  EXPECT_EQ(log, (std::vector<std::string>{"tick@250", "tick@500", "OnClose"}));
  EXPECT_TRUE(Application.Terminated());
  EXPECT_EQ(Application.MainForm(), nullptr);  // the forms were freed at the end
  EXPECT_EQ(Screen.FormCount(), 0);
}

TEST_F(FormsTest, RunWithoutStepsClosesTheMainForm) {
  TForm* main = Application.CreateForm<TForm>();
  int closes = 0;
  main->OnClose = [&](TObject*, TCloseAction& action) {
    ++closes;
    action = caNone;  // even a form that refuses: the loop ends
  };
  Application.Run();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(Application.Terminated());
}

TEST_F(FormsTest, ExceptionInAHandlerKeepsWhatWasDoneBefore) {
  std::vector<std::string> caught;
  Application.OnException = [&](TObject*, const Exception& e) { caught.push_back(e.what()); };
  auto form = MakeForm<TForm>();
  TButton* button = Create<TButton>(*form);
  button->SetParent(form.get());
  button->OnClick = [&](TObject*) {
    form->SetCaption("running");
    throw EConvertError("'' is not a valid integer value");
  };
  form->Show();
  EXPECT_TRUE(button->UserClick());
  EXPECT_EQ(form->Caption(), "running");
  EXPECT_EQ(caught, (std::vector<std::string>{"'' is not a valid integer value"}));

  // OnCreate runs guarded too: a failing creation step skips only the steps after it.
  struct TFailing : TForm {
    explicit TFailing(TComponent* owner) : TForm(owner) {
      OnCreate = [this](TObject*) {
        SetCaption("first step");
        throw Exception("creation failed");
      };
    }
  };
  auto failing = MakeForm<TFailing>();
  EXPECT_EQ(failing->Caption(), "first step");
  EXPECT_EQ(caught.back(), "creation failed");
}

TEST_F(FormsTest, PeersAreCreatedWithTheWindowAndHearCodeChanges) {
  auto form = MakeForm<TForm>();
  TLabel* label = Create<TLabel>(*form);
  label->SetParent(form.get());
  EXPECT_EQ(form->Peer(), nullptr);
  const WindowHandle handle = form->Handle();  // reading the handle creates the window
  EXPECT_NE(handle, 0u);
  EXPECT_NE(label->Peer(), nullptr);
  EXPECT_EQ(label->Peer()->Handle(), 0u);  // drawn on its parent

  label->SetCaption("a");
  label->SetCaption("a");  // the same value: no news
  EXPECT_EQ(headless::ChangeCount(*label, TChange::kCaption), 1);
  TEdit* late = Create<TEdit>(*form);
  late->SetParent(form.get());  // joins a form that has its window
  EXPECT_NE(late->Peer(), nullptr);
  late->SetText("x");
  EXPECT_EQ(headless::ChangeCount(*late, TChange::kText), 1);

  // The typed text also goes out to the peer, as a change of the model.
  form->Show();
  late->UserTypeChar('y');
  EXPECT_EQ(headless::ChangeCount(*late, TChange::kText), 2);
  EXPECT_GE(headless::ChangeCount(*late, TChange::kFocus), 1);
}

TEST_F(FormsTest, FocusFollowsTheUserAndLeavesControlsThatGo) {
  auto form = MakeForm<TForm>();
  TEdit* a = Create<TEdit>(*form);
  TEdit* b = Create<TEdit>(*form);
  a->SetParent(form.get());
  b->SetParent(form.get());
  a->SetText("hello");
  form->Show();
  a->UserFocus();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(a->SelLength(), 5);  // focusing selects the whole text
  form->UserTypeCharToFocus('j');
  EXPECT_EQ(a->Text(), "j");
  b->UserTypeChar('k');  // typing into a control focuses it
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
  delete b;  // the focus does not stay on a control that is gone
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_TRUE(form->Focused());
  form->UserTypeCharToFocus('z');  // the form itself
  EXPECT_EQ(a->Text(), "j");
}

TEST_F(FormsTest, ScreenOrderAndBorderlessMaximise) {
  auto first = MakeForm<TForm>();
  auto second = MakeForm<TForm>();
  first->Show();
  second->Show();
  EXPECT_EQ(Screen.ActiveForm(), second.get());
  first->BringToFront();
  EXPECT_EQ(Screen.Forms(0), first.get());
  EXPECT_EQ(Screen.ActiveForm(), first.get());
  first->Hide();
  EXPECT_EQ(Screen.ActiveForm(), second.get());

  second->SetBorderStyle(bsNone);
  second->SetWindowState(wsMaximized);
  EXPECT_EQ(second->ClientWidth(), Screen.Width());
  EXPECT_EQ(second->ClientHeight(), Screen.Height());
}

}  // namespace
