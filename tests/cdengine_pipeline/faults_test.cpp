// How a write ends when something goes wrong: the text OnWriteDone gets on
// the main thread, no session closed after an error, the drive still reset,
// and no worker thread left behind — also when the engine is destroyed in
// the middle of a write.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/cdengine_pipeline/pipeline_rig.h"

namespace cdengine_test {
namespace {

constexpr uint32_t kErrorDevNotExist = 55;

// The end of a write that went wrong: its one text, nothing closed, the
// drive reset, every thread joined.
void expectFailedEnd(PipelineRig& rig, int threadsBefore, const std::string& text) {
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{text}));
  EXPECT_EQ(rig.drive.count(0x5B), 0) << "a session was closed after an error";
  EXPECT_GE(rig.drive.count(0x1E), 1) << "the drive was not reset";
  EXPECT_EQ(rig.drive.sent().back().cdb[0], 0x00);
  EXPECT_FALSE(rig.burner->Writing());
  EXPECT_EQ(threadCount(), threadsBefore);
}

TEST(WriteFaults, DoneRunsOnTheThreadProcessingTheCalls) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.addFile("C:\\Data\\small.txt", 5000);
  ASSERT_TRUE(rig.burner->StartWrite());
  EXPECT_TRUE(rig.burner->Writing());
  ASSERT_TRUE(rig.waitForWriteDone());
  ASSERT_EQ(rig.writeEndThreads.size(), 1u);
  EXPECT_EQ(rig.writeEndThreads[0], std::this_thread::get_id());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
  EXPECT_EQ(threadCount(), before);
  // Worker debug messages arrive on this thread too, in order.
  EXPECT_FALSE(rig.messages.empty());
}

TEST(WriteFaults, DeletedSourceEndsBeforeItsBlocks) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.addFile("C:\\Data\\first.bin", 3000);
  rig.addFile("C:\\Data\\gone.bin", 3000);
  rig.files->deleteFile("C:\\Data\\gone.bin");
  EXPECT_FALSE(rig.burner->StartWrite());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{"CAN'T OPEN FILE \"C:\\Data\\gone.bin\" OR "
                                                     "FILE IS IN USES BY OTHER SOFTWARE"}));
  EXPECT_EQ(rig.drive.count(0x2A), 0);
  EXPECT_EQ(threadCount(), before);
}

// With a 2 MiB cache the writer is already running when the cache thread
// reaches the deleted file: it stops before the sector where that file
// would start.
TEST(WriteFaults, DeletedSourceMidWriteEndsBeforeItsBlocks) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.burner->CacheSize = 2 * 1024 * 1024;
  rig.addFile("C:\\Data\\first.bin", 3 * 1024 * 1024);
  rig.addFile("C:\\Data\\gone.bin", 3000);
  rig.burner->PrepareImage(true);
  rig.files->deleteFile("C:\\Data\\gone.bin");
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  const uint32_t goneSector =
      rig.burner->Image().layout().fileArea + (3 * 1024 * 1024) / 2048;  // after first.bin
  for (const Written& write : rig.drive.writes()) EXPECT_LE(write.lba + write.count, goneSector);
  EXPECT_GT(rig.drive.count(0x2A), 0);
  expectFailedEnd(rig, before,
                  "CAN'T OPEN FILE \"C:\\Data\\gone.bin\" OR FILE IS IN USES BY OTHER SOFTWARE");
}

TEST(WriteFaults, BusyForeverGivesUpAfterTenThousandTries) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.drive.keepWriteData = false;
  rig.drive.instead(0x2A, -1, failing(2, 0x04, 0x08));  // long write in progress
  rig.addFile("C:\\Data\\small.txt", 10);
  const uint64_t slept = rig.clock.sleptMs();
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0x2A), 10000);
  EXPECT_GE(rig.clock.sleptMs() - slept, 9999u * 600);
  expectFailedEnd(rig, before, "WRITER BUSY/BUFFER FULL");
}

TEST(WriteFaults, WriteErrorNamesTheSense) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.drive.instead(0x2A, -1, failing(3, 0x0C, 0x00));
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0x2A), 1);
  expectFailedEnd(rig, before, writerErrorFor(3, 0x0C, 0x00));
}

TEST(WriteFaults, FailedFlushIsAnError) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.drive.instead(0x35, -1, failing(3, 0x0C, 0x00));
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0x35), 2);  // without, then with the immediate bit
  EXPECT_EQ(rig.drive.last(0x35).cdb[1], 2);
  expectFailedEnd(rig, before, writerErrorFor(3, 0x0C, 0x00));
}

TEST(WriteFaults, FailedCloseIsAnError) {
  PipelineRig rig;
  rig.start();
  rig.drive.instead(0x5B, -1, failing(5, 0x2C, 0x00));
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{writerErrorFor(5, 0x2C, 0x00)}));
  EXPECT_GE(rig.drive.count(0x1E), 1);
}

TEST(WriteFaults, AbortMidWrite) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  rig.addFile("C:\\Data\\big.bin", 1 << 20);
  int writes = 0;
  rig.drive.onCommand = [&](const uint8_t* cdb) {
    if (cdb[0] == 0x2A && ++writes == 3) rig.burner->AbortWrite();
  };
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0x2A), 3);
  expectFailedEnd(rig, before, "OPERATION ABORTED BY USER");
}

TEST(WriteFaults, AbortWhileTheDriveIsBusy) {
  PipelineRig rig;
  rig.start();
  rig.drive.instead(0x2A, -1, failing(2, 0x04, 0x08));
  rig.addFile("C:\\Data\\small.txt", 10);
  int writes = 0;
  rig.drive.onCommand = [&](const uint8_t* cdb) {
    if (cdb[0] == 0x2A && ++writes == 5) rig.burner->AbortWrite();
  };
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0x2A), 5);
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{"OPERATION ABORTED BY USER"}));
}

TEST(WriteFaults, VanishedDriveEndsAtOnce) {
  const int before = threadCount();
  PipelineRig rig;
  rig.start();
  ScriptedReply gone;
  gone.error = kErrorDevNotExist;
  rig.drive.instead(0x2A, -1, gone);
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{"WRITER ERROR [NO DEVICE]"}));
  EXPECT_EQ(rig.drive.count(0x2A), 1);  // not retried
  EXPECT_EQ(rig.drive.count(0x35), 0);  // nothing more asked of it
  EXPECT_EQ(rig.drive.count(0x5B), 0);
  EXPECT_EQ(threadCount(), before);
}

TEST(WriteFaults, DestructionMidWriteJoinsEveryThread) {
  const int before = threadCount();
  {
    PipelineRig rig;
    rig.start();
    rig.addFile("C:\\Data\\big.bin", 1 << 20);
    std::atomic<bool> writing = false;
    // The second block waits until destruction has begun (it aborts).
    cdengine::TCDBurner* engine = rig.burner.get();
    int writes = 0;
    rig.drive.onCommand = [&, engine](const uint8_t* cdb) {
      if (cdb[0] != 0x2A || ++writes != 2) return;
      writing = true;
      while (!engine->WriteAborted()) std::this_thread::yield();
    };
    ASSERT_TRUE(rig.burner->StartWrite());
    while (!writing) std::this_thread::yield();
    rig.burner.reset();  // the writer waits for no main thread
    EXPECT_TRUE(rig.writeEnds.empty());
    EXPECT_EQ(rig.drive.count(0x5B), 0);
  }
  EXPECT_EQ(threadCount(), before);
}

TEST(WriteFaults, SecondStartWhileWritingIsRefused) {
  PipelineRig rig;
  rig.start();
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  EXPECT_FALSE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds.size(), 1u);
  // After the end a new write may start.
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone(2));
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{"", ""}));
}

TEST(WriteFaults, NoBlankWhileWriting) {
  PipelineRig rig;
  rig.start(0x000A);
  rig.addFile("C:\\Data\\small.txt", 10);
  std::atomic<bool> inWrite = false, release = false;
  rig.drive.onCommand = [&](const uint8_t* cdb) {
    if (cdb[0] != 0x2A || inWrite) return;
    inWrite = true;
    while (!release) std::this_thread::yield();
  };
  ASSERT_TRUE(rig.burner->StartWrite());
  while (!inWrite) std::this_thread::yield();
  EXPECT_FALSE(rig.burner->StartErase(true));
  release = true;
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.drive.count(0xA1), 0);
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
  EXPECT_TRUE(rig.eraseEnds.empty());
}

}  // namespace
}  // namespace cdengine_test
