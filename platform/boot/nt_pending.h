#pragma once
// What the session manager of Windows NT, 2000 and XP does at its start
// before it loads the registry: the moves and deletions MoveFileEx recorded
// for the next start, in the order they were asked for; then the hive
// replacements RegReplaceKey recorded (the present hive file is kept as the
// old file, the new file becomes the hive). Both lists are cleared.

#include "platform/boot/boot_log.h"
#include "platform/files/file_system.h"

namespace platform::boot {

void runDelayedMoves(FileSystem& files, BootLog& log);
void runHiveReplacements(FileSystem& files, BootLog& log);

}  // namespace platform::boot
