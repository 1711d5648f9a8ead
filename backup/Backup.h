#pragma once
// The backup subsystem: its parts, built over the program's core in the
// order they use each other. The main window owns one.

#include "backup/BackupManager.h"
#include "backup/BackupRun.h"
#include "backup/ExtractFolder.h"
#include "backup/FileArchiving.h"
#include "backup/ItemArchiving.h"
#include "backup/OpenFileJobs.h"
#include "backup/RegistryCapture.h"

namespace corvasta {

class Core;

class Backup {
 public:
  explicit Backup(Core& core)
      : openFiles(core),
        archiving(core, openFiles),
        extractFolder(core, archiving),
        items(core, archiving),
        manager(core),
        registry(core, archiving, items, manager, extractFolder),
        run(core, archiving, items, registry, manager) {}
  Backup(const Backup&) = delete;
  Backup& operator=(const Backup&) = delete;

  OpenFileJobs openFiles;
  FileArchiving archiving;
  ExtractFolder extractFolder;
  ItemArchiving items;
  BackupManager manager;
  RegistryCapture registry;
  BackupRun run;
};

}  // namespace corvasta
