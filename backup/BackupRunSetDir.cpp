// Where a config's backup goes: a new set directory under the target (named
// by date or number, asked for unless the run is automatic), or the target
// itself; and the set register with its rotation.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/SetNaming.h"
#include "backup/SetRegister.h"
#include "backup/TargetKind.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

bool driveReady(const platform::Machine& machine, const std::string& path) {
  const platform::Drive* drive = path.empty() ? nullptr : machine.drive(path[0]);
  return drive != nullptr && drive->ready();
}

}  // namespace

bool BackupRun::prepareSetDirectory(BackupRunState& run) {
  const BackupConfigRecord& settings = core.Form8.config;
  const std::string target = CheckPath(settings.target);
  const bool ownSets = usesSetDirectories(core.backupRun.target, settings.treatAsHardDrive);
  const SetRegister reg(core.env.machine, core.settingsFile());
  if (ownSets && settings.backupType != kReplaceBackup) {
    SetNamingRules rules;
    rules.useDate = core.Form8.useDate;
    rules.dateFormat = core.Form8.dateFormat;
    rules.shortDateFormat = core.loc.shortDateFormat;
    rules.addConfig = core.Form8.addConfig;
    rules.configName = core.Form8.configNames[static_cast<size_t>(run.config)];
    std::string name = proposedSetName(reg.paths(), rules, core.now());
    if (!core.requests.any()) {
      const std::optional<std::string> chosen =
          askSetName(core.env.ui, name, core.ApplicationTitle);
      if (!chosen) return false;
      name = *chosen;
    }
    run.setDir = target + name + "\\";
    run.registerIndex = reg.firstFreeIndex();
    run.registered = true;
    core.createDirectories(run.setDir);
    core.Form4.view.caption = "Backup in Process";
    return true;
  }
  run.setDir = target;
  // A removable disk or CD is made ready by the disk prompts first.
  if (driveReady(core.env.machine, target) && !core.env.files.directoryExists(RemoveBackSl(target)))
    core.createDirectories(target);
  if (ownSets) {
    run.registered = true;
    run.registerIndex = registerIndexForTarget(reg.entries(), target, run.replaceIndex);
  }
  return true;
}

void BackupRun::registerSet(BackupRunState& run) {
  SetRegister reg(core.env.machine, core.settingsFile());
  RotationInput input;
  input.entries = reg.entries();
  input.maxNum = core.Form8.maxNum;
  input.keep = core.Form8.keep;
  input.w = run.registerIndex;
  if (core.Form8.config.backupType == kReplaceBackup) input.replaceIndex = run.replaceIndex;
  input.newSet = {run.setDir, ShortFileName(core.env.machine, run.setDir)};
  RotationResult result = rotateRegister(input);
  if (result.removedSet) manager.RemoveBackupSetDirectory(*result.removedSet, run.promptForSubDirs);
  for (RegisteredSet& set : result.entries)
    if (set.shortPath.empty()) set.shortPath = ShortFileName(core.env.machine, set.path);
  reg.rewrite(result.entries);
  run.registerIndex = result.newIndex;
}

}  // namespace corvasta
