// results.txt, the report files of a backup to CD, Write2File and the CD trace.

#include <gtest/gtest.h>

#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using testing_support::TestProgram;

std::string results(const TestProgram& m) {
  return m.read(m.form->core.loc.programDir + "results.txt");
}

TEST(ActivityLog, FreshFileHoldsTheEntryFramedByEmptyLines) {
  TestProgram m;
  m.form->core.Log(">>> RegPack started at 5/3/2004");
  m.form->core.Log("<<< RegPack Completed - 5/3/2004");
  m.form->core.WriteResultFile();
  EXPECT_EQ(results(m),
            "\r\n>>> RegPack started at 5/3/2004\r\n<<< RegPack Completed - 5/3/2004\r\n\r\n\r\n");
  EXPECT_TRUE(m.form->core.ActivityLog.empty());
}

TEST(ActivityLog, RunsOfCarriageReturnsShrinkToOneLineBreak) {
  TestProgram m;
  m.form->core.Log(">>> Restore of C:\\B\\ started at x");
  m.form->core.Log("");
  m.form->core.Log("Restore finished.\r\rRestart Windows.");
  m.form->core.Log("<<< Ended at y");
  m.form->core.WriteResultFile();
  EXPECT_EQ(results(m),
            "\r\n>>> Restore of C:\\B\\ started at x\r\nRestore finished.\r\nRestart "
            "Windows.\r\n<<< Ended at y\r\n\r\n\r\n");
}

TEST(ActivityLog, EntriesStandThreeEmptyLinesApartNewestFirst) {
  TestProgram m;
  m.form->core.Log("first");
  m.form->core.WriteResultFile();
  m.form->core.Log("second");
  m.form->core.WriteResultFile();
  EXPECT_EQ(results(m), "\r\nsecond\r\n\r\n\r\n\r\nfirst\r\n\r\n\r\n");
}

TEST(ActivityLog, KeepsTheFirstThousandOldLines) {
  TestProgram m;
  std::string old;
  for (int line = 0; line < 1500; ++line) old += "old " + std::to_string(line) + "\r\n";
  m.write(m.form->core.loc.programDir + "results.txt", old);
  m.form->core.Log("new");
  m.form->core.WriteResultFile();
  const std::string text = results(m);
  std::string expected = "\r\nnew\r\n\r\n\r\n";
  for (int line = 0; line < 1000; ++line) expected += "old " + std::to_string(line) + "\r\n";
  EXPECT_EQ(text, expected);
}

TEST(ActivityLog, ReportsOfSkippedNamesFollowTheirHeader) {
  TestProgram m;
  const std::string name127(127, 'a'), name128(128, 'b');
  m.form->core.LongFNFound("C:\\D\\" + name127);
  m.form->core.LongFNFound("C:\\D\\" + name128 + "\\");
  m.form->core.LongFNFound("C:\\third");
  EXPECT_TRUE(m.form->core.LongFNFlag);
  const std::string text = m.read(m.form->core.loc.programDir + "longfn.txt");
  const std::string header =
      "   Due to the limitations of a CD's format, file names and\r\n"
      "directory names cannot have more than 127 letters.  The\r\n"
      "following files and/or directories were skipped because\r\n"
      "they have more than 127 letters.  If you must back up\r\n"
      "these files or directories, it is recommended that you\r\n"
      "do a compressed backup.\r\n\r\n";
  EXPECT_EQ(text, header + "   C:\\D\\" + name127 + "\r\n   C:\\D\\" + name128 +
                      "\\\r\n   C:\\third\r\n");

  m.form->core.BigFFound("C:\\huge.avi");
  EXPECT_TRUE(m.form->core.BigFFlag);
  EXPECT_EQ(m.read(m.form->core.loc.programDir + "bigfiles.txt"),
            "   The following files have been found to be too big to\r\n"
            "fit on the CD (in other words, the file is bigger than\r\n"
            "the size of the CD), so they have been skipped.  If\r\n"
            "you must back up these files, it is recommended that\r\n"
            "you do a compressed backup.\r\n\r\n   C:\\huge.avi\r\n");
}

TEST(ActivityLog, Write2FileWritesTheTextExactly) {
  TestProgram m;
  m.write("C:\\notes.txt", "old content");
  m.form->core.Write2File("C:\\notes.txt", "");
  EXPECT_EQ(m.read("C:\\notes.txt"), "");
  m.form->core.Write2File("C:\\notes.txt", "line 1\r\nline 2");
  EXPECT_EQ(m.read("C:\\notes.txt"), "line 1\r\nline 2");
}

TEST(ActivityLog, TraceStartsAfresWithEachRightClick) {
  TestProgram m;
  const std::string trace = m.form->core.loc.programDir + "cdlogs.txt";
  m.form->core.CDBurnerDebugMessage("ignored while off");
  EXPECT_FALSE(m.exists(trace));
  m.form->core.MinimizeButtonRightClick();
  m.form->core.CDBurnerDebugMessage("one");
  m.form->core.MinimizeButtonRightClick();
  m.form->core.CDBurnerDebugMessage("two");
  m.form->core.CDBurnerDebugMessage("three");
  EXPECT_EQ(m.read(trace), "two\r\nthree\r\n");
}

TEST(ActivityLog, TimestampLeavesOutTheTimeAtMidnight) {
  TestProgram m;
  m.setToday(2004, 7, 30, 0);
  const std::string midnight = m.form->core.Timestamp();
  m.setToday(2004, 7, 30, 13);
  const std::string afternoon = m.form->core.Timestamp();
  EXPECT_EQ(afternoon.rfind(midnight + " ", 0), 0u) << midnight << " / " << afternoon;
  EXPECT_GT(afternoon.size(), midnight.size() + 4);
  EXPECT_NE(midnight.find("2004"), std::string::npos);
}

}  // namespace
}  // namespace shell_test
