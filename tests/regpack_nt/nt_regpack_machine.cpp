#include "tests/regpack_nt/nt_regpack_machine.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/system/journal.h"

namespace regpack_nt_test {

testing_support::MachineBuilder twoUserSample(platform::WindowsVersion version) {
  restore_nt_test::ntSample(version);  // the Windows tools' simulators
  return testing_support::MachineBuilder::sample(version, 2)
      .windowsMode(restore_nt_test::modeOf(version));
}

uint64_t hiveFilesSize(NtProgram& m) {
  uint64_t total = 0;
  for (const char* name : {"system", "software", "sam", "security", "default"}) {
    const std::string file = m.form->core.loc.windowsDir + "System32\\config\\" + name;
    if (m.files->fileExists(file)) total += m.files->getFileSize(file);
  }
  return total;
}

std::string results(NtProgram& m) {
  const std::string file = m.programDir() + "results.txt";
  return m.exists(file) ? m.read(file) : "";
}

bool restartRequested(NtProgram& m) {
  for (const platform::JournalEntry& entry : platform::readJournal(*m.machine))
    if (entry.kind == "restart") return true;
  return false;
}

void pressRegPack(NtProgram& m, const std::string& answer) {
  m.ui.expect(
      "RegPack must restart Windows to proceed.\rIf you receive no error messages after "
      "this, RegPack was successful.\rPlease quit all applications.\r\rContinue?",
      answer);
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
}

void pressUndoRegPack(NtProgram& m, const std::string& answer) {
  m.ui.expect(
      "Undo RegPack must restart Windows to proceed.\rPlease quit all applications.\r\r"
      "Continue?",
      answer);
  m.form->Button6Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
}

}  // namespace regpack_nt_test
