// GetCompressType: where a set's registry lies and what kind of source the
// set is; CurrentUserEntry on sound and damaged user.ini files.

#include <gtest/gtest.h>

#include "tests/restore_sources/restore_page.h"

namespace restore_test {
namespace {

using corvasta::SourceKind;

struct Classify : ::testing::Test {
  RestorePage me{MachineBuilder(WindowsVersion::WinMe).installationFolders().folder("C:\\S")};
  void classify(RestorePage& page, const std::string& setDir) {
    page.form().restore.state.sourceKind = SourceKind::ProgramBackup;
    page.form().GetCompressType(setDir);
  }
};

TEST_F(Classify, TheCurrentUsersEntryNamesTheSearch) {
  const std::string profile = me.loc().userDir;
  me.m.write("C:\\S\\user.ini",
             "[MultiUsers]\r\nuser0=C:\\WINDOWS\\PROFILES\\BOB\\USER.DAT\r\n"
             "user1=C:\\WINDOWS\\PROFILES\\ANN\\USER.DAT\r\nuser2=" +
                 profile + "USER.DAT\r\n");
  for (const char* name : {"user0.daz", "user1.daz", "user2.daz", "system.daz"})
    me.m.write(std::string("C:\\S\\") + name, "x");
  EXPECT_EQ(me.form().CurrentUserEntry("C:\\S\\"), "user2");
  classify(me, "C:\\S\\");
  EXPECT_TRUE(me.restoredFrom("C:\\S\\user2.daz"));
  EXPECT_EQ(me.kind(), SourceKind::ProgramBackup);
}

TEST_F(Classify, DamagedUserIniNamesTheFirstUser) {
  me.m.write("C:\\S\\user.ini", std::string("\0\xff[MultiUsers\r\nuser0\r\n=\r\n", 24));
  EXPECT_EQ(me.form().CurrentUserEntry("C:\\S\\"), "user0");
  std::string many = "[MultiUsers]\r\n";
  for (int i = 0; i < 20000; ++i) many += "user" + std::to_string(i) + "=NOBACKSLASH\r\n";
  me.m.write("C:\\S\\user.ini", many);
  EXPECT_EQ(me.form().CurrentUserEntry("C:\\S\\"), "user0");
  me.form().core.createDirectories("C:\\T\\user.ini");
  EXPECT_EQ(me.form().CurrentUserEntry("C:\\T\\"), "user0");
  EXPECT_EQ(me.form().CurrentUserEntry("Q:\\nowhere\\"), "user0");
}

TEST_F(Classify, NothingFoundIsRefusedByWhatWasLookedFor) {
  me.m.ui.expect("No Registry found in Backup Set.\r\rPlease choose another Backup Set", "OK");
  classify(me, "C:\\S\\");
  me.form().WinCrashClick(false);
  me.m.ui.expect("No Backup Set Found.\r\rPlease make a backup first.", "OK");
  classify(me, "C:\\S\\");
  // A notes file alone is no backup either.
  me.m.write("C:\\S\\Mail-Notes.txt", "my mail");
  me.m.ui.expect("No Backup Set Found.", "OK");
  classify(me, "C:\\S\\");
  EXPECT_TRUE(me.m.ui.finished());
  EXPECT_FALSE(me.anyRestore());
}

TEST_F(Classify, NotesAndFoldersDoNotDecideHowASetWasMade) {
  me.form().WinCrashClick(false);
  me.m.write("C:\\S\\A-Notes.txt", "note");  // a text file: would read as a plain copy
  me.form().core.createDirectories("C:\\S\\C\\WINDOWS");
  me.m.write("C:\\S\\Mail.zip", "x");
  classify(me, "C:\\S\\");
  EXPECT_TRUE(me.restoredFrom("C:\\S\\Mail.zip")) << me.form().core.ActivityLog;
}

TEST_F(Classify, BlockSetsOnAHardDiskCountUnderTheArchivesName) {
  me.m.write("C:\\S\\user0.001", "x");
  me.m.write("C:\\S\\user0.002", "x");
  me.m.write("C:\\S\\system.daz", "x");
  classify(me, "C:\\S\\");
  EXPECT_TRUE(me.restoredFrom("C:\\S\\user0.daz")) << me.form().core.ActivityLog;
}

TEST_F(Classify, WinIniWithoutRegistryArchiveIsAPlainRegistry) {
  RestorePage xp{MachineBuilder(WindowsVersion::WinXp).installationFolders().folder("C:\\S")};
  xp.m.write("C:\\S\\win.ini", "[windows]\r\n");
  xp.m.write("C:\\S\\system", "hive");
  classify(xp, "C:\\S\\");
  EXPECT_EQ(xp.kind(), SourceKind::PlainRegistry);
  EXPECT_TRUE(xp.restoredFrom("C:\\S\\win.ini"));
  xp.m.write("C:\\S\\registry.daz", "x");
  classify(xp, "C:\\S\\");
  EXPECT_EQ(xp.kind(), SourceKind::ProgramBackup);
}

TEST_F(Classify, ARepairFolderIsTheOriginalRegistryWhicheverEntryComesFirst) {
  RestorePage nt{MachineBuilder(WindowsVersion::Win2000).installationFolders().folder("C:\\R")};
  for (const char* name : {"autoexec.nt", "config.nt", "default._", "sam._", "setup.log"})
    nt.m.write(std::string("C:\\R\\") + name, "x");
  classify(nt, "C:\\R\\");  // WinCrash checked: "win.in?" finds nothing, the repair files do
  EXPECT_EQ(nt.kind(), SourceKind::OriginalRegistry);
  EXPECT_TRUE(nt.restoredFrom("C:\\R\\sam._"));
  nt.form().WinCrashClick(false);
  classify(nt, "C:\\R\\");
  EXPECT_EQ(nt.kind(), SourceKind::OriginalRegistry);
  const std::string& log = nt.form().core.ActivityLog;
  const size_t second = log.find(">>> Restore of C:\\R\\", log.find(">>> Restore of") + 1);
  EXPECT_NE(second, std::string::npos) << log;
}

}  // namespace
}  // namespace restore_test
