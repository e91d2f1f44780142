#include <memory>
#include <string>
#include <vector>

#include "toolkit/FormBuilder.h"
#include "toolkit/TBitBtn.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TFrame.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TLabeledEdit.h"
#include "toolkit/TMainMenu.h"
#include "toolkit/TRadioButton.h"
#include "toolkit/TTimer.h"
#include "toolkit/TUpDown.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

using K = TControlClass;

// A small frame and a form holding it, described as data the way the windows are.
class TSampleFrame : public TFrame {
 public:
  explicit TSampleFrame(TComponent* owner) : TFrame(owner) {
    BuildControls(*this,
                  {
                      {.name = "gbBox",
                       .kind = K::kGroupBox,
                       .bounds = {8, 4, 200, 120},
                       .caption = "Box",
                       .font = {.color = clBlue, .bold = true}},
                      {.name = "rbOne",
                       .kind = K::kRadioButton,
                       .parent = "gbBox",
                       .caption = "One",
                       .checked = true,
                       .font = {.bold = false},
                       .onClick = "RadioClick"},
                      {.name = "rbTwo",
                       .kind = K::kRadioButton,
                       .parent = "gbBox",
                       .caption = "Two",
                       .onClick = "RadioClick"},
                      {.name = "edTimes",
                       .kind = K::kLabeledEdit,
                       .parent = "gbBox",
                       .bounds = {20, 60, 50, 21},
                       .text = "1",
                       .label = "Times",
                       .maxLength = 4,
                       .onKeyPress = "DigitsOnly"},
                      {.name = "udTimes",
                       .kind = K::kUpDown,
                       .parent = "gbBox",
                       .associate = "edTimes",
                       .min = 1,
                       .max = 10000,
                       .increment = 10,
                       .position = 1,
                       .thousands = false},
                      {.name = "cbKey",
                       .kind = K::kComboBox,
                       .items = {"F1", "F2", "F3"},
                       .itemIndex = 1,
                       .onChange = "KeyChange"},
                      {.name = "tmCapture",
                       .kind = K::kTimer,
                       .enabled = false,
                       .interval = 10,
                       .onTimer = "CaptureTick"},
                  },
                  {
                      {"RadioClick", Bind(this, &TSampleFrame::RadioClick)},
                      {"DigitsOnly", Bind(this, &TSampleFrame::DigitsOnly)},
                      {"KeyChange", [this](TObject*) { log.push_back("key"); }},
                      {"CaptureTick", [this](TObject*) { log.push_back("tick"); }},
                  });
  }
  void RadioClick(TObject* sender) { log.push_back(static_cast<TComponent*>(sender)->Name()); }
  void DigitsOnly(TObject*, char& key) {
    if (key < '0' || key > '9') key = 0;
  }
  std::vector<std::string> log;
};

class TSampleForm : public TForm {
 public:
  explicit TSampleForm(TComponent* owner) : TForm(owner) {
    frame = Create<TSampleFrame>(*this);
    frame->SetName("frmSample");
    BuildForm(*this,
              {.caption = "Sample",
               .clientWidth = 300,
               .clientHeight = 200,
               .borderStyle = bsSingle,
               .borderIcons = biSystemMenu | biMinimize,
               .keyPreview = true,
               .onCreate = "FormCreate",
               .controls =
                   {
                       {.name = "MainMenu", .kind = K::kMainMenu},
                       {.name = "m1",
                        .kind = K::kMenuItem,
                        .parent = "MainMenu",
                        .caption = "About",
                        .onClick = "MenuClick"},
                       {.name = "m2",
                        .kind = K::kMenuItem,
                        .parent = "MainMenu",
                        .caption = "Help",
                        .enabled = false,
                        .onClick = "MenuClick"},
                       {.name = "frmSample", .kind = K::kFrame, .bounds = {8, 2, 280, 150}},
                       {.name = "btnOk",
                        .kind = K::kBitBtn,
                        .bounds = {150, 160, 75, 28},
                        .caption = "&OK",
                        .modalResult = mrOk},
                   }},
              {{"FormCreate", [this](TObject*) { created = true; }},
               {"MenuClick", [this](TObject* sender) {
                  frame->log.push_back(static_cast<TComponent*>(sender)->Name());
                }}});
  }
  TSampleFrame* frame;
  bool created = false;
};

using FormBuilderTest = ToolkitTest;

TEST_F(FormBuilderTest, BuildsEveryRowWithoutFiringItsHandlers) {
  auto form = MakeForm<TSampleForm>();
  EXPECT_TRUE(form->created);
  EXPECT_EQ(form->Caption(), "Sample");
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMinimize);
  EXPECT_TRUE(form->KeyPreview());
  ASSERT_NE(form->Menu(), nullptr);
  ASSERT_EQ(form->Menu()->Items().Count(), 2);
  EXPECT_EQ(form->Menu()->Items().Items(1)->Caption(), "Help");

  TSampleFrame& frame = *form->frame;
  EXPECT_EQ(frame.Parent(), form.get());
  EXPECT_EQ(frame.BoundsRect(), (TRect{8, 2, 288, 152}));
  auto& box = frame.Component<TGroupBox>("gbBox");
  auto& one = frame.Component<TRadioButton>("rbOne");
  auto& two = frame.Component<TRadioButton>("rbTwo");
  EXPECT_TRUE(box.Font().Bold);
  EXPECT_EQ(box.Font().Color, clBlue);
  EXPECT_FALSE(one.Font().Bold);  // its own plain font
  EXPECT_TRUE(two.Font().Bold);   // follows the box's
  EXPECT_TRUE(one.Checked());
  auto& times = frame.Component<TLabeledEdit>("edTimes");
  EXPECT_EQ(times.EditLabel().Caption(), "Times");
  EXPECT_EQ(times.MaxLength(), 4);
  EXPECT_EQ(times.UpDown(), &frame.Component<TUpDown>("udTimes"));
  EXPECT_EQ(times.Text(), "1");
  EXPECT_EQ(frame.Component<TComboBox>("cbKey").ItemIndex(), 1);
  auto& timer = frame.Component<TTimer>("tmCapture");
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 10u);
  EXPECT_TRUE(frame.log.empty());  // checking rbOne at build time ran no handler
  EXPECT_THROW(frame.Component<TEdit>("gbBox"), Exception);
}

TEST_F(FormBuilderTest, BoundHandlersAnswerTheUser) {
  auto form = MakeForm<TSampleForm>();
  TSampleFrame& frame = *form->frame;
  auto& times = frame.Component<TLabeledEdit>("edTimes");
  headless::QueueUserStep([&] {
    frame.Component<TRadioButton>("rbTwo").UserClick();
    times.SetFocus();
    for (char c : std::string("9x9")) times.UserTypeChar(c);
    frame.Component<TComboBox>("cbKey").UserSelect(0);
    frame.Component<TTimer>("tmCapture").SetEnabled(true);
    headless::Advance(10);
    EXPECT_TRUE(form->Menu()->Items().Items(0)->UserClick());
    EXPECT_FALSE(form->Menu()->Items().Items(1)->UserClick());  // disabled
    form->Component<TBitBtn>("btnOk").UserClick();
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(frame.log, (std::vector<std::string>{"rbTwo", "key", "tick", "m1"}));
  EXPECT_EQ(times.Text(), "99");
}

TEST_F(FormBuilderTest, RowsThatCannotBeBuiltAreRefused) {
  struct Case {
    const char* what;
    std::vector<TControlDescription> rows;
  };
  const Case cases[] = {
      {"unknown handler", {{.name = "b", .kind = K::kButton, .onClick = "Missing"}}},
      {"handler of another kind", {{.name = "e", .kind = K::kEdit, .onKeyPress = "Click"}}},
      {"unknown parent", {{.name = "l", .kind = K::kLabel, .parent = "nowhere"}}},
      {"parent not a container",
       {{.name = "l", .kind = K::kLabel}, {.name = "m", .kind = K::kLabel, .parent = "l"}}},
      {"name taken", {{.name = "x", .kind = K::kLabel}, {.name = "x", .kind = K::kEdit}}},
      {"unknown associate", {{.name = "u", .kind = K::kUpDown, .associate = "edNone"}}},
      {"frame not created", {{.name = "frmNone", .kind = K::kFrame}}},
      {"main menu off a form", {{.name = "MainMenu", .kind = K::kMainMenu}}},
      {"a form as a row", {{.name = "f", .kind = K::kForm}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TFrame frame(nullptr);
    EXPECT_THROW(BuildControls(frame, c.rows, {{"Click", [](TObject*) {}}}), Exception);
  }
}

}  // namespace
