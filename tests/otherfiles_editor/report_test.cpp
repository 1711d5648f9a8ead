// An entry's lines in the configuration report (and --other-files).
#include <gtest/gtest.h>

#include "backup/OtherFilesEntry.h"

TEST(OtherFilesReportTest, EachValueWithItsKindAndScope) {
  corvasta::OtherFilesEntry entry;
  entry.fileName = "Docs";
  entry.path = "C:\\DATA\\";
  entry.fileTypes = {">C:\\DATA\\*.doc", "-|C:\\DATA\\TMP\\*", "C:\\OLD\\*.txt"};
  entry.fileType = "*.wri";
  entry.files = {"+C:\\X\\one.bin", "-C:\\DATA\\two.doc"};
  const std::string pad(10, ' ');
  EXPECT_EQ(corvasta::otherFilesReportLines(entry, true),
            (std::vector<std::string>{
                "   X - Docs",
                pad + "include C:\\DATA\\*.doc (include subdirectories)",
                pad + "exclude C:\\DATA\\TMP\\*",
                pad + "include C:\\OLD\\*.txt (include subdirectories)",
                pad + "include C:\\DATA\\*.wri (include subdirectories)",
                pad + "include C:\\X\\one.bin (include subdirectories)",
                pad + "exclude C:\\DATA\\two.doc (include subdirectories)",
            }));
  EXPECT_EQ(corvasta::otherFilesReportLines(entry, false).front(), "     - Docs");
}
