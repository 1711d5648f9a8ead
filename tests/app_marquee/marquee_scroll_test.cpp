// The marquee's scroll arithmetic.

#include <gtest/gtest.h>

#include "app/MarqueeScroll.h"

namespace corvasta {
namespace {

constexpr int64_t kPanel = 480;

TEST(MarqueeScroll, ANewTextStartsAtTheLeftEdgeAndMovesLeft) {
  MarqueeScroll scroll;
  EXPECT_EQ(scroll.restart(kPanel), (MarqueeFrame{0, false}));
  EXPECT_EQ(scroll.position(), kPanel);
  EXPECT_EQ(scroll.step(3000, kPanel), (MarqueeFrame{0, false}));
  EXPECT_EQ(scroll.step(3000, kPanel), (MarqueeFrame{-2, false}));
  EXPECT_EQ(scroll.position(), kPanel + 4);
}

TEST(MarqueeScroll, AtTheEndTheTextFollowsItselfWithoutAJump) {
  MarqueeScroll scroll;
  scroll.restart(kPanel);
  const int64_t loop = 1000;  // text and three blanks
  MarqueeFrame frame;
  while (scroll.position() <= loop) frame = scroll.step(loop, kPanel);
  // The text's last pixels have just passed the left edge...
  EXPECT_FALSE(frame.twice);
  EXPECT_LE(frame.x, kPanel - loop);
  // ...and the next step draws it twice, the second copy entering at the right.
  const MarqueeFrame next = scroll.step(loop, kPanel);
  EXPECT_TRUE(next.twice);
  EXPECT_EQ(next.x + loop, kPanel - 1);
  // Once the first copy has left, the second goes on alone where it was.
  MarqueeFrame last = next;
  while (scroll.position() < kPanel) last = scroll.step(loop, kPanel);
  const MarqueeFrame alone = scroll.step(loop, kPanel);
  EXPECT_FALSE(alone.twice);
  EXPECT_EQ(alone.x, last.x + loop - 2);
}

TEST(MarqueeScroll, ShowFromPutsAnOffsetAtTheLeftEdge) {
  MarqueeScroll scroll;
  EXPECT_EQ(scroll.showFrom(1234, kPanel), (MarqueeFrame{-1234, false}));
  EXPECT_EQ(scroll.position(), 1234 + kPanel);
}

}  // namespace
}  // namespace corvasta
