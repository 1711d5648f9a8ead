// What goes wrong in an NT RegPack or Undo RegPack: a hive Windows will not
// replace (the warning list, the user's choice of restart), an undo archive
// that is no ZIP or holds a hive that does not parse (named, nothing
// replaced), and no undo archive at all.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "tests/regpack_nt/nt_regpack_machine.h"
#include "tests/support/registry_damage.h"

namespace regpack_nt_test {
namespace {

using platform::WindowsVersion;
using restore_nt_test::loadedHive;
using restore_nt_test::loadedHiveFiles;

const std::vector<std::string> kRegPackFailureEnd{
    "",
    "WARNING - An Error has Occurred - RegPack NOT Successful.",
    "If any keys were successfully restored, ",
    "   they will be implemented when Windows restarts.",
    "",
    "Do you want to Restart Windows?"};

// The software hive's displaced copy from an earlier restore is held open,
// so its replacement cannot make room for the hive it displaces now.
NtProgram withSoftwareUndoHeld() {
  const std::string undo = "C:\\WINDOWS\\Corvasta\\Undo\\software";
  return NtProgram{
      twoUserSample(WindowsVersion::WinXp).file(undo, "an earlier restore's hive").heldOpen(undo)};
}

class UnreplacedHive : public ::testing::TestWithParam<const char*> {};

TEST_P(UnreplacedHive, IsListedAndTheUserChoosesTheRestart) {
  const bool yes = std::string(GetParam()) == "Yes";
  NtProgram m = withSoftwareUndoHeld();
  m.ui.expect("RegPack must restart Windows", "Yes");
  m.ui.expect("could not be RegPacked", GetParam());
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();

  std::vector<std::string> expected{"The following file(s) could not be RegPacked:", ""};
  expected.push_back(corvasta::lastElement(loadedHive(m, "software")) + " key");
  expected.insert(expected.end(), kRegPackFailureEnd.begin(), kRegPackFailureEnd.end());
  EXPECT_EQ(m.ui.lastWarningList, expected);
  // The other hives are replaced.
  EXPECT_EQ(m.registry->pendingReplacements().size(), loadedHiveFiles(m).size() - 1);
  EXPECT_EQ(restartRequested(m), yes);
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "@");
  const std::string log = results(m);
  EXPECT_NE(log.find("WARNING - An Error has Occurred - RegPack NOT Successful."),
            std::string::npos);
  EXPECT_NE(log.find("<<< RegPack Completed - "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Answers, UnreplacedHive, ::testing::Values("Yes", "No"));

TEST(RegPackFailures, WithoutTheBackupPrivilegeNoArchiveIsMadeAndNothingIsReplaced) {
  NtProgram m{twoUserSample(WindowsVersion::Win2000).configure([](platform::MachineConfig& config) {
    std::erase_if(config.privileges, [](const std::string& name) {
      return platform::ansiEqualNoCase(name, "SeBackupPrivilege");
    });
  })};
  const std::string zzz = m.form->core.loc.windowsDir + "registry.zzz";
  for (size_t hive = 0; hive < loadedHiveFiles(m).size(); ++hive)
    m.ui.expect("You do not have Backup Privileges.", "OK");
  m.ui.expect(zzz + " cannot be used: the file does not exist.", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(restartRequested(m));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "@");
  EXPECT_EQ(m.setting("Bootup", "Action"), "@");
  EXPECT_NE(results(m).find("<<< RegPack not successful - "), std::string::npos);
}

TEST(UndoFailures, AHiveThatCannotBeReplacedIsListedUnderTheUndoTexts) {
  NtProgram m = withSoftwareUndoHeld();
  m.ui.expect("RegPack must restart Windows", "No");
  m.form->CompactClick();
  m.ui.expect("Undo RegPack must restart Windows", "Yes");
  m.ui.expect("could not be restored", "No");
  m.form->Button6Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  ASSERT_GE(m.ui.lastWarningList.size(), 5u);
  EXPECT_EQ(m.ui.lastWarningList[0], "The following file(s) could not be restored:");
  EXPECT_EQ(m.ui.lastWarningList[2], corvasta::lastElement(loadedHive(m, "software")) + " key");
  EXPECT_EQ(m.ui.lastWarningList[4],
            "WARNING - An Error has Occurred - Undo RegPack NOT Successful.");
  EXPECT_FALSE(restartRequested(m));
  EXPECT_NE(results(m).find("<<< Undo RegPack finished - "), std::string::npos);
}

TEST(UndoFailures, WithoutAnUndoArchiveOnlyTheStartLineIsLogged) {
  NtProgram m{twoUserSample(WindowsVersion::Nt4)};
  m.form->Button6Click();
  EXPECT_TRUE(m.ui.transcript.empty());
  EXPECT_NE(m.form->core.ActivityLog.find(">>> Undo RegPack started at "), std::string::npos);
  EXPECT_EQ(m.form->core.ActivityLog.find("<<< "), std::string::npos);
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
}

TEST(UndoFailures, AnUndoArchiveThatIsNoZipIsNamedAndNothingIsReplaced) {
  NtProgram m{twoUserSample(WindowsVersion::Win2000)};
  const std::string zzz = m.form->core.loc.windowsDir + "registry.zzz";
  m.write(zzz, "PK\x03\x04 cut short by a crash");
  m.ui.expect(zzz, "OK");
  m.form->Button6Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(restartRequested(m));
  EXPECT_EQ(m.read(zzz), "PK\x03\x04 cut short by a crash");
  EXPECT_NE(results(m).find("<<< Undo RegPack not successful - "), std::string::npos);
  // No working folder is left in the Windows directory.
  for (const std::string& name : m.list(m.form->core.loc.windowsDir))
    EXPECT_FALSE(name.size() > 1 && (name[0] == 'r' || name[0] == 'R') &&
                 std::isdigit(static_cast<unsigned char>(name[1])))
        << name;
}

class DamagedUndoHive : public ::testing::TestWithParam<testing_support::RegistryDamage> {};

TEST_P(DamagedUndoHive, IsNamedAndNothingIsReplaced) {
  NtProgram m{twoUserSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  m.ui.expect("RegPack must restart Windows", "No");
  form.CompactClick();
  // The archive made again with its software hive damaged.
  const std::string zzz = form.core.loc.windowsDir + "registry.zzz";
  const std::string work = "C:\\work\\";
  form.core.createDirectories(work);
  form.core.Zip2.SetZipName(zzz);
  form.core.Zip2.DestDir = work;
  form.core.Zip2.RecreateDirs = false;
  form.core.Zip2.Extract();
  form.core.Zip2.CloseArchive();
  const std::string software = corvasta::lastElement(loadedHive(m, "software"));
  m.write(work + software,
          testing_support::damagedRegistryBytes(m.read(work + software), GetParam()));
  m.files->deleteFile(zzz);
  form.core.Zip2.SetZipName(zzz);
  form.core.Zip2.FilesList = {work + "*.*"};
  form.core.Zip2.SetStorePaths(false);
  ASSERT_GT(form.core.Zip2.CreateArchive(), 1);
  form.core.Zip2.CloseArchive();

  m.ui.expect("its registry file " + software + " is damaged", "OK");
  form.Button6Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(restartRequested(m));
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedUndoHive,
                         ::testing::ValuesIn(testing_support::kRegistryDamages),
                         [](const auto& info) {
                           return std::string(testing_support::registryDamageName(info.param));
                         });

}  // namespace
}  // namespace regpack_nt_test

namespace regpack_nt_test {
namespace {

// A second RegPack on a drive that has filled up since the first: the save
// of the new undo archive fails part-way, and the undo archive of the first
// RegPack must still be there, byte for byte, for Undo RegPack.
TEST(RegPackFailures, ASaveThatRunsOutOfRoomKeepsThePreviousUndoArchive) {
  NtProgram m{twoUserSample(WindowsVersion::WinXp)};
  const std::string zzz = m.form->core.loc.windowsDir + "registry.zzz";
  pressRegPack(m, "No");
  ASSERT_TRUE(m.exists(zzz));
  const std::string undoBefore = m.read(zzz);

  constexpr uint64_t kLarge = uint64_t{1} << 40;
  const auto capacity = [](uint64_t bytes) {
    return [bytes](platform::MachineConfig& config) {
      for (auto& drive : config.drives)
        if (drive.letter == 'C') drive.capacity = bytes;
    };
  };
  m.reconfigureMachine(capacity(kLarge));
  const uint64_t used = kLarge - m.files->getDiskFreeSpaceEx("C:\\").freeBytesAvailable;
  // Room for a few hives in the working folder, not for them and the archive.
  m.reconfigureMachine(capacity(used + undoBefore.size() / 2));

  bool failed = false;
  try {
    m.form->CompactClick();
  } catch (const std::exception&) {
    failed = true;
  }
  EXPECT_TRUE(failed);
  ASSERT_TRUE(m.exists(zzz));
  EXPECT_EQ(m.read(zzz), undoBefore);
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_NE(results(m).find("<<< RegPack not successful - "), std::string::npos);
}

}  // namespace
}  // namespace regpack_nt_test
