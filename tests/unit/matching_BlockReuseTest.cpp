// Screen-sized blocks outlive their buffers, so that a search every tick allocates nothing
// after the first; small blocks, and failures to get memory, are as before.
#include <gtest/gtest.h>

#include "PixelTestUtil.h"
#include "matching/BitmapData.h"
#include "platform/sim/SimDesktop.h"

namespace sim = platform::sim;

namespace {

class BlockReuse : public pixel_test::SimScreenTest {};

}  // namespace

TEST_F(BlockReuse, AScreenSizedBlockServesTheNextBufferOfThatSize) {
  const std::uint8_t* first = nullptr;
  {
    TBDBitmapData grab;
    ASSERT_TRUE(grab.SetSize(1920, 1080));
    first = grab.pixels();
  }
  const int allocations = sim::AllocationCount();
  for (int tick = 0; tick < 3; ++tick) {
    TBDBitmapData grab;
    ASSERT_TRUE(grab.SetSize(1920, 1080));
    EXPECT_EQ(grab.pixels(), first);
    EXPECT_EQ(grab.capacity(), 1920 * 3 * 1080);
    // A smaller grab of a megabyte and more takes the larger block whole.
    TBDBitmapData scope;
    ASSERT_TRUE(grab.SetSize(0, 0));
    grab.Clear();
    ASSERT_TRUE(scope.SetSize(1000, 500));
    EXPECT_EQ(scope.pixels(), first);
    EXPECT_EQ(scope.capacity(), 1920 * 3 * 1080);
  }
  EXPECT_EQ(sim::AllocationCount(), allocations);
}

TEST_F(BlockReuse, SmallBlocksAndBlocksLargerThanTheKeptOneAreAllocated) {
  {
    TBDBitmapData grab;
    ASSERT_TRUE(grab.SetSize(1920, 1080));
  }
  const int allocations = sim::AllocationCount();
  {
    TBDBitmapData small;
    ASSERT_TRUE(small.SetSize(100, 100));  // 30 000 bytes: a block of its own
    EXPECT_EQ(small.capacity(), 30000);
  }
  EXPECT_EQ(sim::AllocationCount(), allocations + 1);

  // A larger grab than the kept block can't have it; when its memory is refused, it has
  // no block at all, as ever.
  TBDBitmapData larger;
  sim::RefuseNextAllocations(1);
  EXPECT_FALSE(larger.SetSize(2560, 1440));
  EXPECT_EQ(larger.pixels(), nullptr);
  EXPECT_EQ(larger.capacity(), 0);
  ASSERT_TRUE(larger.SetSize(2560, 1440));
  EXPECT_EQ(larger.capacity(), 2560 * 3 * 1440);
  EXPECT_EQ(sim::AllocationCount(), allocations + 2);
}
