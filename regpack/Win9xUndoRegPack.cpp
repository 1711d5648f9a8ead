#include "regpack/Win9xUndoRegPack.h"

#include "app/core/Core.h"

namespace corvasta {

void Win9xUndoRegPack::Button6Click() {
  core.reportNotAvailable("RegPack");
}

}  // namespace corvasta
