// CreateShortFile: a copy gets the same "~" alias number as its source, in a
// folder where that number would not otherwise be the next one given.
#include <gtest/gtest.h>

#include "backup/AliasNumbers.h"
#include "tests/backup_archiving/archiving_run.h"

using archiving_test::inBackup;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

namespace {

std::string aliasOf(TestProgram& m, const std::string& path) {
  const std::vector<platform::FindData> found = m.files->findAll(path);
  return found.empty() ? std::string() : found.front().alternateName;
}

size_t entriesIn(TestProgram& m, const std::string& folder) {
  size_t count = 0;
  for (const platform::FindData& found : m.files->findAll(folder + "*.*"))
    if (found.name != "." && found.name != "..") ++count;
  return count;
}

}  // namespace

TEST(ShortFileTest, CopyCarriesTheSourceAliasNumber) {
  TestProgram m{inBackup(MachineBuilder())};
  for (const char* name : {"Report Final A.txt", "Report Final B.txt", "Report Final C.txt"})
    m.write(std::string("C:\\SRC\\") + name, name);
  ASSERT_EQ(aliasOf(m, "C:\\SRC\\Report Final C.txt"), "REPORT~3.TXT");
  m.form->core.createDirectories("C:\\DST");

  m.form->backup.archiving
      .CreateShortFile("C:\\SRC\\Report Final C.txt", "C:\\DST\\Report Final C.txt")
      .close();

  EXPECT_EQ(aliasOf(m, "C:\\DST\\Report Final C.txt"), "REPORT~3.TXT");
  EXPECT_EQ(entriesIn(m, "C:\\DST\\"), 1u);
}

TEST(ShortFileTest, NumbersAlreadyTakenNeedNoPlaceholder) {
  TestProgram m{inBackup(MachineBuilder())};
  for (const char* name : {"Report Final A.txt", "Report Final B.txt"})
    m.write(std::string("C:\\SRC\\") + name, name);
  m.write("C:\\DST\\Report Other.txt", "already here");
  ASSERT_EQ(aliasOf(m, "C:\\DST\\Report Other.txt"), "REPORT~1.TXT");

  m.form->backup.archiving
      .CreateShortFile("C:\\SRC\\Report Final B.txt", "C:\\DST\\Report Final B.txt")
      .close();

  EXPECT_EQ(aliasOf(m, "C:\\DST\\Report Final B.txt"), "REPORT~2.TXT");
  EXPECT_EQ(entriesIn(m, "C:\\DST\\"), 2u);
}

TEST(ShortFileTest, CopyModeBackupKeepsAliases) {
  TestProgram m{inBackup(MachineBuilder())};
  m.write("C:\\DATA\\Holiday Photos 1.bmp", "one");
  m.write("C:\\DATA\\Holiday Photos 2.bmp", "two");
  m.files->deleteFile("C:\\DATA\\Holiday Photos 1.bmp");
  ASSERT_EQ(aliasOf(m, "C:\\DATA\\Holiday Photos 2.bmp"), "HOLIDA~2.BMP");
  m.addSettings("[MultiFiles0]\r\nFileName=Photos\r\nFileType0=\">C:\\DATA\\*.bmp\"\r\n");
  m.form->core.Zip1.PackLevel = 0;

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  EXPECT_EQ(aliasOf(m, m.setDir + "C\\DATA\\Holiday Photos 2.bmp"), "HOLIDA~2.BMP");
}

TEST(AliasNumberTest, NumberAfterTheTilde) {
  EXPECT_EQ(corvasta::aliasNumber("PROGRA~2"), 2u);
  EXPECT_EQ(corvasta::aliasNumber("LONGF~12.TXT"), 12u);
  EXPECT_EQ(corvasta::aliasNumber("README.TXT"), std::nullopt);
  EXPECT_EQ(corvasta::aliasNumber("AB~.TXT"), std::nullopt);
  EXPECT_EQ(corvasta::aliasNumber("AB~1X.TXT"), std::nullopt);
  EXPECT_EQ(corvasta::aliasNumber("A~0"), std::nullopt);
  EXPECT_EQ(corvasta::aliasNumber("A~12345678"), std::nullopt);
  EXPECT_EQ(corvasta::aliasStem("PROGRA~2"), "PROGRA");
  EXPECT_EQ(corvasta::placeholderName("Report.txt", 2), "R  eport.txt");
}
