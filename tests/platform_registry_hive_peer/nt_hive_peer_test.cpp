// Hives we write, opened by hivex (hivexsh) and libregf (regfexport): the keys
// and values those tools list must be ours. Also a hive that hivex edited
// (leaving free cells inside), read by us and written again compactly.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "platform/core/codepage.h"
#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "tests/platform_registry_hive/nt_hive_sample_trees.h"
#include "tests/support/registry_export_listing.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform::registry;
using testing_support::expectExportAgrees;
using testing_support::haveProgram;
using testing_support::runCommand;
using testing_support::TempDir;

std::filesystem::path writeHive(const TempDir& dir, const std::string& name,
                                const RegistryTree& tree, uint32_t minor) {
  NtHiveWriteOptions options;
  options.minorVersion = minor;
  options.lastWrite = hive_samples::kSampleTime;
  std::vector<uint8_t> bytes = writeNtHive(tree, options);
  testing_support::writeFile(dir / name, std::string(bytes.begin(), bytes.end()));
  return dir / name;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// --- regfexport -------------------------------------------------------------

// --- hivexsh ----------------------------------------------------------------

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string hexBytes(const std::vector<uint8_t>& data) {
  std::string out;
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
    out += byte;
  }
  return out;
}

std::string textUpToNul(const std::vector<uint8_t>& data) {
  size_t units = 0;
  while (2 * units + 1 < data.size() && (data[2 * units] || data[2 * units + 1])) ++units;
  return platform::utf16leBytesToUtf8(data.data(), 2 * units);
}

// A value as hivexsh's lsval prints it.
std::string lsvalLine(const RegistryValue& value) {
  std::string name = value.name.empty() ? "\"@\"" : quoted(value.name);
  std::string type = std::to_string(value.type);
  if (value.type == kRegSz) return name + "=" + quoted(textUpToNul(value.data));
  if (value.type == kRegExpandSz || value.type == kRegLink)
    return name + "=str(" + type + "):" + quoted(textUpToNul(value.data));
  if ((value.type == kRegDword || value.type == kRegDwordBigEndian) && value.data.size() == 4) {
    uint32_t number = nt_hive::readU32(value.data.data());
    if (value.type == kRegDwordBigEndian) number = __builtin_bswap32(number);
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", number);
    return name + "=" + text;
  }
  return name + "=hex(" + type + "):" + hexBytes(value.data);
}

std::string hivexsh(const std::filesystem::path& hive, const std::string& script,
                    const std::string& flags = "") {
  auto result =
      runCommand("printf '%s' '" + script + "' | hivexsh " + flags + " '" + hive.string() + "'");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return result.output;
}

void expectHivexshAgrees(const std::filesystem::path& hive, const RegistryKey& key,
                         const std::string& path) {
  std::vector<std::string> expected;
  for (const auto& child : key.subkeys) expected.push_back(child.name);
  for (const auto& value : key.values) expected.push_back(lsvalLine(value));
  std::string script = "cd \\ \n" + (path.empty() ? "" : "cd " + path + "\n") + "ls\nlsval\n";
  std::vector<std::string> listed = lines(hivexsh(hive, script));
  ASSERT_EQ(listed.size(), expected.size()) << path;
  for (size_t i = 0; i < listed.size(); ++i)
    EXPECT_TRUE(listed[i] == expected[i])
        << path << ": " << listed[i].substr(0, 200) << " vs " << expected[i].substr(0, 200);
  for (const auto& child : key.subkeys) {
    if (key.subkeys.size() > 50) break;  // the subkey list itself was compared
    expectHivexshAgrees(hive, child, path.empty() ? child.name : path + "\\" + child.name);
  }
}

// Writes the sample trees and returns each file with its tree as we read it
// back: the stored (sorted) order of subkeys is the order the tools list.
std::vector<std::pair<std::filesystem::path, RegistryTree>> writeSamples(const TempDir& dir,
                                                                         uint32_t minor) {
  std::vector<std::pair<std::filesystem::path, RegistryTree>> written;
  for (const RegistryTree& tree : {hive_samples::sampleTree(), hive_samples::bigValueTree(),
                                   hive_samples::manySubkeysTree(3000)}) {
    auto hive = writeHive(dir, tree.root.name + ".hiv", tree, minor);
    RegistryTree stored = testing_support::readNtHiveFile(hive);
    EXPECT_EQ(describeDifference(tree.root, stored.root), "");
    written.emplace_back(hive, std::move(stored));
  }
  return written;
}

class NtHivePeer : public ::testing::TestWithParam<uint32_t> {};

TEST_P(NtHivePeer, RegfexportListsOurKeysAndValues) {
  if (!haveProgram("regfexport")) GTEST_SKIP() << "regfexport (libregf-utils) is not installed";
  TempDir dir;
  for (const auto& [hive, tree] : writeSamples(dir, GetParam()))
    expectExportAgrees("regfexport", hive, tree);
}

TEST_P(NtHivePeer, HivexshListsOurKeysAndValues) {
  if (!haveProgram("hivexsh")) GTEST_SKIP() << "hivexsh (libhivex-bin) is not installed";
  TempDir dir;
  for (const auto& [hive, tree] : writeSamples(dir, GetParam()))
    expectHivexshAgrees(hive, tree.root, "");
}

INSTANTIATE_TEST_SUITE_P(Minor, NtHivePeer, ::testing::Values(3u, 5u));

TEST(NtHivePeerEdit, HiveEditedByHivexIsRewrittenSmallerWithTheSameContents) {
  if (!haveProgram("hivexsh")) GTEST_SKIP() << "hivexsh (libhivex-bin) is not installed";
  TempDir dir;
  auto hive = writeHive(dir, "edited.hiv", hive_samples::sampleTree(), 5);
  std::string script =
      "cd \\Software\nadd Scratch\ncd Scratch\nsetval 2\nA\nstring:some text\nB\ndword:0x1234\n";
  for (int i = 0; i < 40; ++i) script += "add Child" + std::to_string(i) + "\n";
  script +=
      "cd \\Software\\Scratch\ndel\ncd \\Software\\Vendor\\App\nsetval 1\nKept\nstring:kept\n";
  script += "cd \\ \nadd Added\ncd Added\nsetval 1\n@\nqword:0x0102030405060708\ncommit\n";
  hivexsh(hive, script, "-w");

  std::string edited = testing_support::readFile(hive);
  RegistryTree tree = testing_support::readNtHiveFile(hive);
  EXPECT_EQ(tree.root.findPath("Software\\Scratch"), nullptr);
  ASSERT_NE(tree.root.findPath("Added"), nullptr);
  ASSERT_EQ(tree.root.findPath("Software\\Vendor\\App")->values.size(), 1u);
  EXPECT_EQ(tree.root.findPath("Software\\Vendor\\App")->findValue("Kept")->data,
            hive_samples::utf16z("kept"));

  NtHiveWriteOptions options;
  options.minorVersion = 5;
  std::vector<uint8_t> rewritten = writeNtHive(tree, options);
  EXPECT_LT(rewritten.size(), edited.size());
  RegistryTree again = readNtHive(rewritten.data(), rewritten.size());
  EXPECT_EQ(describeDifference(tree.root, again.root), "");
  EXPECT_EQ(again.root.findPath("Software\\Vendor\\App")->className, "AppClass");
}

}  // namespace
