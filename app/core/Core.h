#pragma once
// Core: the program state that every subsystem works with, owned by the main
// window (TForm1) and handed to each subsystem by reference. It holds the
// Windows mode and its names, the system locations, the Preferences model and
// the current backup config, the progress window and warning list, the
// activity log buffer, the run counters and error list of the running
// operation, and the two archive engine instances over the machine's files.
//
// The implementation is spread over files by concern:
//   Core.cpp              construction, mode names, clock, directories, "not available"
//   Locations*.cpp        GetStartup, ReadDirectories, boot drive, path helpers (Locations.h)
//   ScanReg.cpp           scanreg.ini (Windows 98 and ME)
//   ShortDate.cpp         RedoShortDate, WriteDate
//   Settings*.cpp         the settings file's program-wide values and the current config
//   ConfigSwitch.cpp      SwitchConfig
//   ActivityLog.cpp       WriteResultFile, LongFNFound, BigFFound, Write2File, CD trace
//   Progress.cpp          ShowProgressForm, the Cancel and Minimize handlers, the warning list
//   Exec.cpp              Exec, RestartWinNT
//   MakeShortcut.cpp      MakeShortcut, CheckTarget, CheckParameters

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/Locations.h"
#include "app/core/Ui.h"
#include "app/core/Unit4.h"
#include "app/core/Unit6.h"
#include "archive/MultiVolumeHandlers.h"
#include "archive/ZipWriter.h"
#include "archive/machine/MachineZipFileSystem.h"
#include "platform/system/locale_format.h"
#include "prefs/model/PreferenceValues.h"

namespace platform {
class Machine;
class FileSystem;
class LiveRegistry;
}  // namespace platform

namespace corvasta {

// What the program runs on: the machine, its files and registry, and the
// person in front of it.
struct Environment {
  platform::Machine& machine;
  platform::FileSystem& files;
  platform::LiveRegistry& registry;
  Ui& ui;
};

// Why the window will not close, and Cancel does nothing, while the registry
// is being changed.
inline constexpr const char* kRegistryBusyMessage =
    "Corvasta is working with the registry.  Closing Corvasta now could crash Windows.  "
    "Please wait.";

// The six run requests: start, backup 1..4, RegPack.
struct RunRequests {
  bool start = false;
  std::array<bool, 4> backup{};
  bool regPack = false;
  bool any() const { return start || regPack || backup[0] || backup[1] || backup[2] || backup[3]; }
  void clear() { *this = RunRequests{}; }
};

class Core {
 public:
  // `windowsMode`: the edition's mode (1..6; this edition: 3).
  Core(Environment environment, int windowsMode);
  ~Core();
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;

  Environment env;

  // --- Windows mode and names ------------------------------------------------
  int WindowsMode = 3;
  std::string ShortModeName;  // "95", "98", "ME", "NT", "2k", "XP"
  std::string LongModeName;   // "95", "98", "ME", "NT", "2000", "XP"
  bool isWin9xMode() const { return WindowsMode >= 1 && WindowsMode <= 3; }
  bool isNtMode() const { return WindowsMode >= 4 && WindowsMode <= 6; }
  void SetModeNames();
  // "Corvasta " + long mode name; hiding the progress window may change it.
  std::string ApplicationTitle;

  // --- Time sources (tests replace them) ---------------------------------------
  std::function<platform::SystemTime()> now;  // the local date and time
  std::function<double()> elapsedSeconds;     // a monotonic clock
  std::function<void(int milliseconds)> sleep;
  // Waits `seconds` of elapsed time, processing messages meanwhile.
  void Pause(int seconds);

  // --- Run requests and flags of the running program -------------------------------
  RunRequests requests;
  bool RegistryBusy = false;   // the registry-busy flag
  bool CloseAfterRun = false;  // the close-after-run flag
  bool SafeMode = false;
  bool Minimized = false;

  // --- System locations (Locations.h, Locations*.cpp, ScanReg.cpp, ShortDate.cpp) ---
  SystemLocations loc;
  std::string settingsFile() const { return loc.programDir + "vastel.ini"; }
  // The Windows, System and Startup locations the entry sequence reads first.
  void ReadSystemLocations();
  void GetStartup();
  // The Desktop folder from the registry (Shell Folders\Desktop), else the
  // Windows directory + "Desktop\"; GetStartup and each opening of the
  // Preferences dialog find it.
  void FindDesktopFolder();
  // The Startup directory from DefaultDirectories/StartUp (default: the
  // Startup folder), upper case with a final backslash.
  void ReadStartupDir();
  void ReadScanReg();
  void WriteScanReg();  // the scanreg.ini update of the settings save (modes 2 and 3)
  void FindBootDrive();
  // Root directory, winbootdir, command interpreter and the Temp directories;
  // FindBootDrive first.
  void ReadDirectories();
  // A Startup or Temp directory that does not exist falls back to its default.
  void CheckDirectories();
  void RedoShortDate();
  void WriteDate(const std::string& section);
  // Creates a folder with all missing parents.
  void createDirectories(const std::string& path);

  // --- Preferences model, current backup config, the main window's choices -----
  // (prefs/Unit8.h, Settings*.cpp, ConfigSwitch.cpp)
  PreferenceValues Form8;
  std::array<bool, 4> configChecked{true, false, false,
                                    false};  // Backup tab "Config 1".."Config 4"
  std::array<bool, 4> configEnabled{true, true, true, true};
  int restoreType = 0;  // Crash Fixer source list index
  bool winCrash = true, winUsers = false, userFiles = false, otherFiles = false;  // restore extent
  bool marqueeRunning = true;
  // Loads the Preferences dialog's values, the current backup config and the
  // main window's choices from the settings file; missing keys read as their
  // defaults.
  void ReadSettings();
  // Saves them again. Each key reaches the file at once; a write the file
  // system refuses stops the save with "Unable to write to" + the file's path.
  void WriteSettings();
  // Makes another backup config (1..4) current: the leaving config is saved,
  // the arriving one loaded.
  void SwitchConfig(int config);

  // --- Shared windows (Progress.cpp) ---------------------------------------------
  TForm4 Form4;  // progress window
  TForm6 Form6;  // warning list
  void ShowProgressForm(bool show, const std::string& caption);
  void CancelClick();
  void MinimizeClick();
  int ShowWarningList(bool yesNo);  // shows ErrorList; IDOK, IDYES or IDNO

  // --- Activity log and run counters (ActivityLog.cpp) -----------------------------
  std::string ActivityLog;  // lines, each preceded by one carriage return
  bool LongFNFlag = false, BigFFlag = false;
  bool CDTrace = false;  // the command-trace switch
  uint64_t FilesBackedUp = 0;
  uint64_t OpenFilesFound = 0;
  bool RegistryFilesFlag = false;
  bool ErrorFlag = false;
  bool CancelRequest = false;          // set by the progress window's Cancel
  std::vector<std::string> ErrorList;  // lines of the warning list
  void Log(const std::string& line);   // appends "\r" + line to the buffer
  void WriteResultFile();
  void LongFNFound(const std::string& path);
  void BigFFound(const std::string& path);
  void Write2File(const std::string& fileName, const std::string& text);
  void CDBurnerDebugMessage(const std::string& message);
  void MinimizeButtonRightClick();
  std::string Timestamp() const;  // short date + " " + long time (time left out at midnight)
  // Logs and shows `what` + " is not available in this version of Corvasta."
  void reportNotAvailable(const std::string& what);

  // --- Archive engines over the machine's files ---------------------------------------
  archive::MachineZipFileSystem zipFileSystem{env.files};
  archive::TZipWriter Zip1{zipFileSystem};
  archive::TZipWriter Zip2{zipFileSystem};
  // The running operation's target kind, set folder, volume bytes used and
  // cancelled flag, shared with the multi-volume handlers.
  archive::TMultiVolumeRun backupRun;
  bool runCancelled() const { return backupRun.cancelled || CancelRequest; }
  bool targetIsEngineCd() const { return backupRun.target == archive::TargetKind::EngineCd; }
  bool targetIsRemovable() const {
    return backupRun.target == archive::TargetKind::RemovableDisk ||
           backupRun.target == archive::TargetKind::PacketCd;
  }

  // --- Running programs and restarting (Exec.cpp) ------------------------------------
  // The program's exit code once it has ended; nullopt when it could not be started.
  std::optional<uint32_t> Exec(const std::string& commandLine, int showWindow);
  void RestartWinNT();

  // --- Shortcut files (MakeShortcut.cpp) ----------------------------------------------
  // The program's executable as the installation names it.
  std::string ProgramPath() const;
  // Writes `linkFile` (working directory: the target's folder).
  void MakeShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkFile, const std::string& description = "");
  // The target and the arguments of a shortcut file; empty when it is missing.
  std::string CheckTarget(const std::string& linkFile);
  std::string CheckParameters(const std::string& linkFile);
};

}  // namespace corvasta
