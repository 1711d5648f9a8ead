#pragma once
// The Windows 95/98/ME registry restore: the registry files put into a
// temporary folder, then copied into place while Windows is not running (a
// DOS batch file, startwin.bat, in modes 1 and 2) or by Windows itself at its
// next start (the Rename section of wininit.ini in mode 3), and the hand-offs
// that leave Windows for it (the autoexec and pif methods, DosHandOff).
//
// A temporary registry file is put in place whole or not at all: the old one
// is deleted first, the new one arrives under a sibling name and is renamed,
// and the batch lines or Rename entries name only files that arrived.
//
//   Win9xRegistryRestore.cpp        the registry files of a source, modes 1 and 2
//   Win9xRegistrySave.cpp           Save9xRegistry (mode 3)
//   Win9xRegistryTransfer.cpp       one registry file to its temporary place, user.ini

#include <string>
#include <vector>

#include "restore/DosHandOff.h"
#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;

class Win9xRegistryRestore {
 public:
  Win9xRegistryRestore(Core& core, Backup& backup, RestoreState& state)
      : core(core), backup(backup), state(state), handOff(core) {}

  // Modes 1 and 2: the user and system registry of the run's source to their
  // temporary files, and the lines of startwin.bat that copy them into place
  // (`attrib`: the path of attrib.exe) added to the open hand-off.
  void RestoreDosRegistry(const std::string& attrib);
  // Mode 3: the user, system and classes registry to their temporary files,
  // each named in the Rename section of wininit.ini. `userFile`: the user
  // registry of the source; `compressed`: the files are one-entry archives.
  void Save9xRegistry(const std::string& userFile, int progressStep, bool compressed);

  // --- The registry files of the run's source ----------------------------------
  std::string userSource() const;
  std::string systemSource() const;
  std::string classesSource() const;
  bool unzipping() const { return state.transferMode == RestoreTransfer::Unzip; }
  // The registry files of the running Windows, and the temporary files.
  std::string userTarget() const;
  std::string tempFolder(const std::string& forDirectory) const;

  // --- One file --------------------------------------------------------------------
  // Asks for a missing source while the restore reads from a removable disk.
  // `press` names the button the text asks for ("OK" or "Yes").
  void askForMissing(const std::string& source, const std::string& press);
  // Puts `source` (a copy, or the entry of a one-entry archive named like
  // `target`) at `target`, whole or not at all. False, with the reason in the
  // error list, when it did not arrive.
  bool transferRegistryFile(const std::string& source, const std::string& target);
  // The user.ini entries of a multi-user set: user0, user1, ... up to the
  // first empty one. An entry that is not "X:\...\user.dat" on a drive of the
  // machine is refused with an error line and left empty in the result.
  std::vector<std::string> multiUserEntries() const;
  bool hasUserIni() const;
  bool isCurrentUser(const std::string& entry) const;
  // The user registry of the run's source, its other users and, for the
  // spare and plain registries, the other profiles; the current user's file
  // to `tempUser`. True when the current user's file arrived there.
  bool restoreUserFiles(const std::string& tempUser);
  void restoreOtherProfiles(const std::string& tempUser);
  void advance(int step);

  Core& core;
  Backup& backup;
  RestoreState& state;
  DosHandOff handOff;
};

}  // namespace corvasta
