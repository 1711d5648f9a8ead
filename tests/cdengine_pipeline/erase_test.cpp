// The erase thread after a BLANK: its progress against the expected
// duration, 100 only once the drive is ready, the check that the disc came
// out blank, and OnEraseDone on the main thread.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/cdengine_pipeline/pipeline_rig.h"

namespace cdengine_test {
namespace {

constexpr int kBusyPolls = 40;

// A CD-RW whose drive reports "format in progress" to TEST UNIT READY for
// `busyPolls` polls once the blank has started (StartErase's own two
// answer ready), sampling the erase progress at each poll.
struct BlankingRig : PipelineRig {
  explicit BlankingRig(int busyPolls) {
    start(0x000A);
    drive.instead(0x00, -1, good());
    drive.on(0x00, good());
    for (int i = 0; i < busyPolls; ++i) drive.on(0x00, failing(2, 0x04, 0x04));
    drive.on(0x00, good());
    // The engine itself, not the pointer: it is still sampled while the
    // engine's destructor joins the thread.
    cdengine::TCDBurner* engine = burner.get();
    drive.onCommand = [this, engine](const uint8_t* cdb) {
      if (cdb[0] == 0x00 && engine->Erasing)
        samples.push_back({clock.sleptMs(), engine->EraseProgress()});
    };
  }
  struct Sample {
    uint64_t sleptMs;
    int progress;
  };
  std::vector<Sample> samples;
};

TEST(EraseThread, QuickCdRwBlankExpects150Seconds) {
  const int before = threadCount();
  BlankingRig rig(kBusyPolls);
  const uint64_t sleptBefore = rig.clock.sleptMs();
  ASSERT_TRUE(rig.burner->StartErase(true));
  ASSERT_TRUE(rig.waitForEraseDone());
  EXPECT_EQ(rig.eraseEnds, (std::vector<bool>{false}));
  EXPECT_FALSE(rig.burner->Erasing);
  EXPECT_EQ(rig.burner->EraseProgress(), 0);  // not erasing

  // While the drive was busy the progress counted 2-second polls against
  // 150 s and stayed below 100; it reached 100 only after the drive was
  // ready (at the reset's TEST UNIT READY).
  size_t busy = 0;
  while (busy < rig.samples.size() && rig.samples[busy].progress < 100) {
    const double seconds = static_cast<double>(rig.samples[busy].sleptMs - sleptBefore) / 1000;
    EXPECT_EQ(rig.samples[busy].progress, static_cast<int>(std::round(seconds * 100 / 150)));
    ++busy;
  }
  EXPECT_GT(busy, size_t{kBusyPolls});
  EXPECT_EQ(rig.samples[busy - 1].progress, 52);  // 39 pauses of 2 s: 78 of 150 s
  ASSERT_EQ(busy + 1, rig.samples.size());
  EXPECT_EQ(rig.samples.back().progress, 100);
  EXPECT_EQ(threadCount(), before);
}

TEST(EraseThread, ProgressReachesOneHundredOnlyWhenReady) {
  BlankingRig rig(100);  // 200 s of polls, more than the 150 expected
  ASSERT_TRUE(rig.burner->StartErase(true));
  ASSERT_TRUE(rig.waitForEraseDone());
  EXPECT_EQ(rig.eraseEnds, (std::vector<bool>{false}));
  ASSERT_GE(rig.samples.size(), 2u);
  // Past the expected time and still busy: 99; ready: 100.
  EXPECT_EQ(rig.samples[rig.samples.size() - 2].progress, 99);
  EXPECT_EQ(rig.samples.back().progress, 100);
}

TEST(EraseThread, DiscNotBlankAfterIsAnError) {
  BlankingRig rig(0);
  rig.drive.instead(0x51, -1, good(discReply(2, 3, true, 1)));  // still complete
  ASSERT_TRUE(rig.burner->StartErase(true));
  ASSERT_TRUE(rig.waitForEraseDone());
  EXPECT_EQ(rig.eraseEnds, (std::vector<bool>{true}));
}

TEST(EraseThread, DriveReportedFailureIsAnError) {
  BlankingRig rig(1);
  rig.drive.instead(0x03, -1, good([] {
                      std::vector<uint8_t> sense(18, 0);
                      sense[0] = 0x70;
                      sense[2] = 0x03;  // medium error
                      sense[12] = 0x31;
                      return sense;
                    }()));
  rig.drive.on(0x03, good(std::vector<uint8_t>{0x70}));
  ASSERT_TRUE(rig.burner->StartErase(true));
  ASSERT_TRUE(rig.waitForEraseDone());
  EXPECT_EQ(rig.eraseEnds, (std::vector<bool>{true}));
}

TEST(EraseThread, DestructionMidEraseJoins) {
  const int before = threadCount();
  {
    BlankingRig rig(0);
    rig.drive.instead(0x00, -1, good());
    rig.drive.on(0x00, good()).on(0x00, failing(2, 0x04, 0x04));  // busy from then on
    ASSERT_TRUE(rig.burner->StartErase(false));                   // 4500 s of "becoming ready"
    rig.burner.reset();
    EXPECT_TRUE(rig.eraseEnds.empty());
  }
  EXPECT_EQ(threadCount(), before);
}

}  // namespace
}  // namespace cdengine_test
