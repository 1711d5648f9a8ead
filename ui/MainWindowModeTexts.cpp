#include "ui/MainWindowModeTexts.h"

#include "restore/RestoreSources.h"

namespace corvasta {
namespace {

void setRegPackPage(MainWindowModeTexts& texts, int mode) {
  const bool win9x = mode >= 1 && mode <= 3;
  texts.regPackListShown = mode == 2;
  texts.regPackNote = mode == 2 || mode == 3
                          ? "Use Expanded RegPack if Quick RegPack doesn't work or if you have "
                            "multiple users."
                          : "If you have an error in the Registry this may correct it.";
  texts.thirdRegPackButtonShown = win9x;
  if (mode == 1) {
    texts.thirdRegPackCaption = "Up&grade RegEdit";
    texts.thirdRegPackHint = "Versions before Win95C have a faulty RegEdit.";
  } else if (win9x) {
    texts.thirdRegPackCaption = "&Check the Registry";
    texts.thirdRegPackHint = "Check to see if there is a problem with the registry.";
  }
}

void setBootDiskPage(MainWindowModeTexts& texts, int mode, const std::string& longName) {
  if (mode >= 1 && mode <= 3) {
    texts.bootDiskFirstText =
        "Formats a Diskette and Makes a Boot Disk with backed up CMOS, backed up Boot Sector, "
        "ScanDisk, and DOS Corvasta.";
    texts.bootDiskSecondText = "If Windows" + longName +
                               " crashes and will not start in Safe Mode, insert this bootup "
                               "diskette and restart the computer.";
    texts.bootDiskNote = "Make a new Boot Disk when you change CMOS, the hard drives, or Windows.";
    return;
  }
  texts.bootDiskListShown = true;
  texts.bootDiskEntries = {longName + " Boot Disk", "DOS Boot Disk"};
  texts.bootDiskFirstText = longName + " Boot Disk - boots up into Windows " + longName +
                            " (if you are having problems with the boot up process).";
  texts.bootDiskSecondText =
      "DOS Boot Disk - adds the DOS version of Corvasta to a DOS boot disk (see Help for more "
      "information).";
  texts.bootDiskNote =
      "It is recommended that you make both an " + longName + " Boot Disk and a DOS Boot Disk.";
}

void setRepairPage(MainWindowModeTexts& texts, int mode) {
  if (mode != 4 && mode != 5) return;
  texts.repairTabShown = true;
  const bool nt4 = mode == 4;
  const std::string count = nt4 ? "3" : "4";
  const std::string windows = nt4 ? "WinNT" : "Win2000";
  texts.setupDisksTitle = "Creates the " + count + " " + windows + " Setup diskettes";
  texts.setupDisksNote = "To use this option you must have the " + windows + " CD and " +
                         (nt4 ? "three" : "four") + " empty, formatted, 1.44mb diskettes.";
  texts.repairRegistryText = "After starting the computer with the " + count +
                             " setup disks, this diskette or directory can be used to repair the "
                             "registry.";
  texts.repairDiskShown = nt4;
  texts.repairDiskText = "Updates Repair directory and makes Repair disk.";
}

}  // namespace

MainWindowModeTexts mainWindowModeTexts(int windowsMode, const std::string& longName) {
  MainWindowModeTexts texts;
  texts.restoreSources = restoreSourcePlaceholders(windowsMode);
  setRegPackPage(texts, windowsMode);
  setBootDiskPage(texts, windowsMode, longName);
  setRepairPage(texts, windowsMode);
  return texts;
}

}  // namespace corvasta
