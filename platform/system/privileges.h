#pragma once
// Process token privileges (advapi32): OpenProcessToken, LookupPrivilegeValue
// and AdjustTokenPrivileges. Which privileges the user holds comes from
// machine.ini Privileges=. As on Windows, enabling a privilege the user does
// not hold "succeeds" but reports ERROR_NOT_ALL_ASSIGNED. Windows 9x has no
// tokens: the calls fail there with ERROR_CALL_NOT_IMPLEMENTED, and a program
// that cannot obtain the token goes on without privileges.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/core/machine.h"

namespace platform {

// A privilege's locally unique identifier; the values Windows gives the
// well-known privileges (SeBackupPrivilege is 17).
struct Luid {
  uint32_t lowPart = 0;
  int32_t highPart = 0;
  bool operator==(const Luid&) const = default;
  auto operator<=>(const Luid&) const = default;
};

class ProcessToken {
 public:
  // AdjustTokenPrivileges with one privilege. Returns false only for a
  // malformed request (ERROR_INVALID_PARAMETER for an unknown identifier);
  // otherwise true with `lastError` Success, or WinError::NotAllAssigned when the
  // user does not hold the privilege (it stays disabled).
  bool adjust(Luid privilege, bool enable, WinError& lastError);
  bool isEnabled(Luid privilege) const { return enabled_.count(privilege) != 0; }

 private:
  friend std::optional<ProcessToken> openProcessToken(const Machine&, WinError&);
  std::set<Luid> held_;
  std::set<Luid> enabled_;
};

// OpenProcessToken for the program's own process; nullopt on Windows 9x.
std::optional<ProcessToken> openProcessToken(const Machine& machine, WinError& lastError);

// LookupPrivilegeValue on the local system; nullopt with WinError::NoSuchPrivilege
// for a name Windows does not know (names without case), or on Windows 9x.
std::optional<Luid> lookupPrivilegeValue(const Machine& machine, std::string_view name,
                                         WinError& lastError);

// The three calls as the program makes them to enable one privilege.
enum class PrivilegeOutcome {
  Enabled,     // the privilege is enabled
  NotHeld,     // the adjustment reported that it is not held
  Unavailable  // no token or no such privilege (Windows 9x): go on without it
};
PrivilegeOutcome enablePrivilege(const Machine& machine, std::string_view name);

// True when machine.ini grants the privilege to the user (NT only).
bool holdsPrivilege(const Machine& machine, std::string_view name);

}  // namespace platform
