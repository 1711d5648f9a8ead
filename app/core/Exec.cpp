// Running a Windows program and waiting for it, and restarting Windows.

#include "app/core/Core.h"
#include "platform/system/privileges.h"
#include "platform/system/process_start.h"
#include "platform/system/restart.h"

namespace corvasta {

std::optional<uint32_t> Core::Exec(const std::string& commandLine, int /*showWindow*/) {
  // The machine runs a started program to its end before the call returns;
  // the wait's message processing then happens once, after it. The exit
  // code is what GetExitCodeProcess gives once the process has ended.
  const platform::ProcessResult result = platform::createProcess(env.machine, commandLine);
  if (!result.started()) return std::nullopt;
  env.ui.processMessages();
  return result.exitCode;
}

void Core::RestartWinNT() {
  // Windows 9x has no privileges to enable; only a user who lacks the
  // privilege on NT is told to restart by hand.
  if (platform::enablePrivilege(env.machine, "SeShutdownPrivilege") ==
      platform::PrivilegeOutcome::NotHeld)
    env.ui.messageBox(
        "I cannot restart Windows because you do not have Shutdown Privileges.  Please restart "
        "Windows.",
        ApplicationTitle, Buttons::Ok);
  platform::WinError lastError = platform::WinError::Success;
  platform::exitWindowsEx(env.machine, platform::kEwxReboot, lastError);
}

}  // namespace corvasta
