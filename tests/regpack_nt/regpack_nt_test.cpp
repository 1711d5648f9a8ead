// RegPack and Undo RegPack end to end on Windows NT 4, 2000 and XP: the
// hives saved into registry.zzz, put in place at the next start with every
// key and value as before, the settings and log lines a RegPack leaves, the
// automatic RegPack of "schedule R", and Undo RegPack from the same archive.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "tests/regpack_nt/nt_regpack_machine.h"

namespace regpack_nt_test {
namespace {

using platform::WindowsVersion;
using restore_nt_test::loadedHiveFiles;
using restore_nt_test::registryListing;

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

class NtRegPack : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(NtRegPack, FromTheButtonTheHivesComeBackPackedAndUndoPutsThemBackAgain) {
  NtProgram m{twoUserSample(GetParam())};
  corvasta::TForm1& form = *m.form;
  const std::string windows = form.core.loc.windowsDir;
  const auto before = registryListing(m);
  const uint64_t sizeBefore = hiveFilesSize(m);
  ASSERT_GT(sizeBefore, 0u);
  // A restore of Windows' original registry chose no map of users last.
  form.restore.state.sourceKind = corvasta::SourceKind::OriginalRegistry;
  int busyWhileReplacing = 0;
  m.ui.onMessages = [&] { busyWhileReplacing += form.core.RegistryBusy ? 1 : 0; };

  pressRegPack(m, "Yes");
  m.ui.onMessages = nullptr;
  EXPECT_GT(busyWhileReplacing, 0);
  EXPECT_FALSE(form.core.RegistryBusy);
  EXPECT_FALSE(m.ui.busyCursor);
  EXPECT_EQ(form.restore.state.sourceKind, corvasta::SourceKind::OriginalRegistry);
  ASSERT_TRUE(m.exists(windows + "registry.zzz"));
  EXPECT_EQ(m.read(windows + "registry.daz"), m.read(windows + "registry.zzz"));
  EXPECT_EQ(m.setting("RegPack", "BeforeSize"), std::to_string(sizeBefore));
  EXPECT_EQ(m.setting("Bootup", "Action"), "1");
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  EXPECT_EQ(m.setting("AutoCompact", "switch"), "0");
  EXPECT_EQ(m.registry->pendingReplacements().size(), loadedHiveFiles(m).size());
  EXPECT_TRUE(restartRequested(m));
  const std::string log = results(m);
  EXPECT_EQ(count(log, ">>> RegPack started at "), 1u) << log;
  EXPECT_EQ(count(log, "<<< RegPack Completed - "), 1u) << log;
  EXPECT_NE(std::find(m.ui.transcript.begin(), m.ui.transcript.end(), "Beep"),
            m.ui.transcript.end());
  EXPECT_FALSE(form.core.CloseAfterRun);

  m.restartWindows({});
  EXPECT_EQ(registryListing(m), before) << m.bootLog;
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  // The status text tells of the reduction once.
  m.form->MakeMarqueeText();
  EXPECT_EQ(count(m.form->MarqueeText, "RegPack was just completed and reduced the registry by "),
            1u)
      << m.form->MarqueeText;
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "0");
  m.form->MakeMarqueeText();
  EXPECT_EQ(count(m.form->MarqueeText, "RegPack was just completed"), 0u);
  EXPECT_EQ(count(m.form->MarqueeText, "The last RegPack was done on "), 1u);

  // Undo RegPack: the archive's hives again, the settings untouched.
  const std::string zzz = m.read(windows + "registry.zzz");
  pressUndoRegPack(m, "Yes");
  EXPECT_EQ(m.registry->pendingReplacements().size(), loadedHiveFiles(m).size());
  EXPECT_EQ(m.read(windows + "registry.zzz"), zzz);
  EXPECT_EQ(m.setting("RegPack", "BeforeSize"), std::to_string(sizeBefore));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "0");
  const std::string undoLog = results(m);
  EXPECT_EQ(count(undoLog, ">>> Undo RegPack started at "), 1u) << undoLog;
  EXPECT_EQ(count(undoLog, "<<< Undo RegPack finished - "), 1u) << undoLog;
  m.restartWindows({});
  EXPECT_EQ(registryListing(m), before) << m.bootLog;
}

TEST_P(NtRegPack, TheRegPackRequestAsksNothingAndEndsTheProgram) {
  NtProgram m{twoUserSample(GetParam())};
  const auto before = registryListing(m);
  m.setSetting("Bootup", "Action", "0");
  ASSERT_TRUE(m.start({"schedule", "R"}));
  EXPECT_TRUE(m.ui.finished());
  corvasta::TForm1& form = *m.form;
  EXPECT_EQ(m.setting("Bootup", "Action"), "2");
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  EXPECT_TRUE(form.core.CloseAfterRun);
  EXPECT_TRUE(form.terminateRequested);
  EXPECT_FALSE(form.core.requests.regPack);
  EXPECT_TRUE(restartRequested(m));
  EXPECT_EQ(m.registry->pendingReplacements().size(), loadedHiveFiles(m).size());

  m.restartWindows({});
  EXPECT_EQ(registryListing(m), before) << m.bootLog;
  // The next start from the Startup folder sees the RegPack done.
  m.start({"bootup"});
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
  EXPECT_EQ(m.form->activeTab, corvasta::kRegPackTab);
}

INSTANTIATE_TEST_SUITE_P(Versions, NtRegPack,
                         ::testing::Values(WindowsVersion::Nt4, WindowsVersion::Win2000,
                                           WindowsVersion::WinXp));

TEST(NtRegPackAnswers, NoLeavesTheArchiveTheSpareAndTheSizeAndReplacesNothing) {
  NtProgram m{twoUserSample(WindowsVersion::Win2000)};
  corvasta::TForm1& form = *m.form;
  const std::string windows = form.core.loc.windowsDir;
  m.write(windows + "registry.daz", "an older spare");
  pressRegPack(m, "No");
  EXPECT_TRUE(m.exists(windows + "registry.zzz"));
  EXPECT_EQ(m.read(windows + "registry.daz"), m.read(windows + "registry.zzz"));
  EXPECT_EQ(m.setting("RegPack", "BeforeSize"), std::to_string(hiveFilesSize(m)));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "@");
  EXPECT_EQ(m.setting("Bootup", "Action"), "@");
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(restartRequested(m));
  // The log buffer keeps the start line without an end line.
  EXPECT_NE(form.core.ActivityLog.find(">>> RegPack started at "), std::string::npos);
  EXPECT_EQ(form.core.ActivityLog.find("<<< "), std::string::npos);

  pressUndoRegPack(m, "No");
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(restartRequested(m));
}

TEST(NtRegPackAnswers, InSafeModeNothingIsSavedOrShownAndTheRequestIsCleared) {
  NtProgram m{twoUserSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  form.core.SafeMode = true;
  form.core.requests.regPack = true;
  m.setSetting("AutoCompact", "switch", "1");
  form.CompactClick();
  EXPECT_TRUE(m.ui.transcript.empty());
  EXPECT_FALSE(form.core.requests.regPack);
  EXPECT_FALSE(form.core.CloseAfterRun);
  EXPECT_EQ(m.setting("AutoCompact", "switch"), "0");
  EXPECT_FALSE(m.exists(form.core.loc.windowsDir + "registry.zzz"));
  EXPECT_EQ(m.setting("RegPack", "BeforeSize"), "@");
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(m.ui.busyCursor);
}

TEST(NtRegPackAnswers, ATargetLeftByAnEngineCdBackupDoesNotStopTheSave) {
  NtProgram m{twoUserSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  form.core.backupRun.target = archive::TargetKind::EngineCd;
  form.core.backupRun.blocksOf = 1024;
  pressRegPack(m, "Yes");
  EXPECT_EQ(form.core.backupRun.target, archive::TargetKind::EngineCd);
  EXPECT_TRUE(m.exists(form.core.loc.windowsDir + "registry.zzz"));
  EXPECT_FALSE(m.exists(form.core.loc.windowsDir + "registry.001"));
  EXPECT_EQ(m.registry->pendingReplacements().size(), loadedHiveFiles(m).size());
}

}  // namespace
}  // namespace regpack_nt_test
