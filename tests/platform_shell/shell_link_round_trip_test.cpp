#include <gtest/gtest.h>

#include "platform/shell/shell_link_error.h"
#include "platform/shell/shell_link_read.h"
#include "platform/shell/shell_link_write.h"

using namespace platform::shell;

namespace {

ShellLink programShortcut() {
  ShellLink link;
  link.target = "C:\\Program Files\\Corvasta\\CORVASTA.EXE";
  link.targetShortPath = "C:\\PROGRA~1\\CORVASTA\\CORVASTA.EXE";
  link.relativePath = "..\\..\\Program Files\\Corvasta\\CORVASTA.EXE";
  link.description = "Corvasta";
  link.workingDir = "C:\\Program Files\\Corvasta";
  link.arguments = "schedule s 1 r";
  link.iconLocation = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";
  link.iconIndex = -21;
  link.showCommand = ShowCommand::MinimizedNoActivate;
  link.hotKey = {0x43, kHotKeyControl | kHotKeyAlt};
  link.fileAttributes = kAttributeArchive | kAttributeReadOnly;
  link.creationTime = 0x01C0A1B2C3D4E5F0;
  link.accessTime = 0x01C1000000000000;
  link.writeTime = 0x01C2112233445566;
  link.fileSize = 1'234'567;
  link.volume = {DriveType::Fixed, 0x1A2B3C4D, "WIN98"};
  link.linkFlags = kRunInSeparateProcess;
  return link;
}

ShellLink roundTrip(const ShellLink& link) {
  return readShellLink(writeShellLink(link));
}

void expectSameLink(const ShellLink& expected, const ShellLink& actual) {
  EXPECT_EQ(actual.target, expected.target);
  EXPECT_EQ(actual.targetShortPath, expected.targetShortPath);
  EXPECT_EQ(actual.relativePath, expected.relativePath);
  EXPECT_EQ(actual.environmentTarget, expected.environmentTarget);
  EXPECT_EQ(actual.description, expected.description);
  EXPECT_EQ(actual.workingDir, expected.workingDir);
  EXPECT_EQ(actual.arguments, expected.arguments);
  EXPECT_EQ(actual.iconLocation, expected.iconLocation);
  EXPECT_EQ(actual.iconIndex, expected.iconIndex);
  EXPECT_EQ(actual.showCommand, expected.showCommand);
  EXPECT_EQ(actual.hotKey, expected.hotKey);
  EXPECT_EQ(actual.fileAttributes, expected.fileAttributes);
  EXPECT_EQ(actual.creationTime, expected.creationTime);
  EXPECT_EQ(actual.accessTime, expected.accessTime);
  EXPECT_EQ(actual.writeTime, expected.writeTime);
  EXPECT_EQ(actual.fileSize, expected.fileSize);
  EXPECT_EQ(actual.volume, expected.volume);
}

}  // namespace

TEST(ShellLinkRoundTrip, KeepsEveryField) {
  ShellLink link = programShortcut();
  link.environmentTarget = "%ProgramFiles%\\Corvasta\\CORVASTA.EXE";
  ShellLink back = roundTrip(link);
  expectSameLink(link, back);
  EXPECT_TRUE(back.linkFlags & kRunInSeparateProcess);
  uint32_t present = kHasLinkTargetIdList | kHasLinkInfo | kHasName | kHasRelativePath |
                     kHasWorkingDir | kHasArguments | kHasIconLocation | kHasExpString;
  EXPECT_EQ(back.linkFlags & present, present);
  EXPECT_FALSE(back.linkFlags & kIsUnicode);
}

TEST(ShellLinkRoundTrip, KeepsEachShowCommandAndEmptyFields) {
  for (ShowCommand show :
       {ShowCommand::Normal, ShowCommand::Maximized, ShowCommand::MinimizedNoActivate}) {
    ShellLink link;
    link.target = "A:\\SETUP.EXE";
    link.showCommand = show;
    link.volume = {DriveType::Removable, 0, ""};
    ShellLink back = roundTrip(link);
    expectSameLink(link, back);
    EXPECT_EQ(back.linkFlags & (kHasName | kHasArguments | kHasWorkingDir | kIsUnicode), 0u);
  }
}

TEST(ShellLinkRoundTrip, KeepsLongArgumentsUpToTheFormatLimit) {
  ShellLink link = programShortcut();
  link.arguments = std::string(65535, 'a');
  link.arguments.replace(0, 8, "schedule");
  EXPECT_EQ(roundTrip(link).arguments, link.arguments);

  link.arguments += 'z';
  EXPECT_THROW(writeShellLink(link), ShellLinkFormatError);
}

TEST(ShellLinkRoundTrip, StoresWindows1252TextAsAnsi) {
  ShellLink link = programShortcut();
  link.description = "Caf\u00E9 \u20AC \u0160koda \u2122";  // every character is in 1252
  link.workingDir = "C:\\Eigene Dateien\\\u00DCbung";
  link.target = "C:\\Eigene Dateien\\\u00DCbung\\M\u00FCller.exe";
  std::string bytes = writeShellLink(link);
  EXPECT_NE(bytes.find("Caf\xE9 \x80 \x8Akoda \x99"), std::string::npos);
  EXPECT_NE(bytes.find("C:\\Eigene Dateien\\\xDC"
                       "bung\\M\xFCller.exe"),
            std::string::npos);
  ShellLink back = readShellLink(bytes);
  EXPECT_FALSE(back.linkFlags & kIsUnicode);
  expectSameLink(link, back);
}

TEST(ShellLinkRoundTrip, SwitchesToUnicodeForACharacterWindows1252Lacks) {
  ShellLink link = programShortcut();
  link.arguments = "copy \u2192 \u4E2D\u6587 \U0001F600";  // arrow, CJK, a surrogate pair
  link.description = "Caf\u00E9";
  ShellLink back = roundTrip(link);
  EXPECT_TRUE(back.linkFlags & kIsUnicode);
  expectSameLink(link, back);
}

TEST(ShellLinkRoundTrip, KeepsUnicodeTargetThroughLinkInfoAndIdList) {
  ShellLink link = programShortcut();
  link.target = "C:\\Daten\\\u4E2D\u6587\\\u0394elta.exe";
  link.targetShortPath.clear();
  link.volume.label = "\u0394ISK";
  expectSameLink(link, roundTrip(link));

  link.linkFlags |= kForceNoLinkInfo;  // the ID list alone must name it
  ShellLink back = roundTrip(link);
  EXPECT_EQ(back.target, link.target);
  EXPECT_FALSE(back.linkFlags & kHasLinkInfo);
}

TEST(ShellLinkRoundTrip, IdListAloneNamesTargetAndShortPath) {
  ShellLink link = programShortcut();
  link.linkFlags |= kForceNoLinkInfo;
  ShellLink back = roundTrip(link);
  EXPECT_EQ(back.target, link.target);
  EXPECT_EQ(back.targetShortPath, link.targetShortPath);
  EXPECT_EQ(back.volume, VolumeId{});  // only the LinkInfo records the volume
}

TEST(ShellLinkRoundTrip, KeepsDriveRootDirectoryAndNetworkTargets) {
  for (const char* target :
       {"C:\\", "D:\\GAMES", "\\\\SERVER\\SHARE", "\\\\server\\share\\dir\\f.exe"}) {
    ShellLink link;
    link.target = target;
    link.fileAttributes = kAttributeDirectory;
    EXPECT_EQ(roundTrip(link).target, target);
  }
  ShellLink network;
  network.target = "\\\\server\\\u4E2D\\f.exe";
  EXPECT_EQ(roundTrip(network).target, network.target);
  EXPECT_FALSE(roundTrip(network).linkFlags & kHasLinkTargetIdList);
  network.linkFlags = kForceNoLinkInfo;  // would leave nothing naming the target
  EXPECT_EQ(roundTrip(network).target, network.target);
}

TEST(ShellLinkRoundTrip, LinkWithoutTargetKeepsRelativeAndEnvironmentPaths) {
  ShellLink link;
  link.relativePath = ".\\readme.txt";
  link.environmentTarget = "%windir%\\notepad.exe";
  ShellLink back = roundTrip(link);
  EXPECT_EQ(back.target, "");
  EXPECT_EQ(back.relativePath, link.relativePath);
  EXPECT_EQ(back.environmentTarget, link.environmentTarget);
  EXPECT_EQ(back.linkFlags & (kHasLinkTargetIdList | kHasLinkInfo), 0u);
}

TEST(ShellLinkRoundTrip, RefusesWhatTheFormatCannotHold) {
  ShellLink relative;
  relative.target = "notepad.exe";
  EXPECT_THROW(writeShellLink(relative), ShellLinkFormatError);
  ShellLink environment;
  environment.environmentTarget = "%windir%\\" + std::string(260, 'x');
  EXPECT_THROW(writeShellLink(environment), ShellLinkFormatError);
}

TEST(ShellLinkRoundTrip, UnknownShowCommandOpensNormally) {
  ShellLink link = programShortcut();
  std::string bytes = writeShellLink(link);
  bytes[0x3C] = 5;  // SW_SHOW
  EXPECT_EQ(readShellLink(bytes).showCommand, ShowCommand::Normal);
}

TEST(ShellLinkWrite, FileItemCarriesTargetSizeAttributesAndDosTime) {
  ShellLink link;
  link.target = "C:\\test\\a.txt";
  link.fileAttributes = kAttributeArchive;
  link.fileSize = 0x1234;
  link.writeTime = 0x01C91515F2EEE9D0;  // 2008-09-12 20:27:17.101 UTC
  std::string bytes = writeShellLink(link);
  // Size, then the date and time rounded up to 20:27:18 (as in the format
  // document's sample, written by Windows), then the attributes and the name.
  std::string item(
      "\x32\x00\x34\x12\x00\x00\x2C\x39\x69\xA3\x20\x00"
      "a.txt",
      17);
  EXPECT_NE(bytes.find(item), std::string::npos);
}
