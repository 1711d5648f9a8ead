// The corvasta executable run as a process on a fresh sample machine.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "platform/core/ini_document.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/temp_dir.h"

namespace shell_test {
namespace {

std::string corvastaBinary() {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  return std::string(build ? build : ".") + "/corvasta";
}

// Every file of a folder with its content.
std::map<std::string, std::string> snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), folder).string()] =
          testing_support::readFile(entry.path());
  return files;
}

struct SampleRun : ::testing::Test {
  void SetUp() override {
    if (!std::filesystem::exists(corvastaBinary())) GTEST_SKIP() << "corvasta is not built";
    platform::sample::createSampleMachine(dir / "machine", platform::WindowsVersion::WinMe);
  }
  testing_support::CommandResult run(const std::string& arguments) {
    return testing_support::runCommand(corvastaBinary() + " --console --machine '" +
                                       (dir / "machine").string() + "' " + arguments +
                                       " </dev/null");
  }
  std::filesystem::path drive() const { return dir / "machine" / "drives" / "c"; }
  testing_support::TempDir dir;
};

std::filesystem::path findNoCase(const std::filesystem::path& folder, const std::string& name) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string file = entry.path().filename().string();
    for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (file == name) return entry.path();
  }
  return {};
}

TEST_F(SampleRun, StartLeavesSettingsAndLocationFiles) {
  const testing_support::CommandResult result = run("");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::filesystem::path settings = findNoCase(drive(), "vastel.ini");
  ASSERT_FALSE(settings.empty()) << result.output;
  const platform::IniDocument ini =
      platform::IniDocument::parse(testing_support::readFile(settings));
  const std::filesystem::path programDir = settings.parent_path();
  for (const auto& [section, key] :
       std::vector<std::pair<std::string, std::string>>{{"BackupPreferences", "curconfig"},
                                                        {"BackupPreferences", "Config1"},
                                                        {"BackupPreferences1", "ConfigName"},
                                                        {"BackupPreferences", "MaxNum"},
                                                        {"RestorePreferences", "WinCrash"},
                                                        {"DefaultDirectories", "Windows"},
                                                        {"DefaultDirectories", "Root"},
                                                        {"AutoStart", "switch"},
                                                        {"AutoBackup", "Freq"},
                                                        {"Produced by", "VersionNo"}})
    EXPECT_TRUE(ini.get(section, key).has_value()) << section << "/" << key;
  EXPECT_EQ(ini.get("AutoStart", "switch").value_or(""), "0");
  EXPECT_EQ(ini.get("BackupPreferences1", "ConfigName").value_or(""), "Config 1");
  EXPECT_TRUE(std::filesystem::exists(programDir / "crvMEdir.ini"));
  EXPECT_FALSE(findNoCase(drive(), "crvmedir.ini").empty());
  EXPECT_TRUE(std::filesystem::exists(drive() / "crvMEdir.ini"));
}

TEST_F(SampleRun, ScheduleWithNothingDueChangesNothing) {
  const auto before = snapshot(drive());
  const testing_support::CommandResult result = run("schedule");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(snapshot(drive()), before);
}

TEST_F(SampleRun, UnknownEditionFails) {
  const testing_support::CommandResult result = run("--edition 31");
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.output.find("Unknown edition"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace shell_test
