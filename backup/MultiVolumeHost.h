#pragma once
// The program's side of the multi-volume handlers: disk prompts through
// the program's Ui, the application title and the progress window's status
// line, and emptying a new disk with DeleteSubDirs. This version has no CD
// engine: every call that needs one fails with kCdNotAvailable.

#include <string>

#include "archive/multi_volume_host.h"

namespace corvasta {

class Core;

inline constexpr const char* kCdNotAvailable =
    "Writing CDs is not available in this version of Corvasta.";

class ProgramMultiVolumeHost : public archive::MultiVolumeHost {
 public:
  explicit ProgramMultiVolumeHost(Core& core) : core_(core) {}

  archive::TPromptResult ask(const std::string& text, const std::string& caption,
                             archive::TPromptIcon icon, archive::TPromptButtons buttons) override;
  void beep() override;
  std::string applicationTitle() override;
  void setApplicationTitle(const std::string& title) override;
  std::string statusText() override;
  void setStatusText(const std::string& text) override;
  void deleteSubDirs(const std::string& directory) override;

  void openTray() override;
  void closeTray() override;
  uint64_t cdFreeBlocks() override;
  uint64_t cdDriveTotalSize() override;
  bool stageOnCd(const std::string& file, const std::string& setDirectory) override;
  bool burnCd() override;
  bool cdErasable() override;
  void eraseCd() override;
  bool cdCapacityCheck() override;

 private:
  Core& core_;
};

}  // namespace corvasta
