// Names found without case from kept folder listings: what others do to a
// folder on the host shows at once, and 8.3 numbers freed on the host are
// given out again even in a folder whose listing is kept.
#include "platform/core/folder_names.h"

#include <gtest/gtest.h>

#include "platform/core/machine.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::TempDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

TEST(FolderNameIndex, FollowsWhatIsDoneToTheFolderOnTheHost) {
  TempDir dir;
  writeFile(dir / "f/Readme.TXT", "x");
  FolderNameIndex index;
  EXPECT_EQ(index.find(dir / "f", "README.txt"), "Readme.TXT");
  EXPECT_FALSE(index.find(dir / "f", "new file.doc"));
  // Changes made after the folder was read.
  writeFile(dir / "f/New File.DOC", "y");
  fs::rename(dir / "f/Readme.TXT", dir / "f/Renamed.txt");
  fs::create_directory(dir / "f/Sub Folder");
  EXPECT_EQ(index.find(dir / "f", "new file.doc"), "New File.DOC");
  EXPECT_FALSE(index.find(dir / "f", "readme.txt"));
  EXPECT_EQ(index.find(dir / "f", "RENAMED.TXT"), "Renamed.txt");
  EXPECT_EQ(index.find(dir / "f", "sub folder"), "Sub Folder");
  fs::remove(dir / "f/New File.DOC");
  EXPECT_FALSE(index.find(dir / "f", "new file.doc"));
  // The path now leads to another folder: its own names count.
  fs::rename(dir / "f", dir / "g");
  writeFile(dir / "f/Other.txt", "z");
  EXPECT_FALSE(index.find(dir / "f", "renamed.txt"));
  EXPECT_EQ(index.find(dir / "f", "other.TXT"), "Other.txt");
  EXPECT_EQ(index.find(dir / "g", "renamed.txt"), "Renamed.txt");
}

TEST(FolderNameIndex, ManyFoldersAtOnceStayCorrect) {
  TempDir dir;
  FolderNameIndex index;
  // More folders than are kept: the oldest are read afresh when asked again.
  for (size_t i = 0; i < FolderNameIndex::kMaxKept + 10; ++i) {
    writeFile(dir / ("d" + std::to_string(i)) / "A.txt", "");
    EXPECT_TRUE(index.find(dir / ("d" + std::to_string(i)), "a.TXT"));
  }
  writeFile(dir / "d0/B.txt", "");
  writeFile(dir / ("d" + std::to_string(FolderNameIndex::kMaxKept + 9)) / "B.txt", "");
  EXPECT_TRUE(index.find(dir / "d0", "b.txt"));
  EXPECT_TRUE(index.find(dir / ("d" + std::to_string(FolderNameIndex::kMaxKept + 9)), "b.txt"));
}

namespace {

std::string aliasOf(Machine& machine, const std::string& winPath) {
  return machine.shortNameOf(machine.resolve(winPath));
}

}  // namespace

TEST(FolderNameIndex, AliasNumbersFreedOnTheHostAreGivenAgainInAKeptFolder) {
  TempDir dir;
  writeFile(dir / "machine.ini",
            "[Machine]\nWindows=me\nWindowsDirectory=C:\\WINDOWS\n\n"
            "[Drive C]\nType=fixed\nFolder=drives/c\n");
  fs::path folder = dir / "drives/c/MANY";
  for (int i = 1; i <= 40; ++i) writeFile(folder / ("Long name " + std::to_string(i) + ".txt"), "");
  std::unique_ptr<Machine> machine = Machine::open(dir.path());
  for (int i = 1; i <= 40; ++i)
    ASSERT_EQ(aliasOf(*machine, "C:\\MANY\\Long name " + std::to_string(i) + ".txt"),
              (i < 10 ? "LONGNA~" : "LONGN~") + std::to_string(i) + ".TXT");
  writeFile(folder / "Long name 41.txt", "");
  EXPECT_EQ(aliasOf(*machine, "C:\\MANY\\Long name 41.txt"), "LONGN~41.TXT");
  // Deleted on the host, behind the machine's back: number 7 is free again.
  fs::remove(folder / "Long name 7.txt");
  writeFile(folder / "Long name 42.txt", "");
  EXPECT_EQ(aliasOf(*machine, "C:\\MANY\\Long name 42.txt"), "LONGNA~7.TXT");
  writeFile(folder / "Long name 43.txt", "");
  EXPECT_EQ(aliasOf(*machine, "C:\\MANY\\Long name 43.txt"), "LONGN~42.TXT");
}

// More notices than one read takes (thousands of files made at once on the
// host): every one of them is seen.
TEST(FolderNameIndex, NoticesBeyondOneReadAreAllTaken) {
  TempDir dir;
  fs::create_directories(dir / "f");
  FolderNameIndex index;
  EXPECT_FALSE(index.find(dir / "f", "x"));
  const std::string stem(60, 'n');
  for (int i = 0; i < 3000; ++i) writeFile(dir / "f" / (stem + std::to_string(i) + ".txt"), "");
  for (int i = 0; i < 3000; i += 7)
    EXPECT_TRUE(index.find(dir / "f", stem + std::to_string(i) + ".TXT")) << i;
  EXPECT_TRUE(index.find(dir / "f", stem + "2999.txt"));
}
