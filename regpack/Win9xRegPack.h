#pragma once
// Modes 1 to 3: Expanded and Quick RegPack.
//
// Expanded (mode 1, mode 2 when chosen): the registry is exported in
// Windows, and startwin.bat backs up, exports and rebuilds every registry
// file with the Registry Editor in MS-DOS mode. Quick (mode 2 when chosen,
// mode 3): the registry files are copied to their undo copies in Windows and
// the registry checker rebuilds them, in MS-DOS mode (mode 2) or started
// from Windows (mode 3).
//
// The implementation is spread over files by concern:
//   Win9xRegPack.cpp             CompactClick, the confirmation, Button3Click
//   Win9xRegPackPreparation.cpp  support files, readable registry, exports, undo copies
//   Win9xRegPackBatch.cpp        WriteRegPackBatch and the profile folders

#include <optional>
#include <string>
#include <vector>

#include "regpack/RegPackBatch.h"

namespace corvasta {

class Core;
class Backup;
class Restore;
class DosHandOff;

class Win9xRegPack {
 public:
  Win9xRegPack(Core& core, Backup& backup, Restore& restore)
      : core(core), backup(backup), restore(restore) {}

  // "&RegPack" in modes 1 to 3.
  void CompactClick();
  // Mode 1: "Up&grade RegEdit"; modes 2 and 3: "&Check the Registry".
  void Button3Click();
  // The Expanded batch into the hand-off's startwin.bat: opened, written, closed.
  void WriteRegPackBatch();

  // Mode 2 with "Expanded RegPack" chosen, and mode 1.
  bool expanded() const;
  // The folders of the Windows directory's Profiles folder, in listing order.
  std::vector<std::string> profileFolders() const;
  // The paths the Expanded batch is written for.
  RegPackBatchPaths batchPaths() const;

  Core& core;
  Backup& backup;
  Restore& restore;

 private:
  // False after the message when command.pif is missing; copies command.com
  // into the program directory when it has none.
  bool supportFilesReady();
  // False after the message naming the first registry file RegPack would
  // rebuild that does not parse.
  bool registryReadable();
  // The three exports of the Expanded RegPack. False when one could not be
  // started (silently) or failed (after a message naming its file).
  bool exportRegistry();
  // The Quick RegPack's undo copies. False after a message when a copy whose
  // source exists was not made.
  bool makeQuickUndoCopies();
  // The question before Windows is left; true to go on.
  bool confirm(bool autoexecMethod);
  // A stop with a message: shown, logged with the end line, results.txt written.
  void stopWith(const std::string& message);
  void finishLog();
  void applyCloseAfterRun();
  DosHandOff& handOff();

  std::string attrib_;
};

}  // namespace corvasta
