// The Delete key in an edit: a key without a character, handled by the edit alone.
#include <memory>
#include <string>

#include "toolkit/Messages.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

class TEditTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = MakeForm<TForm>();
    edit = Create<TEdit>(*form);
    edit->SetParent(form.get());
    form->Show();
    edit->SetText("abcd");
    edit->OnKeyPress = [this](TObject*, char&) { ++keyPresses; };
  }
  std::unique_ptr<TForm> form;
  TEdit* edit = nullptr;
  int keyPresses = 0;
};

TEST_F(TEditTest, DeleteRemovesTheSelectionOrTheCharacterAfterTheCaret) {
  struct Case {
    int start;
    int length;
    const char* text;
    int caret;
  };
  for (const Case& c : {Case{1, 0, "acd", 1}, Case{1, 2, "ad", 1}, Case{0, 4, "", 0},
                        Case{4, 0, "abcd", 4}, Case{0, 0, "bcd", 0}}) {
    edit->SetText("abcd");
    edit->UserSelect(c.start, c.length);
    edit->UserKeyDown(kVkDelete);
    EXPECT_EQ(edit->Text(), c.text) << c.start << "+" << c.length;
    EXPECT_EQ(edit->SelStart(), c.caret);
    EXPECT_EQ(edit->SelLength(), 0);
  }
  EXPECT_EQ(keyPresses, 0) << "Delete types no character";
}

TEST_F(TEditTest, DeleteChangesNothingInAReadOnlyOrDisabledEdit) {
  edit->SetReadOnly(true);
  edit->UserSelect(0, 2);
  edit->UserKeyDown(kVkDelete);
  EXPECT_EQ(edit->Text(), "abcd");
  edit->SetReadOnly(false);
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->UserKeyDown(kVkDelete));
  EXPECT_EQ(edit->Text(), "abcd");
}

}  // namespace
