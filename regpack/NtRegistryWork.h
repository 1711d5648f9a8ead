#pragma once
// The archive engines' run state while RegPack saves the hives into the
// undo archive or unpacks them again: a file on the hard disk, whatever
// target the last backup had (a removable or CD target would ask for disks,
// or refuse the save), in the direction of the work. The state of before
// comes back afterwards.

#include "archive/MultiVolumeHandlers.h"

namespace corvasta {

class Core;

class NtRegistryWork {
 public:
  enum class Direction { Saving, Restoring };
  NtRegistryWork(Core& core, Direction direction);
  ~NtRegistryWork();
  NtRegistryWork(const NtRegistryWork&) = delete;
  NtRegistryWork& operator=(const NtRegistryWork&) = delete;

 private:
  Core& core_;
  archive::TMultiVolumeRun saved_;
};

}  // namespace corvasta
