// The "openfile" start: every job recorded in Temp\OpenFN.ini is finished
// now that Windows has made the temporary copy (or moved the file in use to
// it): the copy joins the backup archive or the backup folder, a file moved
// away goes back to its place, and the job is erased.

#include <algorithm>
#include <vector>

#include "app/core/Core.h"
#include "app/core/DeleteFile.h"
#include "backup/Backup.h"
#include "backup/OpenFilesRules.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool isRemovableOrCd(platform::DriveType type) {
  return type == platform::DriveType::Removable || type == platform::DriveType::CdRom;
}

bool sameContent(platform::FileSystem& files, const std::string& a, const std::string& b) {
  constexpr uint32_t kShareAll =
      platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete;
  platform::FileHandle first = files.createFile(a, platform::kGenericRead, kShareAll,
                                                platform::CreationDisposition::OpenExisting);
  platform::FileHandle second = files.createFile(b, platform::kGenericRead, kShareAll,
                                                 platform::CreationDisposition::OpenExisting);
  if (first.size() != second.size()) return false;
  std::vector<char> left(1 << 16), right(1 << 16);
  for (;;) {
    const size_t got = first.read(left.data(), left.size());
    if (got == 0) return true;
    if (second.read(right.data(), got) != got) return false;
    if (!std::equal(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(got), right.begin()))
      return false;
  }
}

enum class ArchiveStep { Done, Cancelled };

// Adds the temporary copy to the archive under the name of the file it was
// taken from. On a removable disk or CD the user is asked for the disk that
// holds the archive.
ArchiveStep addToArchive(OpenFileJobs& form, const OpenFileJob& job, int packLevel) {
  platform::FileSystem& files = form.core.env.files;
  const std::string& archivePath = job.dest;
  for (;;) {
    const bool haveTemp = files.fileExists(job.temp);
    const bool haveArchive = files.fileExists(archivePath);
    const platform::DriveType type = form.core.env.machine.driveType(archivePath);
    // A single-file archive whose only file was in use was never written:
    // on a fixed drive the open file makes it now, so its backup is not lost.
    const bool makeArchive = !haveArchive && haveTemp && !isRemovableOrCd(type) &&
                             files.directoryExists(ExtractFilePath(archivePath));
    if (haveTemp && (haveArchive || makeArchive)) {
      archive::TZipWriter& zip = form.core.Zip1;
      zip.SetZipName(archivePath);
      zip.SkipIfArchiveBitNotSet = false;
      zip.ResetArchiveBitOnZip = false;
      zip.Recurse = true;
      zip.SetStorePaths(true);
      zip.TempPath = form.core.loc.tempDir;
      zip.PackLevel = packLevel;
      zip.FilesList = {job.temp};
      zip.ExcludeList.clear();
      zip.CreateArchive();
      zip.SetZipName(archivePath);
      zip.ReadDirectory();
      const int last = zip.EntryCount() - 1;
      if (last >= 0 && platform::ansiEqualNoCase(zip.EntryName(last), ExtractFileName(job.temp)))
        zip.RenameEntry(last, job.source);
      zip.CloseArchive();
      return ArchiveStep::Done;
    }
    if (!isRemovableOrCd(type)) return ArchiveStep::Done;
    const platform::Drive* drive =
        form.core.env.machine.drive(archivePath.empty() ? '?' : archivePath[0]);
    if (drive == nullptr || drive->ready()) return ArchiveStep::Done;
    const int answer =
        form.core.env.ui.messageBox("Please insert the disk with " + archivePath + " on it.\r\r" +
                                        "I need to finish backing up some open files.",
                                    "Please Insert", Buttons::OkCancel);
    if (answer != IDOK) return ArchiveStep::Cancelled;
  }
}

// A replacement was put in place by the start of Windows; where the
// temporary copy still differs from the file (the start did not get to
// it), it is copied now.
void completeReplacement(OpenFileJobs& form, const OpenFileJob& job) {
  platform::FileSystem& files = form.core.env.files;
  if (!files.fileExists(job.temp)) return;
  try {
    if (files.fileExists(job.dest) && sameContent(files, job.temp, job.dest)) return;
    files.copyFile(job.temp, job.dest, false);
  } catch (const platform::OsError& error) {
    form.core.Log("Could not replace " + job.dest + ": " + error.what());
  }
}

// A file moved away at the start of Windows goes back from the temporary
// copy. When its place cannot be written now, the copy is moved back at the
// next start instead of being deleted (it is the only copy of the file).
bool putBack(OpenFileJobs& form, const OpenFileJob& job) {
  platform::FileSystem& files = form.core.env.files;
  if (!files.fileExists(job.temp)) return true;
  if (files.fileExists(job.source)) return true;  // recreated meanwhile: the newer file stays
  try {
    files.copyFile(job.temp, job.source, true);
    return true;
  } catch (const platform::OsError&) {
  }
  try {
    files.moveFileEx(job.temp, job.source,
                     platform::kMoveFileDelayUntilReboot | platform::kMoveFileReplaceExisting);
  } catch (const platform::OsError& error) {
    form.core.Log("Could not put back " + job.source + ": " + error.what() + " (its copy is " +
                  job.temp + ")");
  }
  return false;
}

}  // namespace

void OpenFileJobs::FinishOpenCopyingJobs(FileArchiving& archiving) {
  const int packLevel = compressionRules(platform::TIniFile(core.env.machine, core.settingsFile())
                                             .ReadInteger("BackupPreferences", "Compress", 1))
                            .packLevel;
  core.env.ui.setBusyCursor(true);
  platform::TIniFile jobs(core.env.machine, core.loc.programDir + "Temp\\OpenFN.ini");
  for (int number = 1;; ++number) {
    const std::optional<OpenFileJob> job = ReadOpenFileJob(jobs, number);
    if (!job) break;
    try {
      if (job->compressed) {
        if (addToArchive(*this, *job, packLevel) == ArchiveStep::Cancelled) break;
      } else if (job->replaces()) {
        completeReplacement(*this, *job);
      } else if (core.env.files.fileExists(job->temp)) {
        archiving.TransferFile(job->temp, job->dest, false, kTransferCopyQuiet, 0);
      }
    } catch (const Error& error) {
      // A damaged archive or an unwritable backup folder: this job cannot
      // be finished, and trying again at every start would not help.
      core.Log("Could not finish the copy of " + job->source + ": " + error.what());
    }
    bool keepTemp = false;
    if (!job->extract) keepTemp = !putBack(*this, *job);
    if (!keepTemp) DeleteFileIfPresent(core.env.files, job->temp);
    jobs.EraseSection(OpenFileSection(number));
  }
  core.env.ui.setBusyCursor(false);
}

}  // namespace corvasta
