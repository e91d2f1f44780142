#include <memory>
#include <string>
#include <vector>

#include "toolkit/TComboBox.h"
#include "toolkit/TDateTimePicker.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TLabeledEdit.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TUpDown.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

// A shown form with whatever a test puts on it.
class ControlsTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = MakeForm<TForm>();
  }
  template <class T>
  T& Add(TWinControl& parent, const char* name = "") {
    T* control = Create<T>(*form);
    control->SetName(name);
    control->SetParent(&parent);
    return *control;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(ControlsTest, RadioButtonsExcludeEachOtherWithinTheirParentOnly) {
  TPanel& left = Add<TPanel>(*form);
  TPanel& right = Add<TPanel>(*form);
  TRadioButton& a = Add<TRadioButton>(left, "a");
  TRadioButton& b = Add<TRadioButton>(left, "b");
  TRadioButton& c = Add<TRadioButton>(right, "c");
  a.SetChecked(true);
  c.SetChecked(true);
  std::vector<std::string> clicks;
  for (TRadioButton* r : {&a, &b, &c}) {
    r->OnClick = [&clicks](TObject* sender) {
      clicks.push_back(static_cast<TRadioButton*>(sender)->Name());
    };
  }
  form->Show();

  EXPECT_TRUE(b.UserClick());
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(c.Checked());    // another parent: untouched
  EXPECT_TRUE(b.UserClick());  // already checked: nothing runs
  EXPECT_EQ(clicks, (std::vector<std::string>{"b"}));

  // Code that checks a button runs OnClick as the component library does; unchecking
  // runs nothing.
  a.SetChecked(true);
  a.SetChecked(false);
  EXPECT_EQ(clicks, (std::vector<std::string>{"b", "a"}));
  EXPECT_FALSE(b.Checked());
}

TEST_F(ControlsTest, DisabledContainersBlockEveryControlInside) {
  TGroupBox& outer = Add<TGroupBox>(*form);
  TPanel& inner = Add<TPanel>(outer);
  TEdit& edit = Add<TEdit>(inner);
  TRadioButton& radio = Add<TRadioButton>(inner);
  form->Show();
  int clicks = 0;
  radio.OnClick = [&](TObject*) { ++clicks; };

  outer.SetEnabled(false);
  EXPECT_TRUE(edit.Enabled());  // its own flag stays
  EXPECT_FALSE(edit.EffectivelyEnabled());
  EXPECT_FALSE(edit.UserTypeChar('1'));
  EXPECT_FALSE(edit.UserPaste("2"));
  EXPECT_FALSE(radio.UserClick());
  EXPECT_THROW(edit.SetFocus(), Exception);
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(clicks, 0);

  outer.SetEnabled(true);
  EXPECT_TRUE(edit.UserTypeChar('1'));
  EXPECT_TRUE(radio.UserClick());
  EXPECT_EQ(edit.Text(), "1");
  EXPECT_EQ(clicks, 1);

  form->Hide();  // a hidden window takes no input either
  EXPECT_FALSE(radio.UserClick());
}

TEST_F(ControlsTest, KeyPreviewRunsTheFormFirstAndNullSwallowsTheKey) {
  TEdit& edit = Add<TEdit>(*form);
  std::string log;
  form->OnKeyPress = [&](TObject* sender, char& key) {
    log += std::string(sender == form.get() ? "form:" : "?:") + key + " ";
    if (key == 'x') key = 0;
    if (key == 'u') key = 'U';
  };
  edit.OnKeyPress = [&](TObject*, char& key) {
    log += std::string("edit:") + key + " ";
    if (key == '-') key = 0;
  };
  form->Show();

  for (char c : std::string("ax-u")) edit.UserTypeChar(c);
  EXPECT_EQ(log, "edit:a edit:x edit:- edit:u ");  // no key preview: the form sees nothing
  EXPECT_EQ(edit.Text(), "axu");
  log.clear();
  edit.SetText("");

  form->SetKeyPreview(true);
  for (char c : std::string("ax-u")) edit.UserTypeChar(c);
  EXPECT_EQ(log, "form:a edit:a form:x form:- edit:- form:u edit:U ");
  EXPECT_EQ(edit.Text(), "aU");

  // Typed at the form itself (the form holds the focus): its handler runs once.
  log.clear();
  form->SetFocus();
  form->UserTypeCharToFocus('q');
  EXPECT_EQ(log, "form:q ");
}

TEST_F(ControlsTest, MaxLengthBindsTypedAndPastedTextButNotCode) {
  TEdit& edit = Add<TEdit>(*form);
  edit.SetMaxLength(4);
  form->Show();
  edit.SetFocus();
  for (char c : std::string("123456")) edit.UserTypeChar(c);
  EXPECT_EQ(edit.Text(), "1234");
  edit.UserTypeChar('\b');
  EXPECT_EQ(edit.Text(), "123");
  edit.UserPaste("789");  // only what fits
  EXPECT_EQ(edit.Text(), "1237");
  edit.SetText("-12800");  // code: taken whole
  EXPECT_EQ(edit.Text(), "-12800");
  edit.UserSelect(6, 0);
  edit.UserTypeChar('9');  // still over the limit: the user cannot add
  EXPECT_EQ(edit.Text(), "-12800");
  edit.UserSelect(0, 6);
  edit.UserPaste("ab\r\ncd");  // a single-line edit takes the first line
  EXPECT_EQ(edit.Text(), "ab");

  edit.SetReadOnly(true);
  edit.UserTypeChar('z');
  edit.UserPaste("z");
  EXPECT_EQ(edit.Text(), "ab");
}

TEST_F(ControlsTest, DigitFilterSeesTypedCharactersOnly) {
  TEdit& edit = Add<TEdit>(*form);
  edit.OnKeyPress = [](TObject*, char& key) {
    const bool passes = (key >= '0' && key <= '9') || key == 8 || key == 10 || key == 13;
    if (!passes) key = 0;
  };
  form->Show();
  edit.SetFocus();
  for (char c : std::string("1a- .2")) edit.UserTypeChar(c);
  EXPECT_EQ(edit.Text(), "12");
  edit.UserTypeChar('\b');
  EXPECT_EQ(edit.Text(), "1");
  edit.UserTypeChar('\r');  // passes the filter; a single-line edit inserts nothing
  EXPECT_EQ(edit.Text(), "1");
  edit.UserPaste(" -5x");
  EXPECT_EQ(edit.Text(), "1 -5x");
}

TEST_F(ControlsTest, SpinnerStepsClampsAndWritesItsEdit) {
  TEdit& edit = Add<TEdit>(*form);
  TUpDown& spin = Add<TUpDown>(*form);
  spin.SetMin(60);
  spin.SetMax(100);
  spin.SetIncrement(5);
  spin.SetPosition(100);
  edit.SetBounds(10, 10, 50, 21);
  spin.SetAssociate(&edit);
  EXPECT_EQ(edit.Text(), "100");  // written at association
  EXPECT_EQ(spin.Left(), edit.Left() + edit.Width());
  EXPECT_EQ(edit.Width() + spin.Width(), 50);
  form->Show();

  spin.UserClickUp();
  EXPECT_EQ(edit.Text(), "100");
  std::vector<std::string> seen;
  for (int i = 0; i < 9; ++i) {
    spin.UserClickDown();
    seen.push_back(edit.Text());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"95", "90", "85", "80", "75", "70", "65", "60", "60"}));
  // The range binds only the spinner; the next step starts from the edit's number.
  edit.SetText("30");
  spin.UserClickUp();
  EXPECT_EQ(edit.Text(), "60");
  edit.SetText("77");
  edit.UserKeyDown(kVkUp);
  EXPECT_EQ(edit.Text(), "82");
  edit.UserKeyDown(kVkDown);
  edit.UserKeyDown(kVkDown);
  EXPECT_EQ(edit.Text(), "72");
  EXPECT_EQ(spin.Position(), 72);
  edit.SetText("abc");  // not a number: steps from the position
  spin.UserClickUp();
  EXPECT_EQ(edit.Text(), "77");
}

TEST_F(ControlsTest, SpinnerThousandsSeparators) {
  struct Case {
    bool thousands;
    char separator;
    const char* start;
    const char* after;
  };
  const Case cases[] =
      {
          {true, ',', "990", "1,000"},   {false, ',', "990", "1000"},
          {true, '.', "9990", "10.000"}, {true, ',', "1,990", "2,000"},
          {false, ',', "1,990", "2000"},  // separators in the edit are read either way
      };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    headless::SetThousandSeparator(c.separator);
    TEdit& edit = Add<TEdit>(*form);
    TUpDown& spin = Add<TUpDown>(*form);
    spin.SetMin(1);
    spin.SetMax(10000);
    spin.SetIncrement(10);
    spin.SetThousands(c.thousands);
    spin.SetAssociate(&edit);
    form->Show();
    edit.SetText(c.start);
    spin.UserClickUp();
    EXPECT_EQ(edit.Text(), c.after);
  }
}

TEST_F(ControlsTest, ComboAndPickerFireOnChangeForTheUserOnly) {
  TComboBox& combo = Add<TComboBox>(*form);
  TDateTimePicker& picker = Add<TDateTimePicker>(*form);
  combo.SetItems({"F1", "F2", "F3"});
  int comboChanges = 0;
  int pickerChanges = 0;
  combo.OnChange = [&](TObject*) { ++comboChanges; };
  picker.OnChange = [&](TObject*) { ++pickerChanges; };
  picker.SetKind(dtkTime);
  combo.SetItemIndex(1);
  picker.SetDateTime(EncodeDate(2024, 6, 3) + EncodeTime(9, 0, 0, 0));
  EXPECT_EQ(comboChanges + pickerChanges, 0);
  form->Show();

  EXPECT_TRUE(combo.UserSelect(2));
  EXPECT_TRUE(combo.UserSelect(2));  // the same item: no change
  EXPECT_FALSE(combo.UserSelect(3));
  EXPECT_EQ(combo.Text(), "F3");
  EXPECT_EQ(comboChanges, 1);

  picker.UserSetDateTime(EncodeDate(1999, 1, 1) + EncodeTime(17, 30, 0, 0));
  EXPECT_EQ(picker.DateTime(), EncodeDate(2024, 6, 3) + EncodeTime(17, 30, 0, 0));
  EXPECT_EQ(pickerChanges, 1);
}

TEST_F(ControlsTest, LabeledEditKeepsItsLabelWithIt) {
  TLabeledEdit& edit = Add<TLabeledEdit>(*form);
  edit.EditLabel().SetCaption("Hour");
  edit.SetBounds(20, 40, 30, 21);
  EXPECT_EQ(edit.EditLabel().Parent(), form.get());
  EXPECT_EQ(edit.EditLabel().Left(), 20);
  EXPECT_EQ(edit.EditLabel().Top(), 40 - 3 - edit.EditLabel().Height());
  edit.SetVisible(false);
  EXPECT_FALSE(edit.EditLabel().Visible());
}

}  // namespace
