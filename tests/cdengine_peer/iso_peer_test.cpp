// Images that `corvasta-machine iso` writes, read by the CD tools of the host:
// isoinfo and isovfy (genisoimage), xorriso, 7-Zip and bsdtar. Every reader
// finds every entry; the extractors give back every file's bytes, name and
// time; later sessions that import earlier ones are read whole.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "tests/cdengine_peer/iso_tree.h"

namespace cdengine_peer {
namespace {

namespace fs = std::filesystem;
using testing_support::haveProgram;
using testing_support::shellQuoted;

bool havePeers() {
  for (const char* tool : {"isoinfo", "isovfy", "xorriso", "7zz", "bsdtar"})
    if (!haveProgram(tool)) return false;
  return true;
}

// The sector count of "session at S, N sectors".
uint32_t sessionSectors(const std::string& output, uint32_t start) {
  std::smatch match;
  const std::regex line("session at " + std::to_string(start) + ", ([0-9]+) sectors\n");
  if (!std::regex_search(output, match, line)) {
    ADD_FAILURE() << "no session line for " << start << " in:\n" << output;
    return 0;
  }
  return static_cast<uint32_t>(std::stoul(match[1]));
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The paths of a tree, folders without their trailing '/'.
std::set<std::string> pathsOf(const TreeContents& tree) {
  std::set<std::string> paths;
  for (const auto& [name, file] : tree)
    paths.insert(name.back() == '/' ? name.substr(0, name.size() - 1) : name);
  return paths;
}

// isoinfo prints Joliet names in the character set -j names; Windows-1252
// letters of the tree are all in ISO 8859-1.
std::string latin1ToUtf8(const std::string& latin1) {
  std::string utf8;
  for (const unsigned char ch : latin1) {
    if (ch < 0x80) {
      utf8 += static_cast<char>(ch);
    } else {
      utf8 += static_cast<char>(0xC0 | ch >> 6);
      utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return utf8;
}

// The paths `xorriso -find /` prints, without their quotes and leading '/'.
std::set<std::string> xorrisoPaths(const std::string& output) {
  std::set<std::string> paths;
  for (const std::string& line : linesOf(output)) {
    if (line.size() < 3 || line.front() != '\'' || line.back() != '\'') continue;
    const std::string path = line.substr(1, line.size() - 2);
    if (path != "/") paths.insert(path.substr(1));
  }
  return paths;
}

class IsoPeer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!havePeers()) return;
    machine_ = new IsoTreeMachine;
    image_ = machine_->temp() / "tree.iso";
    written_ = machine_->iso({"C:\\Tree", image_.string(), "--volume", "Peer Tree 100%"});
    expected_ = readHostTree(machine_->host("C:\\Tree"));
  }
  static void TearDownTestSuite() {
    delete machine_;
    machine_ = nullptr;
  }
  void SetUp() override {
    if (!havePeers()) GTEST_SKIP() << "isoinfo, isovfy, xorriso, 7zz or bsdtar is not installed";
    ASSERT_EQ(written_.exitCode, 0) << written_.output;
  }
  static std::string image() { return shellQuoted(image_.string()); }
  // Extracts the image with `command` (OUT stands for the output folder) and
  // returns what it gave.
  static TreeContents extracted(const std::string& name, const std::string& command) {
    const fs::path out = machine_->temp() / name;
    fs::create_directories(out);
    std::string line = command;
    line.replace(line.find("OUT"), 3, shellQuoted(out.string()));
    run(line);
    return readHostTree(out);
  }

  static inline IsoTreeMachine* machine_ = nullptr;
  static inline fs::path image_;
  static inline testing_support::CommandResult written_;
  static inline TreeContents expected_;
};

TEST_F(IsoPeer, OneSessionHoldsTheWholeTreeAtSectorZero) {
  const uint32_t sectors = sessionSectors(written_.output, 0);
  EXPECT_EQ(fs::file_size(image_), uint64_t{sectors} * 2048);
  EXPECT_EQ(written_.output.find("refused"), std::string::npos) << written_.output;
  EXPECT_GT(sectors, (8u << 20) / 2048);  // the two media files alone
}

TEST_F(IsoPeer, IsoinfoReadsTheDescriptorsAndBothTrees) {
  const std::string descriptors = run("isoinfo -d -i " + image());
  EXPECT_NE(descriptors.find("Volume id: PEER TREE 100%"), std::string::npos) << descriptors;
  EXPECT_NE(descriptors.find("Joliet with UCS level 1 found"), std::string::npos) << descriptors;
  EXPECT_NE(descriptors.find("Volume size is: " + std::to_string(fs::file_size(image_) / 2048)),
            std::string::npos)
      << descriptors;

  const std::string iso = run("isoinfo -l -i " + image());
  EXPECT_NE(iso.find("Directory listing of /LEVEL_01/LEVEL_02/LEVEL_03/LEVEL_04/LEVEL_05/"
                     "LEVEL_06/LEVEL_07/LEVEL_08/LEVEL_09/LEVEL_10/LEVEL_11/LEVEL_12/"),
            std::string::npos)
      << iso;
  EXPECT_NE(iso.find(" README.;1"), std::string::npos);
  EXPECT_NE(iso.find(" EMPTY.TXT;1"), std::string::npos);

  const std::string joliet = latin1ToUtf8(run("isoinfo -J -j iso8859-1 -l -i " + image()));
  for (const char* name : {" Café Menü.txt;1", " Größe & Preis.doc;1", " deepest file.txt;1",
                           " Entry 199 of the crowded folder.txt;1", " README;1", " Secret.txt;1"})
    EXPECT_NE(joliet.find(name), std::string::npos) << name << "\n" << joliet;
  EXPECT_NE(joliet.find("Directory listing of /Übersicht Ordner/"), std::string::npos);
  size_t crowded = 0;
  for (const std::string& line : linesOf(joliet))
    if (line.find(" of the crowded folder.txt") != std::string::npos) ++crowded;
  EXPECT_EQ(crowded, 200u);
}

// isovfy checks the ISO 9660 tree and names each record whose flags are
// other than those of a plain file or directory: the hidden files' records
// carry the existence bit, and nothing else may be reported.
TEST_F(IsoPeer, IsovfyFindsNothingButTheHiddenFiles) {
  const std::string output = run("isovfy " + image());
  size_t hiddenFlags = 0;
  for (const std::string& line : linesOf(output)) {
    if (line.find("Flags=(1)") != std::string::npos) {
      ++hiddenFlags;
      continue;
    }
    const bool expected = line.rfind("Root at extent ", 0) == 0 || line == "[0 0]" ||
                          line == "No errors found" || line.empty();
    EXPECT_TRUE(expected) << line;
  }
  EXPECT_EQ(hiddenFlags, machine_->hiddenFiles.size()) << output;
}

TEST_F(IsoPeer, XorrisoFindsEveryEntryInBothTreesWithoutCollisions) {
  const std::string joliet = run("xorriso -indev " + image() + " -find / 2>&1");
  EXPECT_EQ(xorrisoPaths(joliet), pathsOf(expected_)) << joliet;
  EXPECT_EQ(joliet.find("WARNING"), std::string::npos) << joliet;

  const std::string iso = run("xorriso -read_fs ecma119 -indev " + image() + " -find / 2>&1");
  // The ISO names of files are the machine's 8.3 aliases, which keep letters
  // such as "É": xorriso warns that it cannot read them as ASCII, but no two
  // names of a directory are the same.
  EXPECT_EQ(xorrisoPaths(iso).size(), expected_.size()) << iso;
  EXPECT_EQ(iso.find("collision"), std::string::npos) << iso;
}

TEST_F(IsoPeer, SevenZipExtractsEveryFileWithItsNameBytesAndTime) {
  EXPECT_EQ(extracted("7zz", "7zz x -y -oOUT " + image() + " >/dev/null"), expected_);
}

TEST_F(IsoPeer, BsdtarExtractsEveryFileWithItsNameBytesAndTime) {
  EXPECT_EQ(extracted("bsdtar", "cd OUT && LC_ALL=C.UTF-8 bsdtar -xf " + image()), expected_);
}

// Three sessions in one image, each importing the one before: new files,
// replaced files and files added to folders the earlier session holds.
TEST(IsoMultisession, EachSessionHoldsTheTreeAsItWasWhenItWasWritten) {
  if (!havePeers()) GTEST_SKIP() << "isoinfo, isovfy, xorriso, 7zz or bsdtar is not installed";
  IsoTreeMachine machine;
  const fs::path image = machine.temp() / "multi.iso";
  const std::string quoted = shellQuoted(image.string());
  const testing_support::CommandResult first = machine.iso({"C:\\Tree", image.string()});
  ASSERT_EQ(first.exitCode, 0) << first.output;
  ASSERT_LT(fs::file_size(image), 20000u * 2048);
  fs::resize_file(image, 20000u * 2048);  // the next session starts at 20000

  machine.write("C:\\Tree\\README", "the second session's README\r\n", 1100000000);
  machine.write("C:\\Tree\\Media\\video part one.bin", testing_support::randomBytes(70000, 3),
                1100000001);
  machine.write("C:\\Tree\\Crowded\\Entry 200 of the crowded folder.txt", "added", 1100000002);
  machine.write("C:\\Tree\\Level 01\\Level 02\\second.txt", "new in session 2", 1100000003);
  const testing_support::CommandResult second =
      machine.iso({"C:\\Tree", image.string(), "--import", "0"});
  ASSERT_EQ(second.exitCode, 0) << second.output;
  const uint32_t secondSectors = sessionSectors(second.output, 20000);
  const TreeContents secondTree = readHostTree(machine.host("C:\\Tree"), false);

  const std::string listing = latin1ToUtf8(run("isoinfo -T 20000 -J -j iso8859-1 -f -i " + quoted));
  std::set<std::string> listed;
  for (const std::string& line : linesOf(listing)) {
    const size_t version = line.rfind(";1");
    listed.insert(line.substr(1, version == std::string::npos ? std::string::npos : version - 1));
  }
  EXPECT_EQ(listed, pathsOf(secondTree)) << listing;

  const auto extractSession = [&](uint32_t start, const std::string& name) {
    const fs::path out = machine.temp() / name;
    run("xorriso -load sbsector " + std::to_string(start) + " -indev " + quoted +
        " -osirrox on -extract / " + shellQuoted(out.string()) + " 2>&1 && chmod -R u+w " +
        shellQuoted(out.string()));
    return readHostTree(out, false);
  };
  EXPECT_EQ(extractSession(20000, "second"), secondTree);

  machine.write("C:\\Tree\\Media\\third.txt", "third session", 1200000000);
  machine.write("C:\\Tree\\README", "the third session's README\r\n", 1200000001);
  const testing_support::CommandResult third =
      machine.iso({"C:\\Tree", image.string(), "--import", "20000"});
  ASSERT_EQ(third.exitCode, 0) << third.output;
  const uint32_t thirdStart = 20000 + secondSectors;
  const uint32_t thirdSectors = sessionSectors(third.output, thirdStart);
  EXPECT_EQ(fs::file_size(image), uint64_t{thirdStart + thirdSectors} * 2048);
  EXPECT_EQ(extractSession(thirdStart, "third"), readHostTree(machine.host("C:\\Tree"), false));
  // The first session is still there as it was written.
  const TreeContents firstSession = extractSession(0, "first");
  EXPECT_EQ(firstSession.at("README").bytes, "no extension\r\n");
  EXPECT_EQ(firstSession.count("Media/third.txt"), 0u);
}

}  // namespace
}  // namespace cdengine_peer
