#include "toolkit/TMemoryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using toolkit::TMemoryStream;
using toolkit::TSeekOrigin;

TEST(TMemoryStream, ReadsAndWritesAtThePosition) {
  TMemoryStream stream;
  const std::uint8_t abc[] = {1, 2, 3};
  EXPECT_EQ(stream.Write(abc, 3), 3);
  EXPECT_EQ(stream.Position(), 3);
  stream.SetPosition(1);
  const std::uint8_t x = 9;
  stream.Write(&x, 1);  // overwrites in place
  EXPECT_EQ(stream.Memory(), (std::vector<std::uint8_t>{1, 9, 3}));
  EXPECT_EQ(stream.Size(), 3);
  EXPECT_EQ(stream.Position(), 2);  // Size leaves the position alone

  std::uint8_t out[8] = {};
  stream.SetPosition(1);
  EXPECT_EQ(stream.Read(out, 8), 2);  // only what is there
  EXPECT_EQ(out[0], 9);
  EXPECT_EQ(out[1], 3);
  EXPECT_EQ(stream.Read(out, 8), 0);  // at the end
  EXPECT_EQ(stream.Read(out, -1), 0);
}

TEST(TMemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  EXPECT_EQ(stream.Seek(2, TSeekOrigin::soEnd), 2);
  const std::uint8_t b = 7;
  stream.Write(&b, 1);
  EXPECT_EQ(stream.Memory(), (std::vector<std::uint8_t>{0, 0, 7}));
  EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soCurrent), 2);
  EXPECT_EQ(stream.Seek(-10, TSeekOrigin::soBeginning), 0);
  stream.SetSize(1);
  EXPECT_EQ(stream.Size(), 1);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}
