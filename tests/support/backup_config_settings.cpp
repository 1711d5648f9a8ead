#include "tests/support/backup_config_settings.h"

#include <algorithm>

#include "backup/model/WinFiles.h"
#include "tests/support/form_access.h"

namespace testing_support {

void writeConfig(ProgramRig& program, int n, const std::string& target, int compress,
                 int backupType, const std::vector<size_t>& items) {
  const std::string section = "BackupPreferences" + std::to_string(n);
  program.setSetting(section, "Target", target);
  program.setSetting(section, "Compress", std::to_string(compress));
  program.setSetting(section, "BackupType", std::to_string(backupType));
  program.setSetting(section, "NewBackupType", "1");
  const size_t count = corvasta::winFilesCount(form_access::windowsMode(*program.form));
  for (size_t item = 0; item < count; ++item)
    program.setSetting("Checks" + std::to_string(n), std::to_string(item),
                       std::find(items.begin(), items.end(), item) != items.end() ? "1" : "0");
}

}  // namespace testing_support
