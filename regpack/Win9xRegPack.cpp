#include "regpack/Win9xRegPack.h"

#include "app/core/Core.h"

namespace corvasta {

void Win9xRegPack::CompactClick() {
  core.reportNotAvailable("RegPack");
}

void Win9xRegPack::Button3Click() {
  core.reportNotAvailable("RegPack");
}

}  // namespace corvasta
