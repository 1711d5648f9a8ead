#include <gtest/gtest.h>

#include "backup/MissingFileHint.h"
#include "backup/SetNaming.h"
#include "backup/model/BackupTypes.h"

namespace corvasta {
namespace {

platform::SystemTime july22() {
  platform::SystemTime t;
  t.year = 2000;
  t.month = 7;
  t.day = 22;
  return t;
}

TEST(CompressedName, ExtensionCutPaddedAndZ) {
  EXPECT_EQ(compressedName("autoexec.bat"), "autoexec.baz");
  EXPECT_EQ(compressedName("cmd.exe"), "cmd.exz");
  EXPECT_EQ(compressedName("ntldr"), "ntldr.--z");
  EXPECT_EQ(compressedName("file.x"), "file.x-z");
  EXPECT_EQ(compressedName("file.html"), "file.htz");
  EXPECT_EQ(compressedName("a.b.ini"), "a.b.inz");
}

TEST(BackupTypes, ArchiveBitTableAndOldSettings) {
  EXPECT_TRUE(backupTypeRules(kIncrementalBackup).skipIfArchiveBitClear);
  EXPECT_TRUE(backupTypeRules(kIncrementalBackup).clearArchiveBit);
  EXPECT_FALSE(backupTypeRules(kDifferentialBackup).clearArchiveBit);
  EXPECT_FALSE(backupTypeRules(kReplaceBackup).ownSetDirectory);
  EXPECT_FALSE(backupTypeRules(kFullArchiveNotReset).clearArchiveBit);
  EXPECT_EQ(backupTypeFromSettings(2, false), kReplaceBackup);
  EXPECT_EQ(backupTypeFromSettings(2, true), kDifferentialBackup);
  EXPECT_STREQ(backupTypeRules(99).caption, "Full");
}

TEST(Compression, PackLevelsAndTransferModes) {
  EXPECT_EQ(compressionRules(0).packLevel, 0);
  EXPECT_EQ(compressionRules(1).packLevel, 2);
  EXPECT_EQ(compressionRules(5).packLevel, 6);
  EXPECT_EQ(compressionRules(-1).packLevel, 6);
  EXPECT_EQ(transferModeFor(0, false, false), kTransferCopy);
  EXPECT_EQ(transferModeFor(0, true, false), kTransferZip);
  EXPECT_EQ(transferModeFor(0, true, true), kTransferCopy);
  EXPECT_EQ(transferModeFor(3, false, false), kTransferZip);
}

TEST(SetNaming, DateWithDashesAndCounterOnSubstringHit) {
  SetNamingRules rules;
  rules.dateFormat = "MM/dd/yy";
  EXPECT_EQ(proposedSetName({}, rules, july22()), "07-22-00");
  // The test is a substring test: 107-22-00 blocks 07-22-00 too.
  EXPECT_EQ(proposedSetName({"D:\\Backups\\107-22-00\\"}, rules, july22()), "07-22-00(1)");
  EXPECT_EQ(proposedSetName({"D:\\B\\07-22-00\\", "D:\\B\\07-22-00(1)\\"}, rules, july22()),
            "07-22-00(2)");
}

TEST(SetNaming, NumbersAndAddConfig) {
  SetNamingRules rules;
  rules.useDate = false;
  EXPECT_EQ(proposedSetName({}, rules, july22()), "1");
  EXPECT_EQ(proposedSetName({"D:\\B\\4 Weekly\\"}, rules, july22()), "5");
  EXPECT_EQ(proposedSetName({"D:\\B\\Monday\\"}, rules, july22()), "1");
  rules.addConfig = true;
  rules.configName = "Config 1";
  EXPECT_EQ(proposedSetName({"D:\\B\\4 Weekly\\"}, rules, july22()), "5 Config 1");
  EXPECT_EQ(proposedSetName({"D:\\B\\4\\", "D:\\B\\5 Config 1\\"}, rules, july22()), "6 Config 1");
}

TEST(SetNaming, UsableNames) {
  EXPECT_TRUE(isUsableSetName("07-22-00"));
  EXPECT_FALSE(isUsableSetName(""));
  for (const char* bad : {"a\\b", "a/b", "a:b", "a*", "a?", "a\"", "a<", "a>", "a|"})
    EXPECT_FALSE(isUsableSetName(bad)) << bad;
}

TEST(MissingFile, HintForRareBootFiles) {
  std::vector<std::string> list;
  recordMissingFile(list, "C:\\autoexec.bat");
  recordMissingFile(list, "C:\\bootsect.dos");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1], "C:\\bootsect.dos");
  EXPECT_EQ(list[2], "  (not on most computers - please uncheck in WinFiles section)");
}

}  // namespace
}  // namespace corvasta
