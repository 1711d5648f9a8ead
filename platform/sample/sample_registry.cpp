#include "platform/sample/sample_registry.h"

#include "platform/sample/sample_registry_backups.h"
#include "platform/sample/sample_registry_nt.h"
#include "platform/sample/sample_registry_win9x.h"

namespace platform::sample {

void addSampleRegistry(SampleTree& drive, const SampleLayout& layout) {
  if (!layout.nt) {
    addWin9xRegistry(drive, layout);
    if (layout.version != WindowsVersion::Win95) addWin9xRegistryBackups(drive, layout);
    return;
  }
  addNtRegistry(drive, layout);
  addNtRepairCopies(drive, layout);
  if (layout.version == WindowsVersion::WinXp) addXpRestorePoints(drive, layout);
}

}  // namespace platform::sample
