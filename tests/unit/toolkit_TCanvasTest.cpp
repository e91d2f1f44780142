#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "toolkit/TCanvas.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

using CanvasTest = ToolkitTest;
using Pixels = std::set<std::pair<int, int>>;

// A bitmap whose every pixel differs from its neighbours, so that a stray or missing
// write shows.
TBitmap Pattern(int width, int height) {
  TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(x, y, static_cast<std::uint32_t>(x * 0x010307 + y * 0x0B0D00) & 0xFFFFFF);
  }
  return bitmap;
}

// The pixels at which two bitmaps differ.
Pixels Changed(const TBitmap& a, const TBitmap& b) {
  Pixels changed;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) changed.insert({x, y});
    }
  }
  return changed;
}

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
  struct Case {
    int x1, y1, x2, y2;
    Pixels drawn;
  };
  const Case cases[] = {
      {1, 1, 4, 1, {{1, 1}, {2, 1}, {3, 1}}},
      {4, 1, 1, 1, {{4, 1}, {3, 1}, {2, 1}}},
      {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {2, 2, 2, 2, {}},
      {-3, 2, 2, 2, {{0, 2}, {1, 2}}},  // clipped to the bitmap
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2);
    const TBitmap before = Pattern(6, 5);
    TBitmap bitmap = before;
    TCanvas canvas(bitmap);
    canvas.Pen.Mode = pmNot;
    canvas.MoveTo(c.x1, c.y1);
    canvas.LineTo(c.x2, c.y2);
    EXPECT_EQ(Changed(before, bitmap), c.drawn);
    EXPECT_EQ(canvas.PenPos(), (TPoint{c.x2, c.y2}));
    for (const auto& [x, y] : c.drawn) {
      EXPECT_EQ(bitmap.Pixel(x, y), ~before.Pixel(x, y) & 0xFFFFFF);
    }
  }
}

TEST_F(CanvasTest, NotModeCrosshairTwiceGivesThePictureBack) {
  const TBitmap before = Pattern(40, 30);
  TBitmap bitmap = before;
  TCanvas canvas(bitmap);
  canvas.Pen.Mode = pmNot;
  const auto crosshair = [&](int x, int y) {
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, 30);
    canvas.MoveTo(0, y);
    canvas.LineTo(40, y);
  };
  crosshair(-1, -1);  // off the bitmap: nothing
  EXPECT_EQ(bitmap, before);
  crosshair(7, 9);
  // The whole column and row; their crossing inverted twice is the original pixel.
  Pixels expected;
  for (int y = 0; y < 30; ++y) expected.insert({7, y});
  for (int x = 0; x < 40; ++x) expected.insert({x, 9});
  expected.erase({7, 9});
  EXPECT_EQ(Changed(before, bitmap), expected);
  crosshair(7, 9);
  EXPECT_EQ(bitmap, before);
}

TEST_F(CanvasTest, RectangleOutlineExcludesRightAndBottom) {
  const TBitmap before = Pattern(8, 8);
  TBitmap bitmap = before;
  TCanvas canvas(bitmap);
  canvas.Pen.Mode = pmNot;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(5, 4, 1, 1);  // corners in either order
  const Pixels outline = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 3},
                          {2, 3}, {3, 3}, {4, 3}, {1, 2}, {4, 2}};
  EXPECT_EQ(Changed(before, bitmap), outline);  // each pixel once: corners inverted
  canvas.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(bitmap, before);

  for (const auto& [x2, y2] : {std::pair{3, 3}, std::pair{3, 6}, std::pair{6, 3}}) {
    canvas.Rectangle(3, 3, x2, y2);  // no width or no height: nothing
  }
  EXPECT_EQ(bitmap, before);
  canvas.Rectangle(2, 2, 3, 5);  // one pixel wide: a column, each pixel once
  EXPECT_EQ(Changed(before, bitmap), (Pixels{{2, 2}, {2, 3}, {2, 4}}));
  canvas.Rectangle(2, 2, 3, 5);
  canvas.Rectangle(4, 6, 7, 7);  // one pixel high: a row, each pixel once
  EXPECT_EQ(Changed(before, bitmap), (Pixels{{4, 6}, {5, 6}, {6, 6}}));
}

TEST_F(CanvasTest, CopyModeSolidBrushAndCopyRect) {
  TBitmap bitmap(6, 6);
  TCanvas canvas(bitmap);
  canvas.Pen.Color = clRed;  // 0x0000FF as a TColor is 0xFF0000 as a pixel
  canvas.Brush.Color = static_cast<TColor>(0x563412);
  canvas.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(bitmap.Pixel(3, 3), 0xFF0000u);
  EXPECT_EQ(bitmap.Pixel(1, 2), 0x123456u);
  EXPECT_EQ(bitmap.Pixel(4, 4), 0u);

  const TBitmap source = Pattern(4, 4);
  TBitmap copy = source;
  TCanvas from(copy);
  canvas.CopyRect({2, 2, 4, 4}, from, {1, 1, 3, 3});
  EXPECT_EQ(bitmap.Pixel(2, 2), source.Pixel(1, 1));
  EXPECT_EQ(bitmap.Pixel(3, 3), source.Pixel(2, 2));
  canvas.CopyRect({0, 0, 6, 6}, from, {0, 0, 2, 2});  // stretched, nearest pixel
  EXPECT_EQ(bitmap.Pixel(2, 2), source.Pixel(0, 0));
  EXPECT_EQ(bitmap.Pixel(5, 5), source.Pixel(1, 1));
  // Overlapping copy within one bitmap reads the pixels as they were.
  canvas.CopyRect({0, 0, 6, 6}, from, {0, 0, 4, 4});
  const TBitmap whole = bitmap;
  canvas.CopyRect({1, 0, 6, 6}, canvas, {0, 0, 5, 6});
  EXPECT_EQ(bitmap.Pixel(1, 0), whole.Pixel(0, 0));
  EXPECT_EQ(bitmap.Pixel(5, 0), whole.Pixel(4, 0));
}

TEST_F(CanvasTest, ImageDrawsIntoItsPictureAndTellsThePeerWhere) {
  auto form = MakeForm<TForm>();
  TImage* image = Create<TImage>(*form);
  image->SetParent(form.get());
  image->SetPicture(Pattern(50, 40));
  EXPECT_EQ(image->Width(), 50);  // sized to its picture
  form->Show();
  TCanvas& canvas = image->Canvas();
  canvas.Pen.Mode = pmNot;
  canvas.MoveTo(0, 12);
  canvas.LineTo(50, 12);
  EXPECT_EQ(headless::LastPictureArea(*image), (TRect{0, 12, 50, 13}));
  canvas.Rectangle(10, 10, 20, 30);
  EXPECT_EQ(headless::LastPictureArea(*image), (TRect{10, 10, 20, 30}));
  EXPECT_NE(image->Picture(), Pattern(50, 40));

  // An image without a picture gets one of its own size for drawing.
  TImage* blank = Create<TImage>(*form);
  blank->SetBounds(0, 0, 16, 8);
  EXPECT_EQ(blank->Canvas().Bitmap().Width(), 16);
  EXPECT_EQ(blank->Picture().Height(), 8);
}

TEST_F(CanvasTest, ImageMouseEventsCarryButtonPositionAndHeldButtons) {
  auto form = MakeForm<TForm>();
  TImage* image = Create<TImage>(*form);
  image->SetParent(form.get());
  std::vector<std::string> log;
  image->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) +
                  "," + std::to_string(y));
  };
  image->OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
    log.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  image->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) +
                  "," + std::to_string(y));
  };
  EXPECT_FALSE(image->UserMouseMove(1, 1));  // the form is not shown yet
  form->Show();
  image->UserMouseMove(1, 2);
  image->UserMouseDown(mbRight, 3, 4, ssShift);
  image->UserMouseMove(5, 6);
  image->UserMouseUp(mbRight, 7, 8);
  EXPECT_EQ(log,
            (std::vector<std::string>{"move 0 1,2", "down 1 17 3,4", "move 16 5,6", "up 1 0 7,8"}));
}

}  // namespace
