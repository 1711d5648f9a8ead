#include "backup/TargetKind.h"

#include "platform/files/file_system.h"

namespace corvasta {

archive::TargetKind targetKindOf(platform::FileSystem& files, const std::string& target,
                                 bool cdPacketFormat) {
  const platform::DriveType type = files.getDriveType(target.substr(0, 3));
  if (type == platform::DriveType::Removable) return archive::TargetKind::RemovableDisk;
  if (type == platform::DriveType::CdRom)
    return cdPacketFormat ? archive::TargetKind::PacketCd : archive::TargetKind::EngineCd;
  return archive::TargetKind::HardDiskFolder;
}

bool usesSetDirectories(archive::TargetKind kind, bool treatAsFixed) {
  return kind == archive::TargetKind::HardDiskFolder || treatAsFixed;
}

}  // namespace corvasta
