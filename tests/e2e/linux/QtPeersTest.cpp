// The Qt peers against the model: what the user does to a widget reaches the model through
// its entry points only, what the model holds is what the widget shows, and the loops,
// timers and posted messages run on Qt's event loop.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "../PeersFixture.h"
#include "toolkit/Messages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButton.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/TMessageWindow.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TTimer.h"
#include "toolkit/TUpDown.h"
#include "toolkit/qt/TQtPeer.h"

using namespace toolkit;

namespace {

QWidget& WidgetOf(const TControl& control) {
  return dynamic_cast<qt::TQtPeer&>(*control.Peer()).Widget();
}

class QtPeers : public PeersFixture {
 protected:
  void Show() {
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(*form)));
  }
};

TEST_F(QtPeers, EditTakesEveryKeyThroughTheModelAndShowsWhatTheModelHolds) {
  auto& edit = Add<TEdit>(*form, 10, 10, 110, 31);
  edit.SetMaxLength(5);
  std::string previewed;
  form->SetKeyPreview(true);
  form->OnKeyPress = [&](TObject*, char& key) { previewed += key; };
  edit.OnKeyPress = [](TObject*, char& key) {
    if ((key < '0' || key > '9') && key != '\b') key = 0;
  };
  Show();
  auto& line = static_cast<QLineEdit&>(WidgetOf(edit));

  QTest::keyClicks(&line, "1a2b3");
  EXPECT_EQ(edit.Text(), "123");
  EXPECT_EQ(line.text(), "123");
  EXPECT_EQ(previewed, "1a2b3") << "the form sees every character first";

  QTest::keyClick(&line, Qt::Key_Left);  // the caret moves in the widget; the model hears
  EXPECT_EQ(edit.SelStart(), 2);
  QTest::keyClick(&line, Qt::Key_Backspace);
  EXPECT_EQ(edit.Text(), "13");
  QTest::keyClick(&line, Qt::Key_Delete);
  EXPECT_EQ(edit.Text(), "1");
  EXPECT_EQ(previewed, "1a2b3\b") << "Delete types no character";

  QTest::keyClicks(&line, "456789");  // the model's length limit, not the widget's
  EXPECT_EQ(edit.Text(), "14567");
  QTest::keyClick(&line, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&line, "9");
  EXPECT_EQ(edit.Text(), "9");

  QGuiApplication::clipboard()->setText(QStringLiteral("x8\nrest"));
  QTest::keyClick(&line, Qt::Key_V, Qt::ControlModifier);  // not filtered; first line only
  EXPECT_EQ(edit.Text(), "9x8");

  edit.SetText("a-b, longer than five");  // code: shown whole
  EXPECT_EQ(line.text().toStdString(), "a-b, longer than five");
  edit.SetReadOnly(true);
  QTest::keyClicks(&line, "7");
  QTest::keyClick(&line, Qt::Key_Backspace);
  EXPECT_EQ(edit.Text(), "a-b, longer than five");
}

TEST_F(QtPeers, EditCaretCountsUtf8BytesInTheModel) {
  auto& edit = Add<TEdit>(*form, 10, 10, 110, 21);
  Show();
  auto& line = static_cast<QLineEdit&>(WidgetOf(edit));
  edit.SetText(
      "\xC3\xA9"
      "1");  // e-acute, two bytes
  QTest::keyClick(&line, Qt::Key_End);
  EXPECT_EQ(edit.SelStart(), 3);
  QTest::keyClick(&line, Qt::Key_Left);
  EXPECT_EQ(edit.SelStart(), 2);
  QTest::keyClicks(&line, "x");
  EXPECT_EQ(edit.Text(),
            "\xC3\xA9"
            "x1");
  EXPECT_EQ(line.cursorPosition(), 2);
}

TEST_F(QtPeers, RadioButtonsAreCheckedByTheModelOnly) {
  auto& panel = Add<TPanel>(*form, 0, 0, 300, 100);
  auto& first = Add<TRadioButton>(panel, 10, 10, 150, 17);
  auto& second = Add<TRadioButton>(panel, 10, 30, 150, 17);
  first.SetChecked(true);
  int clicks = 0;
  second.OnClick = [&](TObject*) { ++clicks; };
  Show();
  auto& firstWidget = static_cast<QRadioButton&>(WidgetOf(first));
  auto& secondWidget = static_cast<QRadioButton&>(WidgetOf(second));

  QTest::mouseClick(&secondWidget, Qt::LeftButton);
  EXPECT_TRUE(second.Checked());
  EXPECT_FALSE(first.Checked());
  EXPECT_TRUE(secondWidget.isChecked());
  EXPECT_FALSE(firstWidget.isChecked());
  EXPECT_EQ(clicks, 1);

  QTest::mouseClick(&secondWidget, Qt::LeftButton);  // already checked: nothing
  EXPECT_TRUE(secondWidget.isChecked());
  EXPECT_EQ(clicks, 1);

  panel.SetEnabled(false);  // a disabled container blocks what is inside
  QTest::mouseClick(&firstWidget, Qt::LeftButton);
  EXPECT_FALSE(first.Checked());
  EXPECT_FALSE(firstWidget.isEnabled());
}

TEST_F(QtPeers, ComboBoxChoiceGoesToTheModelAndCodeFiresNothing) {
  auto& combo = Add<TComboBox>(*form, 10, 10, 100, 21);
  combo.SetItems({"F1", "F2", "F3"});
  combo.SetItemIndex(0);
  int changes = 0;
  combo.OnChange = [&](TObject*) { ++changes; };
  Show();
  auto& widget = static_cast<QComboBox&>(WidgetOf(combo));
  EXPECT_EQ(widget.count(), 3);

  QTest::keyClick(&widget, Qt::Key_Down);
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_EQ(changes, 1);
  combo.SetItemIndex(2);
  EXPECT_EQ(widget.currentIndex(), 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(QtPeers, SpinnerArrowStepsItsEdit) {
  auto& edit = Add<TEdit>(*form, 10, 10, 60, 21);
  auto& spin = Add<TUpDown>(*form, 0, 0, 13, 21);
  spin.SetMax(10);
  spin.SetPosition(5);
  spin.SetAssociate(&edit);
  Show();
  const auto arrows = WidgetOf(spin).findChildren<QToolButton*>();
  ASSERT_EQ(arrows.size(), 2);
  QTest::mouseClick(arrows[0], Qt::LeftButton);  // up
  EXPECT_EQ(edit.Text(), "6");
  QTest::mouseClick(arrows[1], Qt::LeftButton);
  QTest::mouseClick(arrows[1], Qt::LeftButton);
  EXPECT_EQ(static_cast<QLineEdit&>(WidgetOf(edit)).text(), "4");
}

TEST_F(QtPeers, ImageReportsPressMoveAndReleaseWhereTheyHappen) {
  auto& image = Add<TImage>(*form, 20, 20, 60, 50);
  image.SetPicture(TBitmap(60, 50));
  std::string log;
  image.OnMouseDown = [&](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
    log += "down" + std::to_string(button) + (shift & ssDouble ? "d" : "") + "@" +
           std::to_string(x) + "," + std::to_string(y) + " ";
  };
  image.OnMouseMove = [&](TObject*, TShiftState shift, int x, int y) {
    log += std::string("move") + (shift & ssRight ? "R" : "") + "@" + std::to_string(x) + "," +
           std::to_string(y) + " ";
  };
  image.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
    log += "up" + std::to_string(button) + "@" + std::to_string(x) + "," + std::to_string(y) + " ";
  };
  Show();
  QWidget& widget = WidgetOf(image);
  QTest::mousePress(&widget, Qt::RightButton, {}, QPoint(10, 12));
  QTest::mouseMove(&widget, QPoint(20, 22));
  QTest::mouseRelease(&widget, Qt::RightButton, {}, QPoint(30, 32));
  EXPECT_EQ(log, "down1@10,12 moveR@20,22 up1@30,32 ");
  log.clear();
  QTest::mouseDClick(&widget, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_NE(log.find("down0d@5,6"), std::string::npos) << log;
}

TEST_F(QtPeers, PostedMessagesComeInOrderBeforeADueTimer) {
  std::string log;
  std::unique_ptr<TMessageWindow> window;
  window = std::make_unique<TMessageWindow>([&](TMessage& message) {
    log += std::to_string(message.Msg - kWmUser) + " ";
    if (message.Msg == kWmUser + 1) PostMessage(window->Handle(), kWmUser + 3, 0, 0);
  });
  TTimer timer(nullptr);
  timer.SetInterval(5);
  timer.OnTimer = [&](TObject*) {
    log += "tick ";
    timer.SetEnabled(false);
  };
  PostMessage(window->Handle(), kWmUser + 1, 0, 0);
  PostMessage(window->Handle(), kWmUser + 2, 0, 0);
  EXPECT_EQ(log, "") << "nothing is delivered inside PostMessage";
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  Application.ProcessMessages();
  EXPECT_EQ(log, "1 2 3 tick ");
}

TEST_F(QtPeers, ModalLoopEndsWithTheModalResultAndTheFormIsModalMeanwhile) {
  auto dialog = MakeForm<TForm>();
  dialog->SetClientSize(100, 50);
  bool modalWhileShown = false;
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) {
    modalWhileShown = WidgetOf(*dialog).isModal() && WidgetOf(*dialog).isVisible();
    dialog->SetModalResult(mrOk);
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(modalWhileShown);
  EXPECT_FALSE(WidgetOf(*dialog).isVisible());
}

TEST_F(QtPeers, BorderlessMaximisedFormCoversTheScreenWithoutAWindowManager) {
  form->SetBorderStyle(bsNone);
  form->SetWindowState(wsMaximized);
  Show();
  QWidget& window = WidgetOf(*form);
  EXPECT_EQ(window.geometry(), QRect(0, 0, 1280, 1024));
  EXPECT_EQ(window.frameGeometry(), QRect(0, 0, 1280, 1024));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(QtPeers, FixedSizeLabelGetsAFontThatFitsItsCaption) {
  auto& label = Add<TLabel>(*form, 10, 10, 185, 18);
  label.SetAutoSize(false);
  label.SetFont({.Name = "MS Sans Serif", .Height = -13});
  label.SetCaption("Made by the Pilgrove developers, at length");
  Show();
  const QLabel& widget = static_cast<QLabel&>(WidgetOf(label));
  EXPECT_LE(QFontMetrics(widget.font()).horizontalAdvance(widget.text()), 185);
  EXPECT_EQ(widget.geometry(), QRect(10, 10, 185, 18));
}

TEST_F(QtPeers, MenuItemRunsItsHandlerOnceTheMenuHasClosed) {
  auto* menu = Create<TMainMenu>(*form);
  auto* item = Create<TMenuItem>(*form);
  item->SetCaption("&About");
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  menu->Items().Add(*item);
  form->SetMenu(menu);
  Show();
  auto* bar = WidgetOf(*form).findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), "&About");
  bar->actions()[0]->trigger();
  EXPECT_EQ(clicks, 0);
  Pump(std::chrono::milliseconds(50));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
