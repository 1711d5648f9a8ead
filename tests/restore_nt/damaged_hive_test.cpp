// The program started on a Windows XP whose software hive a crash has
// damaged (cut short, garbage, no signature): one warning naming the file,
// the file left as it is, and the registry restore of a set replaces it at
// the next start, the damaged hive kept in the Undo directory.

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "tests/restore_nt/nt_restore_machine.h"
#include "tests/support/registry_damage.h"

namespace restore_nt_test {
namespace {

using testing_support::RegistryDamage;

class DamagedHiveAtStart : public ::testing::TestWithParam<RegistryDamage> {};

TEST_P(DamagedHiveAtStart, TheProgramWarnsKeepsTheFileAndTheRestoreReplacesIt) {
  NtProgram m{ntSample(platform::WindowsVersion::WinXp)};
  const std::string set = backUpRegistry(m);
  const auto before = registryListing(m);
  const std::string software = loadedHive(m, "software");
  ASSERT_FALSE(software.empty());
  const std::string damaged = testing_support::damagedRegistryBytes(m.read(software), GetParam());
  m.writeOnHost(software, damaged);

  m.restartProgram();
  m.ui.expect("software", "OK");
  m.start();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  ASSERT_EQ(m.registry->damagedFiles().size(), 1u);
  EXPECT_EQ(m.registry->damagedFiles()[0].rfind(software + ": ", 0), 0u)
      << m.registry->damagedFiles()[0];
  m.restartProgram();
  EXPECT_EQ(m.read(software), damaged);

  corvasta::TForm1& form = *m.form;
  form.core.ErrorFlag = false;
  form.core.ErrorList.clear();
  form.restore.nt.RestoreRegistryArchive(set + "registry.daz", 25);
  // Without its software hive Windows has no profile list, so the users'
  // hives are not loaded and the set's user hives cannot replace them (an
  // error line each); the machine hives are replaced.
  for (const std::string& line : form.core.ErrorList)
    EXPECT_EQ(platform::ansiUpper(line).find("SOFTWARE"), std::string::npos) << line;
  bool softwarePending = false;
  std::string undoFile;
  for (const auto& replacement : m.registry->pendingReplacements())
    if (platform::ansiEqualNoCase(replacement.hiveFile, software)) {
      softwarePending = true;
      undoFile = replacement.oldFile;
    }
  ASSERT_TRUE(softwarePending);
  EXPECT_EQ(m.read(software), damaged) << "replaced only at the next start";

  m.restartWindows({});
  EXPECT_TRUE(m.registry->damagedFiles().empty());
  EXPECT_EQ(registryListing(m), before) << m.bootLog;
  EXPECT_EQ(m.read(undoFile), damaged);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedHiveAtStart,
                         ::testing::ValuesIn(testing_support::kRegistryDamages),
                         [](const auto& info) {
                           return std::string(testing_support::registryDamageName(info.param));
                         });

}  // namespace
}  // namespace restore_nt_test
