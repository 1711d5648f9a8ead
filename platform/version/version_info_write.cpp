#include "platform/version/version_info_write.h"

#include <cstdio>

#include "platform/core/codepage.h"
#include "platform/version/version_bytes.h"
#include "platform/version/version_error.h"

namespace platform::version {
namespace {

constexpr uint16_t kBinary = 0;
constexpr uint16_t kText = 1;

std::string utf16Bytes(const std::string& ansi) {
  std::vector<uint8_t> units = utf8ToUtf16leBytes(ansiToUtf8(ansi));
  std::string bytes(units.begin(), units.end());
  bytes.append(2, '\0');
  return bytes;
}

void padTo4(std::string& bytes) {
  bytes.resize(alignUp(bytes.size(), 4), '\0');
}

// One structure of the block: its header, key, value and children, each
// child starting on a 32-bit boundary. wLength leaves out the padding after
// the last child.
std::string node(const std::string& key, uint16_t type, const std::string& value,
                 uint16_t valueLength, const std::vector<std::string>& children) {
  std::string bytes(6, '\0');
  bytes += utf16Bytes(key);
  padTo4(bytes);
  bytes += value;
  for (const std::string& child : children) {
    padTo4(bytes);
    bytes += child;
  }
  if (bytes.size() > 0xFFFF)
    throw VersionResourceError(kErrorInvalidData, "The version resource would be larger than 64 KB",
                               0);
  putLe16(bytes, 0, static_cast<uint16_t>(bytes.size()));
  putLe16(bytes, 2, valueLength);
  putLe16(bytes, 4, type);
  return bytes;
}

}  // namespace

std::string stringTableKey(uint16_t language, uint16_t codePage) {
  char key[9];
  std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
  return key;
}

std::string writeVersionInfo(const VersionInfoContent& content) {
  std::vector<std::string> strings;
  for (const auto& [key, value] : content.strings) {
    std::string text = utf16Bytes(value);
    // A string's value length counts 16-bit characters, its terminator too.
    strings.push_back(node(key, kText, text, static_cast<uint16_t>(text.size() / 2), {}));
  }
  std::string table =
      node(stringTableKey(content.language, content.codePage), kText, "", 0, strings);
  std::string stringFileInfo = node("StringFileInfo", kText, "", 0, {table});

  std::string translation;
  appendLe16(translation, content.language);
  appendLe16(translation, content.codePage);
  std::string var = node("Translation", kBinary, translation, 4, {});
  std::string varFileInfo = node("VarFileInfo", kText, "", 0, {var});

  return node("VS_VERSION_INFO", kBinary, encodeFixedFileInfo(content.fixed), kFixedFileInfoSize,
              {stringFileInfo, varFileInfo});
}

}  // namespace platform::version
