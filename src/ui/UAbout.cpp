#include "ui/UAbout.h"

#include "matching/uFunction.h"
#include "toolkit/FormBuilder.h"
#include "ui/uBaseMain.h"

using namespace toolkit;

namespace {

const TFontDescription kLinkFont = {.height = -11, .color = clBlue, .underline = true};

const TFormDescription& Description() {
  static const TFormDescription description = {.caption = "About Pilgrove",
                                               .clientWidth = 322,
                                               .clientHeight = 118,
                                               .borderStyle = bsDialog,
                                               .borderIcons = biSystemMenu,
                                               .position = poDesktopCenter,
                                               .font = {.name = "MS Sans Serif", .height = -13},
                                               .onShow = "FormShow",
                                               .onClick = "FormClick",
                                               .controls = {
                                                   {.name = "Label1",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {26, 11, 267, 16},
                                                    .font = {.height = -13, .bold = true},
                                                    .autoSize = false,
                                                    .transparent = true},
                                                   {.name = "Label2",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {63, 34, 185, 18},
                                                    .caption = "Made by the Pilgrove developers",
                                                    .autoSize = false,
                                                    .transparent = true},
                                                   {.name = "Label4",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {22, 65, 35, 16},
                                                    .caption = "Web: ",
                                                    .transparent = true},
                                                   {.name = "Label5",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {64, 67, 227, 13},
                                                    .caption = kWebPageAddress,
                                                    .font = kLinkFont,
                                                    .cursor = crHandPoint,
                                                    .autoSize = false,
                                                    .transparent = true,
                                                    .onClick = "Label5Click"},
                                                   {.name = "Label6",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {22, 89, 40, 16},
                                                    .caption = "Email: ",
                                                    .transparent = true},
                                                   {.name = "Label7",
                                                    .kind = TComponentKind::kLabel,
                                                    .bounds = {64, 91, 213, 13},
                                                    .caption = kSupportMailAddress,
                                                    .font = kLinkFont,
                                                    .cursor = crHandPoint,
                                                    .autoSize = false,
                                                    .transparent = true,
                                                    .onClick = "Label7Click"},
                                               }};
  return description;
}

}  // namespace

TFMAbout::TFMAbout(TComponent* owner) : TForm(owner) {
  BuildForm(*this, Description(),
            {{"FormShow", TNotifyEvent(Bind(this, &TFMAbout::FormShow))},
             {"FormClick", TNotifyEvent(Bind(this, &TFMAbout::FormClick))},
             {"Label5Click", TNotifyEvent(Bind(this, &TFMAbout::Label5Click))},
             {"Label7Click", TNotifyEvent(Bind(this, &TFMAbout::Label7Click))}});
  Label1 = &Component<TLabel>("Label1");
  Label2 = &Component<TLabel>("Label2");
  Label4 = &Component<TLabel>("Label4");
  Label5 = &Component<TLabel>("Label5");
  Label6 = &Component<TLabel>("Label6");
  Label7 = &Component<TLabel>("Label7");
}

void TFMAbout::Label5Click(TObject*) {
  OpenWebPage();
}

void TFMAbout::Label7Click(TObject*) {
  OpenMailAddress();
}

void TFMAbout::FormShow(TObject*) {
  Label1->SetCaption(kVersionCaption);
}

void TFMAbout::FormClick(TObject*) {
  Close();
}
