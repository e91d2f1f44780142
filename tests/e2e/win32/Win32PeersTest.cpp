// The Win32 peers against the model, under Wine: the real windows show what the model
// holds (enabled state, texts, checks, items, visibility, a full-screen borderless form),
// and Tab walks a form's controls in the model's order.
#include <gtest/gtest.h>

// First: it includes windows.h and takes back the names the toolkit shares with it.
#include "toolkit/win32/TWin32Peer.h"

#include <chrono>
#include <string>

#include "../PeersFixture.h"
#include "toolkit/TApplication.h"
#include "toolkit/TBitBtn.h"
#include "toolkit/TButton.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TScreen.h"

using namespace toolkit;

namespace {

HWND WindowOf(const TControl& control) {
  return dynamic_cast<win32::TWin32Peer&>(*control.Peer()).Window();
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  return text;
}

class Win32Peers : public PeersFixture {
 protected:
  static void SetUpTestSuite() { Application.Initialize(); }

  void TearDown() override { SetShift(false); }

  void Show() {
    form->Show();
    Pump(std::chrono::milliseconds(100));
  }

  // Presses Tab where the focus is, as the keyboard would: the key goes through the
  // loop's translation, which makes the Tab character too.
  static HWND PressTab() {
    HWND focus = ::GetFocus();
    ::PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
    ::PostMessageW(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001));
    Pump(std::chrono::milliseconds(50));
    return ::GetFocus();
  }

  // Holds Shift in this thread's keyboard state, where the peers read it.
  static void SetShift(bool down) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
};

TEST_F(Win32Peers, WindowsShowTheModelsState) {
  auto& panel = Add<TPanel>(*form, 0, 0, 320, 120);
  auto& button = Add<TButton>(panel, 10, 10, 75, 25);
  button.SetCaption("&Go");
  auto& bitButton = Add<TBitBtn>(panel, 100, 10, 75, 25);
  bitButton.SetCaption("S&TOP");
  bitButton.SetEnabled(false);
  auto& first = Add<TRadioButton>(panel, 10, 40, 120, 17);
  auto& second = Add<TRadioButton>(panel, 10, 60, 120, 17);
  first.SetCaption("First");
  second.SetCaption("Second");
  second.SetChecked(true);
  auto& combo = Add<TComboBox>(*form, 10, 130, 100, 21);
  combo.SetItems({"Left Button", "Right Button", "Middle Button"});
  combo.SetItemIndex(2);
  auto& edit = Add<TEdit>(*form, 10, 160, 100, 21);
  edit.SetText("1000");
  auto& label = Add<TLabel>(*form, 10, 190, 100, 13);
  label.SetCaption("Color Simliar:");
  Show();

  EXPECT_EQ(TextOf(WindowOf(button)), L"&Go");
  EXPECT_EQ(TextOf(WindowOf(edit)), L"1000");
  EXPECT_EQ(TextOf(WindowOf(label)), L"Color Simliar:");
  EXPECT_TRUE(::IsWindowEnabled(WindowOf(button)));
  EXPECT_FALSE(::IsWindowEnabled(WindowOf(bitButton)));
  // A change of style rewrites the button's style bits; the disabled state must stay.
  bitButton.SetDefault(true);
  button.SetDefault(true);
  EXPECT_FALSE(::IsWindowEnabled(WindowOf(bitButton)));
  EXPECT_TRUE(::IsWindowEnabled(WindowOf(button)));
  bitButton.SetEnabled(true);
  EXPECT_TRUE(::IsWindowEnabled(WindowOf(bitButton)));
  bitButton.SetEnabled(false);

  EXPECT_EQ(::SendMessageW(WindowOf(first), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(WindowOf(second), BM_GETCHECK, 0, 0), BST_CHECKED);
  first.SetChecked(true);  // the model unchecks its neighbour
  EXPECT_EQ(::SendMessageW(WindowOf(first), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(WindowOf(second), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  HWND list = WindowOf(combo);
  ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
  wchar_t item[64] = {};
  ::SendMessageW(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(std::wstring(item), L"Right Button");
  EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 2);

  // A disabled container: every window inside shows it, and comes back with it.
  panel.SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(WindowOf(button)));
  EXPECT_FALSE(::IsWindowEnabled(WindowOf(first)));
  panel.SetEnabled(true);
  EXPECT_TRUE(::IsWindowEnabled(WindowOf(button)));
  EXPECT_FALSE(::IsWindowEnabled(WindowOf(bitButton))) << "still disabled by itself";

  EXPECT_TRUE(::IsWindowVisible(WindowOf(edit)));
  edit.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(WindowOf(edit)));
  form->Hide();
  EXPECT_FALSE(::IsWindowVisible(WindowOf(*form)));
}

TEST_F(Win32Peers, TabWalksTheControlsInTheModelsOrder) {
  auto& first = Add<TEdit>(*form, 10, 10, 100, 21);
  auto& panel = Add<TPanel>(*form, 10, 40, 300, 100);
  auto& inner = Add<TEdit>(panel, 5, 5, 100, 21);
  auto& unchecked = Add<TRadioButton>(panel, 5, 30, 100, 17);
  auto& checked = Add<TRadioButton>(panel, 5, 50, 100, 17);
  checked.SetChecked(true);
  auto& disabled = Add<TButton>(*form, 10, 150, 75, 25);
  disabled.SetEnabled(false);
  auto& hidden = Add<TButton>(*form, 90, 150, 75, 25);
  hidden.SetVisible(false);
  auto& last = Add<TButton>(*form, 170, 150, 75, 25);
  std::string typed;
  form->SetKeyPreview(true);
  form->OnKeyPress = [&](TObject*, char& key) { typed += key; };
  Show();
  first.SetFocus();
  Pump(std::chrono::milliseconds(50));
  ASSERT_EQ(::GetFocus(), WindowOf(first));

  // Into the panel, to the group's checked radio button only, over the disabled and the
  // hidden button, and round again.
  EXPECT_EQ(PressTab(), WindowOf(inner));
  EXPECT_TRUE(inner.Focused()) << "the model follows the focus";
  EXPECT_EQ(PressTab(), WindowOf(checked));
  EXPECT_EQ(PressTab(), WindowOf(last));
  EXPECT_EQ(PressTab(), WindowOf(first));

  SetShift(true);
  EXPECT_EQ(PressTab(), WindowOf(last));
  EXPECT_EQ(PressTab(), WindowOf(checked));
  SetShift(false);

  // The check moves, and the tab stop with it.
  unchecked.SetChecked(true);
  first.SetFocus();
  Pump(std::chrono::milliseconds(50));
  EXPECT_EQ(PressTab(), WindowOf(inner));
  EXPECT_EQ(PressTab(), WindowOf(unchecked));

  EXPECT_EQ(typed, "") << "Tab moved the focus and typed nothing";
  EXPECT_EQ(first.Text(), "");
  EXPECT_EQ(inner.Text(), "");
}

TEST_F(Win32Peers, BorderlessMaximisedFormCoversTheScreenFromItsCreation) {
  auto second = MakeForm<TForm>();
  second->SetBorderStyle(bsNone);
  second->SetWindowState(wsMaximized);
  Show();
  second->Show();
  Pump(std::chrono::milliseconds(100));
  HWND window = WindowOf(*second);
  RECT area;
  ::GetWindowRect(window, &area);
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(area.bottom, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(area.right, Screen.Width());
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_NE(style & WS_POPUP, 0u);
  EXPECT_EQ(style & (WS_CHILD | WS_CAPTION | WS_THICKFRAME), 0u);
  EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(::GetAncestor(window, GA_PARENT), ::GetDesktopWindow()) << "a top-level window";
  second->Hide();
}

}  // namespace
