// lnkinfo (liblnk) reads the links we write with the same strings, and reads
// the format documentation's sample link as we do.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/shell/shell_link_read.h"
#include "platform/shell/shell_link_write.h"
#include "tests/platform_shell/format_example.h"
#include "tests/support/temp_dir.h"

using namespace platform::shell;
using namespace testing_support;

namespace {

// lnkinfo prints "<tabs>Name<tabs>: value" lines; this maps names to values.
std::map<std::string, std::string> lnkinfoFields(const std::string& bytes) {
  TempDir dir;
  writeFile(dir / "link.lnk", bytes);
  CommandResult result =
      runCommand("lnkinfo -c windows-1252 '" + (dir / "link.lnk").string() + "'");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  std::map<std::string, std::string> fields;
  std::istringstream lines(result.output);
  std::string line;
  while (std::getline(lines, line)) {
    size_t separator = line.find(": ");
    if (separator == std::string::npos) continue;
    std::string name = line.substr(0, separator);
    name.erase(0, name.find_first_not_of('\t'));
    name.erase(name.find_last_not_of('\t') + 1);
    fields.emplace(name, line.substr(separator + 2));
  }
  return fields;
}

void expectLnkinfoReads(const ShellLink& link) {
  std::map<std::string, std::string> fields = lnkinfoFields(writeShellLink(link));
  bool network = link.target.rfind("\\\\", 0) == 0;
  EXPECT_EQ(fields[network ? "Network path" : "Local path"], link.target);
  EXPECT_EQ(fields["Command line arguments"], link.arguments);
  EXPECT_EQ(fields["Working directory"], link.workingDir);
  EXPECT_EQ(fields["Description"], link.description);
}

ShellLink startupShortcut() {
  ShellLink link;
  link.target = "C:\\Program Files\\Corvasta\\CORVASTA.EXE";
  link.arguments = "bootup";
  link.description = "Corvasta";
  link.workingDir = "C:\\Program Files\\Corvasta";
  link.volume = {DriveType::Fixed, 0x2C1A0F33, "SYSTEM"};
  return link;
}

class LnkinfoPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
  }
};

}  // namespace

TEST_F(LnkinfoPeer, ReadsOurAnsiLinks) {
  expectLnkinfoReads(startupShortcut());

  ShellLink desktopIcon = startupShortcut();
  desktopIcon.target = "D:\\Programme\\Corvasta\\CORVASTA.EXE";
  desktopIcon.arguments = "schedule s 1 r";
  desktopIcon.description = "T\u00E4gliche Sicherung \u20AC";  // Windows-1252 characters
  desktopIcon.workingDir = "D:\\Programme\\Corvasta \u00C9t\u00E9";
  expectLnkinfoReads(desktopIcon);
}

TEST_F(LnkinfoPeer, ReadsOurLongArguments) {
  ShellLink link = startupShortcut();
  link.arguments = "clean \"" + std::string(20000, 'm') + "\" C:\\AUTOEXEC.BAT";
  expectLnkinfoReads(link);
}

TEST_F(LnkinfoPeer, ReadsOurUnicodeLinks) {
  ShellLink link = startupShortcut();
  link.target = "C:\\\u4E2D\u6587\\\u0394.exe";
  link.arguments = "copy \u2192 here";
  link.description = "Caf\u00E9";
  link.workingDir = "C:\\\u4E2D\u6587";
  expectLnkinfoReads(link);
}

TEST_F(LnkinfoPeer, ReadsOurNetworkLinks) {
  ShellLink link = startupShortcut();
  link.target = "\\\\SERVER\\APPS\\Corvasta\\CORVASTA.EXE";
  link.workingDir = "\\\\SERVER\\APPS\\Corvasta";
  expectLnkinfoReads(link);
}

TEST_F(LnkinfoPeer, ReadsTheSampleLinkAsWeDo) {
  std::string sample = shell_test::formatExampleLink();
  ShellLink ours = readShellLink(sample);
  std::map<std::string, std::string> theirs = lnkinfoFields(sample);
  EXPECT_EQ(theirs["Local path"], ours.target);
  EXPECT_EQ(theirs["Relative path"], ours.relativePath);
  EXPECT_EQ(theirs["Working directory"], ours.workingDir);
  std::ostringstream serial;
  serial << "0x" << std::hex << ours.volume.serialNumber;
  EXPECT_EQ(theirs["Drive serial number"], serial.str());
}
