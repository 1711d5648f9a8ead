// The names of an archive's parts: extensions, numbered blocks and the table
// of contents beside the first part. A dot in a folder name is no extension.
#include <gtest/gtest.h>

#include "archive/zip_paths.h"
#include "archive/zip_read_archive.h"
#include "archive/zip_read_parts.h"

namespace archive_test {
namespace {

using archive::extensionOf;
using archive::withoutExtension;

TEST(PartNames, ExtensionIsTheLastDotOfTheFileName) {
  EXPECT_EQ(extensionOf("C:\\SET\\name.zip"), ".zip");
  EXPECT_EQ(extensionOf("C:\\SET\\name.tar.zip"), ".zip");
  EXPECT_EQ(extensionOf("C:\\SET.1\\name"), "");
  EXPECT_EQ(extensionOf("name"), "");
  EXPECT_EQ(withoutExtension("C:\\SET\\name.zip"), "C:\\SET\\name");
  EXPECT_EQ(withoutExtension("C:\\SET.1\\name"), "C:\\SET.1\\name");
  EXPECT_EQ(withoutExtension("A:\\name."), "A:\\name");
}

TEST(PartNames, TableOfContentsReplacesTheExtension) {
  EXPECT_EQ(archive::tableOfContentsName("A:\\Backup.zip"), "A:\\Backup.zfc");
  EXPECT_EQ(archive::tableOfContentsName("C:\\SET.1\\Backup"), "C:\\SET.1\\Backup.zfc");
}

TEST(PartNames, NumberedBlocksHaveThreeDigits) {
  auto block = archive::numberedPart("C:\\SET\\name.012");
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(block->first, "C:\\SET\\name.");
  EXPECT_EQ(block->second, 12);
  EXPECT_EQ(archive::partName(block->first, 7), "C:\\SET\\name.007");
  EXPECT_FALSE(archive::numberedPart("C:\\SET\\name.zip"));
  EXPECT_FALSE(archive::numberedPart("C:\\SET\\name.01"));
  EXPECT_FALSE(archive::numberedPart("C:\\SET\\name.0001"));
}

}  // namespace
}  // namespace archive_test
