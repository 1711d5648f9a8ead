// Reading, extracting, testing and updating archives through the engine.
#include <fstream>

#include "archive/zip_dos_time.h"
#include "archive/zip_error.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_unicode_path.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::TZipReader;
using archive::TZipWriter;

class ExtractTest : public EngineTest {
 protected:
  void SetUp() override {
    file("C:\\WINDOWS\\win.ini", "[windows]\r\nload=\r\n");
    file("C:\\WINDOWS\\Desktop\\note.txt", std::string(50000, 'n'));
    file("C:\\autoexec.bat", "@echo off\r\n");
  }
  void makeArchive(const std::string& password = "", int level = 6) {
    TZipWriter zip(fs);
    prepare(zip, "C:\\backup.zip");
    zip.FilesList = {">C:\\WINDOWS\\*.*", "C:\\autoexec.bat"};
    zip.Password = password;
    zip.PackLevel = level;
    ASSERT_EQ(zip.CreateArchive(), 3);
  }
};

TEST_F(ExtractTest, EntriesKeepTheirDriveAndFolder) {
  makeArchive();
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  zip.ReadDirectory();
  ASSERT_EQ(zip.EntryCount(), 3);
  EXPECT_EQ(zip.EntryFolder(0), "C:\\WINDOWS\\");
  EXPECT_EQ(zip.EntryName(0), "win.ini");
  EXPECT_EQ(archive::fileTimeToDos(zip.EntryTime(0)), archive::fileTimeToDos(kOldTime));
  EXPECT_FALSE(zip.EntryEncrypted(0));
  EXPECT_THROW(zip.EntryName(3), archive::ZipError);
  EXPECT_THROW(zip.EntryName(-1), archive::ZipError);
  EXPECT_GT(zip.ArchiveSize(), 0u);
  zip.CloseArchive();
  EXPECT_EQ(zip.EntryCount(), 0);
}

TEST_F(ExtractTest, ExtractWithoutDestinationRestoresOriginalPlaces) {
  makeArchive();
  file("C:\\WINDOWS\\win.ini", "damaged", kNewTime);
  fs.deleteFile("C:\\WINDOWS\\Desktop\\note.txt");
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  zip.DestDir = "";
  EXPECT_EQ(zip.Extract(), 3);
  EXPECT_EQ(content("C:\\WINDOWS\\win.ini"), "[windows]\r\nload=\r\n");
  EXPECT_EQ(content("C:\\WINDOWS\\Desktop\\note.txt"), std::string(50000, 'n'));
  EXPECT_EQ(fs.fileTimes("C:\\WINDOWS\\win.ini").lastWrite / 20000000, kOldTime / 20000000);
}

TEST_F(ExtractTest, DestinationWithAndWithoutFolders) {
  makeArchive();
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  zip.DestDir = "C:\\RESTORE";
  zip.RecreateDirs = true;
  EXPECT_EQ(zip.Extract(), 3);
  EXPECT_EQ(content("C:\\RESTORE\\WINDOWS\\Desktop\\note.txt"), std::string(50000, 'n'));
  zip.DestDir = "C:\\FLAT";
  zip.RecreateDirs = false;
  fs.createDirectory("C:\\FLAT");
  zip.DoAll = false;
  zip.FilesList = {"C:\\WINDOWS\\Desktop\\note.txt"};
  EXPECT_EQ(zip.Extract(), 1);
  EXPECT_TRUE(exists("C:\\FLAT\\note.txt"));
  EXPECT_FALSE(exists("C:\\FLAT\\win.ini"));
}

TEST_F(ExtractTest, SelectedEntriesOnly) {
  makeArchive();
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  zip.ReadDirectory();
  zip.SetEntrySelected(2, true);
  zip.DestDir = "C:\\SEL";
  EXPECT_EQ(zip.ExtractSelected(), 1);
  EXPECT_TRUE(exists("C:\\SEL\\autoexec.bat"));
}

TEST_F(ExtractTest, PasswordProtectedArchive) {
  makeArchive("geheim");
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  zip.ReadDirectory();
  EXPECT_TRUE(zip.EntryEncrypted(0));
  std::vector<int> asked;
  zip.OnBadPassword = [&](int index, std::string& newPassword) {
    asked.push_back(index);
    newPassword = index == 0 ? "" : "geheim";
  };
  zip.Password = "wrong";
  zip.DestDir = "C:\\OUT";
  // Entry 0 is skipped, the answer for entry 1 is used from then on.
  EXPECT_EQ(zip.Extract(), 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  EXPECT_FALSE(exists("C:\\OUT\\WINDOWS\\win.ini"));
  EXPECT_EQ(content("C:\\OUT\\autoexec.bat"), "@echo off\r\n");

  zip.OnBadPassword = nullptr;
  zip.Password = "wrong";
  EXPECT_FALSE(zip.TestArchive());
  zip.Password = "geheim";
  EXPECT_TRUE(zip.TestArchive());
}

TEST_F(ExtractTest, SourceInUseRaisesSkippingFileWithRetry) {
  fs.holdOpen("C:\\autoexec.bat");
  TZipWriter zip(fs);
  prepare(zip, "C:\\backup.zip");
  zip.FilesList = {"C:\\autoexec.bat", "C:\\WINDOWS\\win.ini"};
  int calls = 0;
  zip.OnSkippingFile = [&](int reason, bool& retry, int, const std::string& name) {
    EXPECT_EQ(reason, archive::srSourceNotOpened);
    EXPECT_EQ(name, "C:\\autoexec.bat");
    retry = ++calls == 1;
    if (retry) fs.release("C:\\autoexec.bat");
  };
  EXPECT_EQ(zip.CreateArchive(), 2);
  EXPECT_EQ(calls, 1);
  fs.holdOpen("C:\\autoexec.bat");
  std::filesystem::remove(fs.hostPath("C:\\backup.zip"));
  calls = 1;
  zip.SetZipName("C:\\backup.zip");
  EXPECT_EQ(zip.CreateArchive(), 1);
  EXPECT_EQ(calls, 2);
}

TEST_F(ExtractTest, DestinationThatCannotBeCreatedIsSkipped) {
  makeArchive();
  fs.holdOpen("C:\\autoexec.bat");
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  std::vector<std::string> skipped;
  zip.OnSkippingFile = [&](int reason, bool& retry, int, const std::string& name) {
    EXPECT_EQ(reason, archive::srDestinationNotCreated);
    skipped.push_back(name);
    retry = false;
  };
  EXPECT_EQ(zip.Extract(), 2);
  EXPECT_EQ(skipped, std::vector<std::string>{"C:\\autoexec.bat"});
}

TEST_F(ExtractTest, UpdateReplacesOnlyOlderEntries) {
  makeArchive();
  file("C:\\WINDOWS\\win.ini", "newer", kNewTime);
  file("C:\\autoexec.bat", "older", kOldTime - 36000000000ull);
  file("C:\\WINDOWS\\added.txt", "added");
  TZipWriter zip(fs);
  prepare(zip, "C:\\backup.zip");
  zip.FilesList = {">C:\\WINDOWS\\*.*", "C:\\autoexec.bat"};
  EXPECT_EQ(zip.CreateArchive(), 2);  // win.ini anew and added.txt
  zip.ReadDirectory();
  ASSERT_EQ(zip.EntryCount(), 4);
  // Kept entries first, in their order; stored files after them.
  EXPECT_EQ(zip.EntryName(0), "note.txt");
  EXPECT_EQ(zip.EntryName(1), "autoexec.bat");
  EXPECT_EQ(zip.EntryName(3), "added.txt");
  zip.DestDir = "C:\\CHECK";
  zip.Extract();
  EXPECT_EQ(content("C:\\CHECK\\WINDOWS\\win.ini"), "newer");
  EXPECT_EQ(content("C:\\CHECK\\autoexec.bat"), "@echo off\r\n");
  EXPECT_TRUE(zip.TestArchive());
  // Nothing newer: the archive is left alone.
  zip.FilesList = {">C:\\WINDOWS\\*.*"};
  EXPECT_EQ(zip.CreateArchive(), 0);
}

TEST_F(ExtractTest, RenameEntryKeepsDataAndOrder) {
  makeArchive("pw");
  TZipWriter zip(fs);
  prepare(zip, "C:\\backup.zip");
  zip.Password = "pw";
  zip.ReadDirectory();
  zip.RenameEntry(2, "C:\\WINDOWS\\SYSTEM\\config.bat");
  zip.ReadDirectory();
  EXPECT_EQ(zip.EntryFolder(2), "C:\\WINDOWS\\SYSTEM\\");
  EXPECT_EQ(zip.EntryName(2), "config.bat");
  EXPECT_TRUE(zip.TestArchive());
}

TEST_F(ExtractTest, RenamedEntryGetsTheUnicodePathOfItsNewName) {
  makeArchive();
  TZipWriter zip(fs);
  prepare(zip, "C:\\backup.zip");
  zip.ReadDirectory();
  const std::string renamed = "C:\\WINDOWS\\R\xE9sum\xE9.txt";
  zip.RenameEntry(2, renamed);
  zip.ReadDirectory();
  EXPECT_EQ(zip.EntryName(2), "R\xE9sum\xE9.txt");
  EXPECT_TRUE(zip.TestArchive());
  // Its central header's field belongs to the new name field.
  std::string bytes = testing_support::readFile(fs.hostPath("C:\\backup.zip"));
  archive::MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  auto end = archive::findZipEnd(source);
  ASSERT_TRUE(end);
  const auto* header = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t at = static_cast<size_t>(end->info.directoryOffset);
  for (int i = 0; i < 2; ++i)
    at += 46 + (header[at + 28] | (header[at + 29] << 8)) +
          (header[at + 30] | (header[at + 31] << 8));
  size_t nameLength = header[at + 28] | (header[at + 29] << 8);
  size_t extraLength = header[at + 30] | (header[at + 31] << 8);
  std::string nameField(bytes, at + 46, nameLength);
  EXPECT_EQ(nameField, "C:/WINDOWS/R\xE9sum\xE9.txt");
  auto field = archive::findExtraField({header + at + 46 + nameLength, extraLength},
                                       archive::kUnicodePathExtraId);
  ASSERT_TRUE(field);
  EXPECT_EQ(archive::unicodePathName(*field, nameField), nameField);
}

TEST_F(ExtractTest, DamagedArchivesFailTheTest) {
  makeArchive("", 6);
  std::string bytes = testing_support::readFile(fs.hostPath("C:\\backup.zip"));
  testing_support::writeFile(fs.hostPath("C:\\cut.zip"), bytes.substr(0, bytes.size() - 30));
  std::string flipped = bytes;
  flipped[flipped.find("note.txt") + 12] ^= 0x55;  // inside the first compressed block
  testing_support::writeFile(fs.hostPath("C:\\flip.zip"), flipped);
  TZipReader zip(fs);
  int incompleteEvents = 0;
  zip.OnInCompleteZip = [&](archive::TIncompleteMode& mode) {
    ++incompleteEvents;
    EXPECT_EQ(mode, archive::izAssumeBad);
  };
  zip.SetZipName("C:\\cut.zip");
  EXPECT_FALSE(zip.TestArchive());
  EXPECT_EQ(incompleteEvents, 1);
  // Read as a damaged archive, the entries before the cut are still listed.
  zip.ReadDirectory();
  EXPECT_EQ(zip.EntryCount(), 3);
  zip.SetZipName("C:\\flip.zip");
  EXPECT_FALSE(zip.TestArchive());
  zip.DestDir = "C:\\BAD";
  EXPECT_THROW(zip.Extract(), archive::ZipCorruptError);
  // The damaged entry leaves no partial file behind.
  EXPECT_FALSE(exists("C:\\BAD\\WINDOWS\\Desktop\\note.txt"));
  testing_support::writeFile(fs.hostPath("C:\\text.zip"), "not an archive at all");
  zip.SetZipName("C:\\text.zip");
  zip.OnInCompleteZip = [](archive::TIncompleteMode& mode) { mode = archive::izAssumeNotAZip; };
  EXPECT_THROW(zip.ReadDirectory(), archive::ZipError);
}

TEST_F(ExtractTest, ProgressEndsAtHundredAndCancelStops) {
  makeArchive();
  TZipReader zip(fs);
  zip.SetZipName("C:\\backup.zip");
  std::vector<int> percents;
  zip.OnTotalPercentDone = [&](int p) { percents.push_back(p); };
  zip.DestDir = "C:\\P";
  zip.Extract();
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  zip.OnTotalPercentDone = [&](int) { zip.Cancel = true; };
  EXPECT_THROW(zip.Extract(), archive::ZipUserCancel);
}

}  // namespace
}  // namespace archive_test
