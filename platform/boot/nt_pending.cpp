#include "platform/boot/nt_pending.h"

#include "platform/boot/boot_files.h"
#include "platform/core/errors.h"
#include "platform/live_registry/live_registry.h"
#include "platform/live_registry/registry_mounts.h"
#include "platform/registry/registry_error.h"

namespace platform::boot {
namespace {

// Where replaceKey keeps its records in the machine state.
constexpr const char* kReplacementSection = "HiveReplacements";

// One recorded replacement. The hive file holds a whole hive at every moment:
// the new file is checked first, the present hive is copied to the old file
// while it stays in place, and only then is the new file renamed over it.
void replaceHive(FileSystem& files, const PendingHiveReplacement& replacement, BootLog& log) {
  const std::string& hive = replacement.hiveFile;
  const std::string& old = replacement.oldFile;
  try {
    if (!files.fileExists(replacement.newFile)) {
      if (!old.empty() && files.fileExists(old))
        log.event("hive " + hive + " already replaced by " + replacement.newFile +
                  ", old hive kept as " + old);
      else
        log.event("hive replacement failed: " + replacement.newFile + " not found");
      return;
    }
    try {
      readRegistryFileOf(files.machine(), replacement.newFile, HiveMount::Format::NtHive);
    } catch (const registry::RegistryFormatError& e) {
      log.event("hive replacement failed: " + std::string(e.what()) + "; " + hive + " kept");
      return;
    }
    if (!old.empty()) copyAtStart(files, hive, old);
    moveAtStart(files, replacement.newFile, hive);
    log.event("hive " + hive + " replaced by " + replacement.newFile +
              (old.empty() ? "" : ", old hive kept as " + old));
  } catch (const OsError& e) {
    log.event(std::string("hive replacement failed: ") + e.what());
  }
}

}  // namespace

void runDelayedMoves(FileSystem& files, BootLog& log) {
  std::vector<DelayedMove> moves = files.pendingDelayedMoves();
  for (const DelayedMove& move : moves) {
    try {
      if (move.destination.empty()) {
        deleteAtStart(files, move.source);
        log.event("deleted " + move.source);
      } else if (files.exists(move.destination) && !move.replaceExisting) {
        log.event("not moved: " + move.destination + " exists (" + move.source + ")");
      } else {
        moveAtStart(files, move.source, move.destination);
        log.event("moved " + move.source + " to " + move.destination);
      }
    } catch (const OsError& e) {
      log.event(std::string("pending move failed: ") + e.what());
    }
  }
  DelayedMoveList(files.machine().stateFolder()).clear();
}

void runHiveReplacements(FileSystem& files, BootLog& log) {
  Machine& machine = files.machine();
  std::vector<PendingHiveReplacement> replacements;
  {
    LiveRegistry registry(machine, files);
    replacements = registry.pendingReplacements();
  }
  for (const PendingHiveReplacement& replacement : replacements) {
    replaceHive(files, replacement, log);
    // Removed last: a start cut off before this point does the replacement
    // again, and finds it done when the new file has already gone.
    machine.state().remove(kReplacementSection, replacement.hiveFile);
  }
}

}  // namespace platform::boot
