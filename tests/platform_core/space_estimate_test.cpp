// The space estimate behind every write's disk-full check: counts are
// trusted for a while and only to let writes through; a refusal, a stale
// count or another medium means counting again.
#include "platform/core/space_estimate.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

struct CountingDrive {
  SpaceEstimate::Count now{1000, 0};
  int counts = 0;
  SpaceEstimate::Counter counter() {
    return [this] {
      ++counts;
      return now;
    };
  }
};

}  // namespace

TEST(SpaceEstimate, WritesAddUpUntilTheLimitAndARefusalIsCountedAgain) {
  SpaceEstimate estimate(2s);
  CountingDrive drive;
  const auto t0 = SpaceEstimate::Clock::now();
  // A write let through lands on the medium, where the next count finds it.
  auto write = [&](uint64_t bytes, SpaceEstimate::Clock::time_point at) {
    bool fits = estimate.take(bytes, "/m", drive.counter(), at);
    if (fits) drive.now.used += bytes;
    return fits;
  };
  EXPECT_TRUE(write(600, t0));
  EXPECT_TRUE(write(300, t0 + 1s));
  EXPECT_EQ(drive.counts, 1);  // the second write trusted the first count
  // 600 + 300 + 200 > 1000: counted again before refusing.
  EXPECT_FALSE(write(200, t0 + 1s));
  EXPECT_EQ(drive.counts, 2);
  // Space freed behind the program's back is found by that recount.
  drive.now.used = 100;
  EXPECT_TRUE(write(200, t0 + 1s));
  EXPECT_EQ(drive.counts, 3);
  EXPECT_TRUE(write(700, t0 + 1s));  // exactly full
  EXPECT_EQ(drive.counts, 3);
  EXPECT_FALSE(write(1, t0 + 1s));
  EXPECT_EQ(drive.counts, 4);
}

TEST(SpaceEstimate, AStaleCountOrAnotherMediumIsCountedAgain) {
  SpaceEstimate estimate(2s);
  CountingDrive drive;
  const auto t0 = SpaceEstimate::Clock::now();
  EXPECT_TRUE(estimate.take(10, "/m", drive.counter(), t0));
  // Filled on the host meanwhile: a stale count is not trusted to say it fits.
  drive.now.used = 995;
  EXPECT_FALSE(estimate.take(10, "/m", drive.counter(), t0 + 3s));
  EXPECT_EQ(drive.counts, 2);
  drive.now.used = 0;
  EXPECT_TRUE(estimate.take(10, "/other", drive.counter(), t0 + 3s));
  EXPECT_EQ(drive.counts, 3);
  // A count made for GetDiskFreeSpaceEx is trusted like its own.
  estimate.record("/m", {1000, 990}, t0 + 3s);
  drive.now.used = 0;
  EXPECT_TRUE(estimate.take(10, "/m", drive.counter(), t0 + 4s));
  EXPECT_EQ(drive.counts, 3);
  // No limit at all (the host could not say): nothing fits.
  SpaceEstimate unknown(2s);
  EXPECT_FALSE(unknown.take(
      1, "/m",
      [] {
        return SpaceEstimate::Count{0, 0};
      },
      t0));
  EXPECT_TRUE(unknown.take(
      0, "/m",
      [] {
        return SpaceEstimate::Count{0, 0};
      },
      t0));
}

TEST(SpaceEstimate, AStaleCountWithRoomTheHostCouldNotHaveFilledIsKept) {
  SpaceEstimate estimate(2s);
  CountingDrive drive;
  const uint64_t gib = uint64_t{1} << 30;
  drive.now = {20 * gib, gib};
  const auto t0 = SpaceEstimate::Clock::now();
  EXPECT_TRUE(estimate.take(1000, "/big", drive.counter(), t0));
  // 19 GiB free: not fillable in 5 seconds, so no walk of the drive again.
  EXPECT_TRUE(estimate.take(1000, "/big", drive.counter(), t0 + 5s));
  EXPECT_EQ(drive.counts, 1);
  // After 30 seconds it could have been: counted again, and what the host
  // wrote meanwhile is found.
  drive.now.used = 20 * gib - 500;
  EXPECT_FALSE(estimate.take(1000, "/big", drive.counter(), t0 + 30s));
  EXPECT_EQ(drive.counts, 2);
}
