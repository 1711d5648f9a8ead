// scanreg.ini as the registry checker reads it.

#include "platform/simulators/checker_settings.h"

#include <gtest/gtest.h>

namespace {

using platform::parseCheckerSettings;

TEST(CheckerSettings, ReadsTheLinesWindowsWritesAndSkipsComments) {
  auto settings = parseCheckerSettings(
      ";MaxBackupCopies=9 --> a comment\r\nBackup=1\r\n  maxbackupcopies = 7 \r\n"
      "BackupDirectory=D:\\Saved Backups\r\n");
  EXPECT_EQ(settings.maxBackupCopies, 7);
  EXPECT_EQ(settings.backupDirectory, "D:\\Saved Backups");
}

TEST(CheckerSettings, KeepsTheNumberWithinWhatTheCheckerAccepts) {
  EXPECT_EQ(parseCheckerSettings("").maxBackupCopies, 5);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=abc\n").maxBackupCopies, 5);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=12x\n").maxBackupCopies, 5);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=0\n").maxBackupCopies, 1);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=-3\n").maxBackupCopies, 1);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=250\n").maxBackupCopies, 99);
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=99999999999999\n").maxBackupCopies, 5);
  // The last line wins, a line without "=" is passed over.
  EXPECT_EQ(parseCheckerSettings("MaxBackupCopies=3\nnonsense\nMaxBackupCopies=4").maxBackupCopies,
            4);
}

}  // namespace
