#pragma once
// Settings for archives that do not fit on one medium: spanning removable
// disks, or cutting the archive into numbered block files.

#include <cstdint>

namespace archive {

enum TMultiMode { mmNone, mmSpan, mmBlocks };

struct TMultiVolumeInfo {
  TMultiMode MultiMode = mmSpan;
  int64_t BlockSize = 0;       // every block after the first (mmBlocks)
  int64_t FirstBlockSize = 0;  // the first block (mmBlocks)
  // After a multi-part archive, store its central directory and end record
  // on the first disk as name.zfc, with SaveOnFirstDisk bytes kept free there.
  bool SaveZipInfoOnFirstDisk = false;
  int64_t SaveOnFirstDisk = 0;
  // Label every finished spanned diskette in drive A or B "PKBACK# nnn".
  bool WriteDiskLabels = false;
  // When reading, accept only a disk whose label carries the expected number.
  bool CheckDiskLabels = false;
};

}  // namespace archive
