// Writing the private-profile format: creating, deleting and erasing, CR LF on
// disk, no caching, failures that name the file and change nothing.
#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "platform/profile/private_profile.h"
#include "tests/platform_profile/profile_test.h"

using namespace platform;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

class ProfileWrite : public ProfileTest {};

TEST_F(ProfileWrite, CreatesFileSectionAndKeyWithCrLf) {
  writePrivateProfileString(*machine, "First", "A", "1", "C:\\new.ini");
  writePrivateProfileString(*machine, "Second", "B", "two", "C:\\new.ini");
  writePrivateProfileString(*machine, "first", "C", "3", "C:\\NEW.INI");
  writePrivateProfileString(*machine, "FIRST", "a", "one", "C:\\new.ini");
  EXPECT_EQ(readFile(c / "new.ini"), "[First]\r\nA=one\r\nC=3\r\n\r\n[Second]\r\nB=two\r\n");
}

TEST_F(ProfileWrite, EditsKeepCommentsAndOtherLines) {
  writeFile(c / "keep.ini", "; top\n[S]\nX = 1 ; not a comment\n\n[T]\ny=2\n");
  writePrivateProfileString(*machine, "S", "New", "v", "C:\\keep.ini");
  EXPECT_EQ(readFile(c / "keep.ini"),
            "; top\r\n[S]\r\nX = 1 ; not a comment\r\nNew=v\r\n\r\n[T]\r\ny=2\r\n");
}

TEST_F(ProfileWrite, NullValueDeletesKeyNullKeyErasesSection) {
  writeFile(c / "d.ini", "[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n[U]\r\nD=4\r\n");
  writePrivateProfileString(*machine, "s", "a", std::nullopt, "C:\\d.ini");
  writePrivateProfileString(*machine, "t", std::nullopt, std::nullopt, "C:\\d.ini");
  EXPECT_EQ(readFile(c / "d.ini"), "[S]\r\nB=2\r\n[U]\r\nD=4\r\n");
  // Deleting what is not there creates nothing.
  writePrivateProfileString(*machine, "S", "Z", std::nullopt, "C:\\absent.ini");
  writePrivateProfileString(*machine, "S", std::nullopt, std::nullopt, "C:\\absent.ini");
  EXPECT_FALSE(std::filesystem::exists(c / "absent.ini"));
}

TEST_F(ProfileWrite, ValueIsWrittenUpToItsFirstLineBreak) {
  writePrivateProfileString(*machine, "S", "K", "safe\r\n[Injected]\r\nX=1", "C:\\n.ini");
  EXPECT_EQ(readFile(c / "n.ini"), "[S]\r\nK=safe\r\n");
}

TEST_F(ProfileWrite, WholeSectionReplaced) {
  writeFile(c / "s.ini", "[S]\r\nOld=1\r\n\r\n[T]\r\nK=v\r\n");
  writePrivateProfileSection(*machine, "s", {"0=first line", "1 = second", "bare"}, "C:\\s.ini");
  EXPECT_EQ(getPrivateProfileSection(*machine, "S", "C:\\s.ini"),
            (std::vector<std::string>{"0=first line", "1=second", "bare="}));
  EXPECT_EQ(getPrivateProfileString(*machine, "T", "K", "", "C:\\s.ini"), "v");
}

TEST_F(ProfileWrite, EveryWriteIsOnDiskBeforeTheNextRead) {
  TIniFile one(*machine, "C:\\vastel.ini");
  TIniFile two(*machine, "c:\\VASTEL.ini");
  one.WriteInteger("AutoBackup", "Freq", 3);
  EXPECT_EQ(two.ReadInteger("autobackup", "FREQ", 5), 3);
  // A change made behind the program's back is seen at once as well.
  writeFile(c / "vastel.ini", "[AutoBackup]\r\nFreq=1\r\n");
  EXPECT_EQ(one.ReadInteger("AutoBackup", "Freq", 5), 1);
}

TEST_F(ProfileWrite, IniFileClass) {
  TIniFile ini(*machine, "C:\\vastel.ini");
  ini.WriteString("S", "Name", "\"  padded \"");
  ini.WriteBool("S", "Flag", true);
  ini.WriteBool("S", "Off", false);
  ini.WriteInteger("S", "Neg", -12);
  ini.WriteString("Empty", "E", "");
  EXPECT_EQ(readFile(c / "vastel.ini"),
            "[S]\r\nName=\"  padded \"\r\nFlag=1\r\nOff=0\r\nNeg=-12\r\n\r\n[Empty]\r\nE=\r\n");
  EXPECT_EQ(ini.ReadString("s", "name", ""), "  padded ");
  EXPECT_TRUE(ini.ReadBool("S", "Flag", false));
  EXPECT_FALSE(ini.ReadBool("S", "Off", true));
  EXPECT_TRUE(ini.ReadBool("S", "Neg", false));
  EXPECT_TRUE(ini.ValueExists("EMPTY", "e"));
  EXPECT_FALSE(ini.ValueExists("S", "Missing"));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"S", "Empty"}));
  EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"Name", "Flag", "Off", "Neg"}));
  ini.DeleteKey("Empty", "E");
  // A section without keys is not taken to exist.
  EXPECT_FALSE(ini.SectionExists("Empty"));
  ini.EraseSection("S");
  EXPECT_FALSE(ini.SectionExists("S"));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Empty"}));
}

TEST_F(ProfileWrite, UnwritableFileRaisesTheSettingsMessage) {
  auto expectUnwritable = [&](const std::string& file, WinError code) {
    TIniFile ini(*machine, file);
    try {
      ini.WriteString("S", "K", "v");
      ADD_FAILURE() << file << " was written";
    } catch (const OsError& error) {
      EXPECT_STREQ(error.what(), ("Unable to write to " + file).c_str());
      EXPECT_EQ(error.code(), code) << file;
    }
  };
  expectUnwritable("C:\\no such folder\\vastel.ini", WinError::PathNotFound);
  expectUnwritable("Q:\\vastel.ini", WinError::PathNotFound);
  expectUnwritable("D:\\vastel.ini", WinError::AccessDenied);
  std::filesystem::create_directories(c / "folder.ini");
  expectUnwritable("C:\\folder.ini", WinError::AccessDenied);
  EXPECT_TRUE(std::filesystem::is_directory(c / "folder.ini"));
}

TEST_F(ProfileWrite, ReadOnlyFileIsRefusedOthersKeepTheirAttributes) {
  FileSystem files(*machine);
  writeFile(c / "locked.ini", "[S]\r\nK=1\r\n");
  files.setFileAttributes("C:\\locked.ini", kAttributeReadOnly);
  TIniFile locked(*machine, "C:\\locked.ini");
  try {
    locked.WriteString("S", "K", "2");
    ADD_FAILURE() << "a read-only file was written";
  } catch (const OsError& error) {
    EXPECT_EQ(error.code(), WinError::AccessDenied);
    EXPECT_STREQ(error.what(), "Unable to write to C:\\locked.ini");
  }
  EXPECT_EQ(readFile(c / "locked.ini"), "[S]\r\nK=1\r\n");

  // A hidden system INI file (as MSDOS.SYS is) stays hidden and system, keeps
  // its creation time and is marked changed.
  writeFile(c / "MSDOS.SYS", "[Options]\r\nBootGUI=1\r\n");
  files.setFileAttributes("C:\\MSDOS.SYS", kAttributeHidden | kAttributeSystem);
  FileTime created = files.getFileTime("C:\\MSDOS.SYS").creation;
  writePrivateProfileString(*machine, "Options", "BootGUI", "0", "C:\\MSDOS.SYS");
  EXPECT_EQ(files.getFileAttributes("C:\\MSDOS.SYS"),
            kAttributeHidden | kAttributeSystem | kAttributeArchive);
  EXPECT_EQ(files.getFileTime("C:\\MSDOS.SYS").creation, created);
  EXPECT_EQ(readFile(c / "MSDOS.SYS"), "[Options]\r\nBootGUI=0\r\n");
}

TEST_F(ProfileWrite, NewFileGetsTheArchiveBitAndItsShortName) {
  writePrivateProfileString(*machine, "S", "K", "v", "C:\\Long Settings Name.ini");
  FileSystem files(*machine);
  EXPECT_EQ(files.getFileAttributes("C:\\Long Settings Name.ini"), kAttributeArchive);
  EXPECT_EQ(machine->shortPath("C:\\Long Settings Name.ini"), "C:\\LONGSE~1.INI");
  EXPECT_EQ(getPrivateProfileString(*machine, "S", "K", "", "C:\\LONGSE~1.INI"), "v");
}

TEST_F(ProfileWrite, FullDisketteRefusesTheWriteAndKeepsTheFile) {
  std::string original = "[S]\r\nK=small\r\n";
  writeFile(a / "vastel.ini", original);
  // Fill the diskette to the last cluster but what the file already holds.
  SpaceInfo space = machine->drive('A')->space();
  writeFile(a / "filler.bin", std::string(space.freeBytes, 'f'));
  ASSERT_EQ(machine->drive('A')->space().freeBytes, 0u);
  TIniFile ini(*machine, "A:\\vastel.ini");
  // Growing within the file's cluster still fits.
  ini.WriteString("S", "K", "a little longer");
  try {
    ini.WriteString("S", "Big", std::string(2000, 'x'));
    FAIL() << "the write did not fail";
  } catch (const OsError& error) {
    EXPECT_EQ(error.code(), WinError::DiskFull);
    EXPECT_STREQ(error.what(), "Unable to write to A:\\vastel.ini");
  }
  EXPECT_EQ(readFile(a / "vastel.ini"), "[S]\r\nK=a little longer\r\n");
  EXPECT_FALSE(std::filesystem::exists(a / "vastel.ini.~tmp"));
}

}  // namespace
