// The Expanded and Quick batch files line by line: the branches for a
// computer with and without user profiles, the current user's profile and
// another's, the label numbers, the pause rule, and that every jump lands.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "regpack/RegPackBatch.h"

namespace {

using corvasta::QuickRegPackBatchLines;
using corvasta::RegPackBatchLines;
using corvasta::RegPackBatchPaths;
using corvasta::RegPackProfile;

RegPackProfile profile(const std::string& name, const std::string& shortName) {
  const std::string folder = "C:\\WINDOWS\\Profiles\\" + name + "\\";
  const std::string shortFolder = "C:\\WINDOWS\\PROFILES\\" + shortName + "\\";
  return {name, folder, shortFolder, shortFolder + "USER.DAT"};
}

RegPackBatchPaths withProfiles() {
  RegPackBatchPaths p;
  p.attrib = "C:\\WINDOWS\\COMMAND\\ATTRIB.EXE";
  p.bootDir = "C:\\WINBOOT\\";
  p.windowsDir = "C:\\WINDOWS\\";
  p.shortWindowsDir = "C:\\WINDOWS\\";
  p.profiles = {profile("Anna Long", "ANNA L~1"), profile("Owner Long", "OWNER ~1")};
  p.userDir = "c:\\windows\\profiles\\owner long\\";  // the current user, compared without case
  return p;
}

size_t indexOf(const std::vector<std::string>& lines, const std::string& line, size_t from = 0) {
  const auto it = std::find(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), line);
  return it == lines.end() ? std::string::npos : static_cast<size_t>(it - lines.begin());
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return indexOf(lines, line) != std::string::npos;
}

// Every "goto X" of the batch has its label ":X", and no label is given twice.
void expectJumpsLand(const std::vector<std::string>& lines) {
  std::set<std::string> labels;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == ':') {
      EXPECT_TRUE(labels.insert(line.substr(1)).second) << line;
    }
  }
  for (const std::string& line : lines) {
    const size_t at = line.find("goto ");
    if (at == std::string::npos) continue;
    EXPECT_TRUE(labels.count(line.substr(at + 5))) << line;
  }
}

TEST(RegPackBatch, DefaultRegistryWithProfilesRebuildsFromAllRegWithAScratchUserFile) {
  const std::vector<std::string> lines = RegPackBatchLines(withProfiles());
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], "@smartdrv");
  EXPECT_EQ(lines[1], "@set pasval=false");
  EXPECT_EQ(lines[2], "@C:\\WINDOWS\\COMMAND\\ATTRIB.EXE -s -h -r C:\\WINBOOT\\system.dat");
  EXPECT_EQ(lines[11], "@copy C:\\WINBOOT\\system.dat C:\\WINBOOT\\system.zzz");
  EXPECT_EQ(lines[12], "@copy C:\\WINDOWS\\user.dat C:\\WINDOWS\\user.zzz");
  // No rebuild runs without the backup that would undo it.
  EXPECT_EQ(lines[13], "@if not exist C:\\WINBOOT\\system.zzz goto cont");
  EXPECT_EQ(lines[14], "@if not exist C:\\WINDOWS\\user.zzz goto cont");
  EXPECT_EQ(lines[15], "@echo    Exporting Default Registry");
  EXPECT_TRUE(contains(lines,
                       "@C:\\WINDOWS\\regedit /L:C:\\WINBOOT\\system.dat "
                       "/R:C:\\WINDOWS\\junkuser.dat /c C:\\WINDOWS\\all.reg"));
  EXPECT_FALSE(contains(lines, "@C:\\WINDOWS\\regedit /c C:\\WINDOWS\\HKLM.reg"));
  EXPECT_FALSE(contains(lines, "@if exist C:\\WINDOWS\\HKU.reg del C:\\WINDOWS\\HKU.reg"));
  // A failed rebuild puts both files back and records it.
  const size_t error = indexOf(lines, ":error");
  ASSERT_NE(error, std::string::npos);
  EXPECT_EQ(lines[error + 6], "@copy C:\\WINBOOT\\system.zzz C:\\WINBOOT\\system.dat");
  EXPECT_EQ(lines[error + 7], "@copy C:\\WINDOWS\\user.zzz C:\\WINDOWS\\user.dat");
  EXPECT_EQ(lines[error + 8], "@set pasval=true");
  EXPECT_EQ(lines[error + 9], ":cont");
  expectJumpsLand(lines);
}

TEST(RegPackBatch, WithoutProfilesTheDefaultRegistryComesFromHklmAndHkuExports) {
  RegPackBatchPaths p = withProfiles();
  p.profiles.clear();
  p.userDir = "C:\\WINDOWS\\";
  const std::vector<std::string> lines = RegPackBatchLines(p);
  const size_t exportLabel = indexOf(lines, ":export");
  ASSERT_NE(exportLabel, std::string::npos);
  EXPECT_EQ(lines[exportLabel + 3],
            "@echo    Rebuilding Default Registry (System Settings from Windows)");
  EXPECT_EQ(lines[exportLabel + 4], "@C:\\WINDOWS\\regedit /c C:\\WINDOWS\\HKLM.reg");
  EXPECT_EQ(lines[exportLabel + 8], "@C:\\WINDOWS\\regedit C:\\WINDOWS\\HKU.reg");
  EXPECT_FALSE(contains(lines,
                        "@C:\\WINDOWS\\regedit /L:C:\\WINBOOT\\system.dat "
                        "/R:C:\\WINDOWS\\junkuser.dat /c C:\\WINDOWS\\all.reg"));
  const size_t cont = indexOf(lines, ":cont");
  EXPECT_EQ(lines[cont + 1], "@if exist C:\\WINDOWS\\compact.reg del C:\\WINDOWS\\compact.reg");
  EXPECT_EQ(lines[cont + 2], "@if exist C:\\WINDOWS\\HKU.reg del C:\\WINDOWS\\HKU.reg");
  EXPECT_EQ(lines[cont + 3], "@if exist C:\\WINDOWS\\HKLM.reg del C:\\WINDOWS\\HKLM.reg");
  EXPECT_EQ(lines[cont + 4], ":done");
  expectJumpsLand(lines);
}

TEST(RegPackBatch, ProfilesAreNumberedAndOnlyTheCurrentUserFallsBackToWindowsExports) {
  const std::vector<std::string> lines = RegPackBatchLines(withProfiles());
  const std::string anna = "C:\\WINDOWS\\PROFILES\\ANNA L~1\\";
  const std::string owner = "C:\\WINDOWS\\PROFILES\\OWNER ~1\\";
  const size_t first = indexOf(lines, "@echo    Backing up Anna Long User Registry");
  const size_t second = indexOf(lines, "@echo    Backing up Owner Long User Registry");
  ASSERT_NE(first, std::string::npos);
  ASSERT_LT(first, second);
  EXPECT_EQ(lines[first + 2], "@C:\\WINDOWS\\COMMAND\\ATTRIB.EXE -s -h -r " + anna + "user.zzz");
  EXPECT_EQ(lines[first + 4], "@copy " + anna + "USER.DAT " + anna + "user.zzz");
  EXPECT_EQ(lines[first + 5], "@if not exist " + anna + "user.zzz goto cont1");
  EXPECT_EQ(lines[first + 7],
            "@C:\\WINDOWS\\regedit /R:" + anna + "USER.DAT /e C:\\WINDOWS\\userreg.reg");
  // Another user's failed export leaves that registry as it is.
  const size_t export1 = indexOf(lines, ":export1");
  EXPECT_EQ(lines[export1 + 1], "@echo    Usually this Error is not a problem.");
  EXPECT_EQ(lines[export1 + 2], "@goto cont1");
  EXPECT_FALSE(contains(lines, "@if exist " + anna + "HKU.reg del " + anna + "HKU.reg"));
  // The current user's profile is rebuilt from the exports made in Windows.
  const size_t export2 = indexOf(lines, ":export2");
  EXPECT_EQ(lines[export2 + 3],
            "@C:\\WINDOWS\\regedit /R:" + owner + "USER.DAT /c " + owner + "HKLM.reg");
  EXPECT_EQ(lines[export2 + 7],
            "@C:\\WINDOWS\\regedit /R:" + owner + "USER.DAT " + owner + "HKU.reg");
  const size_t cont2 = indexOf(lines, ":cont2");
  EXPECT_EQ(lines[cont2 + 1], "@if exist " + owner + "HKU.reg del " + owner + "HKU.reg");
  EXPECT_EQ(lines[cont2 + 2], "@if exist " + owner + "HKLM.reg del " + owner + "HKLM.reg");
  const size_t import2 = indexOf(lines, ":import2");
  EXPECT_EQ(lines[import2 + 4], "@C:\\WINDOWS\\regedit /L:" + owner + "system.dat /R:" + owner +
                                    "USER.DAT /c C:\\WINDOWS\\userreg.reg");
  const size_t error2 = indexOf(lines, ":error2");
  EXPECT_EQ(lines[error2 + 4], "@copy " + owner + "user.zzz " + owner + "USER.DAT");
  EXPECT_EQ(lines[error2 + 5], "@set pasval=true");
  EXPECT_FALSE(contains(lines, ":export3"));
  expectJumpsLand(lines);
}

TEST(RegPackBatch, AnAutomaticRunPausesOnlyWhenABackupWasPutBack) {
  RegPackBatchPaths p = withProfiles();
  std::vector<std::string> lines = RegPackBatchLines(p);
  ASSERT_GE(lines.size(), 5u);
  const std::vector<std::string> byUser(lines.end() - 5, lines.end());
  EXPECT_EQ(byUser, (std::vector<std::string>{
                        ":done", "@echo    RegPack Finished - Restarting Windows", "@pause",
                        "@echo Please disregard the following Batch file missing error.",
                        "@del startwin.bat"}));
  p.automatic = true;
  lines = RegPackBatchLines(p);
  EXPECT_EQ(lines[lines.size() - 3], "if \"%pasval%\"==\"true\" pause");
  EXPECT_FALSE(contains(lines, "@pause"));
}

TEST(RegPackBatch, QuickBatchHasThreeLinesEndingForItsMethod) {
  const std::vector<std::string> autoexec = QuickRegPackBatchLines("C:\\WINDOWS\\", true);
  EXPECT_EQ(autoexec, (std::vector<std::string>{
                          "@C:\\WINDOWS\\command\\scanreg /fix ",
                          "@echo Please disregard the following Batch file missing error.",
                          "@del startwin.bat"}));
  const std::vector<std::string> pif = QuickRegPackBatchLines("C:\\WINDOWS\\", false);
  ASSERT_EQ(pif.size(), 3u);
  EXPECT_EQ(pif[2], "del startwin.bat");
}

}  // namespace
