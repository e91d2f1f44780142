// The About box and the Help menu item: the links open their targets.
#include <string>
#include <vector>

#include "matching/uFunction.h"
#include "ui/UAbout.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

class AboutTest : public MainWindowTest {};

TEST_F(AboutTest, AboutShowsNameAndLinksAndClosesOnItsSurface) {
  const int formsBefore = toolkit::Screen.FormCount();
  bool stepRan = false;
  toolkit::headless::QueueUserStep([&] {
    stepRan = true;
    auto* about = dynamic_cast<TFMAbout*>(toolkit::Application.ModalForm());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Owner(), form);
    EXPECT_EQ(about->Caption(), "About Pilgrove");
    EXPECT_EQ(about->ClientWidth(), 322);
    EXPECT_EQ(about->ClientHeight(), 118);
    EXPECT_EQ(about->BorderStyle(), toolkit::bsDialog);
    EXPECT_EQ(about->Label1->Caption(), "Pilgrove 4.1.6");
    EXPECT_EQ(about->Label5->Caption(), kWebPageAddress);
    EXPECT_EQ(about->Label7->Caption(), kSupportMailAddress);
    EXPECT_EQ(about->Label5->Cursor(), toolkit::crHandPoint);
    EXPECT_FALSE(form->AcceptsInput());  // the box is modal

    // Links open each time and leave the box open; plain labels do nothing.
    for (toolkit::TLabel* label : {about->Label5, about->Label5, about->Label7, about->Label1,
                                   about->Label2, about->Label4, about->Label6}) {
      ASSERT_TRUE(label->UserClick());
    }
    EXPECT_EQ(about->ModalResult(), toolkit::mrNone);
    platform::sim::FailShellOpens(true);  // no browser: nothing visible happens
    ASSERT_TRUE(about->Label5->UserClick());
    EXPECT_EQ(about->ModalResult(), toolkit::mrNone);
    ASSERT_TRUE(about->UserClick());
    EXPECT_EQ(about->ModalResult(), toolkit::mrCancel);
  });
  ASSERT_TRUE(form->m1->UserClick());
  EXPECT_TRUE(stepRan);
  const std::string web = kWebPageAddress;
  const std::string mail = std::string("mailto:") + kSupportMailAddress;
  EXPECT_EQ(platform::sim::OpenedAddresses(), (std::vector<std::string>{web, web, mail}));
  EXPECT_EQ(toolkit::Screen.FormCount(), formsBefore);  // freed after it closed
  EXPECT_TRUE(form->AcceptsInput());
}

TEST_F(AboutTest, HelpOpensTheWebPageWithoutTheBox) {
  const int formsBefore = toolkit::Screen.FormCount();
  ASSERT_TRUE(form->m2->UserClick());
  ASSERT_TRUE(form->m2->UserClick());
  EXPECT_EQ(platform::sim::OpenedAddresses(),
            (std::vector<std::string>{kWebPageAddress, kWebPageAddress}));
  EXPECT_EQ(toolkit::Screen.FormCount(), formsBefore);
  EXPECT_EQ(toolkit::headless::QueuedUserSteps(), 0u);
}

}  // namespace
}  // namespace ui_test
