// Testing and extracting with entries read ahead on worker threads: the
// results, the order of events and what a failure leaves behind must be the
// same as reading one entry after another.
#include <random>

#include "archive/zip_error.h"
#include "archive/zip_read_ahead.h"
#include "archive/zip_read_archive.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::TZipReader;
using archive::TZipWriter;

std::string fileContent(int number, size_t size) {
  std::mt19937 random(static_cast<unsigned>(number));
  std::string text;
  while (text.size() < size) {
    text += "line " + std::to_string(random() % 1000) + " of file " + std::to_string(number);
    if (random() % 5 == 0) text += static_cast<char>(random());
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

// Sizes that rise and fall, so buffers of earlier entries are reused for
// smaller and larger later ones.
size_t fileSize(int number) {
  return 1000 + 7919 * static_cast<size_t>((number * 7) % 40);
}

std::string fileName(int number) {
  return "C:\\DATA\\SUB" + std::to_string(number % 3) + "\\file" + std::to_string(number) + ".txt";
}

class ReadAheadTest : public EngineTest {
 protected:
  // count files of mixed sizes under C:\DATA, stored with the password.
  void makeArchive(int count, const std::string& password, int level = 6) {
    for (int i = 0; i < count; ++i) file(fileName(i), fileContent(i, fileSize(i)));
    TZipWriter zip(fs);
    prepare(zip, "C:\\data.zip");
    zip.FilesList = {">C:\\DATA\\*.*"};
    zip.Password = password;
    zip.PackLevel = level;
    ASSERT_EQ(zip.CreateArchive(), count);
  }
  // The archive's entry names in order, as Windows paths.
  std::vector<std::string> entryPaths() {
    TZipReader zip(fs);
    zip.SetZipName("C:\\data.zip");
    zip.ReadDirectory();
    std::vector<std::string> paths;
    for (int i = 0; i < zip.EntryCount(); ++i)
      paths.push_back(zip.EntryFolder(i) + zip.EntryName(i));
    return paths;
  }
  std::string under(const std::string& dest, const std::string& entryPath) {
    return dest + entryPath.substr(2);  // C:\DATA\x -> dest\DATA\x
  }
};

TEST_F(ReadAheadTest, EveryWorkerCountGivesTheSameFilesAndProgress) {
  makeArchive(40, "pass");
  // One entry too large to read whole: it streams in its turn.
  std::string large = fileContent(99, (size_t{17} << 20) + 5);
  file("C:\\DATA\\large.log", large);
  TZipWriter update(fs);
  prepare(update, "C:\\data.zip");
  update.FilesList = {"C:\\DATA\\large.log"};
  update.Password = "pass";
  ASSERT_EQ(update.CreateArchive(), 1);
  std::vector<std::string> paths = entryPaths();
  ASSERT_EQ(paths.size(), 41u);

  for (unsigned workers : {0u, 1u, 3u}) {
    SCOPED_TRACE(workers);
    TZipReader zip(fs);
    zip.SetZipName("C:\\data.zip");
    zip.Workers = workers;
    zip.Password = "pass";
    std::vector<int> percents;
    zip.OnTotalPercentDone = [&](int p) { percents.push_back(p); };
    EXPECT_TRUE(zip.TestArchive());
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);

    std::string dest = "C:\\OUT" + std::to_string(workers);
    zip.DestDir = dest;
    percents.clear();
    EXPECT_EQ(zip.Extract(), 41);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);
    for (int i = 0; i < 40; ++i)
      ASSERT_EQ(content(under(dest, fileName(i))), fileContent(i, fileSize(i))) << fileName(i);
    EXPECT_EQ(content(dest + "\\DATA\\large.log"), large);
  }
}

TEST_F(ReadAheadTest, RecycledBuffersServeLaterEntriesOfOtherSizes) {
  makeArchive(8, "");
  auto archive = archive::OpenedArchive::open(fs, "C:\\data.zip", {});
  archive::EntryReadAhead ahead(*archive, fs, 1, archive::EntryReadAhead::Keep::PlainBytes);
  // Largest first, one at a time: each entry gets the buffer the one before
  // handed back.
  std::vector<archive::ZipEntryRecord> records = archive->records();
  std::sort(records.begin(), records.end(),
            [](const auto& a, const auto& b) { return a.uncompressedSize > b.uncompressedSize; });
  for (size_t i = 0; i < records.size(); ++i) {
    ahead.queueEntry(static_cast<int>(i), records[i], "");
    archive::EntryReadAhead::Item item = ahead.next();
    std::string path = records[i].name;
    std::replace(path.begin(), path.end(), '/', '\\');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(item.bytes.data.get()), item.bytes.length),
              content(path))
        << path;
    ahead.recycle(std::move(item.bytes));
  }
  EXPECT_TRUE(ahead.empty());
}

class DamagedReadAheadTest : public ReadAheadTest,
                             public ::testing::WithParamInterface<std::string> {};

// Plain entries are read one per job, encrypted ones in batches that are
// decrypted side by side: a failure must surface at its own entry either way.
TEST_P(DamagedReadAheadTest, DamagedEntryStopsInOrderAndLeavesItsTargetAlone) {
  makeArchive(30, GetParam());
  std::vector<std::string> paths = entryPaths();
  const std::string damaged = paths[12];
  std::string bytes = testing_support::readFile(fs.hostPath("C:\\data.zip"));
  std::string name = damaged.substr(3);  // stored as C:/DATA/...; find its local header
  for (char& c : name)
    if (c == '\\') c = '/';
  size_t at = bytes.find(name);
  ASSERT_NE(at, std::string::npos);
  bytes[at + name.size() + 40] ^= 0x5A;  // inside its compressed data
  testing_support::writeFile(fs.hostPath("C:\\data.zip"), bytes);
  file(under("C:\\OUT", damaged), "an older copy that must survive");

  TZipReader zip(fs);
  zip.SetZipName("C:\\data.zip");
  zip.Workers = 2;
  zip.Password = GetParam();
  EXPECT_FALSE(zip.TestArchive());
  zip.DestDir = "C:\\OUT";
  EXPECT_THROW(zip.Extract(), archive::ZipCorruptError);
  for (size_t i = 0; i < 12; ++i) EXPECT_TRUE(exists(under("C:\\OUT", paths[i]))) << paths[i];
  // Entries after the damaged one were read ahead but never written.
  for (size_t i = 13; i < paths.size(); ++i)
    EXPECT_FALSE(exists(under("C:\\OUT", paths[i]))) << paths[i];
  EXPECT_EQ(content(under("C:\\OUT", damaged)), "an older copy that must survive");
}

INSTANTIATE_TEST_SUITE_P(PlainAndEncrypted, DamagedReadAheadTest, ::testing::Values("", "pw"));

TEST_F(ReadAheadTest, PasswordQuestionComesAfterEveryEarlierEntryIsWritten) {
  // Entries 0-9 with one password, 10-19 added later with another.
  makeArchive(10, "first");
  for (int i = 10; i < 20; ++i) file(fileName(i), fileContent(i, 5000));
  TZipWriter update(fs);
  prepare(update, "C:\\data.zip");
  update.FilesList = {">C:\\DATA\\*.*"};
  update.Password = "second";
  ASSERT_EQ(update.CreateArchive(), 10);
  std::vector<std::string> paths = entryPaths();

  TZipReader zip(fs);
  zip.SetZipName("C:\\data.zip");
  zip.Workers = 2;
  zip.Password = "first";
  zip.DestDir = "C:\\OUT";
  std::vector<int> asked;
  zip.OnBadPassword = [&](int index, std::string& newPassword) {
    asked.push_back(index);
    for (int i = 0; i < index; ++i)
      EXPECT_TRUE(exists(under("C:\\OUT", paths[static_cast<size_t>(i)]))) << paths[i];
    newPassword = "second";
  };
  EXPECT_EQ(zip.Extract(), 20);
  EXPECT_EQ(asked, std::vector<int>{10});
  asked.clear();
  zip.Password = "first";
  EXPECT_TRUE(zip.TestArchive());
  EXPECT_EQ(asked, std::vector<int>{10});
}

}  // namespace
}  // namespace archive_test
