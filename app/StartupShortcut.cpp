// The Startup shortcut that starts the program with "bootup" while any
// automation list runs at Windows start, and the removal of the scheduler's
// job file.

#include "app/Unit1.h"
#include "app/core/DeleteFile.h"
#include "app/core/ShellLnk.h"
#include "platform/core/codepage.h"

namespace corvasta {
namespace {

// The automation frequency that leaves the run to the Task Scheduler.
constexpr int kUseScheduler = 4;

}  // namespace

void TForm1::MaintainStartupShortcut() {
  bool runsAtStart = false;
  for (int freq : core.Form8.automationFreq)
    runsAtStart = runsAtStart || (freq != kUseScheduler && freq != kDoNotPerform);
  const std::string olderShortcut = core.loc.startupDir + "Corvasta" + core.ShortModeName + ".lnk";
  const std::string shortcut = core.loc.startupDir + "Corvasta.lnk";
  DeleteFileIfPresent(core.env.files, olderShortcut);
  if (!runsAtStart) {
    DeleteFileIfPresent(core.env.files, shortcut);
    return;
  }
  const std::string program = core.ProgramPath();
  std::string target;
  try {
    target = core.CheckTarget(shortcut);
  } catch (const ShellLinkError&) {
    // A damaged shortcut is written anew like one that points elsewhere.
  }
  if (target.empty() || !platform::ansiEqualNoCase(target, program))
    core.MakeShortcut(program, "bootup", shortcut, "Corvasta");
}

void TForm1::RemoveSchedulerJob() {
  DeleteFileIfPresent(core.env.files, core.loc.windowsDir + "Tasks\\Corvasta.job");
}

}  // namespace corvasta
