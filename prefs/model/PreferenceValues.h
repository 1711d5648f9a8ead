#pragma once
// PreferenceValues: the values of the Preferences dialog that the settings
// file holds, and the current backup config record with the password. They
// live below the core (Core::Form8) because the dialog exists for the whole
// run and the backup run reads them while it is hidden; the dialog's logic
// (TForm8, prefs/Unit8.h) works on them.

#include <array>
#include <string>
#include <vector>

namespace corvasta {

// The current backup config record: one config's settings.
struct BackupConfigRecord {
  std::string target;
  int compress = 1;    // 0..5
  int backupType = 0;  // 0..4
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
  bool previousRegistry = true;       // Windows mode 1: "Previous (safest)"
  std::vector<int> winFilesChecks;    // per WinFiles item: 0 unchecked, 1 checked, 2 grayed
  std::vector<int> otherFilesChecks;  // per Other Files entry
};

// "Do Not Perform" in the automation frequency lists; a list holding a value
// outside 0..5 has no selection.
inline constexpr int kDoNotPerform = 5;

class PreferenceValues {
 public:
  int curConfig = 1;  // 1..4
  std::array<std::string, 4> configNames{"Config 1", "Config 2", "Config 3", "Config 4"};
  // The automation labels "Back up &1st Setup (" + name + ")." ..., set at
  // start from the config names (added by the program shell's start-up).
  std::array<std::string, 4> automationLabels;
  BackupConfigRecord config;
  std::string password;  // never stored
  int maxNum = 10;
  int keep = 1;
  // Automation lists: AutoStart, AutoBackup, AutoBackup2..4 (5 = "Do Not Perform").
  std::array<int, 5> automationFreq{5, 5, 5, 5, 5};
  std::array<bool, 5> automationEnabled{true, true, true, true, true};
  int pause = 0;  // the seconds the dialog shows (a stored 1 is shown as 30)
  bool marqueeScroll = true;
  int cabExtractor = 0;
  bool promptForSubDirs = false;
  bool useDate = true;
  bool dateFormatEnabled = true;
  std::string dateFormat;
  bool addConfig = false;
  int regPackMode = 0;
  int bootDiskXP = 0;
  bool blockCheckEnabled = true;
  bool blockNumberEnabled = false;
  std::array<int, 3> backupManagerColumns{100, 197, 100};
  std::array<int, 3> win98ListColumns{100, 166, 75};
  // The Other Files list: the entries' names in settings-file order; the
  // config record's otherFilesChecks run parallel to it.
  std::vector<std::string> otherFilesNames;

  // --- Enabling rules ---------------------------------------------------------
  // The block-size field and its "bytes" label follow "Save Large Files in
  // Blocks of:".
  void setBlockCheck(bool checked) {
    config.blockCheck = checked;
    blockNumberEnabled = checked;
  }
  // After a config change: "Save Large Files in Blocks of:" is enabled unless
  // the compression is "Do Not Compress", its field only while it is checked
  // and enabled.
  void updateBlockControls() {
    blockCheckEnabled = config.compress != 0;
    blockNumberEnabled = config.blockCheck && blockCheckEnabled;
  }
  // The date-format field and its label follow "Use Date".
  void setUseDate(bool on) {
    useDate = on;
    dateFormatEnabled = on;
  }
  // Configs 2..4 may be automated only while they have a target (index 2..4
  // of the automation lists is config 2..4).
  void enableConfigAutomation(int config, bool hasTarget) {
    if (config >= 2 && config <= 4) automationEnabled[config] = hasTarget;
  }
  // A list without a selection or disabled shows "Do Not Perform".
  void settleAutomationLists() {
    for (size_t i = 0; i < automationFreq.size(); ++i)
      if (!automationEnabled[i] || automationFreq[i] < 0 || automationFreq[i] > kDoNotPerform)
        automationFreq[i] = kDoNotPerform;
  }
  // The pause field shows a stored 1 as 30 and saves what it shows.
  static int pauseShown(int stored) { return stored == 1 ? 30 : stored; }
  // "Back up &1st Setup (" + name + ")." ... for the automation labels of configs 1..4.
  std::string automationLabel(int config) const {
    static const char* const kOrdinals[] = {"&1st", "&2nd", "&3rd", "&4th"};
    if (config < 1 || config > 4) return {};
    return std::string("Back up ") + kOrdinals[config - 1] + " Setup (" + configNames[config - 1] +
           ").";
  }
};

}  // namespace corvasta
