#include "platform/simulators/registry_checker.h"

#include "platform/simulators/registry_files.h"
#include "platform/simulators/system_backups.h"
#include "platform/simulators/tool_arguments.h"

namespace platform {
namespace {

enum class CheckerAction { Check, Backup, DailyBackup, Restore, Compact };

constexpr uint64_t kFileTimeDay = 864000000000ull;

CheckerAction actionOf(const std::vector<std::string>& arguments, bool windowsVariant) {
  CheckerAction action = windowsVariant ? CheckerAction::DailyBackup : CheckerAction::Check;
  for (const std::string& argument : arguments) {
    if (isSwitch(argument, "backup"))
      action = CheckerAction::Backup;
    else if (windowsVariant && isSwitch(argument, "autorun"))
      action = CheckerAction::DailyBackup;
    else if (windowsVariant && isSwitch(argument, "scanonly"))
      action = CheckerAction::Check;
    else if (!windowsVariant && isSwitch(argument, "restore"))
      action = CheckerAction::Restore;
    else if (!windowsVariant && (isSwitch(argument, "fix") || isSwitch(argument, "opt")))
      action = CheckerAction::Compact;
    else if (argument.rfind("/comment", 0) == 0 || argument.rfind("/COMMENT", 0) == 0)
      continue;
    else
      throw corvasta::Error("unknown switch " + argument);
  }
  return action;
}

void checkRegistry(FileSystem& files) {
  for (const std::string& path : backedUpRegistryFiles(files.machine()))
    readRegistryFile(files, path);
}

bool backedUpToday(FileSystem& files) {
  const auto backups =
      listSystemBackups(files, systemBackupFolder(files, readCheckerSettings(files)));
  return !backups.empty() &&
         backups.back().written.value / kFileTimeDay == currentFileTime().value / kFileTimeDay;
}

void restoreNewest(FileSystem& files) {
  const auto backups =
      listSystemBackups(files, systemBackupFolder(files, readCheckerSettings(files)));
  if (backups.empty()) throw corvasta::Error("there is no registry backup to restore");
  restoreSystemBackup(files, backups.back().path);
}

uint32_t runChecker(Machine& machine, const std::string& commandLine, bool windowsVariant) {
  return runJournalled(machine, windowsVariant ? "scanregw" : "scanreg", commandLine, [&] {
    FileSystem files(machine);
    switch (actionOf(toolArguments(machine, commandLine), windowsVariant)) {
      case CheckerAction::Check:
        checkRegistry(files);
        break;
      case CheckerAction::Backup:
        makeSystemBackup(files);
        break;
      case CheckerAction::DailyBackup:
        checkRegistry(files);
        if (!backedUpToday(files)) makeSystemBackup(files);
        break;
      case CheckerAction::Restore:
        restoreNewest(files);
        break;
      case CheckerAction::Compact:
        if (toolFault(machine, commandLine, "fix"))
          throw corvasta::Error("the registry repair failed");
        compactRegistryFiles(files);
        break;
    }
  });
}

}  // namespace

uint32_t runRegistryChecker(Machine& machine, const std::string& commandLine) {
  return runChecker(machine, commandLine, false);
}

uint32_t runWindowsRegistryChecker(Machine& machine, const std::string& commandLine) {
  return runChecker(machine, commandLine, true);
}

}  // namespace platform
