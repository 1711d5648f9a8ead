#pragma once
// Registry files for small test machines, which start without any: the empty
// registry of a Windows 95/98/ME machine, and a user's profile with the
// registry file Windows keeps in it.

#include <string>

#include "platform/core/machine.h"

namespace testing_support {

// system.dat and user.dat (holding .DEFAULT) in the Windows directory, where
// they are missing.
void ensureWin9xRegistry(const platform::Machine& machine);

// The profile of the logged-on user `name`: Windows 95/98/ME get
// Profiles\<name>\user.dat and "Current User" in system.dat; NT gets
// <Windows drive>\Documents and Settings\<name>\ntuser.dat.
void writeUserProfile(const platform::Machine& machine, const std::string& name);

}  // namespace testing_support
