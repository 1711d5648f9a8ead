#pragma once
// The sample link of the Shell Link format documentation: a shortcut to
// C:\test\a.txt made by Windows XP (ID list with extension blocks,
// LinkInfo, relative path, working directory, a tracker data block). No Debian
// tool writes .lnk files, so this is the link made by another program that
// the tests read.

#include <string>
#include <string_view>

namespace shell_test {

inline std::string bytesFromHex(std::string_view hex) {
  auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1]));
  return bytes;
}

inline std::string formatExampleLink() {
  return bytesFromHex(
      "4C0000000114020000000000C0000000"
      "000000469B00080020000000D0E9EEF2"
      "1515C901D0E9EEF21515C901D0E9EEF2"
      "1515C901000000000000000001000000"
      "000000000000000000000000BD001400"
      "1F50E04FD020EA3A6910A2D808002B30"
      "309D19002F433A5C0000000000000000"
      "00000000000000000000004600310000"
      "0000002C3969A3100074657374000032"
      "0007000400EFBE2C3965A32C3969A326"
      "000000031E00000000F51E0000000000"
      "00000000007400650073007400000014"
      "0048003200000000002C3969A3200061"
      "2E74787400340007000400EFBE2C3969"
      "A32C3969A3260000002D6E0000000096"
      "010000000000000000000061002E0074"
      "00780074000000140000003C0000001C"
      "000000010000001C0000002D00000000"
      "0000003B000000110000000300000081"
      "8A7A301000000000433A5C746573745C"
      "612E747874000007002E005C0061002E"
      "00740078007400070043003A005C0074"
      "0065007300740060000000030000A058"
      "0000000000000063687269732D787073"
      "000000000000004078C79447FAC746B3"
      "565C2DC6B6D115EC46CD7B227FDD1194"
      "9900137216874A4078C79447FAC746B3"
      "565C2DC6B6D115EC46CD7B227FDD1194"
      "9900137216874A00000000");
}

// Offsets of its parts, for tests that damage them.
constexpr size_t kExampleIdListOffset = 0x4C;
constexpr size_t kExampleLinkInfoOffset = 0x10B;
constexpr size_t kExampleLinkInfoSize = 0x3C;
constexpr size_t kExampleVolumeIdOffset = 0x127;
constexpr size_t kExampleStringDataOffset = 0x147;
constexpr size_t kExampleExtraDataOffset = 0x167;

}  // namespace shell_test
