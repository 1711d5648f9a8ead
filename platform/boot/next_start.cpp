#include "platform/boot/next_start.h"

#include "platform/boot/boot_log.h"
#include "platform/boot/dos_session.h"
#include "platform/boot/logon_startup.h"
#include "platform/boot/ms_dos_mode.h"
#include "platform/boot/nt_pending.h"
#include "platform/boot/pif_handoff.h"
#include "platform/boot/wininit_rename.h"
#include "platform/core/win_path.h"
#include "platform/files/file_system.h"
#include "platform/system/restart.h"

namespace platform::boot {
namespace {

void runMsDosPhase(FileSystem& files, BootLog& log, const std::vector<MsDosModeRun>& handOffs) {
  MsDosMode msDosMode(files.machine());  // until the phase ends
  for (const MsDosModeRun& run : handOffs) {
    log.event("MS-DOS mode: " + run.batchFile);
    DosSession session(files.machine(), files, log);
    session.setCurrentDirectory(parseWinPath(run.batchFile).parentStr());
    session.runBatch(run.batchFile, dosWords(run.arguments));
  }
  const std::string autoexec = "C:\\AUTOEXEC.BAT";
  if (!files.fileExists(autoexec)) return;
  DosSession session(files.machine(), files, log);
  session.runBatch(autoexec);
}

}  // namespace

void startWindows(Machine& machine, std::ostream& out, const StartOptions& options) {
  BootLog log(machine, out);
  // The hand-offs are read before the start is journalled: they are the
  // program starts since the last one.
  std::vector<MsDosModeRun> handOffs = pendingMsDosModeRuns(machine);
  log.event(kStartOfWindows);
  clearRestartRequest(machine);
  {
    // Nothing is held open before Windows itself starts.
    FileSystemOptions beforeWindows;
    beforeWindows.windowsStarted = false;
    FileSystem files(machine, beforeWindows);
    WindowsVersion version = machine.version();
    if (isNt(version)) {
      runDelayedMoves(files, log);
      runHiveReplacements(files, log);
    } else {
      if (version != WindowsVersion::WinMe) runMsDosPhase(files, log, handOffs);
      runWininit(files, log);
    }
  }
  log.event("logon");
  FileSystem files(machine);
  runStartupShortcuts(files, log, options.consoleProgram);
  log.event("Windows started");
}

}  // namespace platform::boot
