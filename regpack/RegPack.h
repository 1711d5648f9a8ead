#pragma once
// The RegPack subsystem: rebuilding the registry into a compact form and
// putting it back from the undo copies. Windows 95/98/ME (modes 1 to 3) go
// through the Registry Editor and the registry checker, with a batch file
// that finishes the work in MS-DOS mode; Windows NT/2000/XP (modes 0, 4 to 6)
// save every hive compactly and replace the live ones at the next start. The
// main window owns one object and forwards its RegPack tab's buttons to it.

#include "regpack/NtRegPack.h"
#include "regpack/Win9xRegPack.h"
#include "regpack/Win9xUndoRegPack.h"

namespace corvasta {

class Core;
class Backup;
class Restore;

class RegPack {
 public:
  RegPack(Core& core, Backup& backup, Restore& restore)
      : core(core),
        win9x(core, backup, restore),
        win9xUndo(core, backup, restore),
        nt(core, backup, restore) {}
  RegPack(const RegPack&) = delete;
  RegPack& operator=(const RegPack&) = delete;

  // "&RegPack": the variant of the Windows mode.
  void CompactClick();
  // "&Undo RegPack": the undo of the Windows mode.
  void Button6Click();
  // The tab's third button: mode 1 "Up&grade RegEdit", modes 2 and 3
  // "&Check the Registry".
  void Button3Click() { win9x.Button3Click(); }
  // Whether the mode's undo copy exists, which enables "&Undo RegPack":
  // winbootdir's system.zzz in modes 1 to 3, W\registry.zzz otherwise.
  bool UndoAvailable() const;
  // The "Quick RegPack"/"Expanded RegPack" list of mode 2: the choice (0 or
  // 1) is kept in RegPack/Mode at once.
  void ComboBoxChange(int index);

  Core& core;
  Win9xRegPack win9x;
  Win9xUndoRegPack win9xUndo;
  NtRegPack nt;
};

}  // namespace corvasta
