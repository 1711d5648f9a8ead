// The console commands of the Backup Manager, Automation and Desktop Icons
// pages as processes on a Windows ME sample, each with its bad values (exit
// status 1, "corvasta: " and the message, nothing changed); the Startup
// shortcut run by `corvasta-machine boot`, and desktop icons opened with
// `corvasta-machine open`.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/console_machine.h"

using testing_support::CommandResult;
using testing_support::writeFile;

namespace {

bool has(const CommandResult& result, const std::string& part) {
  return result.output.find(part) != std::string::npos;
}

// A Windows ME sample without profiles: its Desktop is C:\WINDOWS\Desktop.
class ConsolePages : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(m_.created.exitCode, 0) << m_.created.output; }
  std::string machine() const { return m_.machine(); }
  CommandResult corvasta(const std::vector<std::string>& more) { return m_.corvasta(more); }
  CommandResult tool(const std::vector<std::string>& more) { return m_.tool(more); }
  std::filesystem::path host(const std::string& winPath) { return m_.host(winPath); }
  std::string answers(const std::string& text) { return m_.answers(text); }
  void makeFolder(const std::string& winPath) {
    std::filesystem::create_directories(host(winPath));
    writeFile(host(winPath) / "autoexec.baz", "x");
  }
  // A refused value: exit 1, the message after "corvasta: ".
  void expectRefused(const std::vector<std::string>& command, const std::string& message) {
    CommandResult result = corvasta(command);
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_TRUE(has(result, "corvasta: ")) << result.output;
    EXPECT_TRUE(has(result, message)) << result.output;
  }
  testing_support::ConsoleMachine m_{CORVASTA_PROGRAM, CORVASTA_MACHINE_TOOL, "me", 0};
};

TEST_F(ConsolePages, AddRenameAndDeleteSets) {
  makeFolder("C:\\B\\Mon");
  makeFolder("C:\\B\\Tue\\Sub");
  CommandResult added = corvasta({"--add-set", "C:\\B\\Mon"});
  ASSERT_EQ(added.exitCode, 0) << added.output;
  EXPECT_TRUE(has(added, "1 Backup")) << added.output;
  EXPECT_TRUE(has(added, "1\tMon\tC:\\B\\\t")) << added.output;
  expectRefused({"--add-set", "c:\\b\\mon\\"}, "is already in the Backup Manager");
  expectRefused({"--add-set", "C:\\B\\Nope"}, "The folder C:\\B\\Nope does not exist");
  ASSERT_EQ(corvasta({"--add-set", "C:\\B\\Tue"}).exitCode, 0);

  CommandResult renamed = corvasta({"--rename-set", "2", "Tuesday"});
  ASSERT_EQ(renamed.exitCode, 0) << renamed.output;
  EXPECT_TRUE(has(renamed, "2\tTuesday\tC:\\B\\")) << renamed.output;
  EXPECT_TRUE(std::filesystem::is_directory(host("C:\\B\\Tuesday")));
  expectRefused({"--rename-set", "2", "..\\x"}, "The Backup Name cannot be left blank");
  expectRefused({"--rename-set", "2", ".."}, "The Backup Name cannot be left blank");
  expectRefused({"--rename-set", "2", "Mon"}, "already exists");
  expectRefused({"--rename-set", "3", "X"}, "from 1 to 2, not \"3\"");
  expectRefused({"--rename-set", "two", "X"}, "not \"two\"");
  EXPECT_TRUE(std::filesystem::exists(host("C:\\B\\Tuesday\\Sub\\autoexec.baz")));

  CommandResult deleted =
      corvasta({"--answers", answers("could not be removed => Yes\n"), "--delete-set", "2"});
  ASSERT_EQ(deleted.exitCode, 0) << deleted.output;
  EXPECT_TRUE(has(deleted, "Do you want me to delete all of the subdirectories?"))
      << deleted.output;
  EXPECT_TRUE(has(deleted, "1 Backup")) << deleted.output;
  EXPECT_FALSE(std::filesystem::exists(host("C:\\B\\Tuesday")));

  // A "lost set" C:\WINDOWS\ is listed, but never emptied.
  ASSERT_EQ(corvasta({"--add-set", "C:\\WINDOWS"}).exitCode, 0);
  expectRefused({"--delete-set", "2"}, "C:\\WINDOWS\\ is not deleted as a backup set");
  EXPECT_TRUE(std::filesystem::exists(host("C:\\WINDOWS\\win.ini")));
  CommandResult listed = corvasta({"--list-sets"});
  EXPECT_TRUE(has(listed, "2 Backups")) << listed.output;
  expectRefused({"--delete-set", "0"}, "from 1 to 2");
}

TEST_F(ConsolePages, SystemBackupsListedAndDeleted) {
  writeFile(host("C:\\WINDOWS\\SYSBCKUP\\rb007.cab"), "cabinet bytes");
  CommandResult listed = corvasta({"--system-backups"});
  ASSERT_EQ(listed.exitCode, 0) << listed.output;
  EXPECT_TRUE(has(listed, "WinME Backups\tDate/Time\tSize")) << listed.output;
  EXPECT_TRUE(has(listed, "007\t")) << listed.output;
  EXPECT_TRUE(has(listed, "\t13\n") || has(listed, "\t13\r")) << listed.output;
  EXPECT_TRUE(has(listed, "Most Recent: ")) << listed.output;
  expectRefused({"--delete-system-backup", "999"}, "There is no system backup 999");
  CommandResult deleted = corvasta({"--delete-system-backup", "007"});
  ASSERT_EQ(deleted.exitCode, 0) << deleted.output;
  EXPECT_FALSE(has(deleted, "007\t")) << deleted.output;
  EXPECT_FALSE(std::filesystem::exists(host("C:\\WINDOWS\\SYSBCKUP\\rb007.cab")));
}

TEST_F(ConsolePages, FrequenciesKeepTheStartupShortcutAndTheJobFile) {
  const std::string link = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\Corvasta.lnk";
  CommandResult weekly = corvasta({"--set-frequency", "1", "weekly"});
  ASSERT_EQ(weekly.exitCode, 0) << weekly.output;
  EXPECT_TRUE(has(weekly, "AutoBackup\tBack up 1st Setup (")) << weekly.output;
  EXPECT_TRUE(has(weekly, "\tWeekly\tstored ")) << weekly.output;
  EXPECT_TRUE(has(weekly, "next due ")) << weekly.output;
  EXPECT_TRUE(has(weekly, "AutoCompact\tRegPack\t")) << weekly.output;
  CommandResult shortcut = tool({"shortcut", link});
  EXPECT_TRUE(has(shortcut, "Arguments: bootup")) << shortcut.output;

  expectRefused({"--set-frequency", "2", "daily"}, "Config 2 has no target");
  expectRefused({"--set-frequency", "regpack", "daily"}, "The RegPack task has no frequency list");
  expectRefused({"--set-frequency", "7", "daily"}, "The task 7 is none of");
  expectRefused({"--set-frequency", "1", "hourly"}, "The frequency hourly is none of");

  for (const char* task : {"start", "1"})
    ASSERT_EQ(corvasta({"--set-frequency", task, "Do Not Perform"}).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(host(link)));

  writeFile(host("C:\\WINDOWS\\Tasks\\Corvasta.job"), "the user's job");
  CommandResult scheduler = corvasta({"--set-frequency", "start", "use-scheduler"});
  EXPECT_TRUE(has(scheduler, "runs when the Task Scheduler starts Corvasta")) << scheduler.output;
  EXPECT_TRUE(std::filesystem::exists(host("C:\\WINDOWS\\Tasks\\Corvasta.job")));
  ASSERT_EQ(corvasta({"--set-frequency", "start", "5"}).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(host("C:\\WINDOWS\\Tasks\\Corvasta.job")));
}

TEST_F(ConsolePages, BootRunsADailyConfigOneThroughTheStartupShortcut) {
  ASSERT_EQ(corvasta({"--set-frequency", "1", "daily"}).exitCode, 0);
  // The date of the first choice is today; a day later the backup is due.
  CommandResult before = corvasta({"--list-sets"});
  EXPECT_TRUE(has(before, "0 Backups")) << before.output;
  std::filesystem::path settings = host("C:\\Program Files\\Corvasta\\vastel.ini");
  std::string text = testing_support::readFile(settings);
  const size_t section = text.find("[AutoBackup]");
  ASSERT_NE(section, std::string::npos) << text;
  const size_t year = text.find("Year=", section);
  ASSERT_NE(year, std::string::npos);
  text.replace(year, 9, "Year=2001");
  writeFile(settings, text);

  CommandResult boot = tool({"boot"});
  ASSERT_EQ(boot.exitCode, 0) << boot.output;
  EXPECT_TRUE(has(boot, "program bootup ended with exit code 0")) << boot.output;
  CommandResult after = corvasta({"--list-sets"});
  EXPECT_TRUE(has(after, "1 Backup")) << after.output;
}

TEST_F(ConsolePages, DesktopIconsMadeListedAndOpened) {
  CommandResult made = corvasta({"--desktop-icon", "Tune Up", "sr"});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  EXPECT_TRUE(has(made, "Desktop icon\tTune Up\tsr")) << made.output;
  const std::filesystem::path link = host("C:\\WINDOWS\\Desktop\\Tune Up.lnk");
  if (testing_support::haveProgram("lnkinfo")) {
    CommandResult info = testing_support::runCommand("lnkinfo '" + link.string() + "'");
    EXPECT_TRUE(has(info, "schedule s r")) << info.output;
  }
  expectRefused({"--desktop-icon", "..\\Start Menu\\Programs\\StartUp\\x", "1"},
                "cannot name an icon");
  EXPECT_FALSE(std::filesystem::exists(host("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\x.lnk")));
  expectRefused({"--desktop-icon", "Odd", "1q"}, "may hold only s, 1, 2, 3, 4 and r");
  expectRefused({"--desktop-icon", "Odd", ""}, "You must check one of the checkboxes");
  expectRefused({"--desktop-icon", "", "1"}, "You must type in a Title for the icon");

  ASSERT_EQ(corvasta({"--desktop-icon", "Nightly", "1"}).exitCode, 0);
  CommandResult automation = corvasta({"--automation"});
  EXPECT_TRUE(has(automation, "Desktop icon\tNightly\t1")) << automation.output;
  EXPECT_TRUE(has(automation, "Desktop icon\tTune Up\tsr")) << automation.output;

  CommandResult opened = tool({"open", "C:\\WINDOWS\\Desktop\\Nightly.lnk"});
  ASSERT_EQ(opened.exitCode, 0) << opened.output;
  EXPECT_TRUE(has(opened, "ended with exit code 0")) << opened.output;
  EXPECT_TRUE(has(corvasta({"--list-sets"}), "1 Backup"));

  // A shortcut whose target is written in double quotes (our writer stores
  // a bare path, so the quotes are put into the file's bytes) opens the same.
  const std::string program = "C:\\Program Files\\Corvasta\\crvastME.exe";
  CommandResult made2 = tool({"shortcut", "C:\\WINDOWS\\Desktop\\Quoted.lnk", "--target",
                              program + "qq", "--args", "schedule 1"});
  ASSERT_EQ(made2.exitCode, 0) << made2.output;
  const std::filesystem::path quotedLink = host("C:\\WINDOWS\\Desktop\\Quoted.lnk");
  std::string bytes = testing_support::readFile(quotedLink);
  const size_t at = bytes.find(program + "qq");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, program.size() + 2, "\"" + program + "\"");
  writeFile(quotedLink, bytes);
  CommandResult openedQuoted = tool({"open", "C:\\WINDOWS\\Desktop\\Quoted.lnk"});
  ASSERT_EQ(openedQuoted.exitCode, 0) << openedQuoted.output;
  EXPECT_TRUE(has(openedQuoted, "program schedule 1 ended with exit code 0"))
      << openedQuoted.output;
  EXPECT_TRUE(has(corvasta({"--list-sets"}), "2 Backups"));

  CommandResult missing = tool({"open", "C:\\WINDOWS\\Desktop\\None.lnk"});
  EXPECT_NE(missing.exitCode, 0) << missing.output;
}

}  // namespace

namespace {

TEST(ConsolePagesWindows95, HasNoSystemBackupsToListOrDelete) {
  testing_support::ConsoleMachine m{CORVASTA_PROGRAM, CORVASTA_MACHINE_TOOL, "95", 0};
  ASSERT_EQ(m.created.exitCode, 0) << m.created.output;
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"--edition", "95", "--system-backups"},
        std::vector<std::string>{"--edition", "95", "--delete-system-backup", "000"}}) {
    CommandResult result = m.corvasta(command);
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_TRUE(has(result, "corvasta: Windows 95 keeps no registry backups of its own"))
        << result.output;
  }
}

}  // namespace
