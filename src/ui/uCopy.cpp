#include "ui/uCopy.h"

#include <utility>

#include "matching/BitmapData.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TScreen.h"

using namespace toolkit;

namespace {

const TFormDescription& Description() {
  static const TFormDescription description = {.caption = "fmCopy",
                                               .clientWidth = 116,
                                               .clientHeight = 62,
                                               .borderStyle = bsNone,
                                               .onCreate = "FormCreate",
                                               .controls = {
                                                   {.name = "Image1",
                                                    .kind = TComponentKind::kImage,
                                                    .align = alClient,
                                                    .onMouseDown = "Image1MouseDown",
                                                    .onMouseMove = "Image1MouseMove",
                                                    .onMouseUp = "Image1MouseUp"},
                                               }};
  return description;
}

}  // namespace

TfmCopy::TfmCopy(TComponent* owner) : TForm(owner) {
  BuildForm(*this, Description(),
            {{"FormCreate", TNotifyEvent(Bind(this, &TfmCopy::FormCreate))},
             {"Image1MouseDown", TMouseEvent(Bind(this, &TfmCopy::Image1MouseDown))},
             {"Image1MouseMove", TMouseMoveEvent(Bind(this, &TfmCopy::Image1MouseMove))},
             {"Image1MouseUp", TMouseEvent(Bind(this, &TfmCopy::Image1MouseUp))}});
  Image1 = &Component<TImage>("Image1");
}

void TfmCopy::FormCreate(TObject*) {
  TBitmap snapshot(Screen.Width(), Screen.Height());
  // The picker's own window is not up yet, so the grab sees what the user sees. A grab
  // that fails leaves the snapshot black, as it was made.
  TBDBitmapData grab("");
  if (grab.CopyFromScreen(0, 0, snapshot.Width(), snapshot.Height())) grab.SaveToBitmap(&snapshot);
  const std::int32_t width = snapshot.Width();
  const std::int32_t height = snapshot.Height();
  Image1->SetPicture(std::move(snapshot));
  Image1->SetBounds(Image1->Left(), Image1->Top(), width, height);
  SetWindowState(wsMaximized);
  crossX = -1;
  crossY = -1;
  SetUpPen();
  crosshairOn = true;
}

void TfmCopy::SetUpPen() {
  TCanvas& canvas = Image1->Canvas();
  canvas.Pen.Mode = pmNot;
  canvas.Pen.Color = clBlack;
  canvas.Brush.Style = bsClear;
}

void TfmCopy::DrawCrosshair(std::int32_t x, std::int32_t y) {
  TCanvas& canvas = Image1->Canvas();
  canvas.MoveTo(x, 0);
  canvas.LineTo(x, Screen.Height());
  canvas.MoveTo(0, y);
  canvas.LineTo(Screen.Width(), y);
}

void TfmCopy::Image1MouseMove(TObject*, TShiftState, std::int32_t x, std::int32_t y) {
  if (dragging) {
    TCanvas& canvas = Image1->Canvas();
    canvas.Rectangle(startX, startY, cornerX, cornerY);
    canvas.Rectangle(startX, startY, x, y);
    cornerX = x;
    cornerY = y;
  } else if (crosshairOn) {
    DrawCrosshair(crossX, crossY);
    DrawCrosshair(x, y);
    crossX = x;
    crossY = y;
  }
}

void TfmCopy::Image1MouseDown(TObject*, TMouseButton, TShiftState, std::int32_t x, std::int32_t y) {
  if (dragging) {
    EndSelection(x, y);
    return;
  }
  crosshairOn = false;
  DrawCrosshair(crossX, crossY);
  startX = x;
  startY = y;
  cornerX = x;
  cornerY = y;
  dragging = true;
  SetUpPen();
}

void TfmCopy::Image1MouseUp(TObject*, TMouseButton, TShiftState, std::int32_t x, std::int32_t y) {
  if (dragging) EndSelection(x, y);
}

void TfmCopy::EndSelection(std::int32_t x, std::int32_t y) {
  endX = x;
  endY = y;
  dragging = false;
  SetModalResult(mrOk);
}
