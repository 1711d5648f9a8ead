// Archives of other tools holding "café", "Ölförråd" and "ß": Info-ZIP's zip
// (to a file, streamed to a pipe, with ZipCrypto), 7-Zip, bsdtar in code
// page 1252, and code page 437 as DOS and Windows tools write it. Each lists
// under exactly the source names and extracts them with equal bytes, and
// nothing lands outside the destination; our own archive of the same files
// lists right in unzip and 7-Zip.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using testing_support::haveProgram;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::writeFile;

constexpr const char* kUtf8Locale = "LC_ALL=C.UTF-8 ";

// Source files by UTF-8 path, and the same paths as the engine names them.
const std::map<std::string, std::string> kAnsiOfUtf8 = {{"caf\xC3\xA9", "caf\xE9"},
                                                        {"\xC3\x96lf\xC3\xB6rr\xC3\xA5"
                                                         "d/\xC3\x9F",
                                                         "\xD6lf\xF6rr\xE5"
                                                         "d\\\xDF"},
                                                        {"\xC3\x96lf\xC3\xB6rr\xC3\xA5"
                                                         "d/caf\xC3\xA9.txt",
                                                         "\xD6lf\xF6rr\xE5"
                                                         "d\\caf\xE9.txt"}};

std::string noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(random() % 5 == 0 ? random() : 'a' + random() % 3);
  return data;
}

// Sets the host byte of every central header's "version made by" to MS-DOS,
// as a DOS or Windows tool writes it.
void patchMadeByToDos(const std::filesystem::path& zip) {
  std::string bytes = readFile(zip);
  for (size_t at = bytes.find("PK\x01\x02"); at != std::string::npos;
       at = bytes.find("PK\x01\x02", at + 4))
    bytes[at + 5] = 0;
  writeFile(zip, bytes);
}

// Regular files below a host folder: path relative to it (UTF-8) → bytes.
std::map<std::string, std::string> hostFiles(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    EXPECT_FALSE(entry.is_symlink()) << entry.path();
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), root).generic_string()] =
          readFile(entry.path());
  }
  return files;
}

class ForeignNamesPeer : public EngineTest {
 protected:
  void SetUp() override {
    for (const char* tool : {"zip", "unzip", "7zz", "bsdtar"})
      if (!haveProgram(tool)) GTEST_SKIP() << tool << " missing";
    std::filesystem::create_directories(dir / "c");
    for (const auto& [utf8, ansi] : kAnsiOfUtf8) {
      source[utf8] = utf8.ends_with(".txt") ? "caf\xC3\xA9 au lait\n" : noise(150000, 7);
      writeFile(dir / "src" / utf8, source[utf8]);
    }
  }
  std::map<std::string, std::string> source;
};

TEST_F(ForeignNamesPeer, ListedAndExtractedUnderTheSourceNamesWithEqualBytes) {
  const std::string cd = "cd " + shellQuoted(dir / "src") + " && " + kUtf8Locale;
  struct Peer {
    const char* zip;
    std::string command;
    bool dosHost = false;
  };
  const Peer peers[] = {
      {"zip.zip", "zip -qr ../c/zip.zip ."},
      {"pipe.zip", "zip -qr - . > ../c/pipe.zip"},
      {"zipcrypto.zip", "zip -qr -P pw ../c/zipcrypto.zip ."},
      {"seven.zip", "7zz a -bd -tzip ../c/seven.zip . >/dev/null"},
      {"bsd1252.zip", "bsdtar --format zip --options zip:hdrcharset=CP1252 -cf ../c/bsd1252.zip ."},
      {"dos437.zip", "bsdtar --format zip --options zip:hdrcharset=CP437 -cf ../c/dos437.zip .",
       true},
  };
  int n = 0;
  for (const Peer& peer : peers) {
    SCOPED_TRACE(peer.zip);
    auto made = runCommand(cd + peer.command);
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const std::string zipName = std::string("C:\\") + peer.zip;
    if (peer.dosHost) patchMadeByToDos(fs.hostPath(zipName));

    archive::TZipReader zip(fs);
    zip.SetZipName(zipName);
    zip.Password = "pw";
    zip.ReadDirectory();
    std::set<std::string> listed;
    for (int i = 0; i < zip.EntryCount(); ++i)
      if (!zip.EntryName(i).empty()) listed.insert(zip.EntryFolder(i) + zip.EntryName(i));
    std::set<std::string> expected;
    for (const auto& [utf8, ansi] : kAnsiOfUtf8) expected.insert(ansi);
    EXPECT_EQ(listed, expected);

    const std::string dest = "C:\\OUT" + std::to_string(n++);
    zip.DestDir = dest;
    EXPECT_EQ(zip.Extract(), static_cast<int>(kAnsiOfUtf8.size()));
    EXPECT_EQ(hostFiles(fs.hostPath(dest)), source);
  }
  // Only the archives and the destinations on the drive.
  for (const auto& entry : std::filesystem::directory_iterator(dir / "c")) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name.ends_with(".zip") || name.starts_with("OUT")) << name;
  }
}

TEST_F(ForeignNamesPeer, OurArchiveOfTheNamesListsAndExtractsRightInUnzipAndSevenZip) {
  for (const auto& [utf8, ansi] : kAnsiOfUtf8)
    writeFile(fs.hostPath("C:\\IN\\" + ansi), source[utf8]);
  archive::TZipWriter zip(fs);
  prepare(zip, "C:\\ours.zip");
  zip.SetStoreVolumes(false);
  zip.FilesList = {">C:\\IN\\*.*"};
  ASSERT_EQ(zip.CreateArchive(), static_cast<int>(kAnsiOfUtf8.size()));
  const std::string zipArg = shellQuoted(fs.hostPath("C:\\ours.zip"));
  for (std::string command : {"unzip -l " + zipArg, "7zz l " + zipArg}) {
    auto listing = runCommand(kUtf8Locale + command);
    ASSERT_EQ(listing.exitCode, 0) << command << "\n" << listing.output;
    for (const auto& [utf8, ansi] : kAnsiOfUtf8)
      EXPECT_NE(listing.output.find("IN/" + utf8), std::string::npos)
          << command << " lists no " << utf8 << "\n"
          << listing.output;
  }
  for (std::string command : {"unzip -q " + zipArg + " -d " + shellQuoted(dir / "unzipped"),
                              "7zz x -bd -o" + shellQuoted(dir / "sevened") + " " + zipArg}) {
    auto extracted = runCommand(kUtf8Locale + command + " >/dev/null");
    ASSERT_EQ(extracted.exitCode, 0) << command << "\n" << extracted.output;
  }
  std::map<std::string, std::string> expected;
  for (const auto& [utf8, data] : source) expected["IN/" + utf8] = data;
  EXPECT_EQ(hostFiles(dir / "unzipped"), expected);
  EXPECT_EQ(hostFiles(dir / "sevened"), expected);
}

}  // namespace
}  // namespace archive_test
