// TNTRegistry over the live registry of a sample XP machine: root and
// relative paths, the access it falls back to, string reading, and saving
// and replacing hives.

#include "backup/NTReg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;
using corvasta::TNTRegistry;

class NtRegistryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    temp_ = new testing_support::TempDir;
    sample::createSampleMachine(*temp_ / "template", WindowsVersion::WinXp, {.running = false});
  }
  static void TearDownTestSuite() {
    delete temp_;
    temp_ = nullptr;
  }

  // A fresh copy of the sample for each test, optionally without some of
  // the user's privileges.
  void open(const std::vector<std::string>& privileges = {"SeBackupPrivilege",
                                                          "SeRestorePrivilege"}) {
    std::filesystem::path dir = local_.path() / "machine";
    std::filesystem::copy(*temp_ / "template", dir, std::filesystem::copy_options::recursive);
    std::string ini = testing_support::readFile(dir / "machine.ini");
    size_t line = ini.find("Privileges=");
    ASSERT_NE(line, std::string::npos);
    std::string joined;
    for (const auto& name : privileges) joined += (joined.empty() ? "" : " ") + name;
    ini.replace(line, ini.find('\n', line) - line, "Privileges=" + joined);
    testing_support::writeFile(dir / "machine.ini", ini);
    machine_ = Machine::open(dir);
    files_ = std::make_unique<FileSystem>(*machine_);
    registry_ = std::make_unique<LiveRegistry>(*machine_, *files_);
  }

  static testing_support::TempDir* temp_;
  testing_support::TempDir local_;
  std::unique_ptr<Machine> machine_;
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<LiveRegistry> registry_;
};

testing_support::TempDir* NtRegistryTest::temp_ = nullptr;

TEST_F(NtRegistryTest, PathsFromTheRootAndFromTheCurrentKey) {
  open();
  TNTRegistry reg(*registry_);
  EXPECT_EQ(reg.rootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion", false));
  EXPECT_EQ(reg.currentPath(), "Software\\Microsoft\\Windows\\CurrentVersion");
  ASSERT_TRUE(reg.openKey("Explorer\\Shell Folders", false));
  EXPECT_EQ(reg.currentPath(),
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  EXPECT_EQ(reg.readString("Desktop"), "C:\\Documents and Settings\\Owner\\Desktop");
  EXPECT_EQ(reg.readString("No such value"), "");
  std::vector<std::string> names = reg.valueNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Startup"), names.end());

  // A failed open keeps the current key.
  EXPECT_FALSE(reg.openKey("Missing", false));
  EXPECT_EQ(reg.readString("Desktop"), "C:\\Documents and Settings\\Owner\\Desktop");

  reg.setRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.currentKey(), 0u);
  EXPECT_EQ(reg.currentPath(), "");
  ASSERT_TRUE(reg.openKey("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false));
  EXPECT_EQ(reg.readString("SystemRoot"), "C:\\WINDOWS");
  reg.closeKey();
  EXPECT_EQ(reg.currentKey(), 0u);
}

TEST_F(NtRegistryTest, CreatesKeysAndRejectsNonStringValues) {
  open();
  TNTRegistry reg(*registry_);
  ASSERT_TRUE(reg.openKey("\\Software\\Corvasta\\Test", true));
  EXPECT_EQ(reg.currentPath(), "Software\\Corvasta\\Test");
  HKEY check = 0;
  EXPECT_EQ(registry_->openKeyEx(HKEY_CURRENT_USER, "Software\\Corvasta\\Test", 0, KEY_READ, check),
            WinError::Success);
  registry_->closeKey(check);

  ASSERT_TRUE(reg.openKey("\\Software\\Microsoft\\Notepad", false));
  try {
    reg.readString("iPointSize");
    FAIL() << "a DWORD was read as a string";
  } catch (const corvasta::Error& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'iPointSize'");
  }
}

TEST_F(NtRegistryTest, SecuredKeysNeedTheBackupRestoreFallback) {
  open();
  TNTRegistry reg(*registry_);
  reg.setRootKey(HKEY_LOCAL_MACHINE);
  // Neither full, reduced nor read access opens the security database.
  EXPECT_FALSE(reg.openKey("\\SECURITY\\Policy", false));
  std::string file = "C:\\WINDOWS\\Temp\\security.hiv";
  ASSERT_TRUE(reg.saveKey("\\SECURITY", file));
  registry::RegistryTree saved = testing_support::readNtHiveFile(machine_->resolve(file).host);
  EXPECT_NE(saved.root.findPath("Policy\\PolAdtEv"), nullptr);

  // The save itself refuses a file that exists; the caller deletes first.
  EXPECT_FALSE(reg.saveKey("\\SECURITY", file));
  files_->deleteFile(file);
  EXPECT_TRUE(reg.saveKey("\\SECURITY", file));
}

TEST_F(NtRegistryTest, SavingWithoutBackupPrivilegeFails) {
  open({"SeRestorePrivilege"});
  TNTRegistry reg(*registry_);
  reg.setRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.saveKey("\\SECURITY", "C:\\WINDOWS\\Temp\\security.hiv"));
  EXPECT_FALSE(reg.saveKey("\\SOFTWARE", "C:\\WINDOWS\\Temp\\software.hiv"));
  EXPECT_FALSE(files_->exists("C:\\WINDOWS\\Temp\\software.hiv"));
}

TEST_F(NtRegistryTest, SavesRelativeKeysAndReplacesHives) {
  open();
  TNTRegistry reg(*registry_);
  reg.setRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.openKey("\\SOFTWARE\\Microsoft", false));
  ASSERT_TRUE(reg.saveKey("Windows NT", "C:\\WINDOWS\\Temp\\nt.hiv"));
  registry::RegistryTree saved =
      testing_support::readNtHiveFile(machine_->resolve("C:\\WINDOWS\\Temp\\nt.hiv").host);
  EXPECT_NE(saved.root.findPath("CurrentVersion\\ProfileList"), nullptr);

  ASSERT_TRUE(reg.saveKey("\\SOFTWARE", "C:\\WINDOWS\\Temp\\software.new"));
  reg.closeKey();
  ASSERT_TRUE(reg.replaceKey("\\SOFTWARE", "C:\\WINDOWS\\Temp\\software.new",
                             "C:\\WINDOWS\\Temp\\software.old"));
  auto pending = registry_->pendingReplacements();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].oldFile, "C:\\WINDOWS\\Temp\\software.old");
  // Only a hive's root can be replaced.
  EXPECT_FALSE(reg.replaceKey("\\SOFTWARE\\Microsoft", "C:\\WINDOWS\\Temp\\software.new",
                              "C:\\WINDOWS\\Temp\\other.old"));
}

}  // namespace
