// DOS attributes, the three file times and the archive bit, on both places
// attributes can live: user.DOSATTRIB extended attributes and the state folder.
#include <sys/xattr.h>
#include <utime.h>

#include "files_fixture.h"
#include "platform/files/dos_attrib_blob.h"

using namespace platform;
using files_test::FilesTest;

namespace {

bool hostHasUserXattrs(const std::filesystem::path& folder) {
  auto probe = folder / "xattr-probe";
  testing_support::writeFile(probe, "");
  bool ok = ::setxattr(probe.c_str(), "user.test", "1", 1, 0) == 0;
  std::filesystem::remove(probe);
  return ok;
}

class AttributeStoreTest : public FilesTest, public ::testing::WithParamInterface<bool> {
 protected:
  FileSystemOptions options() const { return FileSystemOptions{GetParam()}; }
  void SetUp() override {
    open(testing_support::MachineBuilder(WindowsVersion::WinXp), options());
    if (!GetParam() && !hostHasUserXattrs(host()))
      GTEST_SKIP() << "the test folder's file system has no user extended attributes";
  }
};

}  // namespace

TEST_P(AttributeStoreTest, NewFilesHaveTheArchiveBitAndFoldersNone) {
  write("C:\\new.txt", "x");
  files->createDirectory("C:\\Folder");
  EXPECT_EQ(files->getFileAttributes("C:\\new.txt"), kAttributeArchive);
  EXPECT_EQ(files->getFileAttributes("C:\\Folder"), kAttributeDirectory);
  EXPECT_EQ(files->getFileAttributes("C:\\"), kAttributeDirectory);
}

TEST_P(AttributeStoreTest, NormalIsReportedOnlyWhenNoOtherBitIsSet) {
  write("C:\\plain.txt", "x");
  files->setFileAttributes("C:\\plain.txt", kAttributeNormal);
  EXPECT_EQ(files->getFileAttributes("C:\\plain.txt"), kAttributeNormal);
}

TEST_P(AttributeStoreTest, AttributesAndCreationTimeSurviveARestart) {
  write("C:\\boot.ini", "[boot loader]");
  files->createDirectory("C:\\Hidden Folder");
  files->setFileAttributes("C:\\boot.ini",
                           kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  files->setFileAttributes("C:\\Hidden Folder", kAttributeHidden);
  FileTime created{125000000000000000ull};  // 1997
  FileTime written{126000000000000000ull};
  files->setFileTime("C:\\Hidden Folder", created, std::nullopt, written);
  reopen(options());
  EXPECT_EQ(files->getFileAttributes("C:\\BOOT.INI"),
            kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  EXPECT_EQ(files->getFileAttributes("C:\\hidden folder"), kAttributeHidden | kAttributeDirectory);
  FileTimes times = files->getFileTime("C:\\Hidden Folder");
  EXPECT_EQ(times.creation, created);
  EXPECT_EQ(times.lastWrite, written);
}

TEST_P(AttributeStoreTest, SettingTimesKeepsAClearArchiveBitClear) {
  write("C:\\a.txt", "x");
  files->setFileAttributes("C:\\a.txt", 0);
  files->setFileTime("C:\\a.txt", FileTime{125000000000000000ull}, std::nullopt,
                     FileTime{126000000000000000ull});
  EXPECT_EQ(files->getFileAttributes("C:\\a.txt"), kAttributeNormal);
}

TEST_P(AttributeStoreTest, ArchiveBitReturnsAfterAChangeThroughUs) {
  write("C:\\data.txt", "one");
  files->setFileAttributes("C:\\data.txt", kAttributeHidden);
  auto handle =
      files->createFile("C:\\data.txt", kGenericWrite, 0, CreationDisposition::OpenExisting);
  handle.write("two", 3);
  handle.close();
  EXPECT_EQ(files->getFileAttributes("C:\\data.txt"), kAttributeHidden | kAttributeArchive);
}

TEST_P(AttributeStoreTest, ArchiveBitReturnsAfterAnotherProgramChangedTheFileOnTheHost) {
  write("C:\\notes.txt", "backed up");
  files->setFileAttributes("C:\\notes.txt", 0);
  reopen(options());
  EXPECT_EQ(files->getFileAttributes("C:\\notes.txt"), kAttributeNormal);
  // Same size, later modification time: still a change.
  testing_support::writeFile(host() / "notes.txt", "edited!!!");
  struct timeval later[2] = {{2000000000, 0}, {2000000000, 0}};
  ::utimes((host() / "notes.txt").c_str(), later);
  EXPECT_EQ(files->getFileAttributes("C:\\notes.txt"), kAttributeArchive);
  // And it stays set once noticed.
  EXPECT_EQ(files->getFileAttributes("C:\\notes.txt"), kAttributeArchive);
}

TEST_P(AttributeStoreTest, DeletedFileForgetsItsAttributes) {
  write("C:\\gone.txt", "x");
  files->setFileAttributes("C:\\gone.txt", kAttributeHidden);
  files->deleteFile("C:\\gone.txt");
  write("C:\\gone.txt", "y");
  EXPECT_EQ(files->getFileAttributes("C:\\gone.txt"), kAttributeArchive);
}

TEST_P(AttributeStoreTest, RenamedFolderKeepsTheAttributesOfItsFiles) {
  files->createDirectory("C:\\Old");
  write("C:\\Old\\inner.txt", "x");
  files->setFileAttributes("C:\\Old\\inner.txt", kAttributeSystem);
  files->moveFile("C:\\Old", "C:\\New");
  EXPECT_EQ(files->getFileAttributes("C:\\New\\inner.txt"), kAttributeSystem);
}

INSTANTIATE_TEST_SUITE_P(Stores, AttributeStoreTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "StateFolder" : "Xattr"; });

TEST_F(FilesTest, XattrStoreWritesSambaCompatibleDosAttrib) {
  open(testing_support::MachineBuilder(WindowsVersion::WinXp));
  if (!hostHasUserXattrs(host())) GTEST_SKIP() << "no user extended attributes here";
  write("C:\\shared.txt", "x");
  files->setFileAttributes("C:\\shared.txt", kAttributeHidden | kAttributeArchive);
  char value[256];
  ssize_t size = ::getxattr((host() / "shared.txt").c_str(), "user.DOSATTRIB", value, sizeof value);
  ASSERT_GT(size, 0);
  std::string blob(value, static_cast<size_t>(size));
  EXPECT_EQ(blob.substr(0, 5), std::string("0x22\0", 5));
  EXPECT_EQ(decodeDosAttrib(blob).attributes, kAttributeHidden | kAttributeArchive);
  EXPECT_FALSE(std::filesystem::exists(machine->stateFolder() / "attributes" / "C.tsv"));
}

TEST_F(FilesTest, ForcedStateFolderStoreLeavesTheHostFilesAlone) {
  open(testing_support::MachineBuilder(WindowsVersion::WinXp), FileSystemOptions{true});
  write("C:\\kept.txt", "x");
  files->setFileAttributes("C:\\kept.txt", kAttributeReadOnly);
  char value[8];
  EXPECT_LT(::getxattr((host() / "kept.txt").c_str(), "user.DOSATTRIB", value, sizeof value), 0);
  EXPECT_NE(testing_support::readFile(machine->stateFolder() / "attributes" / "C.tsv")
                .find("kept.txt\t1\t"),
            std::string::npos);
}

TEST_F(FilesTest, CdRomFilesAreReadOnly) {
  open(testing_support::MachineBuilder(WindowsVersion::WinMe).cdromDrive('D'));
  testing_support::writeFile(host('D') / "SETUP.EXE", "MZ");
  EXPECT_EQ(files->getFileAttributes("D:\\setup.exe"), kAttributeReadOnly | kAttributeArchive);
  EXPECT_EQ(files_test::errorOf([&] { files->deleteFile("D:\\SETUP.EXE"); }),
            WinError::AccessDenied);
  EXPECT_EQ(files_test::errorOf([&] { write("D:\\new.txt", "x"); }), WinError::AccessDenied);
}

TEST_F(FilesTest, TwoFileSystemsOnOneMachineSeeEachOthersAttributesAndHandles) {
  open(testing_support::MachineBuilder(WindowsVersion::WinMe), FileSystemOptions{true});
  FileSystem other(*machine, FileSystemOptions{true});
  write("C:\\one.txt", "1");
  write("C:\\two.txt", "2");
  files->setFileAttributes("C:\\one.txt", kAttributeHidden);
  other.setFileAttributes("C:\\two.txt", kAttributeSystem);
  EXPECT_EQ(files->getFileAttributes("C:\\two.txt"), kAttributeSystem);
  EXPECT_EQ(other.getFileAttributes("C:\\one.txt"), kAttributeHidden);
  auto held = files->createFile("C:\\one.txt", kGenericRead, 0, CreationDisposition::OpenExisting);
  EXPECT_EQ(files_test::errorOf([&] { other.deleteFile("C:\\one.txt"); }),
            WinError::SharingViolation);
}

// SetFileTime on a handle: the same times and creation record as by path,
// and only through a handle that may write.
TEST_P(AttributeStoreTest, TimesSetThroughAWritableHandleStayAfterClosing) {
  FileTime created{125000000000000000ull};
  FileTime written{126000000000000000ull};
  auto handle =
      files->createFile("C:\\made.txt", kGenericWrite, 0, CreationDisposition::CreateAlways);
  handle.write("content", 7);
  handle.setFileTime(created, std::nullopt, written);
  handle.close();
  reopen(options());
  FileTimes times = files->getFileTime("C:\\made.txt");
  EXPECT_EQ(times.creation, created);
  EXPECT_EQ(times.lastWrite, written);
  EXPECT_EQ(files->getFileAttributes("C:\\made.txt"), kAttributeArchive);
  auto reading = files->createFile("C:\\made.txt", kGenericRead, kFileShareRead,
                                   CreationDisposition::OpenExisting);
  try {
    reading.setFileTime(std::nullopt, std::nullopt, created);
    FAIL() << "a read-only handle cannot set times";
  } catch (const OsError& e) {
    EXPECT_EQ(e.code(), WinError::AccessDenied);
  }
  EXPECT_EQ(files->getFileTime("C:\\made.txt").lastWrite, written);
}

// A handle that sets times without writing leaves a clear archive bit clear,
// and the bit still comes back when the file then changes on the host.
TEST_P(AttributeStoreTest, TimesSetThroughAHandleKeepAClearArchiveBitClear) {
  write("C:\\clean.txt", "content");
  files->setFileAttributes("C:\\clean.txt", 0);
  auto handle =
      files->createFile("C:\\clean.txt", kGenericWrite, 0, CreationDisposition::OpenExisting);
  handle.setFileTime(FileTime{125000000000000000ull}, std::nullopt,
                     FileTime{126000000000000000ull});
  handle.close();
  EXPECT_EQ(files->getFileAttributes("C:\\clean.txt"), kAttributeNormal);
  EXPECT_EQ(files->getFileTime("C:\\clean.txt").creation, FileTime{125000000000000000ull});
  testing_support::writeFile(host() / "clean.txt", "changed on the host");
  EXPECT_EQ(files->getFileAttributes("C:\\clean.txt"), kAttributeArchive);
}

// An entry that refused extended attributes (a link) had its record in the
// state folder; deleted on the host, its record must not pass to a new file
// made under the same name.
TEST_F(FilesTest, ANewFileDoesNotInheritTheStateRecordOfAnEntryGoneFromTheHost) {
  open(testing_support::MachineBuilder(WindowsVersion::WinXp));
  if (!hostHasUserXattrs(host())) GTEST_SKIP() << "no user extended attributes here";
  std::filesystem::create_symlink(host() / "elsewhere", host() / "name.txt");
  files->setFileAttributes("C:\\name.txt", kAttributeHidden | kAttributeSystem);
  ASSERT_EQ(files->getFileAttributes("C:\\name.txt"), kAttributeHidden | kAttributeSystem);
  std::filesystem::remove(host() / "name.txt");
  auto make = [&] {
    auto handle =
        files->createFile("C:\\name.txt", kGenericWrite, 0, CreationDisposition::CreateAlways);
    handle.write("new", 3);
    handle.setFileTime(FileTime{125000000000000000ull}, std::nullopt, std::nullopt);
    handle.close();
    return files->getFileAttributes("C:\\name.txt");
  };
  EXPECT_EQ(make(), kAttributeArchive);
  // The same FileSystem sees a record of that name come back (the link
  // again) after it had dropped the old one.
  files->deleteFile("C:\\name.txt");
  std::filesystem::create_symlink(host() / "elsewhere", host() / "name.txt");
  files->setFileAttributes("C:\\name.txt", kAttributeHidden);
  std::filesystem::remove(host() / "name.txt");
  EXPECT_EQ(make(), kAttributeArchive);
  reopen();
  EXPECT_EQ(files->getFileAttributes("C:\\name.txt"), kAttributeArchive);
  EXPECT_EQ(files->getFileTime("C:\\name.txt").creation, FileTime{125000000000000000ull});
}
