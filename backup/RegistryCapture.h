#pragma once
// The run's Registry item: on Windows 95/98/ME the registry files of every
// user with spare copies, on Windows NT/2000/XP every loaded hive saved
// through the registry interface and zipped into registry.daz.

#include <string>

#include "platform/live_registry/live_registry.h"

namespace corvasta {

class Core;
class FileArchiving;
class ItemArchiving;
class BackupManager;
class ExtractFolder;

class RegistryCapture {
 public:
  RegistryCapture(Core& core, FileArchiving& archiving, ItemArchiving& items,
                  BackupManager& manager, ExtractFolder& extractFolder)
      : core(core),
        archiving(archiving),
        items(items),
        manager(manager),
        extractFolder(extractFolder) {}

  // The Windows 95/98/ME capture in modes 1 to 3, SaveNTRegistry(set
  // directory + "registry.daz", ...) in modes 4 to 6. Throws corvasta::Error
  // when the registry could not be captured.
  void BackupRegistry(int step);
  // Windows 95/98/ME: every user's user.dat, system.dat and (ME) classes.dat
  // into the set, spare ".cvk" copies beside them. On 98 Windows first makes
  // a system backup, which is unpacked as the spares' source and removed at
  // the end, also when the capture fails.
  void Backup9xRegistry(int step);
  void RemoveUnpackedSystemBackup();
  // Saves the key `keyPath` (from "\") of `rootKey` to `fileName` with the
  // backup privilege; false when it could not be saved. The replace
  // direction (save = false) throws: restoring is not built yet.
  bool SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                const std::string& fileName);
  // Windows NT/2000/XP: every loaded hive saved and, with its map user.ini,
  // zipped into `archivePath` (compressed) or left beside it (copy mode).
  // The restore direction (save = false) throws.
  void SaveNTRegistry(const std::string& archivePath, int step, bool compressed, bool save);
  static constexpr const char* kNtRegistryRestoreNotAvailable =
      "Restoring the Windows NT registry is not available in this version of Corvasta.";

  // The run state the capture reads: the run's transfer mode (1 zip, 3 copy)
  // and whether the running config runs automatically (no scanregw then).
  int TransferMode = 1;
  bool ConfigRunsAutomatically = false;
  // The unpacked system backup's folder while it exists.
  std::string UnpackedSystemBackup;

  Core& core;
  FileArchiving& archiving;
  ItemArchiving& items;
  BackupManager& manager;
  ExtractFolder& extractFolder;
};

}  // namespace corvasta
