// corvasta-machine run as a process: its output, exit statuses and effects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "platform/system/restart.h"
#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

enum class Captured { Both, Output, Errors };

// Runs the tool and captures its standard output, its standard error or both.
CommandResult tool(const std::vector<std::string>& args, Captured captured = Captured::Both) {
  std::string line = CORVASTA_MACHINE_TOOL;
  for (const auto& arg : args) line += " " + shellQuoted(arg);
  if (captured == Captured::Output) line = "{ " + line + " 2>/dev/null; }";
  if (captured == Captured::Errors) line = "{ " + line + " >/dev/null; }";
  return testing_support::runCommand(line);
}

std::string lineStartingWith(const std::string& text, const std::string& start) {
  size_t pos = text.find("\n" + start);
  if (pos == std::string::npos) return "";
  size_t end = text.find('\n', pos + 1);
  return text.substr(pos + 1, end - pos - 1);
}

class CorvastaMachine : public ::testing::Test {
 protected:
  void createMe() {
    CommandResult created = tool({"create", "--windows", "me", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  std::string machine() const { return (temp_ / "me").string(); }
  TempDir temp_;
};

}  // namespace

TEST_F(CorvastaMachine, InfoListsVersionDirectoriesAndDrives) {
  createMe();
  CommandResult info = tool({"info", machine()}, Captured::Output);
  ASSERT_EQ(info.exitCode, 0) << info.output;
  EXPECT_EQ(info.output.rfind("Windows ME, running\n", 0), 0u) << info.output;
  EXPECT_NE(info.output.find("Windows directory: C:\\WINDOWS\n"), std::string::npos);
  EXPECT_NE(info.output.find("System directory: C:\\WINDOWS\\SYSTEM\n"), std::string::npos);
  EXPECT_NE(info.output.find("Program directory: C:\\Program Files\\Corvasta\n"),
            std::string::npos);
  EXPECT_NE(info.output.find("User: Owner\n"), std::string::npos);
  std::string a = lineStartingWith(info.output, "A: ");
  EXPECT_EQ(a.rfind("A: removable  " + machine() + "/drives/a/disk1  medium disk1", 0), 0u) << a;
  EXPECT_NE(a.find(" 1457664 bytes total  1457664 bytes free"), std::string::npos) << a;
  std::string c = lineStartingWith(info.output, "C: ");
  EXPECT_EQ(c.rfind("C: fixed  " + machine() + "/drives/c  label \"WINME\"", 0), 0u) << c;
  EXPECT_NE(lineStartingWith(info.output, "D: cdrom").find("medium install"), std::string::npos);
  EXPECT_NE(info.output.find("\nRestart: not requested\n"), std::string::npos);
}

TEST_F(CorvastaMachine, CreatesEveryVersionAndRefusesAFolderInUse) {
  for (const char* version : {"95", "98", "nt4", "2000", "xp"}) {
    std::string dir = (temp_ / version).string();
    CommandResult created = tool({"create", "--windows", version, "--users", "2", dir});
    EXPECT_EQ(created.exitCode, 0) << version << ": " << created.output;
    EXPECT_EQ(tool({"info", dir}).exitCode, 0) << version;
  }
  CommandResult again =
      tool({"create", "--windows", "xp", (temp_ / "xp").string()}, Captured::Errors);
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.output.find("not empty"), std::string::npos) << again.output;
}

TEST_F(CorvastaMachine, PathResolvesWithoutCaseAndShowsWhereNewFilesGo) {
  createMe();
  CommandResult existing = tool({"path", machine(), "c:\\windows\\WIN.INI"}, Captured::Output);
  ASSERT_EQ(existing.exitCode, 0) << existing.output;
  EXPECT_EQ(existing.output, machine() + "/drives/c/WINDOWS/WIN.INI\n");
  CommandResult alias = tool({"path", machine(), "C:\\PROGRA~1\\corvasta\\unzip.exe"});
  EXPECT_EQ(alias.output, machine() + "/drives/c/Program Files/Corvasta/unzip.exe\n");
  CommandResult fresh = tool({"path", machine(), "C:\\Windows\\New Folder\\Report.txt"});
  EXPECT_EQ(fresh.exitCode, 0);
  EXPECT_EQ(fresh.output, machine() + "/drives/c/WINDOWS/New Folder/Report.txt\n");

  CommandResult unknown = tool({"path", machine(), "Q:\\file.txt"}, Captured::Errors);
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.output.find("drive Q:"), std::string::npos) << unknown.output;
  EXPECT_EQ(tool({"path", machine(), "Q:\\file.txt"}, Captured::Output).output, "");
  EXPECT_EQ(tool({"path", machine(), "C:\\bad|name"}, Captured::Output).exitCode, 1);
}

TEST_F(CorvastaMachine, InsertAndEjectChangeTheDiskette) {
  createMe();
  ASSERT_EQ(tool({"eject", machine(), "A:"}).exitCode, 0);
  std::string empty = lineStartingWith(tool({"info", machine()}).output, "A: ");
  EXPECT_EQ(empty, "A: removable  " + machine() + "/drives/a  no medium");
  EXPECT_EQ(tool({"path", machine(), "A:\\x.txt"}, Captured::Output).exitCode, 1);

  ASSERT_EQ(tool({"insert", machine(), "a:", "disk2"}).exitCode, 0);
  writeFile(temp_ / "me" / "drives" / "a" / "disk2" / "BIG.DAT", std::string(100000, 'x'));
  std::string second = lineStartingWith(tool({"info", machine()}).output, "A: ");
  EXPECT_NE(second.find("/drives/a/disk2  medium disk2"), std::string::npos) << second;
  EXPECT_NE(second.find("1457664 bytes total  1357312 bytes free"), std::string::npos) << second;

  CommandResult unknown = tool({"insert", machine(), "A:", "disk9"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.output.find("disk9"), std::string::npos);
  EXPECT_EQ(tool({"eject", machine(), "C:"}).exitCode, 1);
  EXPECT_EQ(tool({"eject", machine(), "CC"}).exitCode, 2);
}

TEST_F(CorvastaMachine, BadArgumentsShowTheUsageAndBadMachinesTheMessage) {
  CommandResult help = tool({"--help"}, Captured::Output);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("corvasta-machine create --windows"), std::string::npos);
  EXPECT_NE(help.output.find("corvasta-machine path DIR WINPATH"), std::string::npos);
  EXPECT_EQ(tool({}).exitCode, 2);
  EXPECT_EQ(tool({"frobnicate"}).exitCode, 2);
  CommandResult badVersion = tool({"create", "--windows", "vista", (temp_ / "v").string()});
  EXPECT_EQ(badVersion.exitCode, 2);
  EXPECT_NE(badVersion.output.find("Usage: corvasta-machine create"), std::string::npos);
  EXPECT_EQ(tool({"create", "--windows", "me", "--users", "x", (temp_ / "v").string()}).exitCode,
            2);
  EXPECT_EQ(tool({"create", (temp_ / "v").string()}).exitCode, 2);
  EXPECT_EQ(tool({"info"}).exitCode, 2);
  EXPECT_EQ(tool({"path", machine()}).exitCode, 2);

  writeFile(temp_ / "bad" / "machine.ini", "[Machine]\nWindows=me\nColour=blue\n");
  CommandResult bad = tool({"info", (temp_ / "bad").string()});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("line 3"), std::string::npos) << bad.output;
  EXPECT_EQ(tool({"info", (temp_ / "none").string()}).exitCode, 1);
}

TEST_F(CorvastaMachine, InfoShowsARequestedRestart) {
  createMe();
  auto opened = platform::Machine::open(machine());
  platform::WinError error = platform::WinError::Success;
  ASSERT_TRUE(platform::exitWindowsEx(*opened, platform::kEwxReboot, error));
  EXPECT_NE(tool({"info", machine()}).output.find("\nRestart: requested\n"), std::string::npos);
}

// iso: a session of a machine folder in an image; what it cannot take is named
// (exit 1, the image written without it), and so is what is missing.
TEST_F(CorvastaMachine, IsoWritesASessionAndNamesWhatItRefusesOrMisses) {
  createMe();
  CommandResult root = tool({"path", machine(), "C:\\"}, Captured::Output);
  ASSERT_EQ(root.exitCode, 0) << root.output;
  const std::filesystem::path disc =
      std::filesystem::path(root.output.substr(0, root.output.find('\n'))) / "Disc";
  writeFile(disc / "a.txt", "first");
  const std::string image = (temp_ / "disc.iso").string();

  CommandResult first = tool({"iso", machine(), "C:\\Disc", image});
  EXPECT_EQ(first.exitCode, 0) << first.output;
  EXPECT_EQ(first.output, "session at 0, 300 sectors\n");
  EXPECT_EQ(std::filesystem::file_size(image), 300u * 2048);

  writeFile(disc / (std::string(106, 'n') + ".txt"), "its name is 110 characters long");
  writeFile(disc / "b.txt", "second");
  CommandResult second = tool({"iso", machine(), "C:\\Disc", image, "--import", "0"});
  EXPECT_EQ(second.exitCode, 1) << second.output;
  EXPECT_NE(second.output.find("refused C:\\Disc\\" + std::string(106, 'n') + ".txt: "),
            std::string::npos)
      << second.output;
  EXPECT_NE(second.output.find("session at 300, 300 sectors\n"), std::string::npos)
      << second.output;
  EXPECT_EQ(std::filesystem::file_size(image), 600u * 2048);

  CommandResult noFolder = tool({"iso", machine(), "C:\\Nowhere", image});
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_NE(noFolder.output.find("C:\\Nowhere"), std::string::npos) << noFolder.output;
  const std::string missing = (temp_ / "missing.iso").string();
  CommandResult noImage = tool({"iso", machine(), "C:\\Disc", missing, "--import", "0"});
  EXPECT_EQ(noImage.exitCode, 1);
  EXPECT_NE(noImage.output.find(missing), std::string::npos) << noImage.output;
  EXPECT_FALSE(std::filesystem::exists(missing));
  CommandResult noSession = tool({"iso", machine(), "C:\\Disc", image, "--import", "100"});
  EXPECT_EQ(noSession.exitCode, 1);
  EXPECT_NE(noSession.output.find("No session starts at sector 100"), std::string::npos)
      << noSession.output;
  EXPECT_EQ(std::filesystem::file_size(image), 600u * 2048);  // nothing written

  EXPECT_EQ(tool({"iso", machine(), "C:\\Disc"}).exitCode, 2);
  CommandResult badStart = tool({"iso", machine(), "C:\\Disc", image, "--start", "ten"});
  EXPECT_EQ(badStart.exitCode, 2);
  EXPECT_NE(badStart.output.find("Usage: corvasta-machine iso DIR WINPATH IMAGE"),
            std::string::npos)
      << badStart.output;
}
