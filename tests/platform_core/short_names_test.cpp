#include "platform/core/short_names.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

using namespace platform;

TEST(ShortNames, ValidShortNamesNeedNoAlias) {
  for (const char* name : {"README", "readme.txt", "A.B", "IO.SYS", "12345678.123", "_~$.x"})
    EXPECT_TRUE(isValidShortName(name)) << name;
  for (const char* name : {"Program Files", "longername.txt", "a.b.c", "file.html", "a+b.txt",
                           ".profile", "name.", "", "x.y z"})
    EXPECT_FALSE(isValidShortName(name)) << name;
}

TEST(ShortNames, AliasFollowsTheWindowsRules) {
  EXPECT_EQ(makeAlias("Program Files", 1), "PROGRA~1");
  EXPECT_EQ(makeAlias("My Documents", 2), "MYDOCU~2");
  EXPECT_EQ(makeAlias("report.html", 1), "REPORT~1.HTM");
  EXPECT_EQ(makeAlias("a.b.c", 1), "AB~1.C");  // all dots but the last dropped
  EXPECT_EQ(makeAlias("x+y,z;w=v[1].txt", 1), "X_Y_Z_~1.TXT");
  EXPECT_EQ(makeAlias(".profile", 1), "PROFIL~1");  // leading dots dropped
  EXPECT_EQ(makeAlias("Temporary Internet Files", 12), "TEMPO~12");
  EXPECT_EQ(makeAlias("caf\xE9 menu.doc", 1), "CAF\xC9ME~1.DOC");
}

TEST(ShortNames, NextFreeAliasSkipsTakenNumbersWithoutCase) {
  EXPECT_EQ(nextFreeAlias("Program Files", {}), "PROGRA~1");
  EXPECT_EQ(nextFreeAlias("Program Files", {"progra~1", "PROGRA~2"}), "PROGRA~3");
  std::vector<std::string> nine;
  for (int i = 1; i <= 9; ++i) nine.push_back("LONGNA~" + std::to_string(i));
  EXPECT_EQ(nextFreeAlias("longname file", nine), "LONGN~10");
}

TEST(AliasStore, AliasesAreStableAcrossReloadsAndNumberedInOrderOfAssignment) {
  testing_support::TempDir dir;
  auto file = dir / "aliases.tsv";
  {
    AliasStore store(file);
    EXPECT_EQ(store.assign("WINDOWS", "Start Menu", {"Start Menu", "Start Mixer"}), "STARTM~1");
    EXPECT_EQ(store.assign("WINDOWS", "Start Mixer", {"Start Menu", "Start Mixer"}), "STARTM~2");
    EXPECT_EQ(store.assign("WINDOWS", "start menu", {}), "STARTM~1");  // same name, other case
    EXPECT_EQ(store.assign("", "Start Mixer", {}), "STARTM~1");        // other folder, own numbers
    EXPECT_EQ(store.assign("WINDOWS", "win.ini", {}), "WIN.INI");
  }
  AliasStore reloaded(file);
  EXPECT_EQ(reloaded.find("WINDOWS", "Start Mixer"), "STARTM~2");
  EXPECT_EQ(reloaded.longNameOf("WINDOWS", "startm~1"), "Start Menu");
  reloaded.forget("WINDOWS", "Start Menu");
  EXPECT_EQ(reloaded.assign("WINDOWS", "Start Muster", {}),
            "STARTM~1");  // a freed number is reused
}

TEST(AliasStore, ExistingShortNamesInTheFolderAreNotGivenOut) {
  testing_support::TempDir dir;
  AliasStore store(dir / "aliases.tsv");
  EXPECT_EQ(store.assign("", "Program Files", {"PROGRA~1", "Program Files"}), "PROGRA~2");
}

TEST(AliasStore, MovingAFolderTakesItsAliasesAndThoseBelowIt) {
  testing_support::TempDir dir;
  AliasStore store(dir / "aliases.tsv");
  store.assign("old", "Long Name One", {});
  store.assign("old/sub", "Long Name Two", {});
  store.assign("older", "Long Name Three", {});
  store.moveFolder("old", "new");
  EXPECT_EQ(store.find("new", "Long Name One"), "LONGNA~1");
  EXPECT_EQ(store.find("new/sub", "Long Name Two"), "LONGNA~1");
  EXPECT_FALSE(store.find("old", "Long Name One"));
  EXPECT_EQ(store.find("older", "Long Name Three"), "LONGNA~1");
}

// The store records changes as they happen: what was forgotten, or dropped
// because the file disappeared on the host, stays gone after a reload, so a
// number given out again is never held by two names.
TEST(AliasStore, RemovalsSurviveAReloadAndTheFileIsCompacted) {
  testing_support::TempDir dir;
  auto file = dir / "aliases.tsv";
  {
    AliasStore store(file);
    store.assign("DIR", "Long Name A.txt", {"Long Name A.txt"});
    // A is gone from the folder (deleted on the host): its number is reused.
    EXPECT_EQ(store.assign("DIR", "Long Name B.txt", {"Long Name B.txt"}), "LONGNA~1.TXT");
    store.assign("DIR", "Long Name C.txt", {"Long Name B.txt", "Long Name C.txt"});
    store.forget("DIR", "Long Name C.txt");
  }
  {
    AliasStore reloaded(file);
    EXPECT_FALSE(reloaded.find("DIR", "Long Name A.txt"));
    EXPECT_FALSE(reloaded.find("DIR", "Long Name C.txt"));
    EXPECT_EQ(reloaded.find("DIR", "Long Name B.txt"), "LONGNA~1.TXT");
    // Many changes to one name leave a long file behind...
    for (int i = 0; i < 200; ++i) {
      reloaded.assign("DIR", "Long Name D.txt", {"Long Name B.txt", "Long Name D.txt"});
      reloaded.forget("DIR", "Long Name D.txt");
    }
  }
  const auto grown = std::filesystem::file_size(file);
  AliasStore compacted(file);  // ...which the next load writes again compactly
  EXPECT_LT(std::filesystem::file_size(file), grown / 10);
  EXPECT_EQ(compacted.find("DIR", "Long Name B.txt"), "LONGNA~1.TXT");
  EXPECT_FALSE(compacted.find("DIR", "Long Name D.txt"));
}

// The store keeps its file open for change lines: a store that another one
// (another process, another machine object) rewrote meanwhile still gets
// every later line, and a removed one is made again.
TEST(AliasStore, ChangesReachTheFileAfterAnotherStoreRewroteOrRemovedIt) {
  testing_support::TempDir dir;
  auto file = dir / "state" / "aliases.tsv";
  AliasStore first(file);
  EXPECT_EQ(first.assign("DIR", "Long Name A.txt", {"Long Name A.txt"}), "LONGNA~1.TXT");
  {
    // Many changes, then a load that compacts the file by replacing it.
    AliasStore other(file);
    for (int i = 0; i < 100; ++i) {
      other.assign("DIR", "Long Name X.txt", {"Long Name A.txt", "Long Name X.txt"});
      other.forget("DIR", "Long Name X.txt");
    }
    other.moveFolder("OLD", "NEW");  // nothing to move: the file is left alone
  }
  const auto grown = std::filesystem::file_size(file);
  { AliasStore compacting(file); }
  ASSERT_LT(std::filesystem::file_size(file), grown);
  EXPECT_EQ(first.assign("DIR", "Long Name B.txt", {"Long Name A.txt", "Long Name B.txt"}),
            "LONGNA~2.TXT");
  {
    AliasStore reloaded(file);
    EXPECT_EQ(reloaded.find("DIR", "Long Name A.txt"), "LONGNA~1.TXT");
    EXPECT_EQ(reloaded.find("DIR", "Long Name B.txt"), "LONGNA~2.TXT");
  }
  std::filesystem::remove_all(dir / "state");
  first.forget("DIR", "Long Name A.txt");
  AliasStore afterRemoval(file);
  EXPECT_FALSE(afterRemoval.find("DIR", "Long Name A.txt"));
  EXPECT_FALSE(afterRemoval.find("DIR", "Long Name B.txt"));  // went with the old file
}
