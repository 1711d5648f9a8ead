// The version resource of a written image reads back, and damaged images
// fail with the code Windows gives instead of crashing or reading far.
#include <gtest/gtest.h>

#include <optional>

#include "platform/version/fixed_file_info.h"
#include "platform/version/pe_image_read.h"
#include "platform/version/version_error.h"
#include "platform/version/version_info_read.h"
#include "platform/version/version_info_write.h"
#include "tests/platform_version/version_image.h"

using namespace platform;
using namespace platform::version;
using version_test::Image;
using version_test::registryEditor;

namespace {

std::string blockOf(const std::string& image) {
  MemoryImageBytes bytes(image);
  std::string resource = readVersionResource(bytes);
  resource.resize(versionInfoLength(resource));
  return resource;
}

std::optional<std::string> text(std::string_view block, std::string_view path) {
  std::optional<VersionValue> value = findVersionValue(block, path);
  if (!value || !value->text) return std::nullopt;
  std::string ascii;
  for (size_t i = 0; i + 1 < value->bytes.size(); i += 2) ascii += value->bytes[i];
  return ascii;
}

WinError failureOf(const std::string& image) {
  MemoryImageBytes bytes(image);
  try {
    std::string resource = readVersionResource(bytes);
    versionInfoLength(resource);
  } catch (const VersionResourceError& error) {
    return error.code();
  }
  return WinError::Success;
}

TEST(VersionResource, WrittenImageReadsBack) {
  const std::string block = blockOf(registryEditor({4, 0, 0, 1110}).bytes);
  std::optional<VersionValue> root = findVersionValue(block, "\\");
  ASSERT_TRUE(root);
  std::optional<FixedFileInfo> fixed = decodeFixedFileInfo(root->bytes);
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->fileVersion, (FileVersion{4, 0, 0, 1110}));
  EXPECT_EQ(fixed->productVersion, (FileVersion{4, 0, 0, 1110}));
  EXPECT_EQ(fixed->fileVersion.ls() & 0xFFFF, 1110u);  // the build the RegPack compares

  EXPECT_EQ(text(block, "\\StringFileInfo\\040904E4\\FileVersion"), "4.0.0.1110");
  EXPECT_EQ(text(block, "\\stringfileinfo\\040904e4\\FILEVERSION"), "4.0.0.1110");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904E4\\OriginalFilename"), "REGEDIT.EXE");
  std::optional<VersionValue> translation = findVersionValue(block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation);
  EXPECT_EQ(translation->bytes, std::string_view("\x09\x04\xE4\x04", 4));
  // The same root without a leading backslash; missing names are no value.
  EXPECT_TRUE(findVersionValue(block, ""));
  EXPECT_FALSE(findVersionValue(block, "\\StringFileInfo\\04070000\\FileVersion"));
  EXPECT_FALSE(findVersionValue(block, "\\StringFileInfo\\040904E4\\Comments"));
}

TEST(VersionResource, StringsKeepTheirOrderAndLongValues) {
  VersionInfoContent content;
  content.fixed.fileVersion = {5, 1, 2600, 0};
  content.language = 0x0407;
  content.codePage = 1252;
  const std::string longText(3000, 'x');
  content.strings = {{"A", "1"}, {"Comments", longText}, {"Odd", "abc"}, {"Empty", ""}};
  const std::string block = writeVersionInfo(content);
  EXPECT_EQ(versionInfoLength(block), block.size());
  EXPECT_EQ(text(block, "\\StringFileInfo\\040704E4\\A"), "1");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040704E4\\Comments"), longText);
  EXPECT_EQ(text(block, "\\StringFileInfo\\040704E4\\Odd"), "abc");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040704E4\\Empty"), "");

  content.strings = {{"Comments", std::string(40000, 'y')}};
  EXPECT_THROW(writeVersionInfo(content), VersionResourceError);  // past 64 KB
}

TEST(VersionResource, NotAProgramOrNoVersionResource) {
  EXPECT_EQ(failureOf(""), kErrorBadExeFormat);
  EXPECT_EQ(failureOf("[boot]\r\nshell=Explorer.exe\r\n"), kErrorBadExeFormat);
  // An MS-DOS program: MZ without a PE header where e_lfanew points.
  std::string dos(128, '\0');
  dos[0] = 'M';
  dos[1] = 'Z';
  EXPECT_EQ(failureOf(dos), kErrorBadExeFormat);

  Image noResources = registryEditor();
  noResources.put32(noResources.peOffset + 24 + 96 + 16, 0);
  EXPECT_EQ(failureOf(noResources.bytes), kErrorResourceDataNotFound);
  Image noVersion = registryEditor();
  noVersion.put32(noVersion.resources + 16, 3);  // RT_ICON instead of RT_VERSION
  EXPECT_EQ(failureOf(noVersion.bytes), kErrorResourceTypeNotFound);
  Image noName = registryEditor();
  noName.put16(noName.resources + 24 + 14, 0);
  EXPECT_EQ(failureOf(noName.bytes), kErrorResourceNameNotFound);
  Image noLanguage = registryEditor();
  noLanguage.put16(noLanguage.resources + 48 + 14, 0);
  EXPECT_EQ(failureOf(noLanguage.bytes), kErrorResourceLangNotFound);
}

TEST(VersionResource, TruncatedImagesFailAtEveryLength) {
  const std::string image = registryEditor().bytes;
  for (size_t length = 0; length < image.size(); length += 7)
    EXPECT_NE(failureOf(image.substr(0, length)), WinError::Success) << length;
}

TEST(VersionResource, OffsetsPastTheEndFail) {
  Image farHeader = registryEditor();
  farHeader.put32(0x3C, 0xFFFFFFF0);
  EXPECT_EQ(failureOf(farHeader.bytes), kErrorBadExeFormat);

  Image farSection = registryEditor();  // the section's data said to lie past the file
  farSection.put32(farSection.peOffset + 24 + 224 + 20, 0x7FFFFFFF);
  EXPECT_EQ(failureOf(farSection.bytes), kErrorBadExeFormat);

  Image farData = registryEditor();
  farData.put32(farData.dataEntry, 0xFFFFFF00);
  EXPECT_EQ(failureOf(farData.bytes), kErrorBadExeFormat);

  Image farDirectory = registryEditor();
  farDirectory.put32(farDirectory.resources + 20, 0x80000000 | 0x7FFFFFF0);
  EXPECT_EQ(failureOf(farDirectory.bytes), kErrorBadExeFormat);
}

TEST(VersionResource, LoopsInTheResourceTreeEnd) {
  Image selfLoop = registryEditor();  // the type entry points back at the root
  selfLoop.put32(selfLoop.resources + 20, 0x80000000);
  EXPECT_EQ(failureOf(selfLoop.bytes), kErrorBadExeFormat);
  Image languageLoop = registryEditor();  // the language level points at the name level
  languageLoop.put32(languageLoop.resources + 48 + 20, 0x80000000 | 24);
  EXPECT_EQ(failureOf(languageLoop.bytes), kErrorBadExeFormat);
}

TEST(VersionResource, AbsurdSizesAreRefusedOrBounded) {
  Image sections = registryEditor();
  sections.put16(sections.peOffset + 6, 0xFFFF);
  EXPECT_EQ(failureOf(sections.bytes), kErrorBadExeFormat);

  Image entries = registryEditor();  // 131070 entries do not fit in the section
  entries.put16(entries.resources + 12, 0xFFFF);
  entries.put16(entries.resources + 14, 0xFFFF);
  EXPECT_EQ(failureOf(entries.bytes), kErrorBadExeFormat);

  Image huge =
      registryEditor();  // a 4 GB resource: at most 64 KB are read, and those are not there
  huge.put32(huge.dataEntry + 4, 0xFFFFFFFF);
  EXPECT_EQ(failureOf(huge.bytes), kErrorBadExeFormat);
  // Padding after the block is not part of it.
  Image padded = registryEditor();
  const uint32_t length = padded.u32(padded.block) & 0xFFFF;
  padded.put32(padded.dataEntry + 4, length + 100);
  padded.bytes.append(200, '\0');
  padded.put32(padded.peOffset + 24 + 224 + 16, padded.u32(padded.peOffset + 24 + 224 + 16) + 512);
  padded.bytes.append(512 - 200, '\0');
  EXPECT_EQ(blockOf(padded.bytes).size(), length);
}

TEST(VersionResource, DamagedBlocksGiveNoValue) {
  Image tooLong = registryEditor();  // wLength past the resource
  tooLong.put16(tooLong.block, 0xFFF0);
  EXPECT_EQ(failureOf(tooLong.bytes), kErrorInvalidData);
  Image wrongKey = registryEditor();
  wrongKey.bytes[wrongKey.block + 6] = 'X';
  EXPECT_EQ(failureOf(wrongKey.bytes), kErrorInvalidData);

  // A child of length zero or past its parent ends the search without a value.
  const std::string block = blockOf(registryEditor().bytes);
  const size_t stringFileInfo = block.find(std::string("S\0t\0r\0i\0n\0g\0F", 14)) - 6;
  for (uint16_t bad : {uint16_t{0}, uint16_t{3}, uint16_t{0xFFFF}}) {
    std::string damaged = block;
    damaged[stringFileInfo] = static_cast<char>(bad & 0xFF);
    damaged[stringFileInfo + 1] = static_cast<char>(bad >> 8);
    EXPECT_FALSE(findVersionValue(damaged, "\\StringFileInfo\\040904E4\\FileVersion")) << bad;
    EXPECT_FALSE(findVersionValue(damaged, "\\VarFileInfo\\Translation")) << bad;
    EXPECT_TRUE(findVersionValue(damaged, "\\"));  // the root's own value is still there
  }
  // A key without its terminator.
  std::string unterminated = block.substr(0, 20);
  unterminated[0] = 20;
  unterminated[1] = 0;
  EXPECT_THROW(versionInfoLength(unterminated), VersionResourceError);
  // The fixed information needs its signature.
  std::string fixed = encodeFixedFileInfo({});
  EXPECT_TRUE(decodeFixedFileInfo(fixed));
  fixed[0] = 0;
  EXPECT_FALSE(decodeFixedFileInfo(fixed));
  EXPECT_FALSE(decodeFixedFileInfo(encodeFixedFileInfo({}).substr(0, 51)));
}

}  // namespace
