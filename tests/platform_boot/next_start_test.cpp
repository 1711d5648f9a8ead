// The next start of Windows on sample machines: each hand-off the program
// leaves for it is carried out.

#include "platform/boot/next_start.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/boot/logon_startup.h"
#include "platform/boot/machine_links.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/profile/private_profile.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "platform/sample/sample_machine.h"
#include "platform/simulators/windows_tools.h"
#include "platform/system/journal.h"
#include "platform/system/process_start.h"
#include "platform/system/restart.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;
using testing_support::readFile;
using testing_support::writeFile;

std::unique_ptr<Machine> sampleMachine(const testing_support::TempDir& dir,
                                       WindowsVersion version) {
  sample::createSampleMachine(dir / "machine", version);
  return Machine::open(dir / "machine");
}

std::string boot(Machine& machine, std::filesystem::path console = {}) {
  std::ostringstream out;
  boot::startWindows(machine, out, {console});
  return out.str();
}

std::string content(Machine& machine, const std::string& path) {
  return readFile(machine.resolve(path).host);
}

// A registry file like `original` with one key more, as a restore stages it.
std::string stagedWin9xRegistry(Machine& machine, const std::string& original) {
  auto tree = testing_support::readWin9xRegistryFile(machine.resolve(original).host);
  tree.root.ensurePath("Software\\Staged");
  auto bytes = registry::writeWin9xRegistry(tree);
  return std::string(bytes.begin(), bytes.end());
}

TEST(NextStart, WininitRenameReplacesSystemDatOnWindowsMe) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::WinMe);
  const std::string windows = machine->config().windowsDirectory;
  FileSystem files(*machine);
  files.createDirectory(windows + "\\CVTEMP");
  const std::string staged = stagedWin9xRegistry(*machine, windows + "\\SYSTEM.DAT");
  writeFile(machine->resolve(windows + "\\CVTEMP\\SYSTEM.NEW").host, staged);
  writePrivateProfileString(*machine, "Rename", machine->shortPath(windows + "\\SYSTEM.DAT"),
                            machine->shortPath(windows + "\\CVTEMP\\SYSTEM.NEW"),
                            windows + "\\WININIT.INI");
  boot(*machine);
  EXPECT_EQ(content(*machine, windows + "\\SYSTEM.DAT"), staged);
  EXPECT_FALSE(files.fileExists(windows + "\\CVTEMP\\SYSTEM.NEW"));
  EXPECT_FALSE(files.fileExists(windows + "\\WININIT.INI"));
  EXPECT_TRUE(files.fileExists(windows + "\\WININIT.BAK"));
}

TEST(NextStart, AutoexecCallOfStartwinRestoresRegistryOnWindows98) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::Win98);
  const std::string windows = machine->config().windowsDirectory;
  FileSystem files(*machine);
  files.createDirectory("C:\\CVTEMP");
  const std::string stagedSystem = stagedWin9xRegistry(*machine, windows + "\\SYSTEM.DAT");
  const std::string stagedUser = stagedWin9xRegistry(*machine, windows + "\\USER.DAT");
  writeFile(machine->resolve("C:\\CVTEMP\\SYSTEM.DAT").host, stagedSystem);
  writeFile(machine->resolve("C:\\CVTEMP\\USER.DAT").host, stagedUser);
  const std::string w = machine->shortPath(windows) + "\\";
  const std::string attrib = machine->shortPath(windows + "\\COMMAND\\ATTRIB.EXE");
  writeFile(machine->resolve("C:\\STARTWIN.BAT").host,
            "@" + attrib + " -h -s -r " + w + "user.dat\r\n" +
                "@echo    Restoring User Settings\r\n" + "@copy C:\\CVTEMP\\USER.DAT " + w +
                "user.dat\r\n" + "@del C:\\CVTEMP\\USER.DAT\r\n" + "@" + attrib + " -h -s -r " + w +
                "system.dat\r\n" + "@copy C:\\CVTEMP\\SYSTEM.DAT " + w + "system.dat\r\n" +
                "@del C:\\CVTEMP\\SYSTEM.DAT\r\n" + "del startwin.bat\r\n");
  std::string autoexec =
      files.fileExists("C:\\AUTOEXEC.BAT") ? content(*machine, "C:\\AUTOEXEC.BAT") : "";
  writeFile(machine->resolve("C:\\AUTOEXEC.BAT").host, "C:\\STARTWIN.BAT\r\n" + autoexec);
  std::string out = boot(*machine);
  EXPECT_EQ(content(*machine, windows + "\\SYSTEM.DAT"), stagedSystem);
  EXPECT_EQ(content(*machine, windows + "\\USER.DAT"), stagedUser);
  EXPECT_FALSE(files.fileExists("C:\\STARTWIN.BAT"));
  EXPECT_FALSE(files.fileExists("C:\\CVTEMP\\SYSTEM.DAT"));
  EXPECT_NE(out.find("Restoring User Settings"), std::string::npos);
}

TEST(NextStart, PifHandOffRunsTheBatchFileInMsDosModeOnce) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::Win98);
  const std::string program = machine->config().programDirectory;
  writeFile(machine->resolve(program + "\\STARTWIN.BAT").host,
            "@md C:\\FROMPIF\r\ndel startwin.bat\r\n");
  ASSERT_TRUE(createProcess(*machine, program + "\\STARTWIN.BAT ").started());
  boot(*machine);
  FileSystem files(*machine);
  EXPECT_TRUE(files.directoryExists("C:\\FROMPIF"));
  EXPECT_FALSE(files.fileExists(program + "\\STARTWIN.BAT"));
  // The next start has no hand-off left.
  files.removeDirectory("C:\\FROMPIF");
  writeFile(machine->resolve(program + "\\STARTWIN.BAT").host, "@md C:\\FROMPIF\r\n");
  boot(*machine);
  EXPECT_FALSE(files.directoryExists("C:\\FROMPIF"));
}

TEST(NextStart, HiveReplacementTakesPlaceOnXpAndKeepsTheOldHive) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::WinXp);
  FileSystem files(*machine);
  const std::string config = machine->config().systemDirectory + "\\config";
  std::string oldSoftware = content(*machine, config + "\\software");
  auto hive = testing_support::readNtHiveFile(machine->resolve(config + "\\software").host);
  hive.root.ensurePath("Staged");
  auto hiveBytes = registry::writeNtHive(hive);
  const std::string staged(hiveBytes.begin(), hiveBytes.end());
  writeFile(machine->resolve(config + "\\software.new").host, staged);
  {
    LiveRegistry registry(*machine, files);
    ASSERT_EQ(registry.replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", config + "\\software.new",
                                  config + "\\software.old"),
              WinError::Success);
  }
  WinError error;
  ASSERT_TRUE(exitWindowsEx(*machine, kEwxReboot, error));
  boot(*machine);
  EXPECT_TRUE(content(*machine, config + "\\software") == staged);
  EXPECT_TRUE(content(*machine, config + "\\software.old") == oldSoftware);
  EXPECT_FALSE(files.fileExists(config + "\\software.new"));
  EXPECT_FALSE(restartRequested(*machine));
  EXPECT_TRUE(machine->state().get("HiveReplacements", config + "\\software").value_or("").empty());
}

// A replacement whose new file is no hive is refused at the start: the hive
// stays as it was and the refusal names the file. A start cut off after the
// rename but before the record went finds the work done.
TEST(NextStart, HiveReplacementChecksTheNewFileAndFinishesAnInterruptedOne) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::WinXp);
  FileSystem files(*machine);
  const std::string config = machine->config().systemDirectory + "\\config";
  const std::string software = config + "\\software";
  const std::string oldSoftware = content(*machine, software);
  auto record = [&](const std::string& newFile) {
    LiveRegistry registry(*machine, files);
    ASSERT_EQ(
        registry.replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", newFile, config + "\\software.old"),
        WinError::Success);
  };

  writeFile(machine->resolve(config + "\\software.new").host, "regf but not really a hive");
  record(config + "\\software.new");
  std::string log = boot(*machine);
  EXPECT_EQ(content(*machine, software), oldSoftware);
  EXPECT_FALSE(files.fileExists(config + "\\software.old"));
  EXPECT_NE(log.find("hive replacement failed: "), std::string::npos) << log;
  EXPECT_NE(log.find("software.new"), std::string::npos) << log;
  EXPECT_TRUE(machine->state().get("HiveReplacements", software).value_or("").empty());

  // Cut off after the new hive went in place: the record is still there.
  auto hive = testing_support::readNtHiveFile(machine->resolve(software).host);
  hive.root.ensurePath("Staged");
  auto hiveBytes = registry::writeNtHive(hive);
  const std::string staged(hiveBytes.begin(), hiveBytes.end());
  writeFile(machine->resolve(config + "\\software.new").host, staged);
  record(config + "\\software.new");
  std::filesystem::path hiveHost = machine->resolve(software).host;
  std::filesystem::copy_file(hiveHost, hiveHost.parent_path() / "software.old");
  std::filesystem::rename(machine->resolve(config + "\\software.new").host, hiveHost);
  log = boot(*machine);
  EXPECT_TRUE(content(*machine, software) == staged);
  EXPECT_TRUE(content(*machine, config + "\\software.old") == oldSoftware);
  EXPECT_NE(log.find("already replaced"), std::string::npos) << log;
  EXPECT_TRUE(machine->state().get("HiveReplacements", software).value_or("").empty());
}

TEST(NextStart, DelayedMoveAndDeleteHappenOnceOnXp) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::WinXp);
  FileSystem files(*machine);
  writeFile(machine->resolve("C:\\staged.txt").host, "new content");
  writeFile(machine->resolve("C:\\target.txt").host, "old content");
  writeFile(machine->resolve("C:\\obsolete.txt").host, "to go");
  files.moveFileEx("C:\\staged.txt", "C:\\target.txt",
                   kMoveFileDelayUntilReboot | kMoveFileReplaceExisting);
  files.moveFileEx("C:\\obsolete.txt", "", kMoveFileDelayUntilReboot);
  EXPECT_EQ(content(*machine, "C:\\target.txt"), "old content");
  boot(*machine);
  EXPECT_EQ(content(*machine, "C:\\target.txt"), "new content");
  EXPECT_FALSE(files.fileExists("C:\\staged.txt"));
  EXPECT_FALSE(files.fileExists("C:\\obsolete.txt"));
  EXPECT_TRUE(files.pendingDelayedMoves().empty());
}

TEST(NextStart, StartupShortcutsOfOtherProgramsAreRecordedAsStarted) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::Win98);
  FileSystem files(*machine);
  std::string startup;
  {
    LiveRegistry registry(*machine, files);
    HKEY key = 0;
    ASSERT_EQ(
        registry.openKeyEx(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           0, KEY_READ, key),
        WinError::Success);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_EQ(registry.queryValueEx(key, "Startup", type, data), WinError::Success);
    startup.assign(data.begin(), data.end());
    startup.resize(startup.find('\0') == std::string::npos ? startup.size() : startup.find('\0'));
  }
  shell::ShellLink link;
  link.target = machine->config().windowsDirectory + "\\NOTEPAD.EXE";
  link.arguments = "readme.txt";
  boot::writeLinkFile(files, startup + "\\Notes.lnk", link);
  boot(*machine);
  bool started = false;
  for (const auto& entry : readJournal(*machine))
    if (entry.kind == "start" && entry.details.find("NOTEPAD.EXE readme.txt") != std::string::npos)
      started = true;
  EXPECT_TRUE(started);
}

}  // namespace

namespace {

// Files Windows holds while it runs are free in the MS-DOS phase of its
// start, where a copy the program left in autoexec.bat reads them.
TEST(NextStart, FilesWindowsHoldsAreFreeBeforeWindowsStarts) {
  testing_support::TempDir dir;
  auto machine = sampleMachine(dir, WindowsVersion::Win98);
  const auto ini = dir / "machine" / "machine.ini";
  writeFile(ini, readFile(ini) + "\n[OpenFiles]\nFile1=C:\\MAIL.PST\n");
  machine = Machine::open(dir / "machine");
  writeFile(machine->resolve("C:\\MAIL.PST").host, "mail");
  FileSystem files(*machine);
  EXPECT_THROW(files.copyFile("C:\\MAIL.PST", "C:\\MAIL.BAK", false), OsError);

  std::string autoexec =
      files.fileExists("C:\\AUTOEXEC.BAT") ? content(*machine, "C:\\AUTOEXEC.BAT") : "";
  writeFile(machine->resolve("C:\\AUTOEXEC.BAT").host,
            "@copy C:\\MAIL.PST C:\\MAIL.BAK\r\n" + autoexec);
  boot(*machine);
  EXPECT_EQ(content(*machine, "C:\\MAIL.BAK"), "mail");
  // Once Windows runs it holds the file again.
  EXPECT_THROW(files.copyFile("C:\\MAIL.PST", "C:\\MAIL2.BAK", false), OsError);
}

}  // namespace

TEST(NextStart, AStartupShortcutStartsTheEditionItsExecutableNames) {
  using platform::boot::programEdition;
  EXPECT_EQ(programEdition("C:\\Program Files\\Corvasta\\crvast95.exe"), "95");
  EXPECT_EQ(programEdition("C:\\PROGRA~1\\CORVASTA\\CRVAST98.EXE"), "98");
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvastME.exe"), "me");
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvastNT.exe"), "nt4");
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvast2k.exe"), "2000");
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvastXP.exe"), "xp");
  // Any other name starts the program as it is built.
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvast.exe"), "");
  EXPECT_EQ(programEdition("C:\\Corvasta\\crvast31.exe"), "");
  EXPECT_EQ(programEdition("C:\\Corvasta\\notepad.exe"), "");
}
