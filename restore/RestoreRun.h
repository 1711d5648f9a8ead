#pragma once
// The restore run: one restore from the two registry paths the Restore
// button (or a set's classification) found, over the extent the Crash Fixer
// page selects: the registry, the WinConfig files, the User Profile archives,
// the Other Files archives and drive folders; then the summary and, as a
// rule, the restart of Windows.
//
//   RestoreRun.cpp          the steps in order, the error handler
//   RestoreRunItems.cpp     win.ini and system.ini, WinConfig files (RestoreFile), profile archives
//   RestoreOtherFiles.cpp   Other Files archives and drive folders
//   RestoreRunSummary.cpp   the restart decision, the summary, the restart

#include <string>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;
class Win9xRegistryRestore;
class NtRegistryRestore;

class RestoreRun {
 public:
  RestoreRun(Core& core, Backup& backup, RestoreState& state, Win9xRegistryRestore& win9x,
             NtRegistryRestore& nt)
      : core(core), backup(backup), state(state), win9x(win9x), nt(nt) {}

  // Restores from the set the two paths name; reads state.sourceKind and the
  // extent. Failures are reported to the user and logged.
  void RunRestore(const std::string& userPath, const std::string& systemPath);
  // One WinConfig file: its copy, or its one-entry archive (the compressed
  // name) extracted, to `destination`; passed over when the set lacks it.
  void RestoreFile(const std::string& source, const std::string& destination,
                   RestoreTransfer transferMode);

  // The entry of a single file's archive named like `destination`, extracted
  // over it with the archive's times.
  void restoreOneEntry(const std::string& archive, const std::string& destination);

  // --- Parts of the run ---------------------------------------------------------
  // An extent box that is checked and enabled for the source.
  bool selected(ExtentBox box) const;
  // The spare, previous and original registries restore the registry only.
  bool registryOnly() const;
  // The step divisor of the progress; 1 when nothing is selected.
  int stepDivisor() const;
  RestoreTransfer transferModeOf(const std::string& userPath) const;
  // The registry step; false when it ended the run (a question declined).
  bool restoreRegistry(const std::string& attrib);
  bool restoreNtRegistry();
  void restoreWinConfigAndProfile();
  // A User Profile archive of the set; a missing one is asked for on a
  // removable source and otherwise passed over.
  void restoreProfileArchive(const std::string& name);
  // Every entry of an archive to its stored full path; a damaged archive is
  // an error line and the run goes on.
  void extractToStoredPaths(const std::string& archive);
  // False when the user cancelled a disk request.
  bool restoreOtherFiles();
  void restoreDriveFolders();
  void removeExtractDir();
  // results.txt; on a disk too full for it the log stays in the buffer for
  // the next write, and the run ends as it would.
  void writeLog();
  // The end: the restart decision, the summary and the restart.
  void finishRun();
  bool decideRestart();
  std::string summaryText(bool restarting) const;
  // A run that stopped at a cancelled disk request: what was done so far is
  // shown, the log is written, Windows is not restarted.
  void endCancelled();
  void hideProgress();
  // The error handler: logged, said, the extract folder removed.
  void failed(const std::string& reason);

  Core& core;
  Backup& backup;
  RestoreState& state;
  Win9xRegistryRestore& win9x;
  NtRegistryRestore& nt;

 private:
  bool registryRestored_ = false;
};

}  // namespace corvasta
