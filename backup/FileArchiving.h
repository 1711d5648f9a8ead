#pragma once
// Archiving single files and folders: one file zipped, copied or unzipped
// (TransferFile and its callers), the archive engine's create and verify
// steps, plain copies of a folder, the overall progress bar, and the
// multi-volume settings and disk prompts of the running backup's target.

#include <cstdint>
#include <memory>
#include <string>

#include "archive/MultiVolumeHandlers.h"
#include "platform/files/file_handle.h"

namespace archive {
class TZipReader;
}  // namespace archive

namespace corvasta {

class Core;
class OpenFileJobs;

class FileArchiving {
 public:
  // Attaches the multi-volume handlers (disk prompts through the Ui) to both
  // archive engines.
  FileArchiving(Core& core, OpenFileJobs& openFiles);
  ~FileArchiving();

  void BackupFile(const std::string& source, const std::string& setDir, int mode, int step);
  void AttrCopy(const std::string& source, const std::string& dest, bool keep, int mode, int step);
  void TransferFile(const std::string& source, const std::string& dest, bool recurse, int mode,
                    int step);
  platform::FileHandle CreateShortFile(const std::string& source, const std::string& dest);
  // Renames `arrived` (a whole copy of `source` beside `dest`) to `dest`,
  // replacing it, with the source's alias number as CreateShortFile gives it.
  void PlaceShortFile(const std::string& arrived, const std::string& source,
                      const std::string& dest);
  // `arrive`: written beside `dest` and renamed into place (restores), so
  // that a failure or the end of the process leaves the old file whole.
  void copyOneFile(const std::string& source, const std::string& dest, bool arrive);
  void DoZip(const std::string& displayPath);
  void DoVerify(const std::string& displayName);
  void CopyDir();
  void CopyFolder(const std::string& pattern, bool recurse, uint64_t totalBytes,
                  uint64_t& copiedBytes);
  // Pack level not 0: DoZip(displayPath) and DoVerify(displayName); 0: CopyDir.
  void ArchiveOrCopy(const std::string& displayPath, const std::string& displayName);
  void advanceOverall(int step);
  // The multi-volume settings of an archive about to be created, for the
  // running backup's target.
  void SetMultiMode(archive::TZipReader& zip);

  // Progress divisor and offset for the current-item bar.
  int ProgressDivisor = 1;
  int ProgressOffset = 0;

  Core& core;
  OpenFileJobs& openFiles;
  std::unique_ptr<archive::MultiVolumeHost> multiVolumeHost;
  std::unique_ptr<archive::TMultiVolumeHandlers> multiVolumeHandlers;
};

}  // namespace corvasta
