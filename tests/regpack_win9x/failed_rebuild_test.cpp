// An Expanded RegPack on Windows 98 whose Registry Editor cannot create one
// profile's user.dat in MS-DOS mode (regedit.exe=simulator regedit
// fail=create:<that user.dat>): the logged-on user's rebuild falls back to
// the exports made in Windows, and that failing too, its user.dat comes back
// from user.zzz and the automatic run's batch stops for a key; another
// user's file stays as it was, without a pause. Every other file is rebuilt.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/core/TextLines.h"
#include "tests/regpack_win9x/regpack_scenario.h"

namespace regpack_test {
namespace {

// The lines of the start's screen that are `line` (echoed commands start with
// a prompt and are not counted).
size_t screenLines(const std::string& log, const std::string& line) {
  size_t n = 0;
  for (const std::string& shown : corvasta::splitLines(log))
    if (shown == line) ++n;
  return n;
}

// The first lines that only one of two registry listings holds.
std::string firstDifferences(const std::set<std::string>& expected,
                             const std::set<std::string>& actual) {
  std::string text;
  int shown = 0;
  for (const std::string& line : expected)
    if (!actual.count(line) && shown++ < 3) text += "missing: " + line + "\n";
  for (const std::string& line : actual)
    if (!expected.count(line) && shown++ < 6) text += "added: " + line + "\n";
  return text;
}

// The editor fails every rebuild of `name` (a file name, or a full path).
void failCreating(testing_support::ProgramRig& m, const std::string& name) {
  m.reconfigureMachine([&name](platform::MachineConfig& config) {
    platform::ProgramAction& editor = config.programs["regedit.exe"];
    EXPECT_EQ(editor.kind, platform::ProgramAction::Kind::Simulator);
    editor.faults.push_back({"create", name});
  });
}

class FailedRebuild : public ::testing::Test {
 protected:
  FailedRebuild() : s(platform::WindowsVersion::Win98), m(*s.m) {}
  void SetUp() override {
    m.setSetting("RegPack", "Mode", "1");
    w = s.windows();
    current = m.form->core.loc.userDir;
    ASSERT_NE(current, w);  // the sample's user has a profile
    files = registryFiles(m);
    keys = registryLines(m, files);
    // Free space in every file, so a rebuild shows in its size.
    for (const std::string& file : files) addFreeDataBlock(m, file, 0x8000);
    for (const std::string& file : files) padded[file] = m.read(file);
  }

  Win9xMachine s;
  testing_support::TestProgram& m;
  std::string w, current;
  std::vector<std::string> files;
  std::set<std::string> keys;
  std::map<std::string, std::string> padded;
};

TEST_F(FailedRebuild, TheCurrentUsersUserDatComesBackFromUserZzzAndTheAutomaticRunPauses) {
  const std::string user = current + "user.dat";
  failCreating(m, user);
  ASSERT_TRUE(m.start({"schedule", "R"}));
  EXPECT_EQ(m.setting("Bootup", "Action"), "2");
  m.restartWindows({});
  const std::string& log = m.bootLog;
  EXPECT_FALSE(m.exists(s.program() + "startwin.bat")) << log;

  // Every key and value is still there, in every file.
  EXPECT_EQ(registryLines(m, files), keys) << log;
  // The rebuild fell back to the exports made in Windows, which could not
  // create the file either; the backup went back and the batch stopped.
  EXPECT_EQ(screenLines(log, "RegPack will use files exported in Windows to correct this."), 1u)
      << log;
  EXPECT_EQ(screenLines(log, "Rebuilding Owner User Registry (System Settings from Windows)"), 1u)
      << log;
  EXPECT_EQ(screenLines(log, "Restoring Old Owner User Settings from Backup"), 1u) << log;
  EXPECT_EQ(screenLines(log, "Press any key to continue . . ."), 1u) << log;
  EXPECT_EQ(m.read(user), padded[user]);
  EXPECT_EQ(m.read(current + "user.zzz"), padded[user]);
  // The other files were rebuilt, the scratch files are gone.
  for (const std::string& file : files)
    if (file != user) {
      EXPECT_LT(m.read(file).size(), padded[file].size()) << file;
    }
  for (const std::string& scratch : {w + "junkuser.dat", w + "userreg.reg", current + "system.dat",
                                     w + "Profiles\\Anna\\system.dat"})
    EXPECT_FALSE(m.exists(scratch)) << scratch;
}

TEST_F(FailedRebuild, AnotherUsersFailedRebuildLeavesItsUserDatAndDoesNotPause) {
  const std::string anna = w + "Profiles\\Anna\\user.dat";
  ASSERT_NE(w + "Profiles\\Anna\\", current);
  failCreating(m, anna);
  ASSERT_TRUE(m.start({"schedule", "R"}));
  m.restartWindows({});
  const std::string& log = m.bootLog;
  EXPECT_EQ(registryLines(m, files), keys) << log;
  EXPECT_EQ(screenLines(log, "Usually this Error is not a problem."), 1u) << log;
  EXPECT_EQ(m.read(anna), padded[anna]);
  EXPECT_EQ(screenLines(log, "Press any key to continue . . ."), 0u) << log;
  for (const std::string& file : files)
    if (file != anna) {
      EXPECT_LT(m.read(file).size(), padded[file].size()) << file;
    }
}

TEST_F(FailedRebuild, ExportsThatFailInMsDosModeFallBackToTheExportsMadeInWindows) {
  ASSERT_TRUE(m.start({"schedule", "R"}));
  // The exports in Windows worked; those of MS-DOS mode do not.
  m.reconfigureMachine([](platform::MachineConfig& config) {
    config.programs["regedit.exe"].faults.push_back({"export", ""});
  });
  m.restartWindows({});
  const std::string& log = m.bootLog;
  // The default registry is rebuilt from all.reg, the logged-on user's from
  // HKLM.reg and HKU.reg (the import branch); the other users' are left.
  EXPECT_EQ(screenLines(log, "Rebuilding Default Registry (from all.reg)"), 1u) << log;
  EXPECT_EQ(screenLines(log, "Importing Owner User Registry (User Settings from Windows)"), 1u)
      << log;
  EXPECT_EQ(screenLines(log, "Usually this Error is not a problem."), 2u) << log;
  const std::set<std::string> now = registryLines(m, files);
  EXPECT_TRUE(now == keys) << firstDifferences(keys, now);
  EXPECT_LT(m.read(current + "user.dat").size(), padded[current + "user.dat"].size());
  EXPECT_EQ(screenLines(log, "Press any key to continue . . ."), 0u) << log;
}

TEST_F(FailedRebuild, WithEveryRebuildWorkingTheAutomaticRunDoesNotPause) {
  ASSERT_TRUE(m.start({"schedule", "R"}));
  m.restartWindows({});
  const std::string& log = m.bootLog;
  EXPECT_EQ(registryLines(m, files), keys) << log;
  for (const std::string& file : files) EXPECT_LT(m.read(file).size(), padded[file].size()) << file;
  EXPECT_EQ(screenLines(log, "Press any key to continue . . ."), 0u) << log;
}

}  // namespace
}  // namespace regpack_test
