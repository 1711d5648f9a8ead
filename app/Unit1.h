#pragma once
// TForm1: the main window's logic. It owns almost all of the program's state:
// the Windows mode, the run requests and flags, the system locations, the
// activity log buffer, the run counters and error list, the Preferences
// dialog's model and the shared progress window and warning list. Its Qt view
// (ui/) binds widgets to it; the console and scripted front ends drive it
// without a window.
//
// The implementation is spread over files by concern:
//   Unit1.cpp           construction, mode names, closing rules, end-session
//   EntrySequence.cpp   the program's entry sequence and command-line switches
//   WindowStart.cpp     the window start sequence and BeginningPrompts
//   Settings*.cpp       ReadSettings / WriteSettings (settings file)
//   Locations*.cpp      GetStartup, ReadScanReg, scanreg.ini update, boot drive
//   ActivityLog.cpp     WriteResultFile, LongFNFound, BigFFound, Write2File, CD trace
//   Progress.cpp        ShowProgressForm, the Cancel and Minimize handlers
//   Exec.cpp            Exec, RestartWinNT
//   EditAutoexec.cpp    the batch-line editor (EditAutoexec.h) the "clean" switch uses

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Locations.h"
#include "app/MachineZipFileSystem.h"
#include "app/Ui.h"
#include "app/Unit4.h"
#include "app/Unit6.h"
#include "archive/MultiVolumeHandlers.h"
#include "archive/ZipWriter.h"
#include "backup/BackupManager.h"
#include "backup/BackupRunState.h"
#include "platform/files/file_handle.h"
#include "platform/live_registry/live_registry.h"
#include "platform/system/locale_format.h"
#include "prefs/Unit8.h"

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

// The program's version text, recorded in the settings file at each start.
inline constexpr const char* kVersionText = "Version 1.08.25  7/30/2004";

// Why the window will not close, and Cancel does nothing, while the registry
// is being changed.
inline constexpr const char* kRegistryBusyMessage =
    "Corvasta is working with the registry.  Closing Corvasta now could crash Windows.  "
    "Please wait.";

// The main window's tab pages, in order; at start the introduction page
// (which has no tab) is shown.
enum MainTab : int {
  kIntroductionPage = -1,
  kBackupTab = 0,
  kCrashFixerTab,
  kRegPackTab,
  kExtractorTab,
  kBootDiskTab,
  kRepairTab,
  kHelpTab
};

// Boot disk kinds (the Boot Disk wizard's list entries).
inline constexpr int kNtBootDisk = 0;
inline constexpr int kDosBootDisk = 1;

// The six run requests (Part of the start-up): start, backup 1..4, RegPack.
struct RunRequests {
  bool start = false;
  std::array<bool, 4> backup{};
  bool regPack = false;
  bool any() const { return start || regPack || backup[0] || backup[1] || backup[2] || backup[3]; }
  void clear() { *this = RunRequests{}; }
};

class TForm1 {
 public:
  // `windowsMode`: the edition's mode (1..6; this edition: 3).
  TForm1(Environment environment, int windowsMode);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

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

  // --- Start-up state --------------------------------------------------------
  RunRequests requests;
  std::string StartupPassword;
  bool showMainWindow = true;     // false: the entry sequence ended the program
  bool terminateRequested = false;
  bool CloseAfterRun = false;     // the close-after-run flag
  bool RegistryBusy = false;      // the registry-busy flag
  bool SafeMode = false;
  bool Minimized = false;
  int activeTab = kIntroductionPage;  // the tab made active at start
  bool timer2Enabled = true;      // the main window's second timer
  std::string logoPicture;        // "logome.bmp" in the program directory when present
  int bootDiskKind = kNtBootDisk;  // the kind selected on the Boot Disk tab

  // --- System locations (Locations.h) ---------------------------------------
  SystemLocations loc;
  std::string settingsFile() const { return loc.programDir + "vastel.ini"; }

  // --- Preferences model and current backup config (prefs/Unit8.h) ---------
  TForm8 Form8;

  // --- Main window controls the start-up and settings touch -----------------
  std::array<bool, 4> configChecked{true, false, false, false};  // Backup tab "Config 1".."Config 4"
  std::array<bool, 4> configEnabled{true, true, true, true};
  int restoreType = 0;  // Crash Fixer source list index
  bool winCrash = true, winUsers = false, userFiles = false, otherFiles = false;  // restore extent
  bool undoRegPackEnabled = false;
  bool previousRegistryAvailable = false;  // mode 1: system.da0 and user.da0 exist
  bool spareRegistryAvailable = false;
  bool originalRegistryAvailable = false;
  bool backupSetsPresent = false;
  bool marqueeRunning = true;

  // --- Shared windows --------------------------------------------------------
  TForm4 Form4;  // progress window
  TForm6 Form6;  // warning list

  // --- Activity log and run counters ------------------------------------------
  std::string ActivityLog;              // lines, each preceded by one carriage return
  bool LongFNFlag = false, BigFFlag = false;
  bool CDTrace = false;                 // the command-trace switch
  uint64_t FilesBackedUp = 0;
  uint64_t OpenFilesFound = 0;
  bool RegistryFilesFlag = false;
  bool ErrorFlag = false;
  bool CancelRequest = false;           // set by the progress window's Cancel
  std::vector<std::string> ErrorList;   // lines of the warning list
  // Asks the archive engine to stop its current operation (set by the engine
  // owner when one exists).
  std::function<void()> stopArchiveEngine;

  // --- Operations --------------------------------------------------------------
  // Entry sequence (EntrySequence.cpp). `params` are the parameters after the
  // program's path, split as Windows splits them. Returns false when the
  // program ends without showing its window.
  bool RunEntrySequence(const std::vector<std::string>& params);
  // The Windows, System and Startup locations the entry sequence reads first.
  void ReadSystemLocations();
  // Main window creation: logo picture and timers.
  void FormCreate();
  // Waits `seconds` of elapsed time, processing messages meanwhile.
  void Pause(int seconds);
  // Window start sequence (WindowStart.cpp), when the main window is first shown.
  void FormShow();
  void BeginningPrompts();
  // Closing (Unit1.cpp): false when the window must stay open.
  bool FormCloseQuery();
  void FormClose();
  void EndSession();

  // Settings (Settings*.cpp).
  void ReadSettings();
  void WriteSettings();
  void SwitchConfig(int config);

  // Locations (Locations*.cpp, ScanReg.cpp, ShortDate.cpp). The program
  // directory (loc.programDir) and the Windows and System directories must be
  // set before these run.
  void GetStartup();
  // The Startup directory from DefaultDirectories/StartUp (default: the
  // Startup folder), upper case with a final backslash.
  void ReadStartupDir();
  void ReadScanReg();
  void WriteScanReg();  // the scanreg.ini update of WriteSettings (modes 2 and 3)
  void FindBootDrive();
  // Root directory, winbootdir, command interpreter and the Temp directories;
  // FindBootDrive first.
  void ReadDirectories();
  // A Startup or Temp directory that does not exist falls back to its default.
  void CheckDirectories();
  void RedoShortDate();
  void WriteDate(const std::string& section);

  // Activity log (ActivityLog.cpp).
  void Log(const std::string& line);  // appends "\r" + line to the buffer
  void WriteResultFile();
  void LongFNFound(const std::string& path);
  void BigFFound(const std::string& path);
  void Write2File(const std::string& fileName, const std::string& text);
  void CDBurnerDebugMessage(const std::string& message);
  void MinimizeButtonRightClick();
  std::string Timestamp() const;  // short date + " " + long time (time left out at midnight)

  // Progress window and warning list (Progress.cpp).
  void ShowProgressForm(bool show, const std::string& caption);
  void CancelClick();
  void MinimizeClick();
  int ShowWarningList(bool yesNo);  // shows ErrorList; IDOK, IDYES or IDNO

  // Running programs and restarting (Exec.cpp).
  bool Exec(const std::string& commandLine, int showWindow);
  void RestartWinNT();

  // Operations of later subsystems, reached through these hooks so that the
  // start-up can call them; until a subsystem is built its hook is empty and
  // the start-up reports "not available".
  std::function<void(int config)> BackupClick;
  std::function<void()> CompactClick;
  std::function<void()> FinishOpenCopying;
  std::function<void(int kind)> MakeBootDisk;
  std::function<void()> FillList;  // refills the Backup Manager list
  // Start-up shortcut maintenance (automation): reported "not available" until built.
  std::function<void()> StartupShortcutMaintenance;
  // Display refreshes of later subsystems: skipped while empty (they only
  // fill what a window shows).
  std::function<void()> RestorePageRefresh;
  std::function<void()> GetMarqueeText;
  void reportNotAvailable(const std::string& what);

  // --- Status line marquee (app/MarqueeFacts.cpp; its text: app/MarqueeText.h) ---
  // The marquee's view (ui/Marquee) installs GetMarqueeText to rebuild the
  // text with MakeMarqueeText and restart the scrolling.
  std::string MarqueeText;
  void MakeMarqueeText();
  // A click on the marquee stops or starts the scrolling; WriteSettings keeps
  // the choice.
  void PaintBox1Click();

  // --- Backup run, set register, Backup Manager, disk prompts -----------------------
  // (backup/BackupRun*.cpp, backup/DeleteFiles.cpp, backup/SetRegister.cpp,
  // backup/BackupManager*.cpp, backup/MultiVolumeHost.cpp, backup/InstallBackup.cpp)
  // The "&Backup" button: every checked config in order.
  void BitBtn1Click();
  // One config (0..3) from start to end; installed as the BackupClick hook.
  void BackupConfig(int config);
  // Deletes the files (not folders) of `folder` matching `mask`; false at the
  // first one that cannot be deleted, and for "" or "\".
  bool DeleteFiles(const std::string& folder, const std::string& mask);
  // Empties `folder` (files, then every subfolder) and removes it; nothing for
  // "", "\" or "@"; stops when the run is cancelled.
  void DeleteSubDirs(const std::string& folder);
  bool runCancelled() const { return backupRun.cancelled || CancelRequest; }
  // The multi-volume settings of an archive about to be created, for the
  // running backup's target.
  void SetMultiMode(archive::TZipReader& zip);
  std::unique_ptr<archive::MultiVolumeHost> multiVolumeHost;
  std::unique_ptr<archive::TMultiVolumeHandlers> multiVolumeHandlers;
  // The Backup Manager's lists and the restore menus; installed as FillList.
  BackupManagerLists BackupManager;
  void RefreshBackupManager();
  void fillSystemBackups();
  // A file time in the locale's short date and long time.
  std::string FileDateTime(const platform::FileTime& time) const;
  // The restore page's program backups menu item `item` chosen.
  void ChooseProgramBackup(size_t item);
  // Empties and removes a set directory; asks before deleting its subfolders
  // unless `withoutAsking`.
  void RemoveBackupSetDirectory(const std::string& directory, bool withoutAsking);
  void DeleteBackupSet(size_t row);
  void RenameBackupSet(size_t row, const std::string& newName);
  void AddBackupSet();
  void DeleteSystemBackup(std::optional<size_t> row);
  // "Keep" or "Maximum Backups" changed; any preference changed.
  void KeepOrMaximumChanged();
  void CheckMaximumBackups();
  // Steps of BackupConfig (backup/BackupRun*.cpp).
  int countBackupItems() const;
  bool prepareSetDirectory(BackupRunState& run);
  void registerSet(BackupRunState& run);
  bool prepareDisk(const BackupRunState& run);
  void backupItems(BackupRunState& run);
  void closeBackupConfig(const BackupRunState& run, std::exception_ptr failure);
  bool isLastConfigOfRun(int config) const;

  // --- Backup: archiving routines and the extract folder -----------------------
  // (backup/FileArchiving.cpp, backup/ZipCalls.cpp, backup/CopyDir.cpp,
  // restore/ExtractDir.cpp)
  // The archive engine instances, over the machine's files.
  MachineZipFileSystem zipFileSystem{env.files};
  archive::TZipWriter Zip1{zipFileSystem};
  archive::TZipWriter Zip2{zipFileSystem};
  // The running backup's target kind, set folder, volume bytes used and
  // cancelled flag, shared with the multi-volume handlers.
  archive::TMultiVolumeRun backupRun;
  // Progress divisor and offset for the current-item bar.
  int ProgressDivisor = 1;
  int ProgressOffset = 0;
  // The CD engine stages the files (a CD written by the program).
  bool targetIsEngineCd() const { return backupRun.target == archive::TargetKind::EngineCd; }
  bool targetIsRemovable() const {
    return backupRun.target == archive::TargetKind::RemovableDisk ||
           backupRun.target == archive::TargetKind::PacketCd;
  }

  void BackupFile(const std::string& source, const std::string& setDir, int mode, int step);
  void AttrCopy(const std::string& source, const std::string& dest, bool keep, int mode,
                int step);
  void TransferFile(const std::string& source, const std::string& dest, bool recurse, int mode,
                    int step);
  platform::FileHandle CreateShortFile(const std::string& source, const std::string& dest);
  void copyOneFile(const std::string& source, const std::string& dest);
  void DoZip(const std::string& displayPath);
  void DoVerify(const std::string& displayName);
  void CopyDir();
  void CopyFolder(const std::string& pattern, bool recurse, uint64_t totalBytes,
                  uint64_t& copiedBytes);
  // Creates a folder with all missing parents.
  void createDirectories(const std::string& path);
  void advanceOverall(int step);

  // Registry backup cabinets (restore/ExtractDir.cpp).
  std::string CreateExtractDir(const std::string& cabinet, int progressStep);
  bool ExtractProcess(const std::string& cabinet, const std::string& destination);
  void DeleteDir(const std::string& directory);

  // --- Backup: registry capture --------------------------------------------------
  // (backup/RegistryCapture.cpp, backup/RegistryCapture9x.cpp, backup/SaveHive.cpp,
  // backup/SaveNTRegistry.cpp, backup/ZipOtherUsers.cpp)
  // The run's Registry item: the Windows 95/98/ME capture in modes 1 to 3,
  // SaveNTRegistry(set directory + "registry.daz", ...) in modes 4 to 6.
  // Throws corvasta::Error when the registry could not be captured.
  void BackupRegistry(int step);
  // The run state the capture reads: the run's transfer mode (1 zip, 3 copy)
  // and whether the running config runs automatically (no scanregw then).
  int TransferMode = 1;
  bool ConfigRunsAutomatically = false;
  // Windows 95/98/ME: every user's user.dat, system.dat and (ME) classes.dat
  // into the set, spare ".cvk" copies beside them. On 98 Windows first makes
  // a system backup, which is unpacked as the spares' source and removed at
  // the end, also when the capture fails.
  void Backup9xRegistry(int step);
  std::string UnpackedSystemBackup;  // the unpacked system backup's folder while it exists
  void RemoveUnpackedSystemBackup();
  // Saves the key `keyPath` (from "\") of `rootKey` to `fileName` with the
  // backup privilege; false when it could not be saved. The replace
  // direction (save = false) throws: restoring is not built yet.
  bool SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                const std::string& fileName);
  // Windows NT/2000/XP: every loaded hive saved and, with its map user.ini,
  // zipped into `archivePath` (compressed) or left beside it (copy mode).
  // The restore direction (save = false) throws.
  void SaveNTRegistry(const std::string& archivePath, int step, bool compressed, bool save);
  static constexpr const char* kNtRegistryRestoreNotAvailable =
      "Restoring the Windows NT registry is not available in this version of Corvasta.";
  // Every further user of a Windows 95/98/ME machine with profiles. With name
  // "user.dat" each user's registry file goes to the archive's folder as
  // "user" + N (".daz" in zip transfer mode, ".dat" in copy mode), with spare
  // "user.cvk" copies and the `MultiUsers` map in that folder's user.ini;
  // returns the current user's N. Any other name is a profile folder: the
  // same folder of every further profile joins Zip1's files list (0 returned).
  // `mode` is the transfer mode; `commonDir` and `userDir` are the all-users
  // and the user's folders the caller archives itself.
  int ZipOtherUsers(const std::string& name, const std::string& archive, int step, int mode,
                    const std::string& commonDir, const std::string& userDir);
  // The Windows directory's `name`, then Profiles\<entry>\`name` for every
  // entry of the Profiles folder, in the order listed.
  std::vector<std::string> profileCandidates(const std::string& name);
  int zipOtherUserRegistries(const std::string& archive, int step, int transferMode);
  void zipOtherUserFolders(const std::string& name, const std::string& commonDir,
                           const std::string& userDir);

  // --- Backup: profile folders, Control Panel, Other Files, entire drives --------
  // (backup/ZipDir.cpp, backup/ControlPanelGroup.cpp, backup/OtherFilesEntry.cpp,
  // backup/EntireDrive.cpp, backup/ZipCalls.cpp)
  // A profile folder. zip true: the value `valueName` under `rootKey`\`keyPath`
  // (else the Windows directory's `fallbackSubdir`), the same subfolder of the
  // Windows and user directories, the all-users folder and, on Windows
  // 95/98/ME, the other profiles' into `archive`. zip false: `archive` back to
  // the stored full paths.
  void ZipDir(const std::string& archive, const std::string& keyPath, int step, bool zip,
              platform::HKEY rootKey, const std::string& fallbackSubdir,
              const std::string& valueName);
  void zipProfileFolder(const std::string& archive, const std::string& keyPath, int step,
                        platform::HKEY rootKey, const std::string& fallbackSubdir,
                        const std::string& valueName);
  void unzipProfileFolder(const std::string& archive, int step);
  // Asks "Password Needed" when Zip1's archive is encrypted and no password is set.
  void askArchivePassword();
  // The Control Panel group into ctrlpanl.zip of the set.
  void BackupControlPanel(int step);
  std::vector<std::string> controlPanelFiles() const;
  // Other Files entry `index` (section MultiFiles<index>); an entire-drive
  // entry goes to BackupEntireDrive.
  void BackupOtherFilesEntry(int index, int step);
  void BackupEntireDrive(char drive, int step);
  // Where an entire-drive archive is built: the set's Temp folder when the
  // temporary directory's drive has less room than the set's.
  std::string entireDriveTempFolder(const std::string& setDir);
  // Pack level not 0: DoZip(displayPath) and DoVerify(displayName); 0: CopyDir.
  void ArchiveOrCopy(const std::string& displayPath, const std::string& displayName);

  // --- Open files and the program's shortcuts -------------------------------------
  // (backup/OpenFiles*.cpp, app/MakeShortcut.cpp; the plain copy's in-use hook
  // in backup/FileArchiving.cpp)
  // The archive engine's OnSkippingFile: reason 2 (a file to store is in use)
  // defers the file's backup, reason 3 (a file to extract cannot be created)
  // defers its replacement; both to the next start of Windows. Retry stays false.
  void SkippingFile(int reason, bool& retry, int fileIndex, const std::string& fileName);
  // Records one open-file job (Temp\OpenFN.ini in the program directory) and
  // arranges the copy or move at the next start of Windows. `inUse` is the
  // file Windows holds; `other` the backup destination (replace false) or the
  // replacement's source (replace true); `index` its archive entry (-1: none);
  // `fromArchive`: `other` is an archive. True when the job was recorded.
  bool CopyOpenFile(const std::string& inUse, const std::string& other, int index, bool replace,
                    bool fromArchive);
  // The "openfile" start: finishes every recorded job, then removes it.
  void FinishOpenCopyingJobs();
  // attrib.exe of the Windows directory, asked for when missing; "attrib"
  // without an answer.
  std::string FindAttribExe();
  // The program's executable as the installation names it.
  std::string ProgramPath() const;
  // Shortcut files: writes `linkFile` (working directory: the target's folder).
  void MakeShortcut(const std::string& target, const std::string& arguments,
                    const std::string& linkFile, const std::string& description = "");
  // The target and the arguments of a shortcut file; empty when it is missing.
  std::string CheckTarget(const std::string& linkFile);
  std::string CheckParameters(const std::string& linkFile);
  // Keeps "Corvasta.lnk" in the Startup directory in step with the five
  // automation lists (installed as StartupShortcutMaintenance).
  void MaintainStartupShortcut();
  // Deletes the scheduler's job file "Tasks\Corvasta.job" when it exists.
  void RemoveSchedulerJob();
  // Installs SkippingFile on Zip1 and Zip2 and the start-up shortcut
  // maintenance hook; runs during construction (the member below).
  bool InstallOpenFileHandlers();
  bool openFileHandlersInstalled = InstallOpenFileHandlers();
};

}  // namespace corvasta
