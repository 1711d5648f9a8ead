#pragma once
// Which registry files a machine's Windows loads, and where in the registry
// namespace each one appears, as Windows composes the registry at run time:
//
// Windows 9x: HKEY_LOCAL_MACHINE is system.dat; HKEY_USERS is the Windows
// directory's user.dat (holding .DEFAULT); with user profiles on, the current
// user's Profiles\<name>\user.dat appears as HKEY_USERS\<name>; on ME,
// classes.dat appears as HKEY_LOCAL_MACHINE\Software\Classes.
//
// NT: HKEY_LOCAL_MACHINE\SYSTEM, SOFTWARE, SAM, SECURITY from
// system32\config, HKEY_USERS\.DEFAULT from config\default, the logged-on
// user's ntuser.dat as HKEY_USERS\<SID> and UsrClass.dat (2000, XP) as
// HKEY_USERS\<SID>_Classes, the SIDs taken from the ProfileList; and the
// memory-only HARDWARE hive.

#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "platform/registry/registry_tree.h"

namespace platform {

struct HiveMount {
  std::string mountPath;   // canonical: "HKEY_LOCAL_MACHINE\SOFTWARE"
  std::string kernelName;  // "\REGISTRY\MACHINE\SOFTWARE" (NT); empty on 9x
  std::string winPath;     // the file, long form; empty for a memory-only hive
  enum class Format { Win9x, NtHive, Memory } format = Format::Memory;
  registry::RegistryTree tree;
  bool dirty = false;
  // Why the file could not be read ("" when it was). Such a hive is mounted
  // empty and its file is never written: a restore may still put a good file
  // in its place, and the damaged one stays for whoever wants to look at it.
  std::string damage;
  bool damaged() const { return !damage.empty(); }
};

// Reads and parses one registry file of the machine. It is read from the host
// directly, not through a FileSystem of the running machine: Windows holds
// the files it loaded open, and what reads them here is Windows' own loading.
// Throws RegistryFormatError naming the file when it cannot be read or parsed.
registry::RegistryTree readRegistryFileOf(const Machine& machine, const std::string& winPath,
                                          HiveMount::Format format);

// Loads the hives of the machine. Missing files are skipped (that part of the
// namespace is absent); a file that cannot be read or parsed is mounted as an
// empty, damaged hive (HiveMount::damage says why).
std::vector<HiveMount> loadHives(const Machine& machine);

// The device form Windows shows a file's path in (hivelist data):
// "\Device\HarddiskVolume1\WINDOWS\system32\config\software" on 2000/XP,
// "\Device\Harddisk0\Partition1\WINNT\system32\config\SOFTWARE" on NT 4.
std::string deviceFormPath(const Machine& machine, const std::string& winPath);

}  // namespace platform
