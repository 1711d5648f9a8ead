#pragma once
// TForm8: the Preferences dialog's logic model: the values the settings file
// holds for the dialog and the current backup config record with the
// password. Only the fields and enabling rules that the settings touch live
// here; the dialog's view is built on it.

#include <array>
#include <string>
#include <vector>

namespace corvasta {

// The current backup config record: one config's settings.
struct BackupConfigRecord {
  std::string target;
  int compress = 1;     // 0..5
  int backupType = 0;   // 0..4
  bool verifyBackup = false;
  bool blockCheck = false;
  std::string blockNumber;
  bool deleteFiles = false;
  bool treatAsHardDrive = false;
  bool closeAfterBackup = false;
  bool minimizeDuringBackup = false;
  bool onlyCorvastaCDs = false;
  bool doNotUseCDWrite = false;
  bool copyOpenFiles = false;
  bool alwaysBlankCDs = false;
  bool ejectCD = true;
  int windowsRestart = 0;
  bool previousRegistry = true;     // Windows mode 1: "Previous (safest)"
  std::vector<int> winFilesChecks;  // per WinFiles item: 0 unchecked, 1 checked, 2 grayed
  std::vector<int> otherFilesChecks;  // per Other Files entry
};

class TForm8 {
 public:
  int curConfig = 1;  // 1..4
  std::array<std::string, 4> configNames{"Config 1", "Config 2", "Config 3", "Config 4"};
  BackupConfigRecord config;
  std::string password;  // never stored
  int maxNum = 10;
  int keep = 1;
  // Automation lists: AutoStart, AutoBackup, AutoBackup2..4 (5 = "Do Not Perform").
  std::array<int, 5> automationFreq{5, 5, 5, 5, 5};
  std::array<bool, 5> automationEnabled{true, true, true, true, true};
  int pause = 0;
  bool marqueeScroll = true;
  int cabExtractor = 0;
  bool promptForSubDirs = false;
  bool useDate = true;
  bool dateFormatEnabled = true;
  std::string dateFormat;
  bool addConfig = false;
  int regPackMode = 0;
  int bootDiskXP = 0;
  bool blockNumberEnabled = false;
  std::array<int, 3> backupManagerColumns{100, 197, 100};
  std::array<int, 3> win98ListColumns{100, 166, 75};
};

}  // namespace corvasta
