// Registry files grown with live keys and free space (the RegPack benchmark's
// inputs): they still read as their keys, the free third shows in the
// live-record bound, and a compact rewrite of the keys comes to that bound.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "platform/registry/nt_hive_write.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/support/registry_file.h"
#include "tests/support/registry_free_space.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::liveRecordBound;
using testing_support::readFile;
using testing_support::RegistryFormat;

struct Case {
  RegistryFormat format;
  const char* name;
};
void PrintTo(const Case& format, std::ostream* out) {
  *out << format.name;
}

class GrownRegistry : public ::testing::TestWithParam<Case> {};

TEST_P(GrownRegistry, HoldsItsKeysWithAThirdFreeAndPacksToTheBound) {
  const RegistryFormat format = GetParam().format;
  const bool nt = format == RegistryFormat::NtHive;
  testing_support::TempDir temp;
  const std::filesystem::path file = temp / "registry";
  // A small registry of a few keys to start from.
  platform::registry::RegistryTree tree;
  tree.stringEncoding =
      nt ? platform::registry::StringEncoding::Utf16le : platform::registry::StringEncoding::Ansi;
  tree.root.ensurePath("Software\\Vendor").setValue({"Name", platform::registry::kRegSz, {'x', 0}});
  std::vector<uint8_t> bytes =
      nt ? platform::registry::writeNtHive(tree) : platform::registry::writeWin9xRegistry(tree);
  testing_support::writeFile(file, std::string(bytes.begin(), bytes.end()));

  constexpr uint64_t kSize = 2 << 20;
  testing_support::growRegistryFile(file, format, kSize);
  const std::string grown = readFile(file);
  EXPECT_GT(grown.size(), kSize - 0x10000);
  EXPECT_LE(grown.size(), kSize);
  const platform::registry::RegistryTree read =
      nt ? testing_support::readNtHiveFile(file) : testing_support::readWin9xRegistryFile(file);
  EXPECT_NE(read.root.findPath("Software\\Vendor"), nullptr);
  const platform::registry::RegistryKey* added = read.root.findPath("Grown");
  ASSERT_NE(added, nullptr);
  EXPECT_GT(added->subkeys.size(), 500u);

  const uint64_t bound = liveRecordBound(grown, format);
  SCOPED_TRACE("grown " + std::to_string(grown.size()) + ", bound " + std::to_string(bound));
  EXPECT_GT(bound, grown.size() * 6 / 10);
  EXPECT_LT(bound, grown.size() * 7 / 10);
  // The same keys written compactly: the bound is one, and not far off.
  std::vector<uint8_t> compact =
      nt ? platform::registry::writeNtHive(read) : platform::registry::writeWin9xRegistry(read);
  const std::string packed(compact.begin(), compact.end());
  EXPECT_GE(packed.size(), bound);
  EXPECT_LE(packed.size(), bound * 105 / 100);
  EXPECT_EQ(liveRecordBound(packed, format), bound);
}

INSTANTIATE_TEST_SUITE_P(Formats, GrownRegistry,
                         ::testing::Values(Case{RegistryFormat::NtHive, "NtHive"},
                                           Case{RegistryFormat::Win9x, "Win9x"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
