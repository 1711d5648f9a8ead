// The NT registry restore checked by other tools: hivex damages a hive file
// as another system would, the restore puts the backed-up hive back, and
// regfexport lists the restored hive as it was; cabextract expands NT 4's
// repair files to what the restore put into the Redo directory.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "tests/restore_nt/nt_restore_machine.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace restore_nt_test {
namespace {

using platform::WindowsVersion;
using testing_support::haveProgram;
using testing_support::runCommand;

std::string quote(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

TEST(RestoreNtPeer, AHiveDamagedByHivexComesBackAsRegfexportListedItBefore) {
  if (!haveProgram("hivexsh") || !haveProgram("regfexport")) GTEST_SKIP() << "peers missing";
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  const std::string set = backUpRegistry(m);
  const std::string software = loadedHive(m, "software");
  ASSERT_FALSE(software.empty());
  const std::filesystem::path before = m.dir / "software.before";
  std::filesystem::copy_file(m.host(software), before);

  const auto damaged = runCommand(
      "printf 'add Damaged by a crash\\ncd Damaged by a crash\\nsetval 1\\nState\\n"
      "string:damaged\\ncommit\\n' | hivexsh -w " +
      quote(m.host(software)));
  ASSERT_EQ(damaged.exitCode, 0) << damaged.output;
  m.restartProgram();
  ASSERT_TRUE(registryDamaged(m));

  m.form->restore.nt.RestoreRegistryArchive(set + "registry.daz", 0);
  EXPECT_FALSE(m.form->core.ErrorFlag);
  m.restartWindows({});
  EXPECT_FALSE(registryDamaged(m));
  const auto listed =
      runCommand("hivexget " + quote(m.host(software)) + " '\\Damaged by a crash' 2>&1");
  EXPECT_NE(listed.exitCode, 0) << "the damaged key is still there: " << listed.output;
  testing_support::expectExportAgrees("regfexport", m.host(software),
                                      testing_support::readNtHiveFile(before));
  // The displaced hive, as hivex sees it, is the damaged one.
  const auto kept =
      runCommand("hivexget " +
                 quote(m.host(corvasta::undoDirectory(m.form->core.loc.windowsDir) + "software")) +
                 " '\\Damaged by a crash' State");
  EXPECT_EQ(kept.output, "damaged\n");
}

TEST(RestoreNtPeer, CabextractExpandsNt4RepairFilesToWhatTheRestoreUsed) {
  if (!haveProgram("cabextract")) GTEST_SKIP() << "cabextract is not installed";
  NtProgram m{ntSample(WindowsVersion::Nt4)};
  corvasta::TForm1& form = *m.form;
  const std::string repair = form.core.loc.windowsDir + "repair\\";
  form.restore.state.sourceKind = corvasta::SourceKind::OriginalRegistry;
  form.restore.nt.RestoreRepair(repair);
  ASSERT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  int expanded = 0;
  for (const std::string& name : m.list(repair)) {
    if (name.back() != '_') continue;
    const auto unpacked = runCommand("cabextract -q -p " + quote(m.host(repair + name)));
    ASSERT_EQ(unpacked.exitCode, 0) << name;
    std::string redoName = platform::ansiLower(name);
    redoName = redoName.size() > 2 && redoName.substr(redoName.size() - 2) == "._"
                   ? redoName.substr(0, redoName.size() - 2)
                   : redoName.substr(0, redoName.size() - 1) + "t";
    EXPECT_EQ(m.read(redo + redoName), unpacked.output) << name;
    ++expanded;
  }
  EXPECT_GE(expanded, 5);
}

}  // namespace
}  // namespace restore_nt_test
