#pragma once
// TForm1: the main window's logic. It owns the program's core (the state
// every subsystem works with: mode, locations, settings model, progress and
// warnings, activity log, run counters, archive engines) and the subsystem
// objects, and keeps the state that only the main window has: the run
// requests' start-up flags, the tabs, the status line. Its handlers are short forwards to the
// subsystem that does the work. Its Qt view (ui/) binds widgets to it; the console and scripted
// front ends drive it without a window.
//
// The implementation is spread over files by concern:
//   Unit1.cpp           construction, closing rules, end-session, the forwards
//   EntrySequence.cpp   the program's entry sequence and command-line switches
//   WindowStart.cpp     the window start sequence and BeginningPrompts
//   RegistryDamage.cpp  the warning about registry files that cannot be read
//   MarqueeFacts.cpp    the status line's text

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "prefs/Unit8.h"
#include "regpack/RegPack.h"
#include "restore/Restore.h"

namespace corvasta {

class TForm10;

// The program's version text, recorded in the settings file at each start.
inline constexpr const char* kVersionText = "Version 1.08.25  7/30/2004";

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

class TForm1 {
 public:
  // `windowsMode`: the edition's mode (1..6; this edition: 3).
  TForm1(Environment environment, int windowsMode);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Core core;
  Backup backup;
  Restore restore;
  RegPack regpack;
  TForm8 preferences{core, backup};

  // --- Start-up state --------------------------------------------------------
  std::string StartupPassword;
  bool showMainWindow = true;  // false: the entry sequence ended the program
  bool terminateRequested = false;
  int activeTab = kIntroductionPage;  // the tab made active at start
  bool timer2Enabled = true;          // the main window's second timer
  std::string logoPicture;            // "logome.bmp" in the program directory when present
  int bootDiskKind = kNtBootDisk;     // the kind selected on the Boot Disk tab

  // --- What the pages show ---------------------------------------------------
  bool undoRegPackEnabled = false;

  // --- Entry and window start (EntrySequence.cpp, WindowStart.cpp) -------------
  // `params` are the parameters after the program's path, split as Windows
  // splits them. Returns false when the program ends without showing its window.
  bool RunEntrySequence(const std::vector<std::string>& params);
  // Main window creation: logo picture and timers.
  void FormCreate();
  // Window start sequence, when the main window is first shown.
  void FormShow();
  void BeginningPrompts();
  // One warning naming every registry file Windows could not read: the
  // program runs without them and never writes them (RegistryDamage.cpp).
  void WarnOfDamagedRegistry();
  // Closing (Unit1.cpp): false when the window must stay open.
  bool FormCloseQuery();
  void FormClose();
  void EndSession();

  // --- Settings: the core's, then the Backup Manager's lists -------------------
  void ReadSettings();
  void WriteSettings() { core.WriteSettings(); }

  // --- Operations ----------------------------------------------------------------
  // The "&Backup" button: every checked config in order; the window closes
  // afterwards when the run's config says so.
  void BitBtn1Click();
  // One config (0..3) from start to end.
  void BackupClick(int config) { backup.run.BackupConfig(config); }
  // Refills the Backup Manager list and the restore menus.
  void FillList() { backup.manager.RefreshBackupManager(); }
  // The "openfile" start: finishes the copies of files that were in use.
  void FinishOpenCopying() { backup.openFiles.FinishOpenCopyingJobs(backup.archiving); }
  // The RegPack tab's buttons (regpack/RegPack.h).
  void CompactClick() { regpack.CompactClick(); }
  void Button6Click() { regpack.Button6Click(); }
  void Button3Click() { regpack.Button3Click(); }
  // The Extractor tab's "&Extractor": the dialog from its opening to its
  // closing. `show` runs it (a window's view); without one the dialog runs
  // its console-style flow through the Ui (extractor/ExtractorConsole.h),
  // printing the listing with `print` when given.
  void ExtractorClick(const std::function<void(TForm10&)>& show = {},
                      const std::function<void(const std::string&)>& print = {});
  // Making boot disks is not part of this version: it reports so.
  void MakeBootDisk(int /*kind*/) { core.reportNotAvailable("Making a boot disk"); }

  // --- Crash Fixer page (restore/RestoreSources.h) ---------------------------------
  // The selection is the core's restoreType; the extent, its winCrash ... otherFiles.
  void ComboBox1Change(SelectionCaller caller = SelectionCaller::Page) {
    restore.sources.ComboBox1Change(caller);
  }
  void RestorePageRefresh() { restore.sources.RestorePageRefresh(); }
  void WinCrashClick(bool checked) { restore.sources.WinCrashClick(checked); }
  void WinUsersClick(bool checked) { restore.sources.WinUsersClick(checked); }
  void MostRecentBackup1Click(size_t item) { restore.sources.MostRecentBackup1Click(item); }
  void MenuClick(size_t item) { restore.sources.MenuClick(item); }
  void MostRecent1Click(size_t item) { restore.sources.MostRecent1Click(item); }
  void MenuClick2(size_t item) { restore.sources.MenuClick2(item); }
  void RestoreClick() { restore.sources.RestoreClick(); }
  void GetBackupFile(const std::string& caption) { restore.sources.GetBackupFile(caption); }
  void GetCompressType(const std::string& setDir) { restore.sources.GetCompressType(setDir); }
  std::string CurrentUserEntry(const std::string& setDir) {
    return restore.sources.CurrentUserEntry(setDir);
  }

  // --- Display refreshes the views install (empty without a window) -------------
  // The marquee's view (ui/Marquee) installs GetMarqueeText to rebuild the
  // text with MakeMarqueeText and restart the scrolling.
  std::function<void()> GetMarqueeText;

  // --- Status line marquee (MarqueeFacts.cpp; its text: MarqueeText.h) ----------
  std::string MarqueeText;
  void MakeMarqueeText();
  // A click on the marquee stops or starts the scrolling; WriteSettings keeps
  // the choice.
  void PaintBox1Click();
};

}  // namespace corvasta
