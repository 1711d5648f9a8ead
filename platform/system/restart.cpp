#include "platform/system/restart.h"

#include "platform/system/journal.h"
#include "platform/system/privileges.h"

namespace platform {

namespace {

constexpr const char* kStateSection = "Restart";
constexpr const char* kStateKey = "Requested";

std::string actionName(uint32_t flags) {
  std::string name = flags & kEwxPowerOff   ? "poweroff"
                     : flags & kEwxReboot   ? "reboot"
                     : flags & kEwxShutdown ? "shutdown"
                                            : "logoff";
  if (flags & kEwxForce) name += " force";
  return name;
}

}  // namespace

bool exitWindowsEx(Machine& machine, uint32_t flags, WinError& lastError) {
  bool endsWindows = (flags & (kEwxShutdown | kEwxReboot | kEwxPowerOff)) != 0;
  std::string action = actionName(flags);
  if (endsWindows && isNt(machine.version()) && !holdsPrivilege(machine, "SeShutdownPrivilege")) {
    lastError = WinError::PrivilegeNotHeld;
    appendJournal(machine, "restart", action + " refused: SeShutdownPrivilege not held");
    return false;
  }
  lastError = WinError::Success;
  appendJournal(machine, "restart", action);
  if (endsWindows) machine.state().set(kStateSection, kStateKey, action);
  return true;
}

bool restartRequested(Machine& machine) {
  return machine.state().get(kStateSection, kStateKey).has_value();
}

void clearRestartRequest(Machine& machine) {
  machine.state().remove(kStateSection, kStateKey);
}

}  // namespace platform
