#include "regpack/NtRegPack.h"

#include "app/core/Core.h"

namespace corvasta {

void NtRegPack::CompactClick() {
  core.reportNotAvailable("RegPack");
}

void NtRegPack::Button6Click() {
  core.reportNotAvailable("RegPack");
}

}  // namespace corvasta
