// FindFirstFile / FindNextFile and the 8.3 aliases they report.
#include <chrono>
#include <thread>

#include "files_fixture.h"

using namespace platform;
using files_test::errorOf;
using files_test::FilesTest;

namespace {

std::vector<std::string> names(const std::vector<FindData>& found) {
  std::vector<std::string> out;
  for (const auto& entry : found) out.push_back(entry.name);
  return out;
}

class FindFilesTest : public FilesTest {
 protected:
  void SetUp() override {
    open(testing_support::MachineBuilder(WindowsVersion::WinMe));
    files->createDirectory("C:\\WINDOWS");
    write("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    write("C:\\WINDOWS\\System.ini", "[boot]\r\n");
    write("C:\\WINDOWS\\README", "plain");
    write("C:\\WINDOWS\\report.html", "<html>");
    write("C:\\WINDOWS\\Long File Name.txt", "1234567");
  }
};

}  // namespace

TEST_F(FindFilesTest, StarDotStarListsEverythingWithDotsFirstInASubfolder) {
  EXPECT_EQ(names(files->findAll("C:\\WINDOWS\\*.*")),
            (std::vector<std::string>{".", "..", "Long File Name.txt", "README", "report.html",
                                      "System.ini", "WIN.INI"}));
}

TEST_F(FindFilesTest, RootFolderHasNoDotEntries) {
  EXPECT_EQ(names(files->findAll("C:\\*")), (std::vector<std::string>{"WINDOWS"}));
}

TEST_F(FindFilesTest, StarDotFindsNamesWithoutExtension) {
  EXPECT_EQ(names(files->findAll("C:\\WINDOWS\\*.")),
            (std::vector<std::string>{".", "..", "README"}));
}

TEST_F(FindFilesTest, MaskMatchesTheAliasToo) {
  // "report.html" has the alias REPORT~1.HTM, which "*.htm" matches, as on Windows.
  auto found = files->findAll("C:\\WINDOWS\\*.htm");
  ASSERT_EQ(names(found), (std::vector<std::string>{"report.html"}));
  EXPECT_EQ(found[0].alternateName, "REPORT~1.HTM");
  EXPECT_EQ(names(files->findAll("c:\\windows\\LONGFI~1.TXT")),
            (std::vector<std::string>{"Long File Name.txt"}));
}

TEST_F(FindFilesTest, EntriesCarryAliasAttributesSizeAndTimes) {
  files->setFileAttributes("C:\\WINDOWS\\WIN.INI", kAttributeHidden);
  auto found = files->findAll("C:\\WINDOWS\\*.txt");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].alternateName, "LONGFI~1.TXT");
  EXPECT_EQ(found[0].size, 7u);
  EXPECT_EQ(found[0].attributes, kAttributeArchive);
  EXPECT_NE(found[0].times.lastWrite.value, 0u);
  auto ini = files->findAll("C:\\WINDOWS\\win.ini");
  ASSERT_EQ(ini.size(), 1u);
  EXPECT_EQ(ini[0].alternateName, "");  // the long name is itself 8.3
  EXPECT_EQ(ini[0].attributes, kAttributeHidden);
  auto dots = files->findAll("C:\\WINDOWS\\.");
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0].attributes, kAttributeDirectory);
}

TEST_F(FindFilesTest, FindNextEndsAndErrorsNameTheCause) {
  FileSearch search = files->findFirstFile("C:\\WINDOWS\\*.ini");
  EXPECT_EQ(search.current().name, "System.ini");
  EXPECT_TRUE(search.next());
  EXPECT_EQ(search.current().name, "WIN.INI");
  EXPECT_FALSE(search.next());
  EXPECT_EQ(errorOf([&] { files->findFirstFile("C:\\WINDOWS\\*.dll"); }), WinError::FileNotFound);
  EXPECT_EQ(errorOf([&] { files->findFirstFile("C:\\NOWHERE\\*.*"); }), WinError::PathNotFound);
}

TEST_F(FindFilesTest, AliasesAreNumberedInOrderOfCreationAndStayStable) {
  files->createDirectory("C:\\Docs");
  write("C:\\Docs\\Quarterly Report 1.doc", "1");
  write("C:\\Docs\\Quarterly Report 2.doc", "2");
  write("C:\\Docs\\Quarterly Report 3.doc", "3");
  EXPECT_EQ(machine->shortPath("C:\\Docs\\Quarterly Report 2.doc"), "C:\\DOCS\\QUARTE~2.DOC");
  files->deleteFile("C:\\Docs\\Quarterly Report 1.doc");
  reopen();
  EXPECT_EQ(machine->shortPath("C:\\Docs\\Quarterly Report 3.doc"), "C:\\DOCS\\QUARTE~3.DOC");
  // The freed ~1 goes to the next new name, as Windows gives the lowest free number.
  write("C:\\Docs\\Quarterly Report 4.doc", "4");
  EXPECT_EQ(machine->shortPath("C:\\Docs\\Quarterly Report 4.doc"), "C:\\DOCS\\QUARTE~1.DOC");
}

TEST_F(FindFilesTest, FilesPutThereOnTheHostGetAliasesByCreationTime) {
  std::filesystem::create_directories(host() / "Host");
  testing_support::writeFile(host() / "Host" / "Zebra Stripes.txt", "first");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // beyond the host's clock tick
  testing_support::writeFile(host() / "Host" / "Zebra Spots.txt", "second");
  auto found = files->findAll("C:\\Host\\*");
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[2].name, "Zebra Spots.txt");
  EXPECT_EQ(found[2].alternateName, "ZEBRAS~2.TXT");
  EXPECT_EQ(found[3].alternateName, "ZEBRAS~1.TXT");
}

TEST_F(FindFilesTest, HostNamesWindowsCannotUseAreNotListed) {
  testing_support::writeFile(host() / "WINDOWS" / "a:b", "x");
  testing_support::writeFile(host() / "WINDOWS" / "\xE4\xB8\xAD.txt", "x");  // no ANSI form
  EXPECT_EQ(files->findAll("C:\\WINDOWS\\a*").size(), 0u);
  EXPECT_EQ(files->findAll("C:\\WINDOWS\\?.txt").size(), 0u);
}

TEST_F(FindFilesTest, AliasesOfHostMadeEntriesResolveBeforeAnyListing) {
  testing_support::writeFile(host() / "Documents and Settings" / "a.txt", "first");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  testing_support::writeFile(host() / "Documents Old" / "a.txt", "second");
  EXPECT_EQ(read("C:\\DOCUME~2\\A.TXT"), "second");
  EXPECT_EQ(read("C:\\docume~1\\a.txt"), "first");
}

TEST_F(FindFilesTest, ANameDeletedOnTheHostFreesItsAliasNumber) {
  write("C:\\WINDOWS\\Application Data.txt", "x");
  EXPECT_EQ(machine->shortPath("C:\\WINDOWS\\Application Data.txt"), "C:\\WINDOWS\\APPLIC~1.TXT");
  std::filesystem::remove(host() / "WINDOWS" / "Application Data.txt");
  write("C:\\WINDOWS\\Application Log.txt", "y");
  EXPECT_EQ(machine->shortPath("C:\\WINDOWS\\Application Log.txt"), "C:\\WINDOWS\\APPLIC~1.TXT");
}

// A search for one entry's exact path (found without listing the folder)
// gives what the folder's listing says of that entry, by long name or alias;
// host-made entries still get their aliases in creation order when the later
// one is looked up first, and a mask ending in a dot still finds the name
// without extension.
TEST_F(FindFilesTest, OneEntryByItsPathIsWhatTheListingSaysOfIt) {
  files->setFileAttributes("C:\\WINDOWS\\report.html", kAttributeHidden);
  const std::vector<FindData> listing = files->findAll("C:\\WINDOWS\\*");
  const auto listed = [&](const std::string& name) {
    for (const FindData& entry : listing)
      if (entry.name == name) return entry;
    ADD_FAILURE() << name << " is not listed";
    return FindData{};
  };
  for (const auto& [path, name] : std::vector<std::pair<std::string, std::string>>{
           {"C:\\WINDOWS\\report.html", "report.html"},
           {"c:\\windows\\REPORT~1.HTM", "report.html"},
           {"C:\\WINDOWS\\WIN.INI", "WIN.INI"},
           {"C:\\WINDOWS\\README", "README"}}) {
    const std::vector<FindData> one = files->findAll(path);
    ASSERT_EQ(one.size(), 1u) << path;
    const FindData expected = listed(name);
    EXPECT_EQ(one[0].name, expected.name) << path;
    EXPECT_EQ(one[0].alternateName, expected.alternateName) << path;
    EXPECT_EQ(one[0].attributes, expected.attributes) << path;
    EXPECT_EQ(one[0].size, expected.size) << path;
    EXPECT_EQ(one[0].times.lastWrite, expected.times.lastWrite) << path;
  }
  EXPECT_EQ(names(files->findAll("C:\\WINDOWS")), (std::vector<std::string>{"WINDOWS"}));
  EXPECT_EQ(names(files->findAll("C:\\WINDOWS\\README.")), (std::vector<std::string>{"README"}));
  EXPECT_TRUE(files->findAll("C:\\WINDOWS\\missing.txt").empty());
  EXPECT_TRUE(files->findAll("C:\\WINDOWS\\a<b").empty());
  EXPECT_EQ(errorOf([&] { files->findAll("C:\\Nowhere\\a.txt"); }), WinError::PathNotFound);

  std::filesystem::create_directories(host() / "Host");
  testing_support::writeFile(host() / "Host" / "Zebra Stripes.txt", "first");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  testing_support::writeFile(host() / "Host" / "Zebra Spots.txt", "second");
  EXPECT_EQ(files->findAll("C:\\Host\\Zebra Spots.txt").at(0).alternateName, "ZEBRAS~2.TXT");
  EXPECT_EQ(files->findAll("C:\\Host\\Zebra Stripes.txt").at(0).alternateName, "ZEBRAS~1.TXT");
}

TEST_F(FindFilesTest, FolderSizesListWhatTheSearchListsWithoutDotsOrUnusableNames) {
  files->createDirectory("C:\\WINDOWS\\Sub Folder");
  testing_support::writeFile(host() / "WINDOWS" / "a:b", "x");
  testing_support::writeFile(host() / "WINDOWS" / "\xE4\xB8\xAD.txt", "x");  // no ANSI form
  std::filesystem::create_symlink("missing-target", host() / "WINDOWS" / "dangling.lnk");
  std::filesystem::create_symlink("README", host() / "WINDOWS" / "readme link");

  std::vector<std::string> searched;
  std::vector<uint64_t> searchedSizes;
  for (const FindData& entry : files->findAll("C:\\WINDOWS\\*")) {
    if (entry.name == "." || entry.name == "..") continue;
    searched.push_back(entry.name);
    searchedSizes.push_back(entry.attributes & kAttributeDirectory ? 0 : entry.size);
  }
  for (const char* folder : {"C:\\WINDOWS", "c:\\windows\\"}) {
    const std::vector<ListedEntry> sized = files->listFolderSizes(folder);
    std::vector<std::string> listed;
    std::vector<uint64_t> listedSizes;
    for (const ListedEntry& entry : sized) {
      listed.push_back(entry.name);
      listedSizes.push_back(entry.size);
      EXPECT_EQ(entry.directory, entry.name == "Sub Folder") << entry.name;
    }
    EXPECT_EQ(listed, searched) << folder;
    EXPECT_EQ(listedSizes, searchedSizes) << folder;
  }
  // Links are reported as the entries they are, as the search reports them.
  EXPECT_EQ(searched,
            (std::vector<std::string>{"dangling.lnk", "Long File Name.txt", "README", "readme link",
                                      "report.html", "Sub Folder", "System.ini", "WIN.INI"}));
  EXPECT_EQ(errorOf([&] { files->listFolderSizes("C:\\NOWHERE"); }), WinError::PathNotFound);
  EXPECT_EQ(files->listFolderSizes("C:").size(), 1u);  // the drive root: WINDOWS
}
