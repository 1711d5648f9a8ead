#pragma once
// Modes 1 to 3: Undo RegPack from the .zzz copies RegPack left. Windows 95
// and 98 copy them in MS-DOS mode through startwin.bat (the pif or the
// autoexec hand-off) beside the registry files; Windows ME copies them in
// Windows. Either way wininit.ini's Rename section names the copies, and
// WININIT renames them over the registry files at the next start, before
// the registry loads.

#include <string>
#include <vector>

#include "platform/core/errors.h"
#include "regpack/UndoCopies.h"

namespace corvasta {

class Core;
class Backup;
class Restore;

class Win9xUndoRegPack {
 public:
  Win9xUndoRegPack(Core& core, Backup& backup, Restore& restore)
      : core(core), backup(backup), restore(restore) {}

  // "&Undo RegPack" in modes 1 to 3.
  void Button6Click();
  // The lines of the Undo batch for `copies`, without the closing line that
  // deletes the batch file (the hand-off adds it).
  std::vector<std::string> WriteUndoBatch(const UndoCopies& copies) const;
  // Names in wininit.ini the moves of the batch's whole copies (".und") over
  // the registry files, after removing what an earlier Undo left.
  void NameUndoMoves(const UndoCopies& copies);

  Core& core;
  Backup& backup;
  Restore& restore;

 private:
  // The copies, or none after saying why (a Windows directory copy missing or
  // damaged); damaged profile copies are named and left out.
  bool checkCopies(UndoCopies& copies, bool withClasses);
  bool confirmed();
  // The pif method's support files; false after saying which is missing.
  bool pifReady();
  void undoInMsDosMode(const UndoCopies& copies);
  void undoThroughWininit(const UndoCopies& copies);
  // The log lines, results.txt and the message of an undo that failed.
  void notSuccessful(const corvasta::Error& error);
  void endLine();
};

}  // namespace corvasta
