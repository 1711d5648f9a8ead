#include "archive/MultiVolumeHandlers.h"

#include <cstdio>

#include "archive/zip_file_system.h"
#include "archive/zip_paths.h"
#include "archive/zip_read_parts.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

constexpr uint64_t kCdReserve = 10'485'760;  // 10 MiB

// Block sizes of a hard-disk folder by backup type and file system.
int64_t hardDiskBlockSize(const TMultiVolumeRun& run) {
  if (!run.replaceType) return 1'073'741'323;  // 2^30 - 501
  std::string fileSystem = platform::ansiUpper(run.targetFileSystem);
  if (fileSystem == "NTFS") return 1'099'511'626'776;  // 2^40 - 1000
  if (fileSystem == "FAT32") return 4'294'966'294;     // 2^32 - 1002
  return 2'147'482'646;                                // 2^31 - 1002
}

}  // namespace

std::string TMultiVolumeHandlers::Ordinal(int number) {
  switch (number) {
    case 1:
      return "1st";
    case 2:
      return "2nd";
    case 3:
      return "3rd";
    default:
      return std::to_string(number) + "th";
  }
}

void TMultiVolumeHandlers::Attach(TZipReader& zip) {
  zip.OnGetNextDisk = [this, &zip](int nextDisk, std::string& fName) {
    ZipGetNextDisk(zip, nextDisk, fName);
  };
  zip.OnInCompleteZip = [this, &zip](TIncompleteMode& mode) { UnZipInComplete(zip, mode); };
}

void TMultiVolumeHandlers::SetMultiMode(TZipReader& zip) {
  TMultiVolumeInfo& info = zip.MultiVolumeInfo;
  switch (run_.target) {
    case TargetKind::RemovableDisk:
    case TargetKind::PacketCd:
      info.MultiMode = mmSpan;
      break;
    case TargetKind::EngineCd:
      for (;;) {
        zip.SetZipName(run_.tempDir + "~CDWrite\\" + entryFileName(zip.ZipName()));
        info.MultiMode = mmBlocks;
        uint64_t capacity = host_.cdFreeBlocks() * 2048;
        if (capacity == 0) {
          if (run_.ejectCd) host_.openTray();
          TPromptResult answer = host_.ask(
              "There is no free space on the CD or the CD is not writeable.  Please insert another "
              "CD.",
              "No Free Space on CD", piError, pbOkCancel);
          if (answer != prOk) {
            run_.cancelled = true;
            throw ZipUserCancel("Cancelled by User");
          }
          host_.closeTray();
          continue;
        }
        if (run_.blocksOf == 0) {
          if (run_.volumeBytesUsed > capacity) run_.volumeBytesUsed -= capacity;
          uint64_t driveSize = host_.cdDriveTotalSize();
          info.FirstBlockSize = static_cast<int64_t>(capacity) -
                                static_cast<int64_t>(driveSize + run_.volumeBytesUsed + kCdReserve);
          info.BlockSize = static_cast<int64_t>(capacity - kCdReserve);
        }
        break;
      }
      break;
    case TargetKind::HardDiskFolder:
      info.MultiMode = mmBlocks;
      if (run_.blocksOf == 0) {
        info.BlockSize = hardDiskBlockSize(run_);
        info.FirstBlockSize = info.BlockSize - static_cast<int64_t>(run_.volumeBytesUsed);
      }
      break;
  }
  if (run_.blocksOf > 0) {
    if (run_.blocksOf < run_.volumeBytesUsed) run_.volumeBytesUsed -= run_.blocksOf;
    info.FirstBlockSize =
        static_cast<int64_t>(run_.blocksOf) - static_cast<int64_t>(run_.volumeBytesUsed);
    info.BlockSize = static_cast<int64_t>(run_.blocksOf);
  }
}

void TMultiVolumeHandlers::ZipGetNextDisk(TZipReader& sender, int nextDisk, std::string& fName) {
  if (run_.backingUp)
    backupNextDisk(sender, nextDisk, fName);
  else
    restoreNextDisk(nextDisk, fName);
}

void TMultiVolumeHandlers::backupNextDisk(TZipReader& sender, int nextDisk, std::string& fName) {
  if (run_.target == TargetKind::HardDiskFolder && sender.MultiVolumeInfo.MultiMode == mmBlocks)
    return;
  std::string status = host_.statusText();
  bool beginning = fName == "beginning";
  if (!beginning) {
    std::string extension = platform::ansiUpper(extensionOf(fName));
    std::string archiveExtension = platform::ansiUpper(extensionOf(sender.ZipName()));
    if (extension != ".ZFC" && extension != archiveExtension) {
      // A finished block takes the archive's extension (user0.001 -> user0.DAZ).
      std::string renamed = fName.substr(0, fName.size() - extension.size()) + archiveExtension;
      fs_.moveFile(fName, renamed);
      fName = renamed;
    }
    if (run_.target == TargetKind::EngineCd) {
      uint64_t size = fileSize(fs_, fName);
      if (!host_.stageOnCd(fName, run_.backupSetDir)) {
        fName.clear();
        return;
      }
      run_.volumeBytesUsed += size + (size / 2048) * 256;
      if (!host_.burnCd()) throw ZipError("Could not burn CD.  Please try again.");
    }
  }
  std::string title = host_.applicationTitle();
  host_.setApplicationTitle("Please Insert Disk");
  std::string message;
  if (nextDisk == 0)
    message = "Please insert the last disk";
  else if (nextDisk == 1)
    message = "Please insert first disk with " + fName + " on it";
  else if (nextDisk == 2 && run_.target != TargetKind::EngineCd)
    message = "Please note that this is the first disk with " + fName +
              " on it.  Later you will be asked to insert it.\r\rPlease insert another disk";
  else
    message = "Please insert another disk";
  bool restoreStatus = true;
  for (;;) {
    if (run_.ejectCd && isCd()) host_.openTray();
    host_.beep();
    TPromptResult answer = host_.ask(message, "", piNone, pbOkCancelIgnore);
    if (answer == prCancel) {
      fName.clear();
      return;
    }
    run_.volumeBytesUsed = 0;
    if (run_.ejectCd && isCd()) host_.closeTray();
    if (!beginning) createFolders(fs_, entryFolder(fName));
    const std::string& setDir = run_.backupSetDir;
    if (!run_.deleteFilesBeforeBackup || answer == prIgnore || setDir.empty() || setDir == "\\" ||
        nextDisk == 0 || nextDisk == 1) {
      restoreStatus = false;
      break;
    }
    host_.setStatusText("Deleting Files in " + setDir);
    host_.setApplicationTitle("Deleting Files");
    if (run_.target != TargetKind::EngineCd) {
      host_.deleteSubDirs(setDir);
      break;
    }
    if (host_.cdErasable()) {
      host_.setStatusText("Formatting CD in " + run_.cdDrive);
      host_.eraseCd();
      run_.cdErased = true;
      break;
    }
    message =
        "CD is not Eraseable or CD Drive is not ready.  If CD is CD/R, click on Ignore.  "
        "Otherwise, please insert an eraseable CD or wait until drive is ready and click on OK.";
  }
  if (restoreStatus) host_.setStatusText(status);
  if (host_.cdCapacityCheck()) {
    if (!run_.backupSetDir.empty()) createFolders(fs_, withBackslash(run_.backupSetDir));
    host_.setApplicationTitle(title);
  }
}

void TMultiVolumeHandlers::restoreNextDisk(int nextDisk, std::string& fName) {
  std::string title = host_.applicationTitle();
  host_.setApplicationTitle("Please Insert Disk");
  std::string extension = platform::ansiUpper(extensionOf(fName));
  bool endsWithZ = !fName.empty() && (fName.back() == 'Z' || fName.back() == 'z');
  if (extension != ".ZIP" && !endsWithZ && fName.size() >= 3 && nextDisk > 0) {
    // A numbered block: x.001 becomes x.002.
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", nextDisk);
    fName = fName.substr(0, fName.size() - 3) + digits;
  }
  // Disk 0 is the last disk; it has no ordinal number.
  std::string ordinal = nextDisk == 0 ? "last disk" : Ordinal(nextDisk);
  auto attributes = fs_.attributes(fName);
  if (!attributes || run_.target == TargetKind::RemovableDisk ||
      run_.target == TargetKind::PacketCd) {
    if (run_.ejectCd && run_.target == TargetKind::PacketCd) host_.openTray();
    TPromptResult answer = host_.ask("Please insert the " + ordinal + " with " + fName + " on it.",
                                     "", piNone, pbOkCancel);
    if (answer == prOk) {
      if (run_.ejectCd && run_.target == TargetKind::PacketCd) host_.closeTray();
    } else {
      fName.clear();
    }
  }
  host_.setApplicationTitle(title);
}

void TMultiVolumeHandlers::UnZipInComplete(TZipReader& sender, TIncompleteMode& mode) {
  mode = izAssumeBad;
  if (run_.backingUp) return;
  if (run_.ejectCd && isCd()) host_.openTray();
  TPromptResult answer =
      host_.ask("Please Insert the Last Disk with " + entryFileName(sender.ZipName()) +
                    " on it.\r\rClick Cancel to read only the files on this disk or to quit.",
                "End of Zip File not Found - Corvasta", piError, pbRetryCancel);
  if (answer == prRetry) {
    mode = izAssumeMulti;
    sender.Tag = 1;
  } else {
    sender.Tag = 0;
  }
  if (run_.ejectCd && isCd()) host_.closeTray();
}

}  // namespace archive
