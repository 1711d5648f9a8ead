#pragma once
// Files held open while Windows runs: the archive engines' OnSkippingFile
// defers them, each deferral is recorded as a job (Temp\OpenFN.ini in the
// program directory) and arranged for the next start of Windows, and the
// "openfile" start finishes the recorded jobs.

#include <optional>
#include <string>

namespace corvasta {

class Core;
class FileArchiving;

// Why an extracted entry that was not deferred to the next start of Windows
// was skipped, for the lists of files not restored: `reason` is the archive
// engine's skip reason.
const char* notExtractedReason(int reason);

class OpenFileJobs {
 public:
  // Installs SkippingFile as the OnSkippingFile event of both archive engines.
  explicit OpenFileJobs(Core& core);

  // The archive engine's OnSkippingFile: reason 2 (a file to store is in use)
  // defers the file's backup, reason 3 (a file to extract cannot be created)
  // defers its replacement; both to the next start of Windows. Reason 4 (the
  // entry's folder cannot be made) defers nothing. Retry stays false.
  void SkippingFile(int reason, bool& retry, int fileIndex, const std::string& fileName);
  // Records one open-file job and arranges the copy or move at the next start
  // of Windows. `inUse` is the file Windows holds; `other` the backup
  // destination (replace false) or the replacement's source (replace true);
  // `index` its archive entry (-1: none); `fromArchive`: `other` is an
  // archive. True when the job was recorded.
  bool CopyOpenFile(const std::string& inUse, const std::string& other, int index, bool replace,
                    bool fromArchive);
  // The "openfile" start: finishes every recorded job with `archiving`'s
  // copies, then removes it.
  void FinishOpenCopyingJobs(FileArchiving& archiving);
  // attrib.exe of the Windows directory, asked for when missing; "attrib"
  // without an answer.
  std::string FindAttribExe();
  // The same, without the fallback: nullopt when the user cancelled the question.
  std::optional<std::string> LocateAttribExe();

  Core& core;
};

}  // namespace corvasta
