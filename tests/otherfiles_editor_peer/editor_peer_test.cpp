// The Other Files editor against other tools: an entry built in the editor
// and backed up by "schedule 1" holds in its archive exactly the files
// ticked (Info-ZIP's unzip lists it), crudini reads the section it saved,
// and FindSizeofZip of a ">" mask agrees with find and stat.

#include <gtest/gtest.h>

#include <algorithm>

#include "backup/Unit11.h"
#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/program_rig.h"

namespace {

using testing_support::MachineBuilder;
using testing_support::runCommand;
using testing_support::TestProgram;

struct SampleCase {
  platform::WindowsVersion version;
  int windowsMode;
};

class EditorOnSample : public ::testing::TestWithParam<SampleCase> {};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::sort(out.begin(), out.end());
  return out;
}

TEST_P(EditorOnSample, TheArchiveHoldsExactlyTheTickedFiles) {
  if (!testing_support::haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  const SampleCase& c = GetParam();
  TestProgram m{MachineBuilder::sample(c.version).windowsMode(c.windowsMode)};
  testing_support::writeConfig(m, 1, "C:\\Backups", 3, corvasta::kFullBackup, {});
  m.write("C:\\DATA\\a.txt", "alpha");
  m.write("C:\\DATA\\b.doc", "bravo");
  m.write("C:\\DATA\\drop.txt", "unticked");
  m.write("C:\\DATA\\SUB\\c.txt", "charlie");
  m.write("C:\\DATA\\SUB\\skip.txt", "excluded below");
  m.write("C:\\DATA\\SUB\\d.tmp", "ticked by hand");

  {
    corvasta::TForm11 editor(m.form->core);
    editor.Open("Docs", 0);
    editor.DirTree1.SetDirectory("C:\\DATA\\");
    editor.TypeButtonClick(2, true);  // "Text Files (*.txt)"
    const auto click = [&](const std::string& name) {
      for (size_t k = 0; k < editor.KTChFileList1.Items.size(); ++k)
        if (editor.KTChFileList1.Items[k].name == name) editor.FileItemClick(k, 2, 96);
    };
    click("drop.txt");
    editor.DirTree1.SetDirectory("C:\\DATA\\SUB\\");
    editor.MoreIncludeSubdirectories = false;
    editor.ComboText = "skip*";
    editor.ExcludeClick();
    click("d.tmp");
    ASSERT_TRUE(editor.Button1Click());
  }
  m.setSetting("MultiFiles0", "Check1", "1");
  if (testing_support::haveProgram("crudini")) {
    const auto read =
        runCommand("crudini --get '" + m.host(m.programDir() + "vastel.ini").string() +
                   "' MultiFiles0 FileType1");
    EXPECT_EQ(read.output, "\"-|C:\\DATA\\SUB\\skip*\"\n");
  }

  m.ui.expect("Backup Finished", "OK");
  m.start({"schedule", "1"});
  ASSERT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  const std::string set = m.setting("Backup Directories", "1");
  const auto listed = runCommand("unzip -Z1 '" + m.host(set + "Docs.zip").string() + "'");
  ASSERT_EQ(listed.exitCode, 0) << listed.output;
  std::vector<std::string> names = lines(listed.output);
  for (std::string& name : names)
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"c:/data/a.txt", "c:/data/sub/c.txt", "c:/data/sub/d.tmp"}))
      << listed.output;
}

INSTANTIATE_TEST_SUITE_P(Samples, EditorOnSample,
                         ::testing::Values(SampleCase{platform::WindowsVersion::WinMe, 3},
                                           SampleCase{platform::WindowsVersion::WinXp, 6}));

TEST(FindSizeofZipPeerTest, AGreaterThanMaskAgreesWithFindAndStat) {
  TestProgram m;
  uint64_t seed = 7;
  for (int folder = 0; folder < 6; ++folder) {
    for (int sub = 0; sub < 4; ++sub) {
      for (int file = 0; file < 9; ++file) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::string path = "C:\\GEN\\F" + std::to_string(folder) + "\\S" +
                                 std::to_string(sub) + "\\file" + std::to_string(file) +
                                 (file % 3 ? ".dat" : "");
        m.writeFileOfSize(path, static_cast<size_t>((seed >> 33) % 70000));
      }
    }
  }
  m.writeFileOfSize("C:\\GEN\\top.bin", 12345);
  const corvasta::SizeScan scan{m.form->core.env.files, m.ui, true, nullptr};
  const corvasta::SelectionSize size = corvasta::FindSizeofZip(scan, {">C:\\GEN\\*"}, {}, {});
  const std::string host = m.host("C:\\GEN").string();
  const auto count = runCommand("find '" + host + "' -type f | wc -l");
  const auto bytes =
      runCommand("find '" + host + "' -type f -exec stat -c %s {} + | awk '{s+=$1} END {print s}'");
  EXPECT_EQ(std::to_string(size.files) + "\n", count.output);
  EXPECT_EQ(std::to_string(size.bytes) + "\n", bytes.output);
}

}  // namespace
