// The archive engine on a machine: archives made and read through the
// platform layer keep Windows semantics (attributes, archive bits, drive
// capacity) and are standard ZIP files other tools read.
#include <gtest/gtest.h>

#include "archive/ZipWriter.h"
#include "archive/machine/MachineZipFileSystem.h"
#include "platform/core/errors.h"
#include "platform/files/file_attributes.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::TempDir;

namespace {

class MachineZipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine = testing_support::MachineBuilder(WindowsVersion::WinMe)
                  .removableDrive('A', {"disk1"})
                  .build(dir.path());
    files = std::make_unique<FileSystem>(*machine);
    zipFiles = std::make_unique<archive::MachineZipFileSystem>(*files);
    files->createDirectory("C:\\WINDOWS");
    files->createDirectory("C:\\My Documents");
    write("C:\\WINDOWS\\win.ini", "[windows]\r\nload=\r\n");
    write("C:\\WINDOWS\\system.ini", "[boot]\r\nshell=Explorer.exe\r\n");
    write("C:\\My Documents\\Long File Name.txt", std::string(20000, 'x'));
  }
  void write(const std::string& path, const std::string& text) {
    FileHandle out = files->createFile(path, kGenericWrite, 0, CreationDisposition::CreateAlways);
    out.write(text.data(), text.size());
    out.close();
  }
  TempDir dir;
  std::unique_ptr<Machine> machine;
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<archive::MachineZipFileSystem> zipFiles;
};

}  // namespace

TEST_F(MachineZipTest, ArchivesWrittenOnTheMachineAreStandardAndClearArchiveBits) {
  files->setFileAttributes("C:\\WINDOWS\\system.ini", kAttributeArchive | kAttributeHidden);
  archive::TZipWriter zip(*zipFiles);
  zip.SetZipName("C:\\backup.zip");
  zip.FilesList = {"c:\\windows\\*.ini", "C:\\MY DOCUMENTS\\long file name.txt"};
  zip.SetStorePaths(true);
  zip.ResetArchiveBitOnZip = true;
  EXPECT_EQ(zip.CreateArchive(), 3);
  EXPECT_EQ(
      files->getFileAttributes("C:\\WINDOWS\\system.ini") & (kAttributeArchive | kAttributeHidden),
      kAttributeHidden);
  std::string host = machine->resolve("C:\\backup.zip").host.string();
  if (testing_support::haveProgram("unzip")) {
    auto listing = testing_support::runCommand("unzip -l '" + host + "'");
    EXPECT_EQ(listing.exitCode, 0) << listing.output;
    // Stored folders keep the drive and the path as listed; names are as found.
    EXPECT_NE(listing.output.find("c:/windows/win.ini"), std::string::npos) << listing.output;
    EXPECT_NE(listing.output.find("C:/MY DOCUMENTS/Long File Name.txt"), std::string::npos)
        << listing.output;
  }
  // An incremental pass skips what has not changed since.
  archive::TZipWriter again(*zipFiles);
  again.SetZipName("C:\\incremental.zip");
  again.FilesList = {"C:\\WINDOWS\\*.ini"};
  again.SkipIfArchiveBitNotSet = true;
  EXPECT_EQ(again.CreateArchive(), 0);
}

TEST_F(MachineZipTest, ExtractionRecreatesTheTreeUnderTheDestination) {
  archive::TZipWriter zip(*zipFiles);
  zip.SetZipName("C:\\backup.zip");
  zip.FilesList = {"C:\\WINDOWS\\*.*"};
  zip.SetStorePaths(true);
  ASSERT_EQ(zip.CreateArchive(), 2);
  archive::TZipReader reader(*zipFiles);
  reader.SetZipName("C:\\BACKUP.ZIP");
  reader.DestDir = "C:\\Restored";
  files->createDirectory("C:\\Restored");
  EXPECT_EQ(reader.Extract(), 2);
  EXPECT_TRUE(files->fileExists("C:\\restored\\windows\\WIN.INI"));
  EXPECT_TRUE(reader.TestArchive());
}

TEST_F(MachineZipTest, AFullDisketteFailsWithoutLeavingAPartialArchive) {
  write("C:\\big.bin", std::string(1600000, 'q'));
  archive::TZipWriter zip(*zipFiles);
  zip.SetZipName("A:\\big.zip");
  zip.FilesList = {"C:\\big.bin"};
  zip.PackLevel = 0;
  zip.MultiVolumeInfo.MultiMode = archive::mmNone;
  try {
    zip.CreateArchive();
    FAIL() << "a 1.6 MB archive cannot fit on a diskette";
  } catch (const OsError& e) {
    EXPECT_EQ(e.code(), WinError::DiskFull);
  }
  EXPECT_FALSE(files->exists("A:\\big.zip"));
  std::vector<FindData> left;
  try {
    left = files->findAll("A:\\*.*");
  } catch (const OsError&) {
  }
  for (const auto& entry : left) EXPECT_TRUE(entry.name == "." || entry.name == "..") << entry.name;
}

TEST_F(MachineZipTest, SpanningWithoutADiskHandlerStopsInsteadOfOverwritingTheDisk) {
  write("C:\\big.bin", std::string(1600000, 'q'));
  archive::TZipWriter zip(*zipFiles);
  zip.SetZipName("A:\\big.zip");
  zip.FilesList = {"C:\\big.bin"};
  zip.PackLevel = 0;
  EXPECT_ANY_THROW(zip.CreateArchive());
  // The first part fills the diskette; it was not overwritten by a second part.
  EXPECT_GT(files->getFileSize("A:\\big.zip"), 1400000u);
}

// Entries carry the machine's local time (machine.ini TimeZone=), and an
// extracted file gets back the UTC time it was stored from.
TEST(MachineZipTimes, EntriesHoldTheMachinesLocalTime) {
  TempDir dir;
  auto machine = testing_support::MachineBuilder(WindowsVersion::WinXp)
                     .configure([](platform::MachineConfig& config) {
                       config.timeZone = platform::TimeZone::fixed(9 * 60);
                     })
                     .build(dir.path());
  FileSystem files(*machine);
  archive::MachineZipFileSystem zipFiles(files);
  FileHandle out =
      files.createFile("C:\\note.txt", kGenericWrite, 0, CreationDisposition::CreateAlways);
  out.write("x", 1);
  out.close();
  const FileTime utc{127317168000000000ull};  // 2004-06-15 12:00:00 UTC
  files.setFileTime("C:\\note.txt", std::nullopt, std::nullopt, utc);
  archive::TZipWriter zip(zipFiles);
  zip.SetZipName("C:\\times.zip");
  zip.MultiVolumeInfo.MultiMode = archive::mmNone;
  zip.FilesList = {"C:\\note.txt"};
  ASSERT_EQ(zip.CreateArchive(), 1);
  archive::TZipReader reader(zipFiles);
  reader.SetZipName("C:\\times.zip");
  reader.ReadDirectory();
  const uint64_t nineHours = 9ull * 3600 * 10000000;
  EXPECT_EQ(reader.EntryTime(0), utc.value + nineHours);  // 21:00 local
  reader.DestDir = "C:\\OUT";
  ASSERT_EQ(reader.Extract(), 1);
  EXPECT_EQ(files.getFileTime("C:\\OUT\\note.txt").lastWrite, utc);
}

// Extraction over the files it restores: one still holding the stored bytes
// is kept (not truncated and written again) yet ends exactly as a rewritten
// one, with the stored times and attributes; a read-only one is replaced
// only when asked, and otherwise reported as not created.
TEST_F(MachineZipTest, ExtractionOverExistingFilesEndsWithTheStoredTimesAndAttributes) {
  const std::string same = "C:\\WINDOWS\\win.ini", changed = "C:\\WINDOWS\\system.ini";
  files->setFileAttributes(same, kAttributeArchive | kAttributeHidden);
  const uint64_t storedTime = files->getFileTime(same).lastWrite.value / 20'000'000;
  archive::TZipWriter zip(*zipFiles);
  zip.SetZipName("C:\\backup.zip");
  zip.FilesList = {"C:\\WINDOWS\\*.ini"};
  zip.SetStorePaths(true);
  ASSERT_EQ(zip.CreateArchive(), 2);
  auto damage = [&] {
    // The same bytes, but read-only, without the hidden bit and with an
    // older time; the other file changed and read-only too.
    files->setFileAttributes(same, kAttributeNormal);
    files->setFileTime(same, FileTime{1}, FileTime{1}, FileTime{1});
    files->setFileAttributes(same, kAttributeReadOnly);
    files->setFileAttributes(changed, kAttributeNormal);
    write(changed, "damaged");
    files->setFileAttributes(changed, kAttributeReadOnly);
  };
  damage();
  archive::TZipReader reader(*zipFiles);
  std::vector<std::string> skipped;
  reader.OnSkippingFile = [&](int, bool&, int, const std::string& name) {
    skipped.push_back(name);
  };
  reader.SetZipName("C:\\backup.zip");
  reader.RetainAttributes = true;
  EXPECT_EQ(reader.Extract(), 0);
  EXPECT_EQ(skipped.size(), 2u);
  EXPECT_EQ(files->getFileAttributes(same), kAttributeReadOnly);
  EXPECT_EQ(testing_support::readFile(machine->resolve(changed).host), "damaged");

  reader.ReplaceReadOnly = true;
  EXPECT_EQ(reader.Extract(), 2);
  EXPECT_EQ(skipped.size(), 2u);
  EXPECT_EQ(files->getFileAttributes(same), kAttributeArchive | kAttributeHidden);
  EXPECT_EQ(files->getFileAttributes(changed), kAttributeArchive);
  const FileTimes times = files->getFileTime(same);
  EXPECT_EQ(times.lastWrite.value / 20'000'000, storedTime);
  EXPECT_EQ(times.creation.value / 20'000'000, storedTime);
  EXPECT_EQ(testing_support::readFile(machine->resolve(same).host), "[windows]\r\nload=\r\n");
  EXPECT_EQ(testing_support::readFile(machine->resolve(changed).host),
            "[boot]\r\nshell=Explorer.exe\r\n");
}
