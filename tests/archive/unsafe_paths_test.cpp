// Entries whose stored path would leave the destination, or names a device,
// are refused before anything is written.
#include "archive/zip_error.h"
#include "archive/zip_paths.h"
#include "archive/zip_write_entry.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::extractionTarget;
using archive::ExtractPlacement;
using archive::ZipUnsafePathError;

void writeArchiveWith(const std::filesystem::path& host, const std::vector<std::string>& names) {
  archive::MemoryOutput out;
  archive::ZipArchiveWriter writer(out);
  for (const std::string& name : names) {
    archive::ZipEntryRecord header;
    header.name = name;
    header.dosTime = 0x30210000;
    writer.addPrepared(
        archive::prepareEntry(header, reinterpret_cast<const uint8_t*>("evil"), 4, {}));
  }
  writer.finish();
  testing_support::writeFile(host, std::string(out.bytes().begin(), out.bytes().end()));
}

TEST(ExtractionTarget, ClimbingAndDeviceNamesAreRefused) {
  ExtractPlacement into{"C:\\DEST", true, "C:\\"};
  for (const char* name :
       {"../evil.txt", "..\\evil.txt", "a/../../evil.txt", "C:/x/../../evil", "CON", "sub/nul.txt",
        "AUX.log", "com1", "LPT9.txt", "nul .txt", "a/b:stream", "x/\x01name", "C:x.txt",
        "C:/a/D:/b.txt", "\\\\?\\C:\\x"}) {
    EXPECT_THROW(extractionTarget(name, into), ZipUnsafePathError) << name;
    EXPECT_THROW(extractionTarget(name, {"", true, "C:\\"}), ZipUnsafePathError) << name;
  }
}

TEST(ExtractionTarget, PathsStayBelowTheDestination) {
  ExtractPlacement into{"C:\\DEST", true, "C:\\"};
  EXPECT_EQ(extractionTarget("C:/WINDOWS/win.ini", into).path, "C:\\DEST\\WINDOWS\\win.ini");
  EXPECT_EQ(extractionTarget("/WINDOWS/./win.ini", into).path, "C:\\DEST\\WINDOWS\\win.ini");
  EXPECT_EQ(extractionTarget("a..b/..c", into).path, "C:\\DEST\\a..b\\..c");
  EXPECT_EQ(extractionTarget("D:\\data\\x.txt", {"", true, "C:\\"}).path, "D:\\data\\x.txt");
  EXPECT_EQ(extractionTarget("data/x.txt", {"", true, "C:\\ROOT"}).path, "C:\\ROOT\\data\\x.txt");
  EXPECT_EQ(extractionTarget("C:/a/b/x.txt", {"C:\\F", false, ""}).path, "C:\\F\\x.txt");
  EXPECT_EQ(extractionTarget("console.txt", into).path, "C:\\DEST\\console.txt");
}

class ZipSlipTest : public EngineTest {};

TEST_F(ZipSlipTest, ArchiveWithClimbingEntryWritesNothing) {
  fs.createDirectory("C:\\DEST");
  for (const char* bad : {"../evil.txt", "sub\\..\\..\\evil.txt", "NUL.txt"}) {
    writeArchiveWith(fs.hostPath("C:\\slip.zip"), {"good.txt", bad, "later.txt"});
    archive::TZipReader zip(fs);
    zip.SetZipName("C:\\slip.zip");
    zip.DestDir = "C:\\DEST";
    try {
      zip.Extract();
      ADD_FAILURE() << bad << " was extracted";
    } catch (const ZipUnsafePathError& e) {
      EXPECT_NE(std::string(e.what()).find("was not extracted"), std::string::npos);
    }
    EXPECT_FALSE(exists("C:\\evil.txt"));
    EXPECT_FALSE(exists("C:\\DEST\\good.txt"));
    EXPECT_FALSE(exists("C:\\DEST\\later.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(fs.hostPath("C:\\DEST")));
  }
}

TEST_F(ZipSlipTest, AbsoluteUnixPathsAndRootFolderEntriesStayInTheDestination) {
  fs.createDirectory("C:\\DEST");
  // bsdtar's archives of "." begin with a "./" folder entry.
  writeArchiveWith(fs.hostPath("C:\\abs.zip"),
                   {"./", "C:/", "/etc/passwd", "./in/a.txt", "//server/share/b.txt"});
  archive::TZipReader zip(fs);
  zip.SetZipName("C:\\abs.zip");
  zip.DestDir = "C:\\DEST";
  EXPECT_EQ(zip.Extract(), 3);
  EXPECT_EQ(content("C:\\DEST\\etc\\passwd"), "evil");
  EXPECT_EQ(content("C:\\DEST\\in\\a.txt"), "evil");
  EXPECT_EQ(content("C:\\DEST\\server\\share\\b.txt"), "evil");
  // On the host: the destination and the archive, nothing else.
  std::set<std::string> top;
  for (const auto& entry : std::filesystem::directory_iterator(fs.hostPath("C:\\")))
    top.insert(entry.path().filename().string());
  EXPECT_EQ(top, (std::set<std::string>{"DEST", "abs.zip"}));
  EXPECT_TRUE(archive::namesOnlyTheRoot("./"));
  EXPECT_TRUE(archive::namesOnlyTheRoot("C:\\"));
  EXPECT_FALSE(archive::namesOnlyTheRoot("./a/"));
  EXPECT_FALSE(archive::namesOnlyTheRoot("../"));
}

// The Extractor extracts the checked entries: a hostile one among them stops
// all of them, one left unchecked does not matter.
TEST_F(ZipSlipTest, AHostileSelectedEntryStopsTheWholeSelection) {
  fs.createDirectory("C:\\DEST");
  const std::vector<std::string> names = {"good.txt",           "../x", "..\\x",
                                          "C:/WINDOWS/../../x", "CON",  "D:dir/x"};
  writeArchiveWith(fs.hostPath("C:\\sel.zip"), names);
  const auto hostBefore = [&] {
    std::set<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
      paths.insert(entry.path().string());
    return paths;
  }();
  archive::TZipReader zip(fs);
  zip.SetZipName("C:\\sel.zip");
  zip.DestDir = "C:\\DEST";
  zip.ReadDirectory();
  ASSERT_EQ(zip.EntryCount(), static_cast<int>(names.size()));
  for (int hostile = 1; hostile < zip.EntryCount(); ++hostile) {
    for (int i = 0; i < zip.EntryCount(); ++i) zip.SetEntrySelected(i, i == 0 || i == hostile);
    try {
      zip.ExtractSelected();
      ADD_FAILURE() << names[static_cast<size_t>(hostile)] << " was extracted";
    } catch (const ZipUnsafePathError& e) {
      EXPECT_NE(std::string(e.what()).find(names[static_cast<size_t>(hostile)]), std::string::npos)
          << "the message names the entry: " << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(fs.hostPath("C:\\DEST")));
  }
  for (int i = 0; i < zip.EntryCount(); ++i) zip.SetEntrySelected(i, i == 0);
  EXPECT_EQ(zip.ExtractSelected(), 1);
  EXPECT_EQ(content("C:\\DEST\\good.txt"), "evil");
  std::set<std::string> hostAfter;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
    hostAfter.insert(entry.path().string());
  hostAfter.erase(fs.hostPath("C:\\DEST\\good.txt").string());
  EXPECT_EQ(hostAfter, hostBefore);
}

}  // namespace
}  // namespace archive_test
