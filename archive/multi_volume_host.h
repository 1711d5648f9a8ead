#pragma once
// What the multi-volume handlers need of the rest of the program: the user
// (message boxes, title, status line), the run's folder clean-up, and the CD
// drive and CD engine. The program's Ui and CD output implement it.

#include <cstdint>
#include <string>

namespace archive {

enum TPromptButtons { pbOkCancel, pbOkCancelIgnore, pbRetryCancel };
enum TPromptResult { prOk, prCancel, prRetry, prIgnore };
enum TPromptIcon { piNone, piError };

class MultiVolumeHost {
 public:
  virtual ~MultiVolumeHost() = default;

  // A modal message box; an empty caption is the application's.
  virtual TPromptResult ask(const std::string& text, const std::string& caption, TPromptIcon icon,
                            TPromptButtons buttons) = 0;
  virtual void beep() = 0;
  virtual std::string applicationTitle() = 0;
  virtual void setApplicationTitle(const std::string& title) = 0;
  // The progress window's status text.
  virtual std::string statusText() = 0;
  virtual void setStatusText(const std::string& text) = 0;

  // Empties a backup set directory on a new disk.
  virtual void deleteSubDirs(const std::string& directory) = 0;

  // The CD drive's tray.
  virtual void openTray() = 0;
  virtual void closeTray() = 0;
  // The disc in the CD engine's drive.
  virtual uint64_t cdFreeBlocks() = 0;
  virtual uint64_t cdDriveTotalSize() = 0;
  virtual bool stageOnCd(const std::string& file, const std::string& setDirectory) = 0;
  virtual bool burnCd() = 0;
  virtual bool cdErasable() = 0;
  virtual void eraseCd() = 0;
  // Whether the disc now in the drive has room for the run to go on.
  virtual bool cdCapacityCheck() = 0;
};

}  // namespace archive
