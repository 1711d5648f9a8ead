// Archives cut into blocks and spanned over diskettes: part names and sizes,
// the table of contents, disk prompts, labels, and reading them back.
#include <random>

#include "archive/zip_error.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::TZipReader;
using archive::TZipWriter;

constexpr int64_t kDiskette = 1457664;

std::string incompressible(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(random());
  return data;
}

class BlocksTest : public EngineTest {
 protected:
  void SetUp() override {
    file("C:\\DATA\\big.bin", incompressible(3 * 1024 * 1024, 1));
    file("C:\\DATA\\small.txt", "small");
    fs.createDirectory("C:\\SET");
  }
  void configure(TZipWriter& zip, int64_t volumeBytesUsed) {
    zip.SetZipName("C:\\SET\\name.zip");
    zip.MultiVolumeInfo.MultiMode = archive::mmBlocks;
    zip.MultiVolumeInfo.BlockSize = kDiskette;
    zip.MultiVolumeInfo.FirstBlockSize = kDiskette - volumeBytesUsed;
    zip.FilesList = {"C:\\DATA\\*.*"};
  }
  uint64_t size(const std::string& winPath) {
    return std::filesystem::file_size(fs.hostPath(winPath));
  }
};

TEST_F(BlocksTest, ThreeMegabytesBecomeThreeBlocks) {
  TZipWriter zip(fs);
  configure(zip, 100000);
  zip.MultiVolumeInfo.SaveZipInfoOnFirstDisk = true;
  std::vector<std::pair<int, std::string>> asked;
  zip.OnGetNextDisk = [&](int disk, std::string& name) { asked.emplace_back(disk, name); };
  EXPECT_EQ(zip.CreateArchive(), 2);
  EXPECT_EQ(zip.ZipName(), "C:\\SET\\name.003");
  EXPECT_EQ(size("C:\\SET\\name.001"), static_cast<uint64_t>(kDiskette - 100000));
  EXPECT_EQ(size("C:\\SET\\name.002"), static_cast<uint64_t>(kDiskette));
  EXPECT_LT(size("C:\\SET\\name.003"), static_cast<uint64_t>(kDiskette));
  EXPECT_FALSE(exists("C:\\SET\\name.zip"));
  EXPECT_TRUE(exists("C:\\SET\\name.zfc"));
  // After each block, then for the table of contents: first disk, last disk.
  std::vector<std::pair<int, std::string>> expected = {{2, "C:\\SET\\name.001"},
                                                       {3, "C:\\SET\\name.002"},
                                                       {1, "C:\\SET\\name.001"},
                                                       {0, "C:\\SET\\name.003"}};
  EXPECT_EQ(asked, expected);

  for (const char* name : {"C:\\SET\\name.003", "C:\\SET\\name.001"}) {
    TZipReader reader(fs);
    reader.SetZipName(name);
    EXPECT_TRUE(reader.TestArchive()) << name;
    reader.DestDir = "C:\\OUT";
    EXPECT_EQ(reader.Extract(), 2);
    EXPECT_EQ(content("C:\\OUT\\DATA\\big.bin"), content("C:\\DATA\\big.bin"));
  }
  // The blocks joined are a plain archive.
  std::string joined;
  for (const char* part : {"C:\\SET\\name.001", "C:\\SET\\name.002", "C:\\SET\\name.003"})
    joined += content(part);
  testing_support::writeFile(fs.hostPath("C:\\joined.zip"), joined);
  TZipReader reader(fs);
  reader.SetZipName("C:\\joined.zip");
  EXPECT_TRUE(reader.TestArchive());
}

TEST_F(BlocksTest, BlocksReplaceASingleArchiveOfTheName) {
  TZipWriter zip(fs);
  configure(zip, 0);
  zip.FilesList = {"C:\\DATA\\small.txt"};
  zip.CreateArchive();
  ASSERT_TRUE(exists("C:\\SET\\name.zip"));
  configure(zip, 0);
  file("C:\\DATA\\small.txt", "newer", kNewTime);
  EXPECT_EQ(zip.CreateArchive(), 2);
  EXPECT_EQ(zip.ZipName(), "C:\\SET\\name.003");
  EXPECT_FALSE(exists("C:\\SET\\name.zip"));
  EXPECT_EQ(stored("C:\\SET\\name.003").size(), 2u);
}

TEST_F(BlocksTest, OneBlockIsRenamedBack) {
  TZipWriter zip(fs);
  configure(zip, 0);
  zip.FilesList = {"C:\\DATA\\small.txt"};
  EXPECT_EQ(zip.CreateArchive(), 1);
  EXPECT_EQ(zip.ZipName(), "C:\\SET\\name.zip");
  EXPECT_TRUE(exists("C:\\SET\\name.zip"));
  EXPECT_FALSE(exists("C:\\SET\\name.001"));
}

TEST_F(BlocksTest, MissingBlockIsAskedForByName) {
  TZipWriter zip(fs);
  configure(zip, 0);
  zip.CreateArchive();
  fs.moveFile("C:\\SET\\name.002", "C:\\name.002");
  TZipReader reader(fs);
  reader.SetZipName("C:\\SET\\name.003");
  std::vector<std::pair<int, std::string>> asked;
  reader.OnGetNextDisk = [&](int disk, std::string& name) {
    asked.emplace_back(disk, name);
    fs.moveFile("C:\\name.002", "C:\\SET\\name.002");
  };
  EXPECT_TRUE(reader.TestArchive());
  EXPECT_EQ(asked, (std::vector<std::pair<int, std::string>>{{2, "C:\\SET\\name.002"}}));

  fs.moveFile("C:\\SET\\name.002", "C:\\name.002");
  reader.OnGetNextDisk = [](int, std::string& name) { name.clear(); };
  reader.DestDir = "C:\\OUT";
  try {
    reader.Extract();
    ADD_FAILURE() << "extracted without block 2";
  } catch (const archive::ZipUserCancel& e) {
    EXPECT_STREQ(e.what(), "User canceled loading new disk.");
  }
}

TEST_F(BlocksTest, HandlerRenamingBlocksToZipKeepsThatName) {
  TZipWriter zip(fs);
  configure(zip, 0);
  std::vector<std::string> finished;
  zip.OnGetNextDisk = [&](int, std::string& name) {
    // As a CD target does: the block goes away under the archive's extension.
    std::string moved = "C:\\SET\\taken" + std::to_string(finished.size()) + ".ZIP";
    fs.moveFile(name, moved);
    finished.push_back(name);
    name = "C:\\SET\\part.ZIP";
  };
  zip.CreateArchive();
  EXPECT_EQ(finished, (std::vector<std::string>{"C:\\SET\\name.001", "C:\\SET\\part.ZIP"}));
  EXPECT_EQ(zip.ZipName(), "C:\\SET\\part.ZIP");
}

class SpanTest : public EngineTest {
 protected:
  void SetUp() override {
    fs.addRemovableDrive('A', dir / "a", kDiskette);
    file("C:\\DATA\\big.bin", incompressible(3 * 1024 * 1024 + 300000, 2));
    file("C:\\DATA\\note.txt", "note");
  }
  // A spanning writer on A: storing C:\DATA.
  void configureSpan(TZipWriter& zip) {
    zip.SetZipName("A:\\backup.zip");
    zip.MultiVolumeInfo.MultiMode = archive::mmSpan;
    zip.PackLevel = 0;
    zip.FilesList = {"C:\\DATA\\*.*"};
  }
  // Inserts the disk the engine asks for (0: the last one written).
  void insertOnRequest(archive::TZipReader& zip, std::vector<std::pair<int, std::string>>& asked,
                       int lastDisk) {
    zip.OnGetNextDisk = [&asked, this, lastDisk](int disk, std::string& name) {
      asked.emplace_back(disk, name);
      fs.insertMedium('A', disk == 0 ? lastDisk : disk);
    };
  }
};

TEST_F(SpanTest, ThreeDiskettesWithLabelsAndTableOfContents) {
  TZipWriter zip(fs);
  configureSpan(zip);
  zip.MultiVolumeInfo.WriteDiskLabels = true;
  zip.MultiVolumeInfo.SaveZipInfoOnFirstDisk = true;
  zip.MultiVolumeInfo.SaveOnFirstDisk = 20000;
  std::vector<std::pair<int, std::string>> asked;
  insertOnRequest(zip, asked, 3);
  EXPECT_EQ(zip.CreateArchive(), 2);
  std::vector<std::pair<int, std::string>> expected = {
      {2, "A:\\backup.zip"}, {3, "A:\\backup.zip"}, {1, "A:\\backup.zip"}, {0, "A:\\backup.zip"}};
  EXPECT_EQ(asked, expected);
  auto disk = [&](int n) { return dir / "a" / ("disk" + std::to_string(n)); };
  EXPECT_LE(std::filesystem::file_size(disk(1) / "backup.zip"),
            static_cast<uint64_t>(kDiskette - 20000));
  EXPECT_TRUE(std::filesystem::exists(disk(1) / "backup.zfc"));
  for (int n = 1; n <= 3; ++n) {
    fs.insertMedium('A', n);
    EXPECT_EQ(fs.volumeLabel("A:\\"), n == 1   ? "PKBACK# 001"
                                      : n == 2 ? "PKBACK# 002"
                                               : "PKBACK# 003");
  }

  // Read back from the last disk: the other disks are asked for by number.
  asked.clear();
  TZipReader reader(fs);
  reader.SetZipName("A:\\backup.zip");
  insertOnRequest(reader, asked, 3);
  reader.DestDir = "C:\\OUT";
  EXPECT_EQ(reader.Extract(), 2);
  EXPECT_EQ(content("C:\\OUT\\DATA\\big.bin"), content("C:\\DATA\\big.bin"));
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front().first, 1);

  // From the first disk the table of contents gives the directory at once.
  fs.insertMedium('A', 1);
  int incomplete = 0;
  reader.OnInCompleteZip = [&](archive::TIncompleteMode&) { ++incomplete; };
  EXPECT_TRUE(reader.TestArchive());
  EXPECT_EQ(incomplete, 0);
}

TEST_F(SpanTest, FirstDiskWithoutTableAsksForTheLastDisk) {
  TZipWriter zip(fs);
  configureSpan(zip);
  std::vector<std::pair<int, std::string>> asked;
  insertOnRequest(zip, asked, 3);
  zip.CreateArchive();
  fs.insertMedium('A', 1);
  TZipReader reader(fs);
  reader.SetZipName("A:\\backup.zip");
  reader.OnInCompleteZip = [](archive::TIncompleteMode& mode) { mode = archive::izAssumeMulti; };
  asked.clear();
  insertOnRequest(reader, asked, 3);
  reader.ReadDirectory();
  EXPECT_EQ(reader.EntryCount(), 2);
  EXPECT_EQ(asked.front(), (std::pair<int, std::string>{0, "A:\\backup.zip"}));
  EXPECT_TRUE(reader.TestArchive());
}

TEST_F(SpanTest, CancelledDiskPromptStopsWithUserCancel) {
  TZipWriter zip(fs);
  configureSpan(zip);
  zip.OnGetNextDisk = [](int, std::string& name) { name.clear(); };
  EXPECT_THROW(zip.CreateArchive(), archive::ZipUserCancel);
}

}  // namespace
}  // namespace archive_test
