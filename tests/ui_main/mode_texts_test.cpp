// The mode-dependent lists and texts of the main window's pages.

#include <gtest/gtest.h>

#include "ui/MainWindowModeTexts.h"

namespace {

using corvasta::mainWindowModeTexts;
using corvasta::MainWindowModeTexts;

TEST(MainWindowModeTexts, WindowsMeOffersItsOwnBackupsFirstAndTheRegistryCheck) {
  const MainWindowModeTexts me = mainWindowModeTexts(3, "ME");
  EXPECT_EQ(me.restoreSources,
            (std::vector<std::string>{"WinME Backups", "Spare Registry", "Corvasta Backups",
                                      "Diskette, CD, Removable Drive", "Original Registry"}));
  EXPECT_FALSE(me.regPackListShown);
  EXPECT_EQ(me.regPackNote,
            "Use Expanded RegPack if Quick RegPack doesn't work or if you have multiple users.");
  EXPECT_TRUE(me.thirdRegPackButtonShown);
  EXPECT_EQ(me.thirdRegPackCaption, "&Check the Registry");
  EXPECT_FALSE(me.bootDiskListShown);
  EXPECT_EQ(me.bootDiskSecondText,
            "If WindowsME crashes and will not start in Safe Mode, insert this bootup diskette and "
            "restart the computer.");
  EXPECT_FALSE(me.repairTabShown);
}

TEST(MainWindowModeTexts, Windows95And98DifferInListAndThirdButton) {
  const MainWindowModeTexts w95 = mainWindowModeTexts(1, "95");
  EXPECT_EQ(w95.restoreSources.front(), "Previous Registry");
  EXPECT_EQ(w95.thirdRegPackCaption, "Up&grade RegEdit");
  EXPECT_EQ(w95.thirdRegPackHint, "Versions before Win95C have a faulty RegEdit.");
  EXPECT_EQ(w95.regPackNote, "If you have an error in the Registry this may correct it.");
  const MainWindowModeTexts w98 = mainWindowModeTexts(2, "98");
  EXPECT_EQ(w98.restoreSources.front(), "Win98 Backups");
  EXPECT_TRUE(w98.regPackListShown);
}

TEST(MainWindowModeTexts, NtModesShowBootDiskKindsAndNoThirdButton) {
  const MainWindowModeTexts xp = mainWindowModeTexts(6, "XP");
  EXPECT_EQ(xp.restoreSources.front(), "WinXP Restore Points");
  EXPECT_EQ(xp.restoreSources.size(), 5u);
  EXPECT_TRUE(xp.bootDiskListShown);
  EXPECT_EQ(xp.bootDiskEntries, (std::vector<std::string>{"XP Boot Disk", "DOS Boot Disk"}));
  EXPECT_EQ(xp.bootDiskFirstText,
            "XP Boot Disk - boots up into Windows XP (if you are having problems with the boot up "
            "process).");
  EXPECT_EQ(xp.bootDiskNote,
            "It is recommended that you make both an XP Boot Disk and a DOS Boot Disk.");
  EXPECT_FALSE(xp.thirdRegPackButtonShown);
  EXPECT_FALSE(xp.repairTabShown);

  const MainWindowModeTexts nt = mainWindowModeTexts(4, "NT");
  EXPECT_EQ(nt.restoreSources.front(), "Spare Registry");
  EXPECT_EQ(nt.restoreSources.size(), 4u);
}

TEST(MainWindowModeTexts, RepairPageOfNt4And2000) {
  const MainWindowModeTexts nt = mainWindowModeTexts(4, "NT");
  EXPECT_TRUE(nt.repairTabShown);
  EXPECT_EQ(nt.setupDisksTitle, "Creates the 3 WinNT Setup diskettes");
  EXPECT_EQ(nt.setupDisksNote,
            "To use this option you must have the WinNT CD and three empty, formatted, 1.44mb "
            "diskettes.");
  EXPECT_TRUE(nt.repairDiskShown);

  const MainWindowModeTexts w2k = mainWindowModeTexts(5, "2000");
  EXPECT_EQ(w2k.setupDisksTitle, "Creates the 4 Win2000 Setup diskettes");
  EXPECT_EQ(w2k.repairRegistryText,
            "After starting the computer with the 4 setup disks, this diskette or directory can be "
            "used to repair the registry.");
  EXPECT_FALSE(w2k.repairDiskShown);
}

}  // namespace
