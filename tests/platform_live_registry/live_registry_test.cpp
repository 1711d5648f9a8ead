#include "platform/live_registry/live_registry.h"

#include <gtest/gtest.h>

#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/support/machine_builder.h"
#include "tests/support/registry_damage.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using namespace platform::registry;
using testing_support::TempDir;

namespace {

std::vector<uint8_t> sz(const std::string& ansi, StringEncoding encoding) {
  std::vector<uint8_t> data(ansi.begin(), ansi.end());
  data.push_back(0);
  return toStoredData(kRegSz, data, encoding);
}

void writeHive(const Machine& machine, const std::string& winPath, const RegistryTree& tree) {
  std::vector<uint8_t> bytes =
      tree.stringEncoding == StringEncoding::Utf16le ? writeNtHive(tree) : writeWin9xRegistry(tree);
  testing_support::writeFile(
      machine.resolve(winPath).host,
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string queryString(LiveRegistry& registry, HKEY root, const std::string& path,
                        const std::string& name) {
  HKEY key;
  if (registry.openKeyEx(root, path, 0, KEY_READ, key) != WinError::Success) return "<no key>";
  uint32_t type = 0;
  std::vector<uint8_t> data;
  WinError error = registry.queryValueEx(key, name, type, data);
  registry.closeKey(key);
  if (error != WinError::Success) return "<no value>";
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

// An XP machine with the machine hives, a default user and the logged-on user
// "Anna", whose profile also has a classes hive.
class NtRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine =
        testing_support::MachineBuilder(WindowsVersion::WinXp).userName("Anna").build(dir.path());
    const auto u = StringEncoding::Utf16le;
    RegistryTree system;
    system.stringEncoding = u;
    system.root.ensurePath("Select").setValue({"Current", kRegDword, {2, 0, 0, 0}});
    system.root.ensurePath("ControlSet001\\Control").setValue({"Which", kRegSz, sz("first", u)});
    system.root.ensurePath("ControlSet002\\Control").setValue({"Which", kRegSz, sz("second", u)});
    writeHive(*machine, "C:\\WINDOWS\\system32\\config\\system", system);
    RegistryTree software;
    software.stringEncoding = u;
    RegistryKey& anna = software.root.ensurePath(
        "Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-1-2-3-1003");
    anna.setValue(
        {"ProfileImagePath", kRegExpandSz,
         toStoredData(kRegExpandSz,
                      {'%', 'S', 'y', 's', 't', 'e', 'm', 'D', 'r',  'i', 'v', 'e', '%', '\\',
                       'D', 'o', 'c', 'u', 'm', 'e', 'n', 't', 's',  ' ', 'a', 'n', 'd', ' ',
                       'S', 'e', 't', 't', 'i', 'n', 'g', 's', '\\', 'A', 'n', 'n', 'a', 0},
                      u)});
    software.root
        .ensurePath("Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-1-2-3-1004")
        .setValue({"ProfileImagePath", kRegExpandSz, sz("C:\\Documents and Settings\\Bert", u)});
    software.root.ensurePath("Classes\\.txt").setValue({"", kRegSz, sz("txtfile", u)});
    writeHive(*machine, "C:\\WINDOWS\\system32\\config\\software", software);
    RegistryTree small;
    small.stringEncoding = u;
    small.root.ensurePath("Policy");
    writeHive(*machine, "C:\\WINDOWS\\system32\\config\\SECURITY", small);
    writeHive(*machine, "C:\\WINDOWS\\system32\\config\\SAM", small);
    RegistryTree user;
    user.stringEncoding = u;
    user.root.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
        .setValue({"Startup", kRegSz,
                   sz("C:\\Documents and Settings\\Anna\\Start Menu\\Programs\\Startup", u)});
    writeHive(*machine, "C:\\WINDOWS\\system32\\config\\default", user);
    writeHive(*machine, "C:\\Documents and Settings\\Anna\\NTUSER.DAT", user);
    writeHive(*machine, "C:\\Documents and Settings\\Bert\\NTUSER.DAT", user);
    writeHive(*machine,
              "C:\\Documents and Settings\\Anna\\Local Settings\\Application "
              "Data\\Microsoft\\Windows\\UsrClass.dat",
              small);
    files = std::make_unique<FileSystem>(*machine);
    registry = std::make_unique<LiveRegistry>(*machine, *files);
  }
  TempDir dir;
  std::unique_ptr<Machine> machine;
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<LiveRegistry> registry;
};

}  // namespace

TEST_F(NtRegistryTest, ComposesTheNamespaceAsWindowsDoes) {
  std::vector<std::string> names;
  ASSERT_EQ(registry->enumKeyNames(HKEY_LOCAL_MACHINE, names), WinError::Success);
  for (const char* hive : {"SYSTEM", "SOFTWARE", "SAM", "SECURITY", "HARDWARE"})
    EXPECT_NE(std::find(names.begin(), names.end(), hive), names.end()) << hive;
  ASSERT_EQ(registry->enumKeyNames(HKEY_USERS, names), WinError::Success);
  EXPECT_EQ(names, (std::vector<std::string>{".DEFAULT", "S-1-5-21-1-2-3-1003",
                                             "S-1-5-21-1-2-3-1003_Classes"}))
      << "only the logged-on user's hives are loaded";
  // CurrentControlSet follows Select\Current.
  EXPECT_EQ(
      queryString(*registry, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control", "Which"),
      "second");
  EXPECT_EQ(queryString(*registry, HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Startup"),
            "C:\\Documents and Settings\\Anna\\Start Menu\\Programs\\Startup");
  EXPECT_EQ(queryString(*registry, HKEY_CLASSES_ROOT, ".txt", ""), "txtfile");
  EXPECT_EQ(*registry->keyPath(HKEY_CURRENT_USER), "HKEY_USERS\\S-1-5-21-1-2-3-1003");
}

TEST_F(NtRegistryTest, HiveListIsSynthesisedWithDevicePaths) {
  HKEY list;
  ASSERT_EQ(
      registry->openKeyEx(HKEY_LOCAL_MACHINE, "\\SYSTEM\\CurrentControlSet\\Control\\hivelist", 0,
                          KEY_READ, list),
      WinError::Success);
  std::vector<std::string> names;
  registry->enumValueNames(list, names);
  EXPECT_EQ(names.size(), 8u);
  auto data = [&](const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
    EXPECT_EQ(registry->queryValueEx(list, name, type, bytes), WinError::Success) << name;
    EXPECT_EQ(type, kRegSz);
    std::string text(bytes.begin(), bytes.end());
    return text.substr(0, text.find('\0'));
  };
  EXPECT_EQ(data("\\REGISTRY\\MACHINE\\SOFTWARE"),
            "\\Device\\HarddiskVolume1\\WINDOWS\\system32\\config\\software");
  EXPECT_EQ(data("\\REGISTRY\\MACHINE\\HARDWARE"), "");
  EXPECT_EQ(data("\\REGISTRY\\USER\\S-1-5-21-1-2-3-1003_Classes"),
            "\\Device\\HarddiskVolume1\\Documents and Settings\\Anna\\Local Settings\\Application "
            "Data\\Microsoft\\Windows\\UsrClass.dat");
  registry->closeKey(list);
}

TEST_F(NtRegistryTest, ReadingStringsAndTypesAndMissingKeys) {
  HKEY key;
  EXPECT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nothing", 0, KEY_READ, key),
            WinError::FileNotFound);
  EXPECT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SYSTEM\\Select", 0, KEY_READ, key),
            WinError::Success);
  uint32_t type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(registry->queryValueEx(key, "Current", type, data), WinError::Success);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, (std::vector<uint8_t>{2, 0, 0, 0}));
  EXPECT_EQ(registry->queryValueEx(key, "Missing", type, data), WinError::FileNotFound);
  EXPECT_EQ(registry->setValueEx(key, "X", kRegSz, {'a', 0}), WinError::AccessDenied)
      << "opened for reading only";
  registry->closeKey(key);
  EXPECT_EQ(registry->closeKey(key), WinError::InvalidHandle);
}

TEST_F(NtRegistryTest, SecurityDatabaseNeedsTheBackupRestoreOption) {
  HKEY key;
  EXPECT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SECURITY", 0, KEY_READ, key),
            WinError::AccessDenied);
  EXPECT_EQ(
      registry->openKeyEx(HKEY_LOCAL_MACHINE, "SECURITY", REG_OPTION_BACKUP_RESTORE, KEY_READ, key),
      WinError::Success);
  registry->closeKey(key);
}

TEST_F(NtRegistryTest, ChangesReachTheHiveFileWithoutTheVolatileKeys) {
  HKEY key;
  bool created = false;
  ASSERT_EQ(registry->createKeyEx(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\New", 0,
                                  KEY_ALL_ACCESS, key, &created),
            WinError::Success);
  EXPECT_TRUE(created);
  ASSERT_EQ(registry->setValueEx(key, "Start", kRegDword, {3, 0, 0, 0}), WinError::Success);
  ASSERT_EQ(registry->flushKey(key), WinError::Success);
  registry->closeKey(key);
  RegistryTree onDisk = testing_support::readNtHiveFile(
      machine->resolve("C:\\WINDOWS\\system32\\config\\system").host);
  ASSERT_NE(onDisk.root.findPath("ControlSet002\\Services\\New"), nullptr);
  EXPECT_EQ(onDisk.root.findPath("ControlSet002\\Control\\hivelist"), nullptr);
  EXPECT_EQ(onDisk.root.findPath("CurrentControlSet"), nullptr);
}

TEST_F(NtRegistryTest, SaveKeyWritesACompactHiveAndRefusesAnExistingFile) {
  ASSERT_EQ(registry->saveKey(HKEY_LOCAL_MACHINE + 0, "C:\\saved"), WinError::AccessDenied)
      << "HKEY_LOCAL_MACHINE itself is not in a hive";
  HKEY software;
  ASSERT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, software),
            WinError::Success);
  ASSERT_EQ(registry->saveKey(software, "C:\\WINDOWS\\Temp\\software.sav"), WinError::PathNotFound);
  ASSERT_EQ(registry->saveKey(software, "C:\\software.sav"), WinError::Success);
  EXPECT_EQ(registry->saveKey(software, "C:\\software.sav"), WinError::AlreadyExists);
  RegistryTree saved = testing_support::readNtHiveFile(machine->resolve("C:\\software.sav").host);
  RegistryTree original = testing_support::readNtHiveFile(
      machine->resolve("C:\\WINDOWS\\system32\\config\\software").host);
  EXPECT_EQ(describeDifference(saved.root, original.root), "");
  // The user hive's subkey alone.
  HKEY sub;
  ASSERT_EQ(registry->openKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, sub),
            WinError::Success);
  ASSERT_EQ(registry->saveKey(sub, "C:\\sub.sav"), WinError::Success);
  EXPECT_NE(testing_support::readNtHiveFile(machine->resolve("C:\\sub.sav").host)
                .root.findPath("Microsoft\\Windows"),
            nullptr);
}

TEST_F(NtRegistryTest, SaveAndReplaceNeedTheirPrivileges) {
  TempDir other;
  auto noPrivileges = testing_support::MachineBuilder(WindowsVersion::WinXp)
                          .configure([](MachineConfig& c) { c.privileges.clear(); })
                          .build(other.path());
  FileSystem otherFiles(*noPrivileges);
  LiveRegistry otherRegistry(*noPrivileges, otherFiles);
  EXPECT_EQ(otherRegistry.saveKey(HKEY_USERS, "C:\\x.sav"), WinError::PrivilegeNotHeld);
  EXPECT_EQ(otherRegistry.replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", "C:\\a", "C:\\b"),
            WinError::PrivilegeNotHeld);
}

TEST_F(NtRegistryTest, ReplaceKeyRecordsTheReplacementOfAHiveRoot) {
  HKEY software;
  ASSERT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, software),
            WinError::Success);
  ASSERT_EQ(registry->saveKey(software, "C:\\new.hiv"), WinError::Success);
  EXPECT_EQ(
      registry->replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", "C:\\new.hiv", "C:\\old.hiv"),
      WinError::AccessDenied)
      << "not the root of a hive";
  EXPECT_EQ(registry->replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", "C:\\missing.hiv", "C:\\old.hiv"),
            WinError::FileNotFound);
  EXPECT_EQ(registry->replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", "C:\\new.hiv", "C:\\old.hiv"),
            WinError::Success);
  auto pending = registry->pendingReplacements();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].hiveFile, "C:\\WINDOWS\\system32\\config\\software");
  EXPECT_EQ(pending[0].newFile, "C:\\new.hiv");
  EXPECT_EQ(pending[0].oldFile, "C:\\old.hiv");
}

TEST(Win9xRegistry, ComposesSystemUserAndClassesFiles) {
  TempDir dir;
  auto machine = testing_support::MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  const auto a = StringEncoding::Ansi;
  RegistryTree system;
  system.root.ensurePath("System\\CurrentControlSet\\Control")
      .setValue({"Current User", kRegSz, sz("Anna", a)});
  system.root.ensurePath("Software\\Classes\\.old");
  system.root.ensurePath("Config\\0001\\Display");
  writeHive(*machine, "C:\\WINDOWS\\system.dat", system);
  RegistryTree user;
  user.root.ensurePath(".DEFAULT\\Control Panel");
  writeHive(*machine, "C:\\WINDOWS\\user.dat", user);
  RegistryTree anna;
  anna.root.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")
      .setValue({"Desktop", kRegSz, sz("C:\\WINDOWS\\Profiles\\Anna\\Desktop", a)});
  writeHive(*machine, "C:\\WINDOWS\\Profiles\\Anna\\user.dat", anna);
  RegistryTree classes;
  classes.root.ensurePath(".txt").setValue({"", kRegSz, sz("txtfile", a)});
  writeHive(*machine, "C:\\WINDOWS\\classes.dat", classes);

  FileSystem files(*machine);
  LiveRegistry registry(*machine, files);
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control",
                        "Current User"),
            "Anna");
  EXPECT_EQ(queryString(registry, HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Desktop"),
            "C:\\WINDOWS\\Profiles\\Anna\\Desktop");
  EXPECT_EQ(queryString(registry, HKEY_CLASSES_ROOT, ".txt", ""), "txtfile")
      << "ME keeps the classes in classes.dat";
  std::vector<std::string> names;
  registry.enumKeyNames(HKEY_USERS, names);
  EXPECT_EQ(names, (std::vector<std::string>{".DEFAULT", "Anna"}));
  HKEY config;
  EXPECT_EQ(registry.openKeyEx(HKEY_CURRENT_CONFIG, "Display", 0, KEY_READ, config),
            WinError::Success);
  // Windows 9x deletes a key with its subkeys.
  EXPECT_EQ(registry.deleteKey(HKEY_LOCAL_MACHINE, "Config"), WinError::Success);
  registry.flushAll();
  EXPECT_EQ(testing_support::readWin9xRegistryFile(machine->resolve("C:\\WINDOWS\\system.dat").host)
                .root.findPath("Config"),
            nullptr);
}

namespace {

std::string hostBytes(const Machine& machine, const std::string& winPath) {
  return testing_support::readFile(machine.resolve(winPath).host);
}

void writeHostBytes(const Machine& machine, const std::string& winPath, const std::string& bytes) {
  testing_support::writeFile(machine.resolve(winPath).host, bytes);
}

}  // namespace

// A hive file found damaged after a crash: the registry still loads, lists
// the file, keeps its place in the hive list so that a restore can replace
// it, and never writes it or saves its empty stand-in as a hive.
TEST_F(NtRegistryTest, ADamagedHiveIsMountedEmptyAndItsFileIsNeverWritten) {
  const std::string software = "C:\\WINDOWS\\system32\\config\\software";
  const std::string sound = hostBytes(*machine, software);
  for (auto damage : testing_support::kRegistryDamages) {
    SCOPED_TRACE(testing_support::registryDamageName(damage));
    registry.reset();
    const std::string damaged = testing_support::damagedRegistryBytes(sound, damage);
    writeHostBytes(*machine, software, damaged);
    machine->state().remove("HiveReplacements", software);
    registry = std::make_unique<LiveRegistry>(*machine, *files);

    ASSERT_EQ(registry->damagedFiles().size(), 1u);
    EXPECT_EQ(registry->damagedFiles()[0].rfind(software + ": ", 0), 0u)
        << registry->damagedFiles()[0];
    EXPECT_EQ(queryString(*registry, HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.txt", ""),
              "<no key>");
    EXPECT_EQ(
        queryString(*registry, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control", "Which"),
        "second")
        << "the other hives are as they were";
    EXPECT_EQ(
        queryString(*registry, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\hivelist",
                    "\\REGISTRY\\MACHINE\\SOFTWARE"),
        "\\Device\\HarddiskVolume1\\WINDOWS\\system32\\config\\software");

    HKEY key;
    ASSERT_EQ(registry->createKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", 0, KEY_ALL_ACCESS, key),
              WinError::Success);
    EXPECT_EQ(registry->setValueEx(key, "Name", kRegSz, {'x', 0}), WinError::Success);
    EXPECT_EQ(registry->flushKey(key), WinError::Success);
    EXPECT_EQ(registry->saveKey(key, "C:\\part.sav"), kErrorBadRegistryFile);
    EXPECT_FALSE(files->exists("C:\\part.sav"));
    registry->closeKey(key);

    // A restore can still replace it at the next start.
    HKEY other;
    ASSERT_EQ(registry->openKeyEx(HKEY_LOCAL_MACHINE, "SYSTEM", 0, KEY_READ, other),
              WinError::Success);
    if (files->exists("C:\\good.hiv")) files->deleteFile("C:\\good.hiv");
    ASSERT_EQ(registry->saveKey(other, "C:\\good.hiv"), WinError::Success);
    EXPECT_EQ(registry->replaceKey(HKEY_LOCAL_MACHINE, "SOFTWARE", "C:\\good.hiv", "C:\\old.hiv"),
              WinError::Success);
    ASSERT_EQ(registry->pendingReplacements().size(), 1u);
    EXPECT_EQ(registry->pendingReplacements()[0].hiveFile, software);

    registry->flushAll();
    registry.reset();
    EXPECT_EQ(hostBytes(*machine, software), damaged);
  }
}

TEST(Win9xRegistry, ADamagedFileIsMountedEmptyAndNeverWritten) {
  TempDir dir;
  auto machine = testing_support::MachineBuilder(WindowsVersion::Win98).build(dir.path());
  const auto a = StringEncoding::Ansi;
  RegistryTree system;
  system.root.ensurePath("Software\\Vendor").setValue({"Name", kRegSz, sz("system", a)});
  writeHive(*machine, "C:\\WINDOWS\\system.dat", system);
  RegistryTree user;
  user.root.ensurePath(".DEFAULT\\Control Panel").setValue({"Name", kRegSz, sz("user", a)});
  writeHive(*machine, "C:\\WINDOWS\\user.dat", user);
  const std::string sound = hostBytes(*machine, "C:\\WINDOWS\\system.dat");
  FileSystem files(*machine);

  for (auto damage : testing_support::kRegistryDamages) {
    SCOPED_TRACE(testing_support::registryDamageName(damage));
    const std::string damaged = testing_support::damagedRegistryBytes(sound, damage);
    writeHostBytes(*machine, "C:\\WINDOWS\\system.dat", damaged);
    {
      LiveRegistry registry(*machine, files);
      ASSERT_EQ(registry.damagedFiles().size(), 1u);
      EXPECT_EQ(registry.damagedFiles()[0].rfind("C:\\WINDOWS\\system.dat: ", 0), 0u)
          << registry.damagedFiles()[0];
      EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Name"), "<no key>");
      EXPECT_EQ(queryString(registry, HKEY_USERS, ".DEFAULT\\Control Panel", "Name"), "user");
      HKEY key;
      ASSERT_EQ(registry.createKeyEx(HKEY_LOCAL_MACHINE, "Software\\New", 0, KEY_ALL_ACCESS, key),
                WinError::Success);
      EXPECT_EQ(registry.setValueEx(key, "Name", kRegSz, {'x', 0}), WinError::Success);
      EXPECT_EQ(registry.saveKey(HKEY_LOCAL_MACHINE, "C:\\system.sav"), kErrorBadRegistryFile);
      // The sound file's changes still reach it.
      HKEY userKey;
      ASSERT_EQ(registry.createKeyEx(HKEY_USERS, ".DEFAULT\\New", 0, KEY_ALL_ACCESS, userKey),
                WinError::Success);
    }
    EXPECT_EQ(hostBytes(*machine, "C:\\WINDOWS\\system.dat"), damaged);
    EXPECT_NE(testing_support::readWin9xRegistryFile(machine->resolve("C:\\WINDOWS\\user.dat").host)
                  .root.findPath(".DEFAULT\\New"),
              nullptr);
  }
}
