#include "platform/shell/shell_link_read.h"

#include <gtest/gtest.h>

#include "tests/platform_shell/format_example.h"

using namespace platform::shell;
using namespace shell_test;

TEST(ShellLinkRead, ReadsTheFormatDocumentExample) {
  ShellLink link = readShellLink(formatExampleLink());
  EXPECT_EQ(link.target, "C:\\test\\a.txt");
  EXPECT_EQ(link.targetShortPath, "C:\\test\\a.txt");
  EXPECT_EQ(link.relativePath, ".\\a.txt");
  EXPECT_EQ(link.workingDir, "C:\\test");
  EXPECT_EQ(link.description, "");
  EXPECT_EQ(link.arguments, "");
  EXPECT_EQ(link.linkFlags, 0x0008009Bu);
  EXPECT_EQ(link.fileAttributes, kAttributeArchive);
  EXPECT_EQ(link.creationTime, 0x01C91515F2EEE9D0u);
  EXPECT_EQ(link.writeTime, 0x01C91515F2EEE9D0u);
  EXPECT_EQ(link.showCommand, ShowCommand::Normal);
  EXPECT_EQ(link.volume, (VolumeId{DriveType::Fixed, 0x307A8A81, ""}));
}

TEST(ShellLinkRead, TakesTargetFromWindowsXpIdListWithoutLinkInfo) {
  std::string bytes = formatExampleLink();
  bytes.erase(kExampleLinkInfoOffset, kExampleLinkInfoSize);
  bytes[0x14] = static_cast<char>(bytes[0x14] & ~kHasLinkInfo);
  ShellLink link = readShellLink(bytes);
  EXPECT_EQ(link.target, "C:\\test\\a.txt");
  EXPECT_EQ(link.relativePath, ".\\a.txt");
  EXPECT_EQ(link.volume, VolumeId{});
}

TEST(ShellLinkRead, IgnoresLinkInfoWhenTheLinkSaysSo) {
  std::string bytes = formatExampleLink();
  bytes[0x15] = static_cast<char>(bytes[0x15] | (kForceNoLinkInfo >> 8));
  // The path now comes from the ID list, whose items name the same file.
  EXPECT_EQ(readShellLink(bytes).target, "C:\\test\\a.txt");
}

TEST(ShellLinkRead, AcceptsLinkWithoutTerminalBlock) {
  std::string bytes = formatExampleLink();
  bytes.resize(kExampleExtraDataOffset);
  EXPECT_EQ(readShellLink(bytes).workingDir, "C:\\test");
}
