// Where a config's backup goes: a new set directory under the target (named
// by date or number, asked for unless the run is automatic), or the target
// itself; and the set register with its rotation.

#include "app/Unit1.h"
#include "backup/BackupTypes.h"
#include "backup/SetNaming.h"
#include "backup/SetRegister.h"
#include "backup/TargetKind.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

bool driveReady(const platform::Machine& machine, const std::string& path) {
  const platform::Drive* drive = path.empty() ? nullptr : machine.drive(path[0]);
  return drive != nullptr && drive->ready();
}

}  // namespace

bool TForm1::prepareSetDirectory(BackupRunState& run) {
  const BackupConfigRecord& settings = Form8.config;
  const std::string target = CheckPath(settings.target);
  const bool ownSets = usesSetDirectories(backupRun.target, settings.treatAsHardDrive);
  const SetRegister reg(env.machine, settingsFile());
  if (ownSets && settings.backupType != kReplaceBackup) {
    SetNamingRules rules;
    rules.useDate = Form8.useDate;
    rules.dateFormat = Form8.dateFormat;
    rules.shortDateFormat = loc.shortDateFormat;
    rules.addConfig = Form8.addConfig;
    rules.configName = Form8.configNames[static_cast<size_t>(run.config)];
    std::string name = proposedSetName(reg.paths(), rules, now());
    if (!requests.any()) {
      const std::optional<std::string> chosen = askSetName(env.ui, name, ApplicationTitle);
      if (!chosen) return false;
      name = *chosen;
    }
    run.setDir = target + name + "\\";
    run.registerIndex = reg.firstFreeIndex();
    run.registered = true;
    createDirectories(run.setDir);
    Form4.view.caption = "Backup in Process";
    return true;
  }
  run.setDir = target;
  // A removable disk or CD is made ready by the disk prompts first.
  if (driveReady(env.machine, target) && !env.files.directoryExists(RemoveBackSl(target)))
    createDirectories(target);
  if (ownSets) {
    run.registered = true;
    run.registerIndex = registerIndexForTarget(reg.entries(), target, run.replaceIndex);
  }
  return true;
}

void TForm1::registerSet(BackupRunState& run) {
  SetRegister reg(env.machine, settingsFile());
  RotationInput input;
  input.entries = reg.entries();
  input.maxNum = Form8.maxNum;
  input.keep = Form8.keep;
  input.w = run.registerIndex;
  if (Form8.config.backupType == kReplaceBackup) input.replaceIndex = run.replaceIndex;
  input.newSet = {run.setDir, ShortFileName(env.machine, run.setDir)};
  RotationResult result = rotateRegister(input);
  if (result.removedSet) RemoveBackupSetDirectory(*result.removedSet, run.promptForSubDirs);
  for (RegisteredSet& set : result.entries)
    if (set.shortPath.empty()) set.shortPath = ShortFileName(env.machine, set.path);
  reg.rewrite(result.entries);
  run.registerIndex = result.newIndex;
}

}  // namespace corvasta
