#pragma once
// While the Extractor reads a backup, the archive engines' disk prompts and
// incomplete-archive question work in the restore direction, for the target
// kind of the drive the backup is on; the run's multi-volume state is put
// back however the reading ends.

#include <string>

#include "archive/MultiVolumeHandlers.h"

namespace corvasta {

class Core;

// Removable disk for a removable drive, packet-written CD for a CD-ROM drive,
// hard-disk folder otherwise.
archive::TargetKind targetKindOf(Core& core, const std::string& backupPath);

class ExtractorDirection {
 public:
  ExtractorDirection(Core& core, const std::string& backupPath);
  ~ExtractorDirection();
  ExtractorDirection(const ExtractorDirection&) = delete;
  ExtractorDirection& operator=(const ExtractorDirection&) = delete;

 private:
  Core& core_;
  archive::TMultiVolumeRun before_;
};

}  // namespace corvasta
