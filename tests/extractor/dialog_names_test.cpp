// Names the Extractor derives: a backup's notes file from its archive, and
// the masks of the console's input box.

#include <gtest/gtest.h>

#include "extractor/ExtractorConsole.h"
#include "extractor/Unit10.h"

namespace {

TEST(ExcludeFileExt, RemovesTheExtensionOfTheLastNameOnly) {
  EXPECT_EQ(corvasta::TForm10::ExcludeFileExt("C:\\Set\\Docs.zip"), "C:\\Set\\Docs");
  EXPECT_EQ(corvasta::TForm10::ExcludeFileExt("C:\\Set.1\\Docs"), "C:\\Set.1\\Docs");
  EXPECT_EQ(corvasta::TForm10::ExcludeFileExt("A.B:stream"), "A.B:stream");
  EXPECT_EQ(corvasta::TForm10::ExcludeFileExt("a.b.c"), "a.b");
}

TEST(ExtractionMasks, SplitAtSemicolonsWithoutBlanksOrEmptyMasks) {
  EXPECT_EQ(corvasta::extractionMasks(" *.ini ; C:\\Docs\\*.txt;;"),
            (std::vector<std::string>{"*.ini", "C:\\Docs\\*.txt"}));
  EXPECT_TRUE(corvasta::extractionMasks("  ").empty());
}

}  // namespace
