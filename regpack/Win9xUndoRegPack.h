#pragma once
// Modes 1 to 3: Undo RegPack from the .zzz copies.

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

  Core& core;
  Backup& backup;
  Restore& restore;
};

}  // namespace corvasta
