#include "regpack/RegPack.h"

#include "app/core/Core.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

void RegPack::CompactClick() {
  if (core.isWin9xMode())
    win9x.CompactClick();
  else
    nt.CompactClick();
}

void RegPack::Button6Click() {
  if (core.isWin9xMode())
    win9xUndo.Button6Click();
  else
    nt.Button6Click();
}

bool RegPack::UndoAvailable() const {
  return core.isWin9xMode() ? core.env.files.fileExists(core.loc.winbootdir + "system.zzz")
                            : core.env.files.fileExists(core.loc.windowsDir + "registry.zzz");
}

void RegPack::ComboBoxChange(int index) {
  core.Form8.regPackMode = index == 1 ? 1 : 0;
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  settings.WriteInteger("RegPack", "Mode", core.Form8.regPackMode);
}

}  // namespace corvasta
