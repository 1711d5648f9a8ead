// What holds for the sample of every Windows version: it loads, its
// directories and tools exist, the diskette drive is a 1.44 MB drive, and two
// creations are identical.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/errors.h"
#include "platform/files/file_system.h"
#include "platform/sample/generated_files.h"
#include "tests/platform_sample/sample_test_support.h"

using namespace platform;
using sample_test::isFile;
using sample_test::isFolder;

namespace {

namespace fs = std::filesystem;

// Every version, with the short mode name its program files carry.
struct VersionCase {
  WindowsVersion version;
  const char* shortModeName;
};
const VersionCase kVersions[] = {{WindowsVersion::Win95, "95"},   {WindowsVersion::Win98, "98"},
                                 {WindowsVersion::WinMe, "ME"},   {WindowsVersion::Nt4, "NT"},
                                 {WindowsVersion::Win2000, "2k"}, {WindowsVersion::WinXp, "XP"}};

bool holdsFileNamed(const fs::path& folder, const std::string& name) {
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && ansiEqualNoCase(entry.path().filename().string(), name))
      return true;
  return false;
}

// Every entry of a machine folder: relative path -> content (files) or
// "<folder>", with the modification time, and for the drives' entries the DOS
// attributes and creation time Windows reports.
std::map<std::string, std::string> snapshot(Machine& machine) {
  std::map<std::string, std::string> tree;
  FileSystem files(machine);
  const fs::path& root = machine.folder();
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    struct stat info {};
    ::stat(entry.path().c_str(), &info);
    std::string relative = entry.path().lexically_relative(root).generic_string();
    bool folder = entry.is_directory();
    // The machine's own state and description change when it is used; only
    // the drives' times are part of the sample.
    bool timed = relative.rfind("drives/", 0) == 0;
    std::string& recorded = tree[relative];
    recorded = (folder ? std::string("<folder>") : testing_support::readFile(entry.path())) +
               (timed ? "@" + std::to_string(info.st_mtime) : "");
    // Creation times are the sample's own on drive C; the roots, the diskettes
    // and the CD report what the host knows.
    auto winPath = machine.winPathOf(entry.path());
    if (winPath && winPath->size() > 3) {
      FileInfo windows = files.getFileAttributesEx(*winPath);
      recorded += " attributes " + std::to_string(windows.attributes);
      if ((*winPath)[0] == 'C')
        recorded += " created " + std::to_string(windows.times.creation.value);
    }
  }
  return tree;
}

}  // namespace

TEST(EverySample, LoadsWithItsDirectoriesToolsAndSupportFiles) {
  for (const auto& [version, shortModeName] : kVersions) {
    SCOPED_TRACE(windowsVersionName(version));
    auto created = sample_test::createMachine(version);
    const Machine& m = *created->machine;
    EXPECT_EQ(m.version(), version);
    EXPECT_TRUE(m.config().running);
    EXPECT_TRUE(isFolder(m, m.config().windowsDirectory));
    EXPECT_TRUE(isFolder(m, m.config().systemDirectory));
    EXPECT_TRUE(isFolder(m, m.config().environment.at("TEMP")));
    const std::string program = m.config().programDirectory + "\\";
    EXPECT_EQ(program, "C:\\Program Files\\Corvasta\\");
    EXPECT_TRUE(isFile(m, program + "crvast" + std::string(shortModeName) + ".exe"));
    for (const char* file :
         {"unzip.exe", "startwin.pif", "command.pif", "cmd.pif", "cmossave.com", "cmosrest.com",
          "bootsave.com", "bootrest.com", "need.com", "cmosboot.bat", "ctmouse.exe"})
      EXPECT_TRUE(isFile(m, program + file));
    // A program listed in [Programs] can be started only when its file exists.
    for (const auto& [name, action] : m.config().programs) {
      bool present = holdsFileNamed(m.drive('C')->hostRoot(), name) ||
                     holdsFileNamed(m.drive('D')->hostRoot(), name);
      EXPECT_TRUE(present) << name;
    }
    EXPECT_TRUE(m.config().programs.count("regedit.exe"));
    EXPECT_TRUE(m.config().programs.count(isNt(version) ? "cmd.exe" : "command.com"));

    Drive& c = *m.drive('C');
    EXPECT_EQ(c.type(), DriveType::Fixed);
    EXPECT_FALSE(c.volume().label.empty());
    EXPECT_NE(c.volume().serial, 0u);
    EXPECT_LT(c.space().freeBytes, c.space().totalBytes);
    Drive& a = *m.drive('A');
    EXPECT_EQ(a.type(), DriveType::Removable);
    EXPECT_EQ(a.insertedMedium(), "disk1");
    EXPECT_EQ(a.space().totalBytes, 1457664u);
    EXPECT_EQ(a.space().clusterSize, 512u);
    EXPECT_EQ(a.config().media, (std::vector<std::string>{"disk1", "disk2", "disk3"}));
    EXPECT_EQ(m.driveType("D:\\"), DriveType::CdRom);
  }
}

TEST(EverySample, EachVersionHoldsTheWindowsBinariesItShips) {
  struct Shipped {
    const char* path;
    std::vector<WindowsVersion> versions;
  };
  const Shipped kShipped[] = {
      {"C:\\CDROM\\OAKCDROM.SYS", {WindowsVersion::Win95, WindowsVersion::Win98}},
      {"C:\\WINDOWS\\SCANREGW.EXE", {WindowsVersion::Win98, WindowsVersion::WinMe}},
      {"C:\\WINDOWS\\SYSTEM\\RESTORE\\RSTRUI.EXE", {WindowsVersion::WinMe}},
      {"C:\\WINNT\\system32\\rdisk.exe", {WindowsVersion::Nt4}},
      {"C:\\WINNT\\system32\\ncpa.cpl", {WindowsVersion::Win2000}},
      {"C:\\WINDOWS\\system32\\ncpa.cpl", {WindowsVersion::WinXp}},
      {"C:\\WINDOWS\\system32\\Restore\\rstrui.exe", {WindowsVersion::WinXp}},
      {"C:\\Program Files\\Outlook Express\\msimn.exe",
       {WindowsVersion::Win95, WindowsVersion::Win98, WindowsVersion::WinMe,
        WindowsVersion::Win2000, WindowsVersion::WinXp}},
  };
  for (const VersionCase& versionCase : kVersions) {
    const WindowsVersion version = versionCase.version;
    SCOPED_TRACE(windowsVersionName(version));
    auto created = sample_test::createMachine(version);
    for (const Shipped& binary : kShipped) {
      bool shipped = std::find(binary.versions.begin(), binary.versions.end(), version) !=
                     binary.versions.end();
      EXPECT_EQ(created->machine->resolve(binary.path).exists, shipped) << binary.path;
    }
  }
}

TEST(EverySample, TwoCreationsAreIdentical) {
  for (WindowsVersion version : {WindowsVersion::Win98, WindowsVersion::WinXp}) {
    SCOPED_TRACE(windowsVersionName(version));
    sample::SampleOptions options;
    options.users = 2;
    auto first = sample_test::createMachine(version, options);
    auto second = sample_test::createMachine(version, options);
    auto a = snapshot(*first->machine);
    auto b = snapshot(*second->machine);
    ASSERT_EQ(a.size(), b.size());
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
      ASSERT_EQ(i->first, j->first);
      EXPECT_TRUE(i->second == j->second) << i->first << " differs";
    }
    // A few megabytes, not hundreds.
    size_t bytes = 0;
    for (const auto& [path, content] : a) bytes += content.size();
    EXPECT_GT(bytes, 2u << 20);
    EXPECT_LT(bytes, 16u << 20);
  }
}

TEST(EverySample, AnotherSeedGivesOtherBytesInTheSameTree) {
  sample::SampleOptions other;
  other.seed = 7;
  auto first = sample_test::createMachine(WindowsVersion::WinMe);
  auto second = sample_test::createMachine(WindowsVersion::WinMe, other);
  std::string path = "C:\\WINDOWS\\TTFCACHE";
  std::string a = testing_support::readFile(first->machine->resolve(path).host);
  std::string b = testing_support::readFile(second->machine->resolve(path).host);
  EXPECT_EQ(a.size(), b.size());
  EXPECT_NE(a, b);
}

TEST(EverySample, StandInBinariesSayWhatTheyAre) {
  auto created = sample_test::createMachine(WindowsVersion::WinMe);
  std::string dos = testing_support::readFile(
      created->machine->resolve("C:\\Program Files\\Corvasta\\crvastME.exe").host);
  EXPECT_EQ(dos.substr(0, 2), "MZ");
  EXPECT_NE(dos.find(sample::kPlaceholderMarker), std::string::npos);
  EXPECT_NE(dos.find("File: crvastME.exe"), std::string::npos);
  std::string pif = testing_support::readFile(
      created->machine->resolve("C:\\Program Files\\Corvasta\\startwin.pif").host);
  EXPECT_NE(pif.substr(0, 2), "MZ");
  EXPECT_NE(pif.find(sample::kPlaceholderMarker), std::string::npos);
  std::string bitmap = testing_support::readFile(
      created->machine->resolve("C:\\My Documents\\My Pictures\\Garden.bmp").host);
  ASSERT_GE(bitmap.size(), 54u);
  EXPECT_EQ(bitmap.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bitmap[2]) | static_cast<unsigned char>(bitmap[3]) << 8 |
                static_cast<unsigned char>(bitmap[4]) << 16,
            bitmap.size());
  // Text files have Windows line ends only.
  std::string winIni =
      testing_support::readFile(created->machine->resolve("C:\\WINDOWS\\WIN.INI").host);
  size_t bareLineFeeds = 0;
  for (size_t i = 0; i < winIni.size(); ++i)
    if (winIni[i] == '\n' && (i == 0 || winIni[i - 1] != '\r')) ++bareLineFeeds;
  EXPECT_EQ(bareLineFeeds, 0u);
  EXPECT_GT(winIni.size(), 500u);
}

TEST(EverySample, RefusesAFolderThatHoldsAnything) {
  testing_support::TempDir temp;
  testing_support::writeFile(temp / "notes.txt", "mine");
  EXPECT_THROW(sample::createSampleMachine(temp.path(), WindowsVersion::WinMe), corvasta::Error);
  EXPECT_FALSE(fs::exists(temp / "machine.ini"));
  EXPECT_EQ(testing_support::readFile(temp / "notes.txt"), "mine");
  sample::SampleOptions tooMany;
  tooMany.users = sample::kMaxSampleUsers + 1;
  EXPECT_THROW(sample::createSampleMachine(temp / "new", WindowsVersion::WinXp, tooMany),
               corvasta::Error);
}
