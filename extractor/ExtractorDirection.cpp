// The restore direction of the multi-volume handlers while the Extractor reads.

#include "extractor/ExtractorDirection.h"

#include "app/core/Core.h"
#include "platform/files/file_system.h"

namespace corvasta {

archive::TargetKind targetKindOf(Core& core, const std::string& backupPath) {
  if (backupPath.size() < 2 || backupPath[1] != ':') return archive::TargetKind::HardDiskFolder;
  switch (core.env.files.getDriveType(backupPath.substr(0, 2) + "\\")) {
    case platform::DriveType::Removable:
      return archive::TargetKind::RemovableDisk;
    case platform::DriveType::CdRom:
      return archive::TargetKind::PacketCd;
    default:
      return archive::TargetKind::HardDiskFolder;
  }
}

ExtractorDirection::ExtractorDirection(Core& core, const std::string& backupPath)
    : core_(core), before_(core.backupRun) {
  core.backupRun.backingUp = false;
  core.backupRun.cancelled = false;
  core.backupRun.target = targetKindOf(core, backupPath);
  core.backupRun.ejectCd = core.Form8.config.ejectCD;
}

ExtractorDirection::~ExtractorDirection() {
  core_.backupRun = before_;
}

}  // namespace corvasta
