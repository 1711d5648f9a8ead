#include "regpack/RegPack.h"

#include "app/core/Core.h"

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

}  // namespace corvasta
