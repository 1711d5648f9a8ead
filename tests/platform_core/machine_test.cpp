#include "platform/core/machine.h"

#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

constexpr const char* kMachineIni =
    "[Machine]\n"
    "Windows=me\n"
    "WindowsDirectory=C:\\WINDOWS\n"
    "\n"
    "[Drive C]\n"
    "Type=fixed\n"
    "Folder=drives/c\n"
    "Label=WINME\n"
    "Serial=1A2B-3C4D\n"
    "\n"
    "[Drive A]\n"
    "Type=removable\n"
    "Folder=drives/a\n"
    "Capacity=1457664\n"
    "Media=disk1,disk2\n"
    "Inserted=disk1\n";

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "machine.ini", kMachineIni);
    writeFile(dir / "drives/c/WINDOWS/Win.ini", "[windows]\r\n");
    writeFile(dir / "drives/c/Program Files/Corvasta/vastel.ini", "");
    writeFile(dir / "drives/c/caf\xC3\xA9/menu.txt", "x");
    std::filesystem::create_directories(dir / "drives/a/disk1");
    std::filesystem::create_directories(dir / "drives/a/disk2");
    machine = Machine::open(dir.path());
  }
  TempDir dir;
  std::unique_ptr<Machine> machine;
};

}  // namespace

TEST_F(MachineTest, DrivesAreListedInLetterOrderWithTheirTypes) {
  EXPECT_EQ(machine->driveRoots(), (std::vector<std::string>{"A:\\", "C:\\"}));
  EXPECT_EQ(machine->driveType("C:\\"), DriveType::Fixed);
  EXPECT_EQ(machine->driveType("a:"), DriveType::Removable);
  EXPECT_EQ(machine->driveType("Q:\\"), DriveType::NoRootDir);
  EXPECT_EQ(machine->drive('C')->volume().serial, 0x1A2B3C4Du);
  EXPECT_EQ(machine->drive('C')->volume().label, "WINME");
}

TEST_F(MachineTest, ResolvesEachComponentWithoutCase) {
  HostLocation location = machine->resolve("c:\\windows\\WIN.INI");
  EXPECT_TRUE(location.exists);
  EXPECT_EQ(location.host, dir / "drives/c/WINDOWS/Win.ini");
  EXPECT_EQ(location.longPath, "C:\\WINDOWS\\Win.ini");
  // ANSI names inside, UTF-8 on the host.
  EXPECT_EQ(machine->resolve("C:\\CAF\xC9\\MENU.TXT").host, dir / "drives/c/caf\xC3\xA9/menu.txt");
  EXPECT_EQ(machine->winPathOf(dir / "drives/c/caf\xC3\xA9"), "C:\\caf\xE9");
}

TEST_F(MachineTest, PathsThatDoNotExistMapToWhereTheyWouldBeCreated) {
  HostLocation location = machine->resolve("C:\\Windows\\New Folder\\file.txt");
  EXPECT_FALSE(location.exists);
  EXPECT_FALSE(location.parentExists);
  EXPECT_EQ(location.host, dir / "drives/c/WINDOWS/New Folder/file.txt");
  HostLocation sibling = machine->resolve("C:\\WINDOWS\\system.ini");
  EXPECT_FALSE(sibling.exists);
  EXPECT_TRUE(sibling.parentExists);
  EXPECT_EQ(sibling.aliasFolder, "WINDOWS");
}

// A folder's path is found in one look when every name is the host's own;
// otherwise each component is looked up, so what others did on the host in
// between shows in the next answer.
TEST_F(MachineTest, FoldersChangedOnTheHostBetweenTwoLookUpsAreFoundAgain) {
  HostLocation exact = machine->resolve("C:\\WINDOWS\\system.ini");
  EXPECT_TRUE(exact.parentExists);
  ASSERT_TRUE(exact.parentIdentity);
  EXPECT_EQ(*exact.parentIdentity, host::fileIdentity(dir / "drives/c/WINDOWS"));
  // Renamed on the host to another case: found without case again.
  std::filesystem::rename(dir / "drives/c/WINDOWS", dir / "drives/c/Windows");
  HostLocation renamed = machine->resolve("C:\\WINDOWS\\WIN.INI");
  EXPECT_TRUE(renamed.exists);
  EXPECT_EQ(renamed.host, dir / "drives/c/Windows/Win.ini");
  EXPECT_EQ(renamed.longPath, "C:\\Windows\\Win.ini");
  // A file where the folder was: the path has no parent any more.
  std::filesystem::remove_all(dir / "drives/c/Windows");
  writeFile(dir / "drives/c/WINDOWS", "not a folder");
  HostLocation blocked = machine->resolve("C:\\WINDOWS\\win.ini");
  EXPECT_FALSE(blocked.parentExists);
  EXPECT_FALSE(blocked.exists);
  // A link to a folder leads into it; a dangling link is an entry of its own.
  std::filesystem::create_directory_symlink(dir / "drives/c/Program Files",
                                            dir / "drives/c/Programs");
  EXPECT_TRUE(machine->resolve("C:\\Programs\\Corvasta\\vastel.ini").exists);
  std::filesystem::create_symlink(dir / "gone", dir / "drives/c/Programs/Corvasta/dangling");
  EXPECT_TRUE(machine->resolve("C:\\PROGRAMS\\CORVASTA\\DANGLING").exists);
  // A file made on the host after a first look is found, also without case.
  EXPECT_FALSE(machine->resolve("C:\\Program Files\\Corvasta\\NEW.TXT").exists);
  writeFile(dir / "drives/c/Program Files/Corvasta/new.txt", "x");
  HostLocation made = machine->resolve("C:\\Program Files\\Corvasta\\NEW.TXT");
  EXPECT_TRUE(made.exists);
  EXPECT_EQ(made.host, dir / "drives/c/Program Files/Corvasta/new.txt");
}

TEST_F(MachineTest, DotComponentsTrailingDotsAndForwardSlashesAreNormalised) {
  EXPECT_EQ(machine->resolve("C:/WINDOWS/./x/../win.ini.").host, dir / "drives/c/WINDOWS/Win.ini");
  EXPECT_EQ(machine->resolve("C:\\..\\..").host, dir / "drives/c");
}

TEST_F(MachineTest, BadPathsGiveTheWindowsErrors) {
  auto codeOf = [&](const char* path) {
    try {
      machine->resolve(path);
    } catch (const OsError& e) {
      return e.code();
    }
    return WinError::Success;
  };
  EXPECT_EQ(codeOf("Q:\\x"), WinError::PathNotFound);
  EXPECT_EQ(codeOf("WINDOWS\\x"), WinError::InvalidName);
  EXPECT_EQ(codeOf("C:\\a|b"), WinError::InvalidName);
  EXPECT_EQ(codeOf("C:\\a*"), WinError::InvalidName);
  EXPECT_EQ(codeOf("\\\\server\\share"), WinError::PathNotFound);
  EXPECT_EQ(codeOf("\\\\.\\E:"), WinError::InvalidName);  // device paths belong to the SCSI layer
  EXPECT_TRUE(parseWinPath("\\\\.\\e:").device);
  EXPECT_TRUE(isDosDeviceName("nul.txt"));
  EXPECT_TRUE(isDosDeviceName("COM1"));
  EXPECT_FALSE(isDosDeviceName("COM0"));
  EXPECT_FALSE(isDosDeviceName("console"));
}

TEST_F(MachineTest, ShortPathsUseAliasesThatResolveBack) {
  EXPECT_EQ(machine->shortPath("C:\\program files\\corvasta\\VASTEL.INI"),
            "C:\\PROGRA~1\\CORVASTA\\VASTEL.INI");
  EXPECT_EQ(machine->resolve("C:\\PROGRA~1\\Corvasta").host,
            dir / "drives/c/Program Files/Corvasta");
  EXPECT_THROW(machine->shortPath("C:\\Program Files\\missing.txt"), OsError);
  // Stable after the machine is opened again.
  auto again = Machine::open(dir.path());
  EXPECT_EQ(again->shortPath("C:\\Program Files"), "C:\\PROGRA~1");
}

TEST_F(MachineTest, RemovableMediaCanBeSwappedAndEjected) {
  Drive* a = machine->drive('A');
  EXPECT_EQ(machine->resolve("A:\\x.zip").host, dir / "drives/a/disk1/x.zip");
  a->insert("disk2");
  EXPECT_EQ(machine->resolve("A:\\x.zip").host, dir / "drives/a/disk2/x.zip");
  a->setLabel("PKBACK# 002");
  EXPECT_EQ(a->volume().label, "PKBACK# 002");
  a->insert("disk1");
  EXPECT_NE(a->volume().label, "PKBACK# 002");  // labels belong to the medium
  a->eject();
  EXPECT_FALSE(a->ready());
  try {
    machine->resolve("A:\\x.zip");
    FAIL() << "an empty drive must not resolve";
  } catch (const OsError& e) {
    EXPECT_EQ(e.code(), WinError::NotReady);
  }
  // The inserted medium is machine state: it survives a reopen.
  EXPECT_FALSE(Machine::open(dir.path())->drive('A')->ready());
  EXPECT_THROW(a->insert("disk9"), OsError);
}

TEST_F(MachineTest, CapacityDrivesCountClustersAndRefuseWhatDoesNotFit) {
  Drive* a = machine->drive('A');
  EXPECT_EQ(a->space().totalBytes, 1457664u);
  EXPECT_EQ(a->space().freeBytes, 1457664u);
  writeFile(dir / "drives/a/disk1/one.bin", std::string(1000, 'x'));  // two 512-byte clusters
  std::filesystem::create_directories(dir / "drives/a/disk1/sub");    // one cluster
  EXPECT_EQ(a->space().freeBytes, 1457664u - 1024 - 512);
  EXPECT_NO_THROW(a->checkRoomFor(0, a->space().freeBytes, "A:\\fits.bin"));
  try {
    a->checkRoomFor(0, a->space().freeBytes + 1, "A:\\big.bin");
    FAIL() << "expected disk full";
  } catch (const OsError& e) {
    EXPECT_EQ(e.code(), WinError::DiskFull);
    EXPECT_NE(std::string(e.what()).find("A:\\big.bin"), std::string::npos);
  }
  EXPECT_NO_THROW(a->checkRoomFor(1000, 1024, "A:\\one.bin"));  // same clusters: no room needed
}

// A long write grows a file step by step: the steps add up until the drive is
// full, and space freed on the host is found again before a write is refused.
TEST_F(MachineTest, CapacityChecksCountGrowthAndRecountBeforeRefusing) {
  Drive* a = machine->drive('A');
  const uint64_t capacity = a->space().totalBytes;
  const size_t step = 64 * 1024;
  const auto file = dir / "drives/a/disk1/long.bin";
  std::string written;
  bool refused = false;
  while (!refused && written.size() <= capacity) {
    try {
      a->checkRoomFor(written.size(), written.size() + step, "A:\\long.bin");
      written.append(step, 'x');
      writeFile(file, written);
    } catch (const OsError& e) {
      EXPECT_EQ(e.code(), WinError::DiskFull);
      refused = true;
    }
  }
  ASSERT_TRUE(refused);
  EXPECT_LE(written.size(), capacity);
  EXPECT_GT(written.size() + step, capacity);

  // Deleted on the host: a recount lets the next write through.
  std::filesystem::remove(file);
  EXPECT_NO_THROW(a->checkRoomFor(0, step, "A:\\after.bin"));
}
