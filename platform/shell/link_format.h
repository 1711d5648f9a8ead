#pragma once
// Fixed values of the Shell Link binary format shared by its reader and writer.

#include <cstdint>
#include <string_view>

namespace platform::shell {

constexpr uint32_t kShellLinkHeaderSize = 0x4C;
// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored.
constexpr std::string_view kShellLinkClsid(
    "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);

// The extra data block that holds the target with environment variables.
constexpr uint32_t kEnvironmentBlockSignature = 0xA0000001;
constexpr uint32_t kEnvironmentBlockSize = 0x314;
constexpr size_t kEnvironmentTargetChars = 260;
// An extra data block smaller than this ends the list.
constexpr uint32_t kTerminalBlockLimit = 4;

}  // namespace platform::shell
