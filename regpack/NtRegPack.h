#pragma once
// Modes 0, 4 to 6: RegPack and Undo RegPack through saved hives.

namespace corvasta {

class Core;
class Backup;
class Restore;

class NtRegPack {
 public:
  NtRegPack(Core& core, Backup& backup, Restore& restore)
      : core(core), backup(backup), restore(restore) {}

  // "&RegPack" in modes 0, 4 to 6.
  void CompactClick();
  // "&Undo RegPack" in modes 0, 4 to 6.
  void Button6Click();

  Core& core;
  Backup& backup;
  Restore& restore;
};

}  // namespace corvasta
