#include "regpack/NtRegistryWork.h"

#include "app/core/Core.h"

namespace corvasta {

NtRegistryWork::NtRegistryWork(Core& core, Direction direction)
    : core_(core), saved_(core.backupRun) {
  core.backupRun.target = archive::TargetKind::HardDiskFolder;
  core.backupRun.backingUp = direction == Direction::Saving;
  core.backupRun.volumeBytesUsed = 0;
  core.backupRun.cancelled = false;
  core.backupRun.blocksOf = 0;  // one archive, never split into blocks
  core.backupRun.replaceType = false;
  core.backupRun.deleteFilesBeforeBackup = false;
  core.env.ui.setBusyCursor(true);
}

NtRegistryWork::~NtRegistryWork() {
  core_.backupRun = saved_;
  core_.env.ui.setBusyCursor(false);
}

}  // namespace corvasta
