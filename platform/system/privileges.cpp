#include "platform/system/privileges.h"

#include "platform/core/codepage.h"

namespace platform {

namespace {

// The well-known privileges and their identifiers on NT 4, 2000 and XP.
constexpr std::pair<const char*, uint32_t> kPrivileges[] = {
    {"SeCreateTokenPrivilege", 2},
    {"SeAssignPrimaryTokenPrivilege", 3},
    {"SeLockMemoryPrivilege", 4},
    {"SeIncreaseQuotaPrivilege", 5},
    {"SeMachineAccountPrivilege", 6},
    {"SeTcbPrivilege", 7},
    {"SeSecurityPrivilege", 8},
    {"SeTakeOwnershipPrivilege", 9},
    {"SeLoadDriverPrivilege", 10},
    {"SeSystemProfilePrivilege", 11},
    {"SeSystemtimePrivilege", 12},
    {"SeProfileSingleProcessPrivilege", 13},
    {"SeIncreaseBasePriorityPrivilege", 14},
    {"SeCreatePagefilePrivilege", 15},
    {"SeCreatePermanentPrivilege", 16},
    {"SeBackupPrivilege", 17},
    {"SeRestorePrivilege", 18},
    {"SeShutdownPrivilege", 19},
    {"SeDebugPrivilege", 20},
    {"SeAuditPrivilege", 21},
    {"SeSystemEnvironmentPrivilege", 22},
    {"SeChangeNotifyPrivilege", 23},
    {"SeRemoteShutdownPrivilege", 24},
    {"SeUndockPrivilege", 25},
};

std::optional<Luid> luidOf(std::string_view name) {
  for (const auto& [known, id] : kPrivileges)
    if (ansiEqualNoCase(name, known)) return Luid{id, 0};
  return std::nullopt;
}

bool isKnown(Luid luid) {
  for (const auto& entry : kPrivileges)
    if (luid == Luid{entry.second, 0}) return true;
  return false;
}

}  // namespace

bool ProcessToken::adjust(Luid privilege, bool enable, WinError& lastError) {
  if (!isKnown(privilege)) {
    lastError = WinError::InvalidParameter;
    return false;
  }
  lastError = WinError::Success;
  if (!enable) {
    enabled_.erase(privilege);
  } else if (held_.count(privilege)) {
    enabled_.insert(privilege);
  } else {
    lastError = WinError::NotAllAssigned;
  }
  return true;
}

std::optional<ProcessToken> openProcessToken(const Machine& machine, WinError& lastError) {
  if (!isNt(machine.version())) {
    lastError = WinError::CallNotImplemented;
    return std::nullopt;
  }
  lastError = WinError::Success;
  ProcessToken token;
  for (const std::string& name : machine.config().privileges)
    if (auto luid = luidOf(name)) token.held_.insert(*luid);
  return token;
}

std::optional<Luid> lookupPrivilegeValue(const Machine& machine, std::string_view name,
                                         WinError& lastError) {
  if (!isNt(machine.version())) {
    lastError = WinError::CallNotImplemented;
    return std::nullopt;
  }
  auto luid = luidOf(name);
  lastError = luid ? WinError::Success : WinError::NoSuchPrivilege;
  return luid;
}

PrivilegeOutcome enablePrivilege(const Machine& machine, std::string_view name) {
  WinError error = WinError::Success;
  auto token = openProcessToken(machine, error);
  if (!token) return PrivilegeOutcome::Unavailable;
  auto luid = lookupPrivilegeValue(machine, name, error);
  if (!luid) return PrivilegeOutcome::Unavailable;
  if (!token->adjust(*luid, true, error) || error != WinError::Success)
    return PrivilegeOutcome::NotHeld;
  return PrivilegeOutcome::Enabled;
}

bool holdsPrivilege(const Machine& machine, std::string_view name) {
  if (!isNt(machine.version())) return false;
  for (const std::string& held : machine.config().privileges)
    if (ansiEqualNoCase(held, name)) return true;
  return false;
}

}  // namespace platform
