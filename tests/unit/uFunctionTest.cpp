#include "matching/uFunction.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/Exception.h"
#include "toolkit/TMemoryStream.h"

using pixel_test::Fill;
using toolkit::TMemoryStream;
namespace sim = platform::sim;

namespace {

class Search : public pixel_test::SimScreenTest {};

std::string Text(std::uint32_t rgb) {
  // Colour text of a colour value, as the colour capture writes it.
  return toolkit::ColorToString(SwapRedBlue(static_cast<std::int32_t>(rgb)));
}

void ExpectPoint(platform::Point p, int x, int y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

}  // namespace

TEST(Similarity, ToleranceIsTruncatedNotRounded) {
  const struct {
    std::int32_t similarity, limit;
  } cases[] = {{99, 2},
               {95, 12},
               {90, 25},
               {80, 51},
               {70, 76},
               {62, 96},
               {60, 102},
               {0, 255},
               {101, -2},
               {200, -255},
               // 255 * (100 - s) wraps as a 32-bit product (-2147458148) instead of
               // overflowing.
               {INT_MIN, -21474581}};
  for (const auto& c : cases) {
    const TTolerance t = ToleranceForSimilarity(c.similarity);
    EXPECT_EQ(t.red, c.limit) << c.similarity;
    EXPECT_EQ(t.green, c.limit) << c.similarity;
    EXPECT_EQ(t.blue, c.limit) << c.similarity;
  }
}

TEST_F(Search, SimilarityDecidesWhichColoursCount) {
  // Pixel 0 differs from the searched colour by d in every channel.
  const std::uint32_t base = 0x808080;
  const struct {
    int similarity;
    int difference;
    bool found;
  } cases[] = {{100, 0, true},  {100, 1, false}, {99, 2, true},    {99, 3, false}, {70, 76, true},
               {70, 77, false}, {60, 102, true}, {60, 103, false}, {101, 0, false}};
  for (const auto& c : cases) {
    UseScreen(8, 4);
    const std::uint32_t shifted = base + 0x010101u * static_cast<std::uint32_t>(c.difference);
    sim::SetPixel(5, 2, shifted);
    const platform::Point p = SearchColor(Text(base), 0, 0, 8, 4, c.similarity);
    if (c.found) {
      ExpectPoint(p, 5, 2);
    } else {
      ExpectPoint(p, -1, -1);
    }
  }
}

TEST_F(Search, SimilarityZeroFindsTheFirstPixelOfTheArea) {
  ExpectPoint(SearchColor("clWhite", 10, 20, 30, 40, 0), 10, 20);
}

TEST_F(Search, SearchColorReturnsScreenPointsOfTheUpperLeftHit) {
  sim::SetPixel(20, 15, 0xFF0000);  // red as the screen shows it
  sim::SetPixel(30, 15, 0xFF0000);
  sim::SetPixel(5, 30, 0xFF0000);
  // "clRed" and the hexadecimal text of the TColor 0x000000FF are the same colour.
  ExpectPoint(SearchColor("clRed", 0, 0, 64, 48, 100), 20, 15);
  ExpectPoint(SearchColor("$000000FF", 0, 0, 64, 48, 100), 20, 15);
  ExpectPoint(SearchColor("clred", 0, 0, 64, 48, 95), 20, 15);
  // A scope is searched from its own corner and reported in screen pixels; a hit in
  // its first column comes back as its left edge.
  ExpectPoint(SearchColor("clRed", 20, 10, 40, 20, 100), 20, 15);
  ExpectPoint(SearchColor("clRed", 21, 10, 40, 20, 100), 30, 15);
  ExpectPoint(SearchColor("clRed", 0, 20, 64, 48, 100), 5, 30);
  ExpectPoint(SearchColor("clBlue", 0, 0, 64, 48, 100), -1, -1);
  // Only the searched area is grabbed.
  const sim::GrabRequest& g = sim::GrabLog().back();
  EXPECT_EQ(g.left, 0);
  EXPECT_EQ(g.width, 64);
}

TEST_F(Search, AScopeBeyondTheRightEdgeIsGrabbedFromZeroButKeepsItsLeft) {
  sim::SetPixel(3, 4, 0x00FF00);
  ExpectPoint(SearchColor("clLime", 70, 0, 80, 10, 100), 73, 4);
}

TEST_F(Search, BadColourTextRaisesBeforeAnythingIsGrabbed) {
  EXPECT_THROW(SearchColor("not a colour", 0, 0, 10, 10, 100), toolkit::EConvertError);
  EXPECT_TRUE(sim::GrabLog().empty());
}

TEST_F(Search, AFailedGrabOrAllocationFindsNothing) {
  // A black screen: black would be found anywhere in a good grab.
  TBDBitmapData dot;
  Fill(dot, {{0}});
  const struct {
    const char* what;
    void (*arm)();
  } failures[] = {
      {"copy", [] { sim::FailNextGrab(platform::GrabStatus::kCopyFailed); }},
      {"extraction", [] { sim::FailNextGrab(platform::GrabStatus::kExtractFailed); }},
      {"allocation", [] { sim::RefuseNextAllocations(1); }},
  };
  for (const auto& f : failures) {
    f.arm();
    ExpectPoint(SearchColor("clBlack", 0, 0, 10, 10, 100), -1, -1);
    f.arm();
    ExpectPoint(SearchPicture(dot, 0, 0, 10, 10, 90), -1, -1);
    ExpectPoint(SearchColor("clBlack", 0, 0, 10, 10, 100), 0, 0);  // the next one works
  }
}

TEST_F(Search, SearchPictureReturnsTheCentreOfTheMatchInScreenPixels) {
  UseScreen(400, 300);
  TBDBitmapData picture;
  std::vector<std::vector<std::uint32_t>> rows(4, std::vector<std::uint32_t>(5, 0x3366CC));
  rows[0][0] = 0xFFFFFF;
  Fill(picture, rows);
  sim::PaintBlock(110, 220, 5, 4, picture.pixels(), picture.stride());
  // Top-left (10, 20) in a scope at (100, 200); half of 5 is 2, half of 4 is 2.
  ExpectPoint(SearchPicture(picture, 100, 200, 300, 300, 100), 112, 222);
  ExpectPoint(SearchPicture(picture, 100, 200, 300, 300, 90), 112, 222);
  sim::PaintBlock(300, 210, 5, 4, picture.pixels(), picture.stride());  // a higher copy
  ExpectPoint(SearchPicture(picture, 100, 200, 310, 300, 100), 302, 212);
  ExpectPoint(SearchPicture(picture, 0, 0, 0, 0, 101), -1, -1);
}

TEST_F(Search, AnAreaExactlyThePicturesSizeIsSearchedButNotASmallerOne) {
  TBDBitmapData picture;
  Fill(picture, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}});
  sim::PaintBlock(10, 10, 3, 2, picture.pixels(), picture.stride());
  ExpectPoint(SearchPicture(picture, 10, 10, 13, 12, 100), 11, 11);  // the area's centre
  ExpectPoint(SearchPicture(picture, 10, 10, 12, 12, 100), -1, -1);  // one pixel narrower
  ExpectPoint(SearchPicture(picture, 10, 10, 13, 11, 100), -1, -1);  // one pixel lower
  ExpectPoint(SearchPicture(picture, 9, 9, 13, 12, 100), 11, 11);    // touching right, bottom

  TBDBitmapData noColumns;
  ASSERT_TRUE(noColumns.SetSize(0, 5));
  ExpectPoint(SearchPicture(noColumns, 7, 8, 20, 20, 100), 7, 10);
}

TEST_F(Search, GetScreenPixelGivesATColor) {
  sim::SetPixel(3, 4, 0x123456);
  EXPECT_EQ(GetScreenPixel(3, 4), 0x563412);
  // What the colour capture writes of it finds the same pixel again.
  ExpectPoint(SearchColor(toolkit::ColorToString(GetScreenPixel(3, 4)), 0, 0, 64, 48, 100), 3, 4);
  sim::FailPixelReads(true);
  EXPECT_EQ(GetScreenPixel(3, 4), -1);  // CLR_INVALID
}

TEST(PictureText, EncodesGroupsOfThreeWithPadding) {
  const struct {
    const char* bytes;
    const char* text;
  } cases[] = {{"", ""},
               {"f", "Zg=="},
               {"fo", "Zm8="},
               {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="},
               {"fooba", "Zm9vYmE="},
               {"foobar", "Zm9vYmFy"},
               {"\xFF\xFE\xFD", "//79"}};
  for (const auto& c : cases) {
    TMemoryStream stream;
    const std::vector<std::uint8_t> bytes = Bytes(c.bytes);
    stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(PictureToText(stream), c.text);  // from the start, wherever it stood
    const auto decoded = TextToPicture(c.text);
    EXPECT_EQ(decoded->Memory(), bytes) << c.text;
    EXPECT_EQ(decoded->Position(), decoded->Size());
  }
}

TEST(PictureText, AllByteValuesSurviveTheRoundTrip) {
  TMemoryStream stream;
  for (int i = 0; i < 256 * 3 + 1; ++i) {
    const auto b = static_cast<std::uint8_t>(i * 7);
    stream.Write(&b, 1);
  }
  EXPECT_EQ(TextToPicture(PictureToText(stream))->Memory(), stream.Memory());
}

TEST(PictureText, MalformedTextIsRejected) {
  const char* rejected[] = {"Zm9vY", "Zg=",  "Zg==Zg==", "Zm9\nYmFy", "Zm-v",
                            "Z===",  "====", "Zg=a",     "Zm 9"};
  for (const char* text : rejected) {
    EXPECT_THROW(TextToPicture(text), toolkit::EConvertError) << '"' << text << '"';
  }
}

TEST(Links, OpenTheWebPageAndANewMailToSupport) {
  sim::Reset();
  EXPECT_TRUE(OpenWebPage());
  EXPECT_TRUE(OpenMailAddress());
  EXPECT_TRUE(OpenWebPage());
  sim::FailShellOpens(true);
  EXPECT_TRUE(OpenWebPage());  // a shell failure is not reported
  EXPECT_EQ(sim::OpenedAddresses(),
            (std::vector<std::string>{kWebPageAddress, std::string("mailto:") + kSupportMailAddress,
                                      kWebPageAddress}));
  EXPECT_EQ(std::string(kWebPageAddress).rfind("https://", 0), 0u);
}
