#pragma once
// The program's side of multi-volume archives: SetMultiMode chooses spanning
// or blocks and their sizes for the run's target before each archive;
// ZipGetNextDisk and UnZipInComplete answer the engine's disk prompts and
// incomplete-archive event, talking to the user through MultiVolumeHost.

#include <cstdint>
#include <string>

#include "archive/ZipReader.h"
#include "archive/multi_volume_host.h"

namespace archive {

enum class TargetKind { HardDiskFolder, RemovableDisk, PacketCd, EngineCd };

// The state of the running backup or restore the handlers work on.
struct TMultiVolumeRun {
  TargetKind target = TargetKind::HardDiskFolder;
  bool backingUp = true;  // false while restoring or extracting
  // Bytes already placed on the current volume (64-bit).
  uint64_t volumeBytesUsed = 0;
  bool ejectCd = false;
  bool deleteFilesBeforeBackup = false;
  std::string backupSetDir;
  // "Save Large Files in Blocks of:" when it is set and enabled; 0 otherwise.
  uint64_t blocksOf = 0;
  bool replaceType = false;      // the backup type is "Replace"
  std::string targetFileSystem;  // "NTFS", "FAT32", ...
  std::string tempDir;           // the temporary directory, with "\"
  std::string cdDrive;           // root of the CD drive, e.g. "E:\"
  bool cancelled = false;        // the run's cancelled flag
  bool cdErased = false;
};

class TMultiVolumeHandlers {
 public:
  TMultiVolumeHandlers(ZipFileSystem& fileSystem, MultiVolumeHost& host, TMultiVolumeRun& run)
      : fs_(fileSystem), host_(host), run_(run) {}

  // Connects OnGetNextDisk and OnInCompleteZip of an engine to these handlers.
  void Attach(TZipReader& zip);

  void SetMultiMode(TZipReader& zip);
  void ZipGetNextDisk(TZipReader& sender, int nextDisk, std::string& fName);
  void UnZipInComplete(TZipReader& sender, TIncompleteMode& mode);

  // "1st", "2nd", "3rd", otherwise the number and "th" ("11th", "21th").
  static std::string Ordinal(int number);

 private:
  void backupNextDisk(TZipReader& sender, int nextDisk, std::string& fName);
  void restoreNextDisk(int nextDisk, std::string& fName);
  bool isCd() const {
    return run_.target == TargetKind::PacketCd || run_.target == TargetKind::EngineCd;
  }

  ZipFileSystem& fs_;
  MultiVolumeHost& host_;
  TMultiVolumeRun& run_;
};

}  // namespace archive
