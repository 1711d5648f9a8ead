// The engine's archives against other tools: single archives with drive
// letters and passwords, blocks joined with cat, spanned disks joined by
// Info-ZIP's zip -s 0; and archives of zip and 7-Zip extracted by the engine.
#include <gtest/gtest.h>

#include <random>

#include "archive/ZipWriter.h"
#include "tests/archive/host_file_system.h"
#include "tests/support/temp_dir.h"

namespace archive_test {
namespace {

using testing_support::haveProgram;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::writeFile;

class EnginePeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveProgram("unzip") || !haveProgram("7zz") || !haveProgram("bsdtar") ||
        !haveProgram("zip"))
      GTEST_SKIP() << "peer tools missing";
    fs.addFixedDrive('C', dir / "c");
    std::mt19937 random(7);
    std::string noise(900000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    writeFile(fs.hostPath("C:\\WINDOWS\\win.ini"), "[windows]\r\n");
    writeFile(fs.hostPath("C:\\WINDOWS\\Desktop\\big.bin"), noise + std::string(900000, 'z'));
    writeFile(fs.hostPath("C:\\WINDOWS\\Start Menu\\Programs\\x.lnk"), "link");
  }
  void expectAccepted(const std::filesystem::path& zip, const std::string& password = "") {
    std::string pass = password.empty() ? "" : "-P '" + password + "' ";
    auto unzip = runCommand("unzip -t " + pass + shellQuoted(zip));
    EXPECT_EQ(unzip.exitCode, 0) << unzip.output;
    auto sevenZip = runCommand("7zz t -p'" + password + "' " + shellQuoted(zip));
    EXPECT_EQ(sevenZip.exitCode, 0) << sevenZip.output;
    if (password.empty()) {
      auto bsdtar = runCommand("bsdtar -tf " + shellQuoted(zip));
      EXPECT_EQ(bsdtar.exitCode, 0) << bsdtar.output;
    }
  }
  testing_support::TempDir dir;
  HostFileSystem fs;
};

TEST_F(EnginePeer, ArchivesWithDriveLettersAndPasswordsPass) {
  for (int level : {0, 2, 6, 9}) {
    for (std::string password : {"", "pass word"}) {
      archive::TZipWriter zip(fs);
      std::string name = "C:\\out" + std::to_string(level) + (password.empty() ? "" : "p") + ".zip";
      zip.SetZipName(name);
      zip.MultiVolumeInfo.MultiMode = archive::mmNone;
      zip.PackLevel = level;
      zip.Password = password;
      zip.FilesList = {">C:\\WINDOWS\\*.*"};
      ASSERT_EQ(zip.CreateArchive(), 3);
      SCOPED_TRACE(name);
      expectAccepted(fs.hostPath(name), password);
    }
  }
  auto listing = runCommand("unzip -l " + shellQuoted(fs.hostPath("C:\\out6.zip")));
  EXPECT_NE(listing.output.find("C:/WINDOWS/Start Menu/Programs/x.lnk"), std::string::npos)
      << listing.output;
}

TEST_F(EnginePeer, BlocksJoinedWithCatPass) {
  fs.createDirectory("C:\\SET");
  archive::TZipWriter zip(fs);
  zip.SetZipName("C:\\SET\\user0.zip");
  zip.MultiVolumeInfo.MultiMode = archive::mmBlocks;
  zip.MultiVolumeInfo.BlockSize = 400000;
  zip.MultiVolumeInfo.FirstBlockSize = 300000;
  zip.FilesList = {">C:\\WINDOWS\\*.*"};
  zip.Password = "pw";
  zip.CreateArchive();
  auto set = fs.hostPath("C:\\SET");
  ASSERT_EQ(zip.ZipName(), "C:\\SET\\user0.003");
  auto cat =
      runCommand("cat " + shellQuoted(set) + "/user0.0?? > " + shellQuoted(dir / "joined.zip"));
  ASSERT_EQ(cat.exitCode, 0) << cat.output;
  expectAccepted(dir / "joined.zip", "pw");
}

TEST_F(EnginePeer, SpannedDisksAreStandardSplitArchives) {
  fs.addRemovableDrive('A', dir / "a", 400000);
  archive::TZipWriter zip(fs);
  zip.SetZipName("A:\\user0.zip");
  zip.MultiVolumeInfo.MultiMode = archive::mmSpan;
  zip.FilesList = {">C:\\WINDOWS\\*.*"};
  int disks = 1;
  zip.OnGetNextDisk = [&](int disk, std::string&) {
    if (disk > 0) fs.insertMedium('A', disks = std::max(disks, disk));
  };
  zip.CreateArchive();
  ASSERT_EQ(disks, 3);
  // Info-ZIP names the parts of a split archive .z01, .z02, ..., .zip.
  auto split = dir / "split";
  std::filesystem::create_directories(split);
  std::filesystem::copy_file(dir / "a/disk1/user0.zip", split / "s.z01");
  std::filesystem::copy_file(dir / "a/disk2/user0.zip", split / "s.z02");
  std::filesystem::copy_file(dir / "a/disk3/user0.zip", split / "s.zip");
  auto join = runCommand("cd " + shellQuoted(split) + " && zip -q -s 0 s.zip --out joined.zip");
  ASSERT_EQ(join.exitCode, 0) << join.output;
  expectAccepted(split / "joined.zip");
}

TEST_F(EnginePeer, EngineExtractsArchivesOfOtherTools) {
  auto src = dir / "src";
  writeFile(src / "docs/readme.txt", std::string(20000, 'r'));
  writeFile(src / "docs/sub/data.bin", "binary\x01\x02");
  auto made = runCommand("cd " + shellQuoted(src) + " && zip -qr -fd -P pw ../c/zipped.zip . && " +
                         "7zz a -bd -tzip ../c/seven.zip . >/dev/null && " +
                         "echo piped | zip -q - - > ../c/piped.zip");
  ASSERT_EQ(made.exitCode, 0) << made.output;
  for (const char* name : {"C:\\zipped.zip", "C:\\seven.zip"}) {
    archive::TZipReader reader(fs);
    reader.SetZipName(name);
    reader.Password = "pw";
    reader.DestDir = "C:\\X";
    EXPECT_TRUE(reader.TestArchive()) << name;
    EXPECT_EQ(reader.Extract(), 2) << name;
    EXPECT_EQ(readFile(fs.hostPath("C:\\X\\docs\\sub\\data.bin")), "binary\x01\x02");
    std::filesystem::remove_all(fs.hostPath("C:\\X"));
  }
  archive::TZipReader reader(fs);
  reader.SetZipName("C:\\piped.zip");
  reader.DestDir = "C:\\P";
  fs.createDirectory("C:\\P");
  EXPECT_EQ(reader.Extract(), 1);
  EXPECT_EQ(readFile(fs.hostPath("C:\\P\\-")), "piped\n");
}

}  // namespace
}  // namespace archive_test
