// Names beyond ASCII between the engine and other tools on a UTF-8 system:
// our archives list under the right names in unzip, 7-Zip and bsdtar, and
// archives of zip, 7-Zip and our own writer read back under the same ANSI
// names, also after the engine updated or renamed their entries.
#include <gtest/gtest.h>

#include <random>

#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using testing_support::haveProgram;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::writeFile;

// Listing and testing as a user of a UTF-8 desktop would.
constexpr const char* kUtf8Locale = "LC_ALL=C.UTF-8 ";

// bsdtar lists (and so reads through) every entry; it refuses an empty passphrase.
std::string bsdtarList(const std::string& zipArg, const std::string& password) {
  return "bsdtar " + (password.empty() ? "" : "--passphrase '" + password + "' ") + "-tf " + zipArg;
}

// é, ü, ß and Ø: in code page 1252 and in UTF-8.
struct Name {
  std::string ansi, utf8;
};
const Name kResume = {"R\xE9sum\xE9 M\xFCller.txt", "R\xC3\xA9sum\xC3\xA9 M\xC3\xBCller.txt"};
const Name kStreet = {
    "Stra\xDF"
    "e.doc",
    "Stra\xC3\x9F"
    "e.doc"};
const Name kFolder = {"\xD8re", "\xC3\x98re"};

std::string noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(random() % 7 == 0 ? random() : 'a' + random() % 4);
  return data;
}

class NamesPeer : public EngineTest {
 protected:
  void SetUp() override {
    if (!haveProgram("unzip") || !haveProgram("7zz") || !haveProgram("bsdtar") ||
        !haveProgram("zip"))
      GTEST_SKIP() << "peer tools missing";
  }
  void expectListed(const std::filesystem::path& zip, const std::vector<std::string>& utf8Names,
                    const std::string& password) {
    std::string zipArg = shellQuoted(zip);
    for (std::string command : {"unzip -l " + zipArg, "7zz l -p'" + password + "' " + zipArg,
                                bsdtarList(zipArg, password)}) {
      auto listing = runCommand(kUtf8Locale + command);
      EXPECT_EQ(listing.exitCode, 0) << command << "\n" << listing.output;
      for (const std::string& name : utf8Names)
        EXPECT_NE(listing.output.find(name), std::string::npos)
            << command << " lists no " << name << "\n"
            << listing.output;
    }
  }
  void expectTested(const std::filesystem::path& zip, const std::string& password) {
    std::string zipArg = shellQuoted(zip);
    std::string pass = password.empty() ? "" : "-P '" + password + "' ";
    for (std::string command : {"unzip -t " + pass + zipArg, "7zz t -p'" + password + "' " + zipArg,
                                bsdtarList(zipArg, password)}) {
      auto result = runCommand(kUtf8Locale + command);
      EXPECT_EQ(result.exitCode, 0) << command << "\n" << result.output;
    }
  }
};

TEST_F(NamesPeer, OurArchivesListUnderTheUtf8NamesAndPassPeerTests) {
  writeFile(fs.hostPath("C:\\My Documents\\" + kResume.ansi), "Lebenslauf\r\n");
  writeFile(fs.hostPath("C:\\My Documents\\" + kStreet.ansi), noise(300000, 1));
  // Larger than the 8 MiB read whole: streamed with a data descriptor.
  writeFile(fs.hostPath("C:\\" + kFolder.ansi + "\\mail.mbx"), noise((9u << 20) + 12345, 2));
  writeFile(fs.hostPath("C:\\WINDOWS\\win.ini"), "[windows]\r\n");
  std::vector<std::string> utf8Names = {"C:/My Documents/" + kResume.utf8,
                                        "C:/My Documents/" + kStreet.utf8,
                                        "C:/" + kFolder.utf8 + "/mail.mbx", "C:/WINDOWS/win.ini"};
  for (std::string password : {"", "pass word"}) {
    archive::TZipWriter zip(fs);
    std::string name = "C:\\names" + std::string(password.empty() ? "" : "p") + ".zip";
    zip.SetZipName(name);
    zip.MultiVolumeInfo.MultiMode = archive::mmNone;
    zip.Password = password;
    zip.FilesList = {">C:\\My Documents\\*.*", ">C:\\" + kFolder.ansi + "\\*.*",
                     "C:\\WINDOWS\\win.ini"};
    ASSERT_EQ(zip.CreateArchive(), 4);
    SCOPED_TRACE(name);
    expectListed(fs.hostPath(name), utf8Names, password);
    expectTested(fs.hostPath(name), password);
  }
  // unzip creates the files under their UTF-8 names.
  auto unzip =
      runCommand(std::string(kUtf8Locale) + "unzip -q " +
                 shellQuoted(fs.hostPath("C:\\names.zip")) + " -d " + shellQuoted(dir / "out"));
  ASSERT_EQ(unzip.exitCode, 0) << unzip.output;
  EXPECT_EQ(readFile(dir / "out/C:/My Documents" / kResume.utf8), "Lebenslauf\r\n");
}

TEST_F(NamesPeer, ArchivesOfZipSevenZipAndOursReadBackUnderTheAnsiNames) {
  auto src = dir / "src";
  writeFile(src / kFolder.utf8 / kResume.utf8, "cv");
  writeFile(src / kFolder.utf8 / kStreet.utf8, noise(50000, 3));
  auto made =
      runCommand("cd " + shellQuoted(src) + " && " + kUtf8Locale + "zip -qr ../c/zipped.zip . && " +
                 kUtf8Locale + "zip -qr -P pw ../c/zippedp.zip . && " + kUtf8Locale +
                 "7zz a -bd -tzip ../c/seven.zip . >/dev/null && " + kUtf8Locale +
                 "7zz a -bd -tzip -ppw ../c/sevenp.zip . >/dev/null");
  ASSERT_EQ(made.exitCode, 0) << made.output;
  writeFile(fs.hostPath("C:\\" + kFolder.ansi + "\\" + kResume.ansi), "cv");
  writeFile(fs.hostPath("C:\\" + kFolder.ansi + "\\" + kStreet.ansi), noise(50000, 3));
  archive::TZipWriter ours(fs);
  ours.SetZipName("C:\\ours.zip");
  ours.MultiVolumeInfo.MultiMode = archive::mmNone;
  ours.SetStoreVolumes(false);
  ours.FilesList = {"C:\\" + kFolder.ansi + "\\*.*"};
  ASSERT_EQ(ours.CreateArchive(), 2);
  std::vector<std::string> expected = {kFolder.ansi + "\\" + kResume.ansi,
                                       kFolder.ansi + "\\" + kStreet.ansi};
  for (const char* zipName :
       {"C:\\zipped.zip", "C:\\zippedp.zip", "C:\\seven.zip", "C:\\sevenp.zip", "C:\\ours.zip"}) {
    SCOPED_TRACE(zipName);
    std::set<std::string> names = stored(zipName);
    for (const std::string& name : expected) EXPECT_EQ(names.count(name), 1u) << name;
    archive::TZipReader reader(fs);
    reader.SetZipName(zipName);
    reader.Password = "pw";
    reader.DestDir = "C:\\X";
    EXPECT_TRUE(reader.TestArchive());
    reader.Extract();
    EXPECT_EQ(readFile(fs.hostPath("C:\\X\\" + kFolder.ansi + "\\" + kResume.ansi)), "cv");
    std::filesystem::remove_all(fs.hostPath("C:\\X"));
  }
}

TEST_F(NamesPeer, SevenZipArchiveUpdatedAndRenamedByTheEngineKeepsItsNames) {
  // 7-Zip stores these names as UTF-8 with the UTF-8 flag; the engine's copies
  // of those entries are written with ANSI names and the Unicode Path field.
  auto src = dir / "src";
  writeFile(src / kResume.utf8, "cv");
  writeFile(src / kStreet.utf8, "street");
  auto made = runCommand("cd " + shellQuoted(src) + " && " + kUtf8Locale +
                         "7zz a -bd -tzip ../c/seven.zip . >/dev/null");
  ASSERT_EQ(made.exitCode, 0) << made.output;
  writeFile(fs.hostPath("C:\\added.txt"), "added");
  archive::TZipWriter zip(fs);
  zip.SetZipName("C:\\seven.zip");
  zip.MultiVolumeInfo.MultiMode = archive::mmNone;
  zip.SetStorePaths(false);
  zip.FilesList = {"C:\\added.txt"};
  ASSERT_EQ(zip.CreateArchive(), 1);
  auto zipPath = fs.hostPath("C:\\seven.zip");
  expectListed(zipPath, {kResume.utf8, kStreet.utf8, "added.txt"}, "");
  EXPECT_EQ(stored("C:\\seven.zip").count(kResume.ansi), 1u);

  // A renamed entry's field carries the new name, not the old one.
  zip.ReadDirectory();
  int index = -1;
  for (int i = 0; i < zip.EntryCount(); ++i)
    if (zip.EntryName(i) == kStreet.ansi) index = i;
  ASSERT_GE(index, 0);
  zip.RenameEntry(index, "C:\\" + kFolder.ansi + "\\" + kResume.ansi);
  expectListed(zipPath, {kResume.utf8, "C:/" + kFolder.utf8 + "/" + kResume.utf8}, "");
  auto listing = runCommand(kUtf8Locale + std::string("unzip -l ") + shellQuoted(zipPath));
  EXPECT_EQ(listing.output.find(kStreet.utf8), std::string::npos) << listing.output;
  expectTested(zipPath, "");
}

}  // namespace
}  // namespace archive_test
