#pragma once
// The backup run: every checked config in order, and one config from start
// to end (set directory, register, disk, the items, the closing steps).

#include <exception>
#include <functional>

#include "backup/BackupRunState.h"

namespace corvasta {

class Core;
class FileArchiving;
class ItemArchiving;
class RegistryCapture;
class BackupManager;

class BackupRun {
 public:
  BackupRun(Core& core, FileArchiving& archiving, ItemArchiving& items, RegistryCapture& registry,
            BackupManager& manager)
      : core(core), archiving(archiving), items(items), registry(registry), manager(manager) {}

  // The "&Backup" button's run: resets the counters and reports, then backs
  // up every checked config in order ("At least one of the Configs must be
  // checked." when none is).
  void BackupCheckedConfigs();
  // One config (0..3) from start to end.
  void BackupConfig(int config);

  // Raised when a config's closing steps are done, before a failure is passed
  // on: the main window refreshes what its status line shows.
  std::function<void()> OnConfigClosed;

  // Steps of BackupConfig.
  int countBackupItems() const;
  bool prepareSetDirectory(BackupRunState& run);
  void registerSet(BackupRunState& run);
  bool prepareDisk(const BackupRunState& run);
  void backupItems(BackupRunState& run);
  void closeBackupConfig(const BackupRunState& run, std::exception_ptr failure);
  bool isLastConfigOfRun(int config) const;

  Core& core;
  FileArchiving& archiving;
  ItemArchiving& items;
  RegistryCapture& registry;
  BackupManager& manager;
};

}  // namespace corvasta
