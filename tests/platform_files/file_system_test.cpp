// The kernel32 file calls: dispositions, errors, copy, move, delete, folders.
#include "files_fixture.h"

using namespace platform;
using files_test::errorOf;
using files_test::FilesTest;

namespace {

class FileSystemTest : public FilesTest {
 protected:
  void SetUp() override {
    open(testing_support::MachineBuilder(WindowsVersion::WinXp).fixedDrive('D'));
  }
};

}  // namespace

TEST_F(FileSystemTest, PathsResolveWithoutCaseAndNewNamesKeepTheirCase) {
  files->createDirectory("C:\\Program Files");
  write("C:\\program files\\Setup.LOG", "log");
  EXPECT_TRUE(std::filesystem::exists(host() / "Program Files" / "Setup.LOG"));
  EXPECT_EQ(read("C:\\PROGRAM FILES\\SETUP.log"), "log");
  EXPECT_EQ(read("C:\\PROGRA~1\\setup.log"), "log");
  EXPECT_TRUE(files->fileExists("c:/program files/setup.log"));
  EXPECT_TRUE(files->directoryExists("C:\\PROGRAM FILES"));
  EXPECT_FALSE(files->exists("Q:\\anything"));
}

TEST_F(FileSystemTest, CreationDispositionsFollowWindows) {
  EXPECT_EQ(errorOf([&] {
              files->createFile("C:\\none.txt", kGenericRead, 0, CreationDisposition::OpenExisting);
            }),
            WinError::FileNotFound);
  EXPECT_EQ(errorOf([&] {
              files->createFile("C:\\No Folder\\x.txt", kGenericWrite, 0,
                                CreationDisposition::CreateAlways);
            }),
            WinError::PathNotFound);
  write("C:\\one.txt", "12345");
  EXPECT_EQ(errorOf([&] {
              files->createFile("C:\\one.txt", kGenericWrite, 0, CreationDisposition::CreateNew);
            }),
            WinError::FileExists);
  files->createFile("C:\\one.txt", kGenericRead, 0, CreationDisposition::OpenAlways);
  EXPECT_EQ(read("C:\\one.txt"), "12345");
  files->createFile("C:\\one.txt", kGenericWrite, 0, CreationDisposition::TruncateExisting);
  EXPECT_EQ(files->getFileSize("C:\\one.txt"), 0u);
  EXPECT_EQ(errorOf([&] {
              files->createFile("C:\\one.txt", kGenericRead, 0,
                                CreationDisposition::TruncateExisting);
            }),
            WinError::InvalidParameter);
  files->createDirectory("C:\\dir");
  EXPECT_EQ(errorOf([&] {
              files->createFile("C:\\dir", kGenericRead, 0, CreationDisposition::OpenExisting);
            }),
            WinError::AccessDenied);
}

TEST_F(FileSystemTest, HandlesReadWriteSeekAndCheckTheirAccess) {
  auto handle = files->createFile("C:\\data.bin", kGenericRead | kGenericWrite, 0,
                                  CreationDisposition::CreateNew);
  handle.write("abcdef", 6);
  EXPECT_EQ(handle.seek(2, SeekOrigin::Begin), 2u);
  char buffer[8] = {};
  EXPECT_EQ(handle.read(buffer, 8), 4u);
  EXPECT_EQ(std::string(buffer, 4), "cdef");
  EXPECT_EQ(handle.read(buffer, 8), 0u);
  EXPECT_EQ(errorOf([&] { handle.seek(-7, SeekOrigin::End); }), WinError::NegativeSeek);
  handle.seek(3, SeekOrigin::Begin);
  handle.setEndOfFile();
  EXPECT_EQ(handle.size(), 3u);
  handle.close();
  auto reader = files->createFile("C:\\data.bin", kGenericRead, kFileShareRead,
                                  CreationDisposition::OpenExisting);
  EXPECT_EQ(errorOf([&] { reader.write("x", 1); }), WinError::AccessDenied);
  reader.close();
  EXPECT_EQ(errorOf([&] { reader.read(buffer, 1); }), WinError::InvalidHandle);
}

TEST_F(FileSystemTest, SharingViolationsBetweenHandlesOfTheProcess) {
  write("C:\\shared.txt", "x");
  {
    auto first = files->createFile("C:\\shared.txt", kGenericRead, kFileShareRead,
                                   CreationDisposition::OpenExisting);
    // Readers that share reading get along; a writer does not.
    files->createFile("C:\\SHARED.TXT", kGenericRead, kFileShareRead,
                      CreationDisposition::OpenExisting);
    EXPECT_EQ(errorOf([&] {
                files->createFile("C:\\shared.txt", kGenericWrite, kFileShareRead,
                                  CreationDisposition::OpenExisting);
              }),
              WinError::SharingViolation);
    // A second opener that does not share reading conflicts with the reader.
    EXPECT_EQ(errorOf([&] {
                files->createFile("C:\\shared.txt", kGenericRead, 0,
                                  CreationDisposition::OpenExisting);
              }),
              WinError::SharingViolation);
    EXPECT_EQ(errorOf([&] { files->deleteFile("C:\\shared.txt"); }), WinError::SharingViolation);
    EXPECT_EQ(errorOf([&] { files->moveFile("C:\\shared.txt", "C:\\moved.txt"); }),
              WinError::SharingViolation);
    // Attributes can still be read and set.
    files->setFileAttributes("C:\\shared.txt", kAttributeHidden);
  }
  files->deleteFile("C:\\shared.txt");
  EXPECT_FALSE(files->exists("C:\\shared.txt"));
}

TEST_F(FileSystemTest, ListedOpenFilesAndLoadedHivesAreHeldWhileTheMachineRuns) {
  auto setup = [&](bool running) {
    open(testing_support::MachineBuilder(WindowsVersion::WinXp)
             .configure([&](MachineConfig& config) {
               config.running = running;
               config.openFiles = {"C:\\pagefile.sys"};
             }));
    for (const char* path :
         {"C:\\pagefile.sys", "C:\\WINDOWS\\system32\\config\\SYSTEM",
          "C:\\WINDOWS\\system32\\config\\software.LOG", "C:\\WINDOWS\\system32\\config\\other",
          "C:\\Documents and Settings\\Ann\\NTUSER.DAT",
          "C:\\Documents and Settings\\Ann\\Local Settings\\Application "
          "Data\\Microsoft\\Windows\\UsrClass.dat",
          "C:\\Documents and Settings\\Ann\\My Documents\\ntuser.dat"}) {
      std::string host = path + 3;
      for (char& c : host)
        if (c == '\\') c = '/';
      testing_support::writeFile(this->host() / host, "hive");
    }
  };
  auto readError = [&](const char* path) { return errorOf([&] { read(path); }); };
  setup(true);
  EXPECT_EQ(readError("C:\\PAGEFILE.SYS"), WinError::SharingViolation);
  EXPECT_EQ(readError("C:\\WINDOWS\\SYSTEM32\\CONFIG\\system"), WinError::SharingViolation);
  EXPECT_EQ(readError("C:\\WINDOWS\\system32\\config\\software.log"), WinError::SharingViolation);
  EXPECT_EQ(readError("C:\\DOCUMENTS AND SETTINGS\\Ann\\ntuser.dat"), WinError::SharingViolation);
  EXPECT_EQ(readError("C:\\Documents and Settings\\Ann\\Local Settings\\Application "
                      "Data\\Microsoft\\Windows\\UsrClass.dat"),
            WinError::SharingViolation);
  EXPECT_EQ(readError("C:\\WINDOWS\\system32\\config\\other"), WinError::Success);
  EXPECT_EQ(readError("C:\\Documents and Settings\\Ann\\My Documents\\ntuser.dat"),
            WinError::Success);
  EXPECT_EQ(
      errorOf([&] { files->copyFile("C:\\WINDOWS\\system32\\config\\sam", "C:\\sam.bak", false); }),
      WinError::FileNotFound);
  EXPECT_EQ(errorOf([&] {
              files->copyFile("C:\\WINDOWS\\system32\\config\\system", "C:\\system.bak", false);
            }),
            WinError::SharingViolation);
  EXPECT_FALSE(files->exists("C:\\system.bak"));
  EXPECT_EQ(errorOf([&] { files->deleteFile("C:\\pagefile.sys"); }), WinError::SharingViolation);
  EXPECT_EQ(files->getFileAttributes("C:\\pagefile.sys"), kAttributeArchive);
  setup(false);
  EXPECT_EQ(readError("C:\\PAGEFILE.SYS"), WinError::Success);
  EXPECT_EQ(readError("C:\\WINDOWS\\SYSTEM32\\CONFIG\\system"), WinError::Success);
}

TEST_F(FileSystemTest, ReadOnlyFilesCannotBeDeletedOrWrittenButCanBeRenamed) {
  write("C:\\locked.txt", "x");
  files->setFileAttributes("C:\\locked.txt", kAttributeReadOnly);
  EXPECT_EQ(errorOf([&] { files->deleteFile("C:\\locked.txt"); }), WinError::AccessDenied);
  EXPECT_EQ(errorOf([&] { write("C:\\locked.txt", "y"); }), WinError::AccessDenied);
  EXPECT_EQ(read("C:\\locked.txt"), "x");
  files->moveFile("C:\\locked.txt", "C:\\still locked.txt");
  EXPECT_EQ(files->getFileAttributes("C:\\still locked.txt"), kAttributeReadOnly);
  files->setFileAttributes("C:\\still locked.txt", kAttributeNormal);
  files->deleteFile("C:\\still locked.txt");
  EXPECT_EQ(errorOf([&] { files->deleteFile("C:\\still locked.txt"); }), WinError::FileNotFound);
}

TEST_F(FileSystemTest, HiddenFilesAreReplacedOnlyByHiddenOnesOnNt) {
  write("C:\\hidden.dat", "x");
  files->setFileAttributes("C:\\hidden.dat", kAttributeHidden);
  EXPECT_EQ(errorOf([&] { write("C:\\hidden.dat", "y"); }), WinError::AccessDenied);
  files->createFile("C:\\hidden.dat", kGenericWrite, 0, CreationDisposition::CreateAlways,
                    kAttributeHidden);
  EXPECT_EQ(files->getFileSize("C:\\hidden.dat"), 0u);
}

TEST_F(FileSystemTest, FoldersAreCreatedAndRemovedWithWindowsErrors) {
  files->createDirectory("C:\\Temp");
  EXPECT_EQ(errorOf([&] { files->createDirectory("C:\\TEMP"); }), WinError::AlreadyExists);
  EXPECT_EQ(errorOf([&] { files->createDirectory("C:\\a\\b"); }), WinError::PathNotFound);
  write("C:\\Temp\\x.tmp", "x");
  EXPECT_EQ(errorOf([&] { files->removeDirectory("C:\\Temp"); }), WinError::DirNotEmpty);
  EXPECT_EQ(errorOf([&] { files->removeDirectory("C:\\Temp\\x.tmp"); }), WinError::Directory);
  EXPECT_EQ(errorOf([&] { files->deleteFile("C:\\Temp"); }), WinError::AccessDenied);
  files->deleteFile("C:\\Temp\\x.tmp");
  files->removeDirectory("C:\\temp");
  EXPECT_FALSE(files->exists("C:\\Temp"));
  EXPECT_EQ(errorOf([&] { files->removeDirectory("C:\\Temp"); }), WinError::FileNotFound);
}

TEST_F(FileSystemTest, CopyCarriesAttributesAndLastWriteTimeAndSetsTheArchiveBit) {
  write("C:\\source.txt", "content");
  FileTime written{126000000000000000ull};
  files->setFileTime("C:\\source.txt", FileTime{125000000000000000ull}, std::nullopt, written);
  files->setFileAttributes("C:\\source.txt", kAttributeReadOnly | kAttributeHidden);
  files->copyFile("C:\\source.txt", "D:\\copy.txt", true);
  EXPECT_EQ(read("D:\\copy.txt"), "content");
  EXPECT_EQ(files->getFileAttributes("D:\\copy.txt"),
            kAttributeReadOnly | kAttributeHidden | kAttributeArchive);
  FileTimes times = files->getFileTime("D:\\copy.txt");
  EXPECT_EQ(times.lastWrite, written);
  EXPECT_GT(times.creation, written);  // a copy is a new file
  EXPECT_EQ(errorOf([&] { files->copyFile("C:\\source.txt", "D:\\copy.txt", true); }),
            WinError::FileExists);
  // Replacing a read-only destination is refused.
  EXPECT_EQ(errorOf([&] { files->copyFile("C:\\source.txt", "D:\\copy.txt", false); }),
            WinError::AccessDenied);
  EXPECT_EQ(errorOf([&] { files->copyFile("C:\\missing.txt", "D:\\x.txt", false); }),
            WinError::FileNotFound);
}

TEST_F(FileSystemTest, MovesRenameOnADriveAndCopyAcrossDrives) {
  write("C:\\a.txt", "a");
  write("C:\\b.txt", "b");
  EXPECT_EQ(errorOf([&] { files->moveFile("C:\\a.txt", "C:\\b.txt"); }), WinError::AlreadyExists);
  files->moveFileEx("C:\\a.txt", "C:\\b.txt", kMoveFileReplaceExisting);
  EXPECT_EQ(read("C:\\b.txt"), "a");
  EXPECT_FALSE(files->exists("C:\\a.txt"));
  files->moveFile("C:\\b.txt", "C:\\B.TXT");  // only the case changes
  EXPECT_TRUE(std::filesystem::exists(host() / "B.TXT"));
  FileTimes before = files->getFileTime("C:\\B.TXT");
  EXPECT_EQ(errorOf([&] { files->moveFileEx("C:\\B.TXT", "D:\\b.txt", 0); }),
            WinError::NotSameDevice);
  files->moveFile("C:\\B.TXT", "D:\\moved.txt");
  EXPECT_FALSE(files->exists("C:\\B.TXT"));
  EXPECT_EQ(read("D:\\moved.txt"), "a");
  EXPECT_EQ(files->getFileTime("D:\\moved.txt").creation, before.creation);
  files->createDirectory("C:\\Folder");
  EXPECT_EQ(errorOf([&] { files->moveFile("C:\\Folder", "D:\\Folder"); }), WinError::AccessDenied);
}

TEST_F(FileSystemTest, AliasesFollowRenamesAndDeletions) {
  files->createDirectory("C:\\My Documents");
  write("C:\\My Documents\\Letter to Ann.doc", "x");
  EXPECT_EQ(machine->shortPath("C:\\My Documents\\Letter to Ann.doc"),
            "C:\\MYDOCU~1\\LETTER~1.DOC");
  files->moveFile("C:\\My Documents", "C:\\Your Documents");
  EXPECT_EQ(machine->shortPath("C:\\Your Documents\\Letter to Ann.doc"),
            "C:\\YOURDO~1\\LETTER~1.DOC");
  files->moveFile("C:\\Your Documents\\Letter to Ann.doc", "C:\\Your Documents\\Letter to Bob.doc");
  EXPECT_EQ(machine->shortPath("C:\\Your Documents\\Letter to Bob.doc"),
            "C:\\YOURDO~1\\LETTER~1.DOC");
  write("C:\\Your Documents\\Letter to Cy.doc", "x");
  EXPECT_EQ(machine->shortPath("C:\\Your Documents\\Letter to Cy.doc"),
            "C:\\YOURDO~1\\LETTER~2.DOC");
  EXPECT_EQ(read("C:\\YOURDO~1\\LETTER~2.DOC"), "x");
}

TEST_F(FileSystemTest, DelayedMovesAreRecordedForTheNextBootOnNt) {
  write("C:\\in use.dll", "x");
  files->moveFileEx("C:\\in use.dll", "C:\\WINDOWS\\Temp\\OpenFN1.dll",
                    kMoveFileDelayUntilReboot | kMoveFileReplaceExisting);
  files->moveFileEx("C:\\old.tmp", "", kMoveFileDelayUntilReboot);
  EXPECT_TRUE(files->exists("C:\\in use.dll"));
  reopen();
  EXPECT_EQ(files->pendingDelayedMoves(),
            (std::vector<DelayedMove>{{"C:\\in use.dll", "C:\\WINDOWS\\Temp\\OpenFN1.dll", true},
                                      {"C:\\old.tmp", "", false}}));
  EXPECT_EQ(errorOf([&] {
              files->moveFileEx("C:\\a", "C:\\b", kMoveFileDelayUntilReboot | kMoveFileCopyAllowed);
            }),
            WinError::InvalidParameter);
}

TEST_F(FileSystemTest, Windows9xCannotDelayAMoveToTheNextStart) {
  open(testing_support::MachineBuilder(WindowsVersion::Win98));
  write("C:\\in use.dll", "x");
  EXPECT_EQ(
      errorOf([&] { files->moveFileEx("C:\\in use.dll", "C:\\x.dll", kMoveFileDelayUntilReboot); }),
      WinError::CallNotImplemented);
  EXPECT_TRUE(files->pendingDelayedMoves().empty());
  files->moveFileEx("C:\\in use.dll", "C:\\moved.dll", kMoveFileReplaceExisting);
  EXPECT_TRUE(files->fileExists("C:\\moved.dll"));
}

TEST_F(FileSystemTest, ADisketteFillsUpWithoutLeavingPartialFiles) {
  open(testing_support::MachineBuilder(WindowsVersion::WinMe).removableDrive('A', {"disk1"}));
  std::string big(1000000, 'x');
  write("C:\\big1.bin", big);
  write("C:\\big2.bin", big);
  files->copyFile("C:\\big1.bin", "A:\\big1.bin", false);
  uint64_t freeBefore = files->getDiskFreeSpaceEx("A:\\").totalFreeBytes;
  EXPECT_EQ(errorOf([&] { files->copyFile("C:\\big2.bin", "A:\\big2.bin", false); }),
            WinError::DiskFull);
  EXPECT_FALSE(files->exists("A:\\big2.bin"));
  // A single write that does not fit writes nothing.
  auto handle = files->createFile("A:\\part.bin", kGenericWrite, 0, CreationDisposition::CreateNew);
  handle.write("head", 4);
  EXPECT_EQ(errorOf([&] { handle.write(big.data(), big.size()); }), WinError::DiskFull);
  EXPECT_EQ(handle.size(), 4u);
  handle.close();
  files->deleteFile("A:\\part.bin");
  EXPECT_EQ(files->getDiskFreeSpaceEx("A:\\").totalFreeBytes, freeBefore);
  // A cross-drive move that does not fit leaves the source where it was.
  EXPECT_EQ(errorOf([&] { files->moveFile("C:\\big2.bin", "A:\\big2.bin"); }), WinError::DiskFull);
  EXPECT_TRUE(files->exists("C:\\big2.bin"));
  EXPECT_FALSE(files->exists("A:\\big2.bin"));
}

TEST_F(FileSystemTest, VolumeCallsDescribeTheDrives) {
  open(testing_support::MachineBuilder(WindowsVersion::WinMe)
           .removableDrive('A', {"disk1", "disk2"})
           .cdromDrive('E'));
  EXPECT_EQ(files->getLogicalDriveStrings(), (std::vector<std::string>{"A:\\", "C:\\", "E:\\"}));
  EXPECT_EQ(files->getDriveType("A:\\"), DriveType::Removable);
  EXPECT_EQ(files->getDriveType("E:\\"), DriveType::CdRom);
  EXPECT_EQ(files->getDriveType("Z:\\"), DriveType::NoRootDir);
  DiskFreeSpace space = files->getDiskFreeSpaceEx("A:\\");
  EXPECT_EQ(space.totalBytes, 1457664u);
  EXPECT_EQ(space.freeBytesAvailable, 1457664u);
  files->setVolumeLabel("A:\\", "PKBACK# 001");
  EXPECT_EQ(files->getVolumeInformation("A:\\").label, "PKBACK# 001");
  EXPECT_EQ(files->getVolumeInformation("C:\\").fileSystem, "FAT32");
  EXPECT_EQ(errorOf([&] { files->setVolumeLabel("E:\\", "X"); }), WinError::AccessDenied);
  EXPECT_EQ(errorOf([&] { files->getVolumeInformation("Q:\\"); }), WinError::PathNotFound);
  machine->drive('A')->eject();
  EXPECT_EQ(errorOf([&] { files->getDiskFreeSpaceEx("A:\\"); }), WinError::NotReady);
  EXPECT_EQ(errorOf([&] {
              files->fileExists("A:\\x") ? void() : throw OsError(WinError::FileNotFound, "");
            }),
            WinError::FileNotFound);
}
