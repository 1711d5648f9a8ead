// The host boundary: whole-file writes that replace or append, random access
// through an open file, entry status without following links, folder walks.
#include "platform/host/host_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/host/host_file.h"
#include "platform/host/host_folders.h"
#include "tests/support/temp_dir.h"

using namespace platform::host;
using testing_support::TempDir;

namespace {

TEST(HostFiles, ReplaceWritesWholeFilesAndLeavesNoTemporaryBehind) {
  TempDir dir;
  EXPECT_FALSE(replaceFile(dir / "a.ini", "first"));
  EXPECT_FALSE(replaceFile(dir / "a.ini", "second, longer"));
  EXPECT_EQ(testing_support::readFile(dir / "a.ini"), "second, longer");
  EXPECT_EQ(folderNames(dir.path()), std::vector<std::string>{"a.ini"});
  // A folder in the way: the rename fails, the temporary file goes.
  std::filesystem::create_directories(dir / "busy" / "inside");
  EXPECT_TRUE(replaceFile(dir / "busy", "x"));
  EXPECT_TRUE(isDirectory(dir / "busy"));
  std::vector<std::string> names = folderNames(dir.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.ini", "busy"}));
  EXPECT_EQ(replaceFile(dir / "missing" / "a.ini", "x"), std::errc::no_such_file_or_directory);
}

TEST(HostFiles, AppendAddsAtTheEndAndReadFileTellsAbsence) {
  TempDir dir;
  EXPECT_FALSE(appendFile(dir / "log", "one\n"));
  EXPECT_FALSE(appendFile(dir / "log", "two\n"));
  EXPECT_EQ(platform::host::readFile(dir / "log"), "one\ntwo\n");
  EXPECT_EQ(platform::host::readFile(dir / "none"), std::nullopt);
  EXPECT_EQ(platform::host::readFile(dir.path()), std::nullopt);
  EXPECT_FALSE(platform::host::writeFile(dir / "log", "new"));
  EXPECT_EQ(platform::host::readFile(dir / "log"), "new");
}

TEST(HostFiles, AKeptAppendFileFollowsItsNameWhenReplacedOrRemoved) {
  TempDir dir;
  std::filesystem::path file = dir / "state" / "log";
  AppendFile log(file);
  EXPECT_FALSE(log.append("one\n"));  // its folder is made
  EXPECT_FALSE(log.append("two\n"));
  EXPECT_EQ(platform::host::readFile(file), "one\ntwo\n");
  // Another writer compacts the file by renaming a new one over it: the
  // next record goes to the new file, not to the one that lost its name.
  EXPECT_FALSE(replaceFile(file, "compact\n"));
  EXPECT_FALSE(log.append("three\n"));
  EXPECT_EQ(platform::host::readFile(file), "compact\nthree\n");
  std::filesystem::remove(file);
  EXPECT_FALSE(log.append("four\n"));
  EXPECT_EQ(platform::host::readFile(file), "four\n");
  log.close();
  EXPECT_FALSE(log.append("five\n"));
  EXPECT_EQ(platform::host::readFile(file), "four\nfive\n");
  // A name that cannot be a file reports the host's error.
  AppendFile blocked(dir.path());
  EXPECT_TRUE(blocked.append("x"));
}

TEST(HostFiles, FolderIdentityAndTheStatusOfAnOpenFile) {
  TempDir dir;
  testing_support::writeFile(dir / "file", "12345");
  std::filesystem::create_directories(dir / "folder");
  std::filesystem::create_directory_symlink(dir / "folder", dir / "to-folder");
  EXPECT_EQ(folderIdentity(dir / "folder"), fileIdentity(dir / "folder"));
  EXPECT_EQ(folderIdentity(dir / "to-folder"), fileIdentity(dir / "folder"));  // followed
  EXPECT_EQ(folderIdentity(dir / "file"), std::nullopt);
  EXPECT_EQ(folderIdentity(dir / "none"), std::nullopt);
  std::error_code error;
  HostFile open = HostFile::open(dir / "file", HostFile::Access::Read, HostFile::Create::No, error);
  std::optional<EntryStatus> status = open.status();
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, EntryKind::File);
  EXPECT_EQ(status->size, 5u);
  EXPECT_EQ(status->identity, fileIdentity(dir / "file"));
  EXPECT_EQ(status->lastWrite, entryStatus(dir / "file")->lastWrite);
}

TEST(HostFiles, StatusDoesNotFollowLinksWhereTheOtherQueriesDo) {
  TempDir dir;
  testing_support::writeFile(dir / "file", "12345");
  std::filesystem::create_symlink(dir / "file", dir / "link");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling");
  EXPECT_EQ(entryStatus(dir / "file")->kind, EntryKind::File);
  EXPECT_EQ(entryStatus(dir / "file")->size, 5u);
  EXPECT_EQ(entryStatus(dir / "link")->kind, EntryKind::Other);
  EXPECT_EQ(entryStatus(dir.path())->kind, EntryKind::Directory);
  EXPECT_EQ(entryStatus(dir / "none"), std::nullopt);
  EXPECT_TRUE(entryExists(dir / "dangling"));
  EXPECT_FALSE(isRegularFile(dir / "dangling"));
  EXPECT_TRUE(isRegularFile(dir / "link"));
  EXPECT_EQ(fileSize(dir / "link"), 5u);
  EXPECT_EQ(fileSize(dir.path()), std::nullopt);
  EXPECT_EQ(fileIdentity(dir / "link"), fileIdentity(dir / "file"));
  EXPECT_EQ(fileIdentity(dir / "none"), FileIdentity{});
  EXPECT_FALSE(isEmptyDirectory(dir.path()));
}

TEST(HostFiles, TimesAreSetAsGivenAndKeptWhereNotGiven) {
  TempDir dir;
  testing_support::writeFile(dir / "file", "x");
  const HostTime access{946684800, 0}, write{978307200, 500};
  EXPECT_FALSE(setTimes(dir / "file", access, write));
  EXPECT_EQ(entryStatus(dir / "file")->lastWrite, write);
  EXPECT_FALSE(setTimes(dir / "file", std::nullopt, HostTime{-86400, 0}));
  EXPECT_EQ(entryStatus(dir / "file")->lastAccess, access);
  EXPECT_EQ(entryStatus(dir / "file")->lastWrite, (HostTime{-86400, 0}));
  EXPECT_EQ(setTimes(dir / "none", access, write), std::errc::no_such_file_or_directory);
}

TEST(HostFile, ReadsAndWritesAtOffsetsAndTruncates) {
  TempDir dir;
  std::error_code error;
  HostFile file =
      HostFile::open(dir / "data", HostFile::Access::ReadWrite, HostFile::Create::New, error);
  ASSERT_TRUE(file.isOpen()) << error.message();
  EXPECT_FALSE(file.writeAt(0, "abcdef", 6));
  EXPECT_FALSE(file.writeAt(8, "xy", 2));
  EXPECT_EQ(file.size(), 10u);
  char buffer[16] = {};
  size_t done = 0;
  EXPECT_FALSE(file.readAt(4, buffer, sizeof buffer, done));
  EXPECT_EQ(std::string(buffer, done), std::string("ef\0\0xy", 6));
  EXPECT_FALSE(file.truncate(3));
  EXPECT_EQ(file.size(), 3u);
  HostFile again =
      HostFile::open(dir / "data", HostFile::Access::Read, HostFile::Create::New, error);
  EXPECT_FALSE(again.isOpen());
  EXPECT_EQ(error, std::errc::file_exists);
  HostFile reader =
      HostFile::open(dir / "data", HostFile::Access::Read, HostFile::Create::No, error);
  EXPECT_TRUE(reader.writeAt(0, "z", 1));  // read-only descriptor
  HostFile moved = std::move(reader);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_TRUE(moved.isOpen());
}

TEST(HostFolders, WalkCountsEntriesWithoutGoingThroughLinks) {
  TempDir dir;
  testing_support::writeFile(dir / "a" / "one", "1");
  testing_support::writeFile(dir / "a" / "b" / "two", "22");
  std::filesystem::create_directory_symlink(dir / "a", dir / "loop");
  int folders = 0, files = 0, others = 0;
  uint64_t bytes = 0;
  walkTree(dir.path(), [&](const TreeEntry& entry) {
    folders += entry.kind == EntryKind::Directory;
    files += entry.kind == EntryKind::File;
    others += entry.kind == EntryKind::Other;
    bytes += entry.size;
  });
  EXPECT_EQ(folders, 2);
  EXPECT_EQ(files, 2);
  EXPECT_EQ(others, 1);
  EXPECT_EQ(bytes, 3u);
  EXPECT_TRUE(folderNames(dir / "none").empty());
}

}  // namespace
