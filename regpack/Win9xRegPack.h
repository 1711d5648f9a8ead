#pragma once
// Modes 1 to 3: Expanded and Quick RegPack.

namespace corvasta {

class Core;
class Backup;
class Restore;

class Win9xRegPack {
 public:
  Win9xRegPack(Core& core, Backup& backup, Restore& restore)
      : core(core), backup(backup), restore(restore) {}

  // "&RegPack" in modes 1 to 3.
  void CompactClick();
  // Mode 1: "Up&grade RegEdit"; modes 2 and 3: "&Check the Registry".
  void Button3Click();

  Core& core;
  Backup& backup;
  Restore& restore;
};

}  // namespace corvasta
