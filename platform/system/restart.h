#pragma once
// ExitWindowsEx on the machine: a restart or shutdown request marks the
// machine as "restart requested" in its state and is recorded in the journal.
// The boot step (what Windows does at its next start) reads and clears the mark.

#include <cstdint>

#include "platform/core/errors.h"
#include "platform/core/machine.h"

namespace platform {

// ExitWindowsEx flags.
inline constexpr uint32_t kEwxLogoff = 0x0;
inline constexpr uint32_t kEwxShutdown = 0x1;
inline constexpr uint32_t kEwxReboot = 0x2;
inline constexpr uint32_t kEwxForce = 0x4;
inline constexpr uint32_t kEwxPowerOff = 0x8;

// Returns false with `lastError` PrivilegeNotHeld when an NT machine's user
// does not hold SeShutdownPrivilege (machine.ini Privileges=); Windows 9x
// needs none. A refused request is journalled too, and marks nothing. A
// log-off ends the session without a restart: journalled, not marked.
bool exitWindowsEx(Machine& machine, uint32_t flags, WinError& lastError);

bool restartRequested(Machine& machine);
void clearRestartRequest(Machine& machine);

}  // namespace platform
