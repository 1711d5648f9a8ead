// NT RegPack checked by other tools: hivex fills a hive and deletes what it
// added, which leaves free space in the file; after RegPack and the next
// start the hive file is smaller, and regfexport lists every hive with the
// same keys and values as before the RegPack, and again after Undo RegPack.

#include <gtest/gtest.h>

#include <fstream>

#include "backup/RegistryCapture.h"
#include "tests/regpack_nt/nt_regpack_machine.h"
#include "tests/support/registry_export_listing.h"
#include "tests/support/temp_dir.h"

namespace regpack_nt_test {
namespace {

using platform::WindowsVersion;
using testing_support::haveProgram;
using testing_support::RegistryListing;
using testing_support::runCommand;

std::string quote(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

// Runs a hivexsh script on a hive file, writing it.
void hivexEdit(const std::filesystem::path& folder, const std::filesystem::path& hive,
               const std::string& script) {
  const std::filesystem::path file = folder / "hivex-script";
  std::ofstream(file) << script;
  const auto edited = runCommand("hivexsh -w " + quote(hive) + " < " + quote(file) + " 2>&1");
  ASSERT_EQ(edited.exitCode, 0) << edited.output;
}

// Every hive file the running system loads, as regfexport lists it.
std::map<std::string, RegistryListing> exported(NtProgram& m) {
  std::map<std::string, RegistryListing> listing;
  for (const std::string& file : restore_nt_test::loadedHiveFiles(m)) {
    const auto run = runCommand("regfexport " + quote(m.host(file)) + " 2>/dev/null");
    EXPECT_EQ(run.exitCode, 0) << file;
    listing[file] = testing_support::parseRegistryExport(run.output);
    EXPECT_FALSE(listing[file].empty()) << file;
  }
  return listing;
}

class NtRegPackPeer : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(NtRegPackPeer, HivesWithFreeSpaceShrinkAndKeepEveryKeyAndValue) {
  if (!haveProgram("hivexsh") || !haveProgram("regfexport")) GTEST_SKIP() << "peers missing";
  NtProgram m{twoUserSample(GetParam())};
  const std::string software = restore_nt_test::loadedHive(m, "software");
  ASSERT_FALSE(software.empty());
  // Keys with values added, then the whole subtree deleted again: hivex
  // leaves the cells it frees in the file.
  std::string fill = "add Bloat\ncd Bloat\n";
  for (int key = 0; key < 60; ++key)
    fill += "add Key" + std::to_string(key) + "\ncd Key" + std::to_string(key) +
            "\nsetval 1\nText\nstring:" + std::string(3000, static_cast<char>('a' + key % 26)) +
            "\ncd ..\n";
  hivexEdit(m.dir.path(), m.host(software), fill + "commit\n");
  hivexEdit(m.dir.path(), m.host(software), "cd Bloat\ndel\ncommit\n");
  m.restartProgram();
  const auto before = exported(m);
  const uint64_t softwareBefore = m.files->getFileSize(software);
  const uint64_t totalBefore = hiveFilesSize(m);

  pressRegPack(m, "Yes");
  EXPECT_EQ(m.setting("RegPack", "BeforeSize"), std::to_string(totalBefore));
  m.restartWindows({});
  const uint64_t softwareAfter = m.files->getFileSize(software);
  EXPECT_LT(softwareAfter + 100 * 1024, softwareBefore)
      << "before " << softwareBefore << ", after " << softwareAfter;
  EXPECT_LT(hiveFilesSize(m), totalBefore);
  RecordProperty("software_bytes_before", std::to_string(softwareBefore));
  RecordProperty("software_bytes_after", std::to_string(softwareAfter));
  RecordProperty("hive_bytes_before", std::to_string(totalBefore));
  RecordProperty("hive_bytes_after", std::to_string(hiveFilesSize(m)));
  EXPECT_EQ(exported(m), before);

  pressUndoRegPack(m, "Yes");
  m.restartWindows({});
  EXPECT_EQ(exported(m), before);
}

INSTANTIATE_TEST_SUITE_P(Versions, NtRegPackPeer,
                         ::testing::Values(WindowsVersion::Nt4, WindowsVersion::Win2000,
                                           WindowsVersion::WinXp));

}  // namespace
}  // namespace regpack_nt_test
