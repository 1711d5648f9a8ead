#include "platform/boot/boot_files.h"
#include "platform/cabinet/cabinet_read.h"
#include "platform/simulators/system_backups.h"

namespace platform {

void restoreSystemBackup(FileSystem& files, const std::string& cabinet) {
  const std::string windows = files.machine().config().windowsDirectory + "\\";
  const std::string bytes = readMachineFile(files, cabinet);
  CabinetArchive archive(files, bytes);
  // Every file is decoded beside its place first; only when all of them are
  // whole do they replace the present files.
  struct Staged {
    std::string partial;
    std::string target;
    const CabinetEntry* entry;
  };
  std::vector<Staged> staged;
  try {
    for (size_t index = 0; index < archive.entries().size(); ++index) {
      const CabinetEntry& entry = archive.entries()[index];
      const std::string name = flatEntryName(entry);
      Staged file{windows + "RB$" + std::to_string(index) + ".$$$", windows + name, &entry};
      staged.push_back(file);
      archive.extract(index, file.partial);
    }
  } catch (...) {
    for (const Staged& file : staged)
      if (files.fileExists(file.partial)) boot::deleteAtStart(files, file.partial);
    throw;
  }
  for (const Staged& file : staged) {
    boot::moveAtStart(files, file.partial, file.target);
    stampExtractedFile(files, file.target, *file.entry);
  }
}

}  // namespace platform
