#include "platform/boot/nt_pending.h"

#include "platform/boot/boot_files.h"
#include "platform/core/errors.h"
#include "platform/live_registry/live_registry.h"

namespace platform::boot {
namespace {

// Where replaceKey keeps its records in the machine state.
constexpr const char* kReplacementSection = "HiveReplacements";

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
    try {
      if (!files.fileExists(replacement.newFile))
        throw OsError(WinError::FileNotFound, replacement.newFile);
      if (!replacement.oldFile.empty())
        moveAtStart(files, replacement.hiveFile, replacement.oldFile);
      moveAtStart(files, replacement.newFile, replacement.hiveFile);
      log.event("hive " + replacement.hiveFile + " replaced by " + replacement.newFile +
                (replacement.oldFile.empty() ? "" : ", old hive kept as " + replacement.oldFile));
    } catch (const OsError& e) {
      log.event(std::string("hive replacement failed: ") + e.what());
    }
    machine.state().remove(kReplacementSection, replacement.hiveFile);
  }
}

}  // namespace platform::boot
