#pragma once
// The kind of a backup target, from the drive type of its first three
// characters and the config's CD packet setting, and whether it gets backup
// set directories and rotation.

#include <string>

#include "archive/MultiVolumeHandlers.h"

namespace platform {
class FileSystem;
}

namespace corvasta {

archive::TargetKind targetKindOf(platform::FileSystem& files, const std::string& target,
                                 bool cdPacketFormat);

// Hard-disk folders, and any target treated as a fixed disk, get set
// directories and rotation; the others are written themselves.
bool usesSetDirectories(archive::TargetKind kind, bool treatAsFixed);

}  // namespace corvasta
