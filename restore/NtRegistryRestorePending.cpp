// The NT registry restore's entry points until the NT restore lands: each
// refuses with an error, so a restore in the NT modes ends in the run's
// error handler at its registry step.

#include "platform/core/errors.h"
#include "restore/NtRegistryRestore.h"

namespace corvasta {

bool NtRegistryRestore::PreRegistryRestore(bool /*checkCmd*/) {
  throw Error("not built yet");
}

void NtRegistryRestore::RestoreRepair(const std::string& /*dir*/) {
  throw Error("not built yet");
}

void NtRegistryRestore::RestoreRestorePoint(const std::string& /*snapshotDir*/) {
  throw Error("not built yet");
}

void NtRegistryRestore::RestoreRegistryArchive(const std::string& /*archivePath*/,
                                               int /*progressStep*/) {
  throw Error("not built yet");
}

}  // namespace corvasta
