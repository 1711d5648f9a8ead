// The "Diskette, CD, Removable Drive" source: the folder the user points
// to (never one on a hard disk or RAM disk), and the prompt for the disk
// that holds the registry when the drive holds another one.

#include "app/core/Core.h"
#include "backup/BackupRunState.h"
#include "platform/core/codepage.h"
#include "platform/core/drive.h"
#include "platform/core/machine.h"
#include "restore/RestoreSources.h"

namespace corvasta {
namespace {

// The CD drive whose tray the prompt opens: the chosen drive when it is a
// CD drive and the "Eject CD" preference asks for it (never drive A).
platform::Drive* trayDrive(Core& core, const std::string& setDir) {
  if (!core.Form8.config.ejectCD || setDir.empty()) return nullptr;
  const char letter = platform::ansiUpper(setDir.front());
  if (letter == 'A') return nullptr;
  platform::Drive* drive = core.env.machine.drive(letter);
  // A drive without media of its own has no tray to open.
  if (!drive || drive->type() != platform::DriveType::CdRom || drive->config().media.empty())
    return nullptr;
  return drive;
}

}  // namespace

void RestoreSources::restoreRemovable() {
  state.sourceKind = SourceKind::Removable;
  const std::optional<std::string> chosen = core.env.ui.chooseFolder(kSpecifyTheDisk, "C:\\");
  if (!chosen || chosen->empty()) return;
  const std::string setDir = platform::ansiUpper(CheckPath(*chosen));
  const platform::DriveType type = core.env.machine.driveType(setDir.substr(0, 1) + ":\\");
  if (type == platform::DriveType::Fixed || type == platform::DriveType::RamDisk) {
    core.env.ui.messageBox(kDirectoryIncorrect, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  GetCompressType(setDir);
}

// Asks for the disk that holds the registry; false when the user cancels.
// Opening the tray takes the disc out of the drive, as the drive's eject
// does on this machine; closing it again needs no call of its own, because
// the disc the user puts in is in the drive once it is inserted.
bool RestoreSources::askForDisk(const std::string& setDir) {
  if (platform::Drive* drive = trayDrive(core, setDir)) drive->eject();
  return core.env.ui.messageBox(kInsertLastDisk, kInsertDiskCaption, Buttons::OkCancel,
                                Icon::Warning) == IDOK;
}

}  // namespace corvasta
