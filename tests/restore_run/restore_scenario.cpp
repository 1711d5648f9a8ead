#include "tests/restore_run/restore_scenario.h"

#include <filesystem>

#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"

namespace restore_test {

std::ostream& operator<<(std::ostream& out, const FileState& state) {
  return out << "[" << state.bytes.size() << " bytes \"" << state.bytes.substr(0, 24)
             << "\" attributes " << state.attributes << " time " << state.lastWrite << "]";
}

std::vector<std::string> watchedFiles(const testing_support::ProgramRig& m) {
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string root = m.form->core.loc.rootDir;
  return {root + "AUTOEXEC.BAT",    root + "CONFIG.SYS",           windows + "WIN.INI",
          windows + "SYSTEM.INI",   windows + "Desktop\\note.txt", "C:\\Docs\\letter.txt",
          "C:\\Docs\\Sub\\list.txt"};
}

std::string backUpConfig1(testing_support::TestProgram& m, int compress,
                          const std::string& password) {
  m.write(m.form->core.loc.windowsDir + "Desktop\\note.txt", "on the desktop");
  m.write("C:\\Docs\\letter.txt", "Dear reader");
  m.write("C:\\Docs\\Sub\\list.txt", "eggs, milk");
  m.files->setFileAttributes("C:\\Docs\\letter.txt",
                             platform::kAttributeReadOnly | platform::kAttributeArchive);
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\">*.txt\"\r\n"
      "SubDirectories=1\r\nCheck1=1\r\n");
  testing_support::writeConfig(m, 1, "C:\\Backups", compress, corvasta::kFullBackup,
                               {0, 1, 2, 3, 4, 5, 6, 11});
  m.restartProgram();
  m.start();
  m.form->core.Form8.password = password;
  m.form->core.configChecked = {true, false, false, false};
  m.ui.expect("Type Name of this Backup:", "Set1");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  return m.setting("Backup Directories", "1");
}

std::map<std::string, FileState> snapshot(testing_support::ProgramRig& m,
                                          const std::vector<std::string>& files) {
  std::map<std::string, FileState> states;
  for (const std::string& file : files) {
    if (!m.exists(file)) {
      states[file] = {};
      continue;
    }
    const platform::FileTimes times = m.files->getFileTime(file);
    const uint32_t attributes = m.files->getFileAttributes(file) &
                                ~(platform::kAttributeArchive | platform::kAttributeNormal);
    states[file] = {m.read(file), attributes, times.lastWrite.value / 20'000'000};
  }
  return states;
}

void damage(testing_support::ProgramRig& m) {
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string root = m.form->core.loc.rootDir;
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "CLASSES.DAT"})
    if (m.exists(windows + name)) m.writeOnHost(windows + name, "broken registry");
  m.files->deleteFile(windows + "WIN.INI");
  m.files->setFileAttributes(root + "AUTOEXEC.BAT", platform::kAttributeNormal);
  m.write(root + "AUTOEXEC.BAT", "@echo damaged\r\n");
  m.files->deleteFile(windows + "Desktop\\note.txt");
  // Edited as a user does: the read-only mark taken off and put back.
  m.files->setFileAttributes("C:\\Docs\\letter.txt", platform::kAttributeNormal);
  m.write("C:\\Docs\\letter.txt", "overwritten");
  m.files->setFileAttributes("C:\\Docs\\letter.txt", platform::kAttributeReadOnly);
}

void restoreAll(testing_support::TestProgram& m, const std::string& userPath,
                const std::string& systemPath) {
  corvasta::TForm1& form = *m.form;
  form.restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  form.restore.state.extentEnabled = {true, true, true, true};
  form.core.winCrash = form.core.winUsers = form.core.userFiles = form.core.otherFiles = true;
  form.restore.run.RunRestore(userPath, systemPath);
}

std::string setRegistryFile(testing_support::ProgramRig& m, const std::string& set,
                            const std::string& name) {
  const std::string compressed = set + name + ".daz";
  return m.exists(compressed) ? m.onlyEntryOf(compressed) : m.read(set + name + ".dat");
}

std::string consoleProgram() {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  const std::filesystem::path program = std::string(build ? build : ".") + "/corvasta";
  return std::filesystem::exists(program) ? program.string() : std::string();
}

}  // namespace restore_test
