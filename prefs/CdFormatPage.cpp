// The CD Format page over the CD-writing engine.

#include "prefs/CdFormatPage.h"

#include "app/core/Core.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "prefs/CdFormatDrive.h"

namespace corvasta {
namespace {

bool machineHasCdDrive(platform::FileSystem& files) {
  for (const std::string& root : files.getLogicalDriveStrings())
    if (files.getDriveType(root) == platform::DriveType::CdRom) return true;
  return false;
}

struct FormatTexts {
  const char* question;
  const char* title;
  const char* progress;
  const char* notErasable;
};

constexpr FormatTexts kQuick{
    "All Data on the CD will be lost.  A Quick Format takes up to 90 seconds.",
    "Do you want to Quick Erase the CD?", "Doing Quick Format of ", "CD is not eraseable."};
constexpr FormatTexts kFull{
    "All Data on the CD will be lost.  A Full Format takes up to 45 minutes.",
    "Do you want to Full Erase the CD?", "Doing Full Format of ", "Disc is not eraseable"};

}  // namespace

void CdFormatPage::Show(CdFormatDrive* engine) {
  engine_ = engine;
  listEnabled = quickEnabled = fullEnabled = false;
  selected = 0;
  if (!engine_) {
    // The engine cannot blank discs in this version; a machine with a CD
    // drive is told so rather than that it has none.
    const std::string text = machineHasCdDrive(core.env.files) ? kNotAvailableYet : kNoCdDrive;
    items = {text};
    hint = text;
    return;
  }
  if (!engine_->initialised()) engine_->initialise();
  const std::vector<std::string> drives = engine_->drives();
  if (drives.empty()) {
    items = {kNoCdDrive};
    hint.clear();
    return;
  }
  items = drives;
  listEnabled = true;
  // The stored drive is chosen again in every Windows mode, so that showing
  // the page never overwrites the user's choice with the first drive.
  const std::string stored = platform::TIniFile(core.env.machine, core.settingsFile())
                                 .ReadString("CDFormat", "Device", "");
  for (size_t index = 0; index < items.size(); ++index)
    if (items[index] == stored) selected = index;
  DriveChange(selected);
}

void CdFormatPage::DriveChange(size_t index) {
  if (!engine_ || !listEnabled || index >= items.size()) return;
  selected = index;
  platform::TIniFile(core.env.machine, core.settingsFile())
      .WriteString("CDFormat", "Device", items[index]);
  engine_->SelectDevice(index);
  hint = items[index];
  const bool canBlank = (engine_->capabilities() & (kWritesCdR | kWritesDvdR | kWritesDvdRam)) != 0;
  quickEnabled = fullEnabled = !selectionMode && canBlank;
}

void CdFormatPage::format(bool quick) {
  if (!engine_ || !(quick ? quickEnabled : fullEnabled)) return;
  const FormatTexts& texts = quick ? kQuick : kFull;
  if (!engine_->erasable()) {
    core.env.ui.messageBox(texts.notErasable, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  // No is the default: an erase loses the disc's data.
  if (core.env.ui.messageBox(texts.question, texts.title, Buttons::YesNo, Icon::Warning, 1) !=
      IDYES)
    return;
  core.ShowProgressForm(true, "");
  core.Form4.view.status = texts.progress + engine_->driveLetter();
  core.env.ui.showProgress(core.Form4.view);
  try {
    engine_->erase(quick);
  } catch (...) {
    core.ShowProgressForm(false, "");
    throw;
  }
  core.ShowProgressForm(false, "");
}

}  // namespace corvasta
