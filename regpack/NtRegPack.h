#pragma once
// Modes 0, 4 to 6: RegPack and Undo RegPack through saved hives. RegPack
// saves every loaded hive (the registry's save operation writes a compact
// copy) into the undo archive W\registry.zzz and has Windows put those
// copies in place at its next start; Undo RegPack puts the hives of that
// archive back the same way.

#include <string>

namespace corvasta {

class Core;
class Backup;
class Restore;

class NtRegPack {
 public:
  NtRegPack(Core& core, Backup& backup, Restore& restore)
      : core(core), backup(backup), restore(restore) {}

  // "&RegPack" in modes 0, 4 to 6 (NtRegPack.cpp).
  void CompactClick();
  // "&Undo RegPack" in modes 0, 4 to 6 (NtUndoRegPack.cpp).
  void Button6Click();

  // W + "registry.zzz".
  std::string undoArchive() const;
  // The bytes of the five machine hive files of System32\config (a missing
  // file counts 0): the registry's size before and after a RegPack.
  uint64_t hiveFilesSize() const;

  Core& core;
  Backup& backup;
  Restore& restore;

 private:
  // The texts that tell RegPack's and Undo RegPack's endings apart.
  struct Ending {
    const char* endLine;     // "<<< RegPack Completed - "
    const char* failedLine;  // "<<< RegPack not successful - "
    const char* notSuccess;  // "WARNING - An Error has Occurred - RegPack NOT Successful."
    bool setsJustDone;
  };
  static const Ending kRegPackEnding;
  static const Ending kUndoEnding;

  // The hives of the undo archive handed to the hive replacement, and the
  // end of the operation: the warning list of hives that could not be
  // replaced (Yes restarts) or the restart. The warning list must have been
  // started. An exception is logged and shown, then passed on.
  void replaceFromUndoArchive(const Ending& ending, bool beepAfterReplacing);
  void finish(const Ending& ending);
  // The log written; a results file that cannot be written keeps the lines
  // for the next attempt.
  void writeLog();
  // The undo archive cannot be used: the text shown, the log ended.
  void refuseArchive(const std::string& fault, const char* failedLine);
};

}  // namespace corvasta
