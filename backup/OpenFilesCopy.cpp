// CopyOpenFile: a file Windows holds open is deferred to the next start of
// Windows. The copy (Windows 95 and 98: openfile.bat, run from autoexec.bat)
// or move (Windows ME: wininit.ini; NT: a delayed move) happens before the
// file is opened again; at the next logon the "openfile" start finishes the
// job from Temp\OpenFN.ini.

#include "app/core/Core.h"
#include "app/core/DeleteFile.h"
#include "app/core/EditAutoexec.h"
#include "app/core/TextLines.h"
#include "backup/Backup.h"
#include "backup/OpenFilesRules.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "platform/profile/private_profile.h"

namespace corvasta {
namespace {

// What the start of Windows does for one job: copy or move `from` to `to`.
struct DeferredTransfer {
  std::string from;
  std::string to;
};

}  // namespace

std::optional<std::string> OpenFileJobs::LocateAttribExe() {
  const std::string attrib =
      core.loc.windowsDir + (core.isWin9xMode() ? "Command\\attrib.exe" : "System32\\attrib.exe");
  if (core.env.files.fileExists(attrib)) return attrib;
  const std::optional<std::string> chosen = core.env.ui.chooseFile(
      "Find the Attrib.exe file", "Attrib.exe|attrib.exe", core.loc.windowsDir);
  if (!chosen || chosen->empty()) return std::nullopt;
  return chosen;
}

std::string OpenFileJobs::FindAttribExe() {
  return LocateAttribExe().value_or("attrib");
}

namespace {

// Windows 95 and 98: autoexec.bat calls openfile.bat before "win", and
// cleanup.lnk takes the call out again at the next logon.
void deferThroughBatch(OpenFileJobs& form, const DeferredTransfer& transfer,
                       const std::string& clearAttributesOf) {
  platform::FileSystem& files = form.core.env.files;
  const platform::Machine& machine = form.core.env.machine;
  const std::string batch = form.core.loc.rootDir + "openfile.bat";
  const std::string autoexec = form.core.loc.rootDir + "autoexec.bat";
  const bool autoexecExisted = files.fileExists(autoexec);
  EditAutoexec(files, autoexec, "win", false, true, batch);

  const std::string attrib = form.FindAttribExe();
  const std::vector<std::string> existing =
      files.fileExists(batch) ? loadLines(files, batch) : std::vector<std::string>{};
  saveLines(files, batch,
            OpenFileBatchLines(existing, attrib, ShortFileName(machine, clearAttributesOf),
                               ShortFileName(machine, transfer.from),
                               ShortFileName(machine, transfer.to)));

  form.core.MakeShortcut(
      form.core.ProgramPath(),
      "clean \"" + (autoexecExisted ? batch : std::string("delete")) + "\" " + autoexec,
      form.core.loc.startupDir + "cleanup.lnk");
}

// Windows ME runs no commands of autoexec.bat before Windows starts; WININIT
// is what it does carry out then, and WININIT moves files.
void deferThroughWininit(OpenFileJobs& form, const DeferredTransfer& transfer) {
  const platform::Machine& machine = form.core.env.machine;
  platform::writePrivateProfileString(
      form.core.env.machine, "Rename", ShortFileName(machine, transfer.to),
      ShortFileName(machine, transfer.from), form.core.loc.windowsDir + "wininit.ini");
}

// Windows NT: a move at the next restart. False when Windows refuses it.
bool deferThroughDelayedMove(OpenFileJobs& form, const DeferredTransfer& transfer) {
  const platform::Machine& machine = form.core.env.machine;
  try {
    form.core.env.files.moveFileEx(
        ShortFileName(machine, transfer.from), ShortFileName(machine, transfer.to),
        platform::kMoveFileDelayUntilReboot | platform::kMoveFileReplaceExisting);
    return true;
  } catch (const platform::OsError&) {
    return false;
  }
}

// The replacement's content goes into the temporary copy now: the entry
// `index` of the archive `other`, taken out with the second archive
// instance, or the plain backup file `other`.
void putReplacementAside(OpenFileJobs& form, const std::string& other, int index, bool fromArchive,
                         const std::string& temp) {
  platform::FileSystem& files = form.core.env.files;
  if (files.fileExists(temp)) files.deleteFile(temp);
  if (!fromArchive) {
    files.copyFile(other, temp, false);
    return;
  }
  archive::TZipWriter& zip = form.core.Zip2;
  // A temporary copy that cannot be written is a failure here, not another
  // file to defer.
  archive::TSkippingFileEvent skipping = std::move(zip.OnSkippingFile);
  zip.OnSkippingFile = nullptr;
  struct RestoreHandler {
    archive::TZipWriter& zip;
    archive::TSkippingFileEvent& handler;
    ~RestoreHandler() { zip.OnSkippingFile = std::move(handler); }
  } restoreHandler{zip, skipping};
  zip.SetZipName(other);
  zip.Password = form.core.Zip1.Password;
  zip.TempPath = form.core.loc.tempDir;
  zip.ReadDirectory();
  for (int entry = 0; entry < zip.EntryCount(); ++entry)
    zip.SetEntrySelected(entry, entry == index);
  zip.DestDir = ExtractFilePath(temp);
  zip.RecreateDirs = false;
  const int written = zip.ExtractSelected();
  const std::string extracted = ExtractFilePath(temp) + zip.EntryName(index);
  zip.CloseArchive();
  if (written != 1) throw Error("Could not take " + extracted + " out of " + other);
  files.moveFile(extracted, temp);
}

}  // namespace

bool OpenFileJobs::CopyOpenFile(const std::string& inUse, const std::string& other, int index,
                                bool replace, bool fromArchive) {
  if (IsRegistryHiveFile(inUse, core.loc.windowsDir)) {
    const std::vector<int>& checks = core.Form8.config.winFilesChecks;
    if (checks.empty() || checks[0] != 1) core.RegistryFilesFlag = true;
    return false;
  }
  if (IsSwapFile(inUse)) return false;
  if (!core.Form8.config.copyOpenFiles) return false;

  const bool nt = platform::isNt(core.env.machine.version());
  const bool allowed =
      replace || !nt ||
      platform::TIniFile(core.env.machine, core.settingsFile())
          .ReadBool("OpenFilesToBackup", platform::ansiUpper(ExtractFileName(inUse)), false);
  if (!allowed) return false;

  ++core.OpenFilesFound;
  platform::TIniFile jobs(core.env.machine, core.loc.programDir + "Temp\\OpenFN.ini");
  const int job = FreeOpenFileJobNumber(jobs, static_cast<int>(core.OpenFilesFound));
  if (!replace) core.Log("Open File Encountered - " + inUse);

  OpenFileJob record;
  record.temp = OpenFileTempPath(core.loc.programDir, job, inUse);
  record.source = inUse;
  record.dest = replace ? inUse : other;
  record.compressed = fromArchive && !replace;
  record.extract = replace;
  try {
    core.createDirectories(ExtractFilePath(record.temp));
    if (replace) {
      putReplacementAside(*this, other, index, fromArchive, record.temp);
      record.source = record.temp;
    }
  } catch (const Error&) {
    --core.OpenFilesFound;
    return false;
  }

  // A backup reads the file in use into the temporary copy; a replacement
  // puts the temporary copy over the file in use.
  const DeferredTransfer transfer =
      replace ? DeferredTransfer{record.temp, inUse} : DeferredTransfer{inUse, record.temp};
  if (nt) {
    if (!deferThroughDelayedMove(*this, transfer)) {
      --core.OpenFilesFound;
      if (replace) DeleteFileIfPresent(core.env.files, record.temp);
      return false;
    }
  } else if (core.env.machine.version() == platform::WindowsVersion::WinMe) {
    deferThroughWininit(*this, transfer);
  } else {
    record.extract = true;
    deferThroughBatch(*this, transfer, inUse);
  }

  WriteOpenFileJob(jobs, job, record);
  const std::string shortcut = core.loc.startupDir + "CVOpen.lnk";
  if (!core.env.files.fileExists(shortcut))
    core.MakeShortcut(core.ProgramPath(), "openfile", shortcut,
                      "Finish copying Corvasta open files");
  return true;
}

}  // namespace corvasta
