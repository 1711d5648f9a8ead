// The registry files a Windows ME restore puts in place, read by libcreg's
// cregexport: it lists the keys and values of the set's registry.

#include <gtest/gtest.h>

#include "platform/registry/win9x_registry_read.h"
#include "tests/support/machine_builder.h"
#include "tests/support/program_rig.h"
#include "tests/support/registry_export_listing.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(RestoredRegistryPeer, CregexportReadsTheRestoredFilesAsTheSetHoldsThem) {
  if (!testing_support::haveProgram("cregexport")) GTEST_SKIP() << "cregexport is not installed";
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  m.start();
  const std::string cab = corvasta::CheckPath(m.form->core.loc.systemBackupDir) + "RB003.CAB";
  const std::string windows = m.form->core.loc.windowsDir;
  m.form->restore.state.sourceKind = corvasta::SourceKind::WindowsBackup;
  m.form->restore.state.extentEnabled = {true, true, false, false};
  m.form->core.winCrash = true;
  m.form->core.winUsers = m.form->core.userFiles = m.form->core.otherFiles = false;
  m.ui.expect("files restored", "OK");
  m.form->restore.run.RunRestore(cab, cab);
  ASSERT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  m.restartWindows({});
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "CLASSES.DAT"}) {
    const std::string expected = m.cabinetMember(cab, name);
    ASSERT_EQ(m.read(windows + name), expected) << name;
    const platform::registry::RegistryTree tree = platform::registry::readWin9xRegistry(
        reinterpret_cast<const uint8_t*>(expected.data()), expected.size());
    testing_support::expectExportAgrees("cregexport", m.host(windows + name), tree);
  }
}

}  // namespace
