// The tip of the day: one per day of the month, some worded for the Windows
// 9x editions (modes 1 to 3) and the others differently.

#include "app/MarqueeText.h"

namespace corvasta {

std::string tipOfTheDay(int dayOfMonth, int windowsMode, const std::string& shortModeName,
                        const std::string& longModeName) {
  const bool win9x = windowsMode >= 1 && windowsMode <= 3;
  const std::string& shortName = shortModeName;
  const std::string& longName = longModeName;
  switch (dayOfMonth) {
    case 1:
      return win9x ? "It is normal to get the message \"Batch File Missing\" at the end of "
                     "RegPack and Restore."
                   : "The registry of Win" + longName +
                         " cannot be backed up or restored within Win" + shortName +
                         " without a program like Corvasta " + longName + ".";
    case 2:
      return "See Windows TroubleShooters on the Help tab for help with Windows problems";
    case 3:
      return "To restore all of the files in a Backup, use the Crash Fixer.";
    case 4:
      return "To back up to different drives, different files, or at different intervals make a "
             "new config.  Four different configs may be used.";
    case 5:
      return "To back up automatically at start up, see the Automation tab of Corvasta "
             "Preferences.";
    case 6:
      return "Corvasta comes with a DOS version, crvast" + shortName +
             ".exe, that will restore Windows if you cannot get into Safe Mode.  It is located in "
             "C:\\ and in the Corvasta directory.";
    case 7:
      return win9x ? "RegPack exports the entries of the registry to a text file and then "
                     "rebuilds it reorganizing it and removing empty spaces.  It does not change "
                     "any entries in the registry."
                   : "In order for Win" + longName +
                         " to boot up properly, certain files must be in the boot drive.  If "
                         "these files are accidently deleted, the " +
                         longName + " Boot Disk made by Corvasta can be used to start Win" +
                         longName + ".  To restore these files Restore the WinConfig files.";
    case 8:
      return win9x ? "The easiest way to restore in DOS is to use the Boot Disk that can be made "
                     "with Corvasta."
                   : "A NTFS partition cannot be accessed from another non-NTFS system, like, "
                     "Win9x or DOS.";
    case 9:
      return "Corvasta is one of the oldest and best Windows Recovery Utilites.";
    case 10:
      if (win9x)
        return "If Windows does not completely shut down after RegPack or Restore and thus does "
               "not complete these processes, change the Restart Windows to autoexec.bat in "
               "Corvasta Preferences.";
      if (windowsMode == 6) return "It is a good idea to keep an XP Boot Disk and a DOS Boot Disk.";
      return "It is a good idea to keep the Win" + shortName + " Setup diskettes, and a Boot Disk.";
    case 11:
      return win9x ? "Dosstart.bat and autoexec.bat do not always exist with Windows, so if you "
                     "get a File not found error, please uncheck them from the list."
                   : "Ntbootdd.sys and bootfont.bin (for nonEnglish languages) do not always "
                     "exist with Windows, so if you get a File not found error, please uncheck "
                     "them from the list.";
    case 12:
      return "Our website contains the latest available version.  When installing a newer "
             "version, it is best not to uninstall the previous version.  Just install the newer "
             "version to the same directory as the previous version.";
    case 13:
      return "To restore a few files or files in the OtherFiles section, use the Extractor.";
    case 14:
      return "The Backup and Restore Wizards provide step-by-step instructions for completing "
             "Backup or Crash Fixer.";
    case 15:
      return "Corvasta comes in an edition for each of Windows 95, 98, ME, NT, 2000 and XP, "
             "each made for the way its Windows keeps the registry.";
    case 16:
      return "If installing a program messes up Windows, use Corvasta to restore Windows to the "
             "way it was before you installed that program.";
    case 17:
      return win9x ? "If RegPack does not work, use Undo RegPack (also in the DOS version) to "
                     "restore Windows to the way it was before the RegPack."
                   : "You must have Administrator privileges to Backup and Restore the registry.";
    case 18:
      return "Help has instructions on how to restore Windows manually.  It is a good idea to "
             "print those instructions and keep them for an emergency.";
    case 19:
      return "Corvasta is written by people who have spent many years bringing crashed Windows "
             "computers back to life.";
    case 20:
      return win9x ? "Windows Task Scheduler can be used to run Corvasta automatically at a "
                     "certain time (see Help)."
                   : "AT or MsTask can be used to run Corvasta automatically at a certain time "
                     "(see Help).";
    case 21:
      return "We do not recommend reformatting the hard drive.  It can take days to get things "
             "back the way that they were and the benefits are minimal.";
    case 22:
      return "Back up any or all files on a harddrive by using the Other Files tab of Backup "
             "Properties.";
    case 23:
      return "If you have a problem with Corvasta, please go to the FAQ section of our website.  "
             "If your problem is not addressed there, there is a place there where you may "
             "report the problem.";
    case 24:
      return "Corvasta Backups are standard zip files that can be unzipped by Corvasta or any "
             "other zip extractor.";
    case 25:
      return win9x ? "Press the F8 button while the computer is starting to start in DOS or Safe "
                     "Mode."
                   : "Corvasta " + longName +
                         " does not backup multiple users.  To backup the registry of other "
                         "users that are not using the computer, backup the ntuser.dat file in "
                         "their Documents and Settings\\ directory.";
    case 26:
      return "Corvasta is updated frequently.  Please check our website for the latest version.";
    case 27:
      return "Our website answers the questions asked most often about backing up and restoring "
             "Windows.";
    case 28:
      return "Keep a backup on another drive or on a CD: a failing hard drive can take Windows "
             "and the backups on it at the same time.";
    case 29:
      return "A backup made to a CD or a removable disk can be kept away from the computer, safe "
             "from whatever happens to it.";
    case 30:
      if (win9x)
        return "When Windows crashes, first try to start Windows in Safe Mode and run the regular "
               "version of Corvasta.  If Safe Mode does not work, use the Boot Disk or the DOS "
               "version of Corvasta.";
      if (windowsMode == 6)
        return "When Windows crashes, first try to start Windows in Safe Mode and run the regular "
               "version of Corvasta.  If Safe Mode does not work, restore from another system, "
               "like, Win95 or DOS, or use the " +
               longName + " Boot Disk and the DOS Boot Disk.";
      return "When Windows crashes, first try to start Windows in Safe Mode and run the regular "
             "version of Corvasta.  If Safe Mode does not work, restore from another system, "
             "like, Win95 or DOS, or use the Win" +
             longName + " Setup diskettes and the Boot Disk.";
    case 31:
      return "Make a backup before you install a new program or driver, so that Windows can be "
             "restored if it no longer starts afterwards.";
    default:
      return "";
  }
}

}  // namespace corvasta
