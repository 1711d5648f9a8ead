// Which files are never deferred, the temporary copy's name and the lines of
// openfile.bat.

#include <gtest/gtest.h>

#include "backup/OpenFilesRules.h"

namespace {

using corvasta::IsRegistryHiveFile;
using corvasta::IsSwapFile;

TEST(OpenFileRules, RegistryHivesOfTheWindowsDirectoryAndEveryProfile) {
  const std::string windows = "C:\\WINDOWS\\";
  for (const char* hive :
       {"C:\\WINDOWS\\system32\\config\\SYSTEM", "c:\\windows\\SYSTEM32\\CONFIG\\software.LOG",
        "C:\\WINDOWS\\system32\\config\\sam", "C:\\WINDOWS\\system32\\config\\default",
        "C:\\WINDOWS\\system32\\config\\security.log",
        "C:\\Documents and Settings\\Ann\\NTUSER.DAT",
        "D:\\Profiles\\Bob\\Local Settings\\Application Data\\Microsoft\\Windows\\usrclass.dat.log",
        "C:\\Data\\ntuser.dat.LOG"})
    EXPECT_TRUE(IsRegistryHiveFile(hive, windows)) << hive;
  for (const char* other :
       {"C:\\WINDOWS\\system32\\config\\system.sav", "C:\\WINNT\\system32\\config\\system",
        "C:\\WINDOWS\\system32\\config\\userdiff", "C:\\WINDOWS\\SYSTEM.DAT",
        "C:\\Data\\ntuser.dat.bak", "C:\\WINDOWS\\system32\\config\\sub\\sam"})
    EXPECT_FALSE(IsRegistryHiveFile(other, windows)) << other;
}

TEST(OpenFileRules, SwapAndHibernationFilesByNameAnywhere) {
  EXPECT_TRUE(IsSwapFile("C:\\WINDOWS\\WIN386.SWP"));
  EXPECT_TRUE(IsSwapFile("D:\\pagefile.sys"));
  EXPECT_TRUE(IsSwapFile("hiberfil.sys"));
  EXPECT_FALSE(IsSwapFile("C:\\pagefile.sys.txt"));
  EXPECT_FALSE(IsSwapFile("C:\\old\\win386.sw"));
}

TEST(OpenFileRules, TemporaryCopyKeepsTheExtensionOfTheFileInUse) {
  const std::string program = "C:\\PROGRAM FILES\\CORVASTA\\";
  EXPECT_EQ(corvasta::OpenFileTempPath(program, 3, "C:\\Data\\Mail.Box.pst"),
            program + "Temp\\OpenFN3.pst");
  EXPECT_EQ(corvasta::OpenFileTempPath(program, 12, "C:\\Dir.x\\LOGFILE"),
            program + "Temp\\OpenFN12");
}

TEST(OpenFileRules, BatchKeepsEarlierJobsAndEndsWithOneClosingPair) {
  std::vector<std::string> lines = corvasta::OpenFileBatchLines(
      {}, "C:\\WINDOWS\\COMMAND\\ATTRIB.EXE", "C:\\DATA\\A.DOC", "C:\\DATA\\A.DOC", "C:\\T\\1.DOC");
  lines = corvasta::OpenFileBatchLines(lines, "attrib", "C:\\DATA\\B.MDB", "C:\\T\\2.MDB",
                                       "C:\\DATA\\B.MDB");
  const std::vector<std::string> expected = {
      "@C:\\WINDOWS\\COMMAND\\ATTRIB.EXE -s -h -r C:\\DATA\\A.DOC",
      "@copy C:\\DATA\\A.DOC C:\\T\\1.DOC",
      "@attrib -s -h -r C:\\DATA\\B.MDB",
      "@copy C:\\T\\2.MDB C:\\DATA\\B.MDB",
      "@echo Please disregard the following Batch file missing error.",
      "@del openfile.bat"};
  EXPECT_EQ(lines, expected);
}

TEST(OpenFileRules, BatchDropsOnlyEchoAndDelLinesOfAnExistingFile) {
  const std::vector<std::string> lines = corvasta::OpenFileBatchLines(
      {"@echo off", "@del C:\\OLD.TMP", "@echo.", "rem mine", "@delete"}, "attrib", "X", "X", "Y");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "@echo.");  // no blank after "@echo": not the closing echo
  EXPECT_EQ(lines[1], "rem mine");
  EXPECT_EQ(lines[2], "@delete");
}

}  // namespace
